#pragma once

namespace linecalc {

// 10 · lg r in decibels, the exact value rounded once to the nearest double, by calc's own
// arithmetic, so that the figure is the same on every platform. r = 0 gives −∞, r = +∞ gives
// +∞, a negative or NaN r gives NaN, as std::log10 does.
double TenLog10(double r);

}  // namespace linecalc

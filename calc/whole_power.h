#pragma once

namespace linecalc {

// base ^ exponent. A whole exponent from 1 to 1000 gives the exact power rounded once to the
// nearest double (ties to even), by calc's own arithmetic, so the figure is the same on every
// platform; any other exponent gives std::pow(base, exponent).
double WholePower(double base, double exponent);

}  // namespace linecalc

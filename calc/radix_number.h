#pragma once

#include <string_view>

#include "calc/checked.h"

namespace linecalc {

// Reads the leading digits of `digits` in `base`, 16 or 8 (the text after "&H" or "&O"), as a
// whole number, exactly however long, and rounds it once to the nearest double, a tie to the
// even one. No leading digit reads as 0; a number beyond the range of a double is a fault named
// `step`.
Checked<double> ReadRadixWhole(std::string_view digits, int base, std::string_view step);

}  // namespace linecalc

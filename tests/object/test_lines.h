#pragma once

#include <string>

#include "calc/line_calculation.h"

namespace linecalc::testing_support {

// 0.75 mm² copper, 1000 m at -5 °C (so the conductor is at 0 °C) and 100 V with a typed R20:
// the line resistance is R20 ÷ 1.08, so an R20 of 2.16 gives Rл 2.00 and 4.32 gives 4.00.
inline LineInputs LineOfResistance(const char* r20, LoadKind load, const char* power,
                                   const char* count = "") {
  return {Material::Copper, 3, "1000", "-5", "100", r20, load, power, count};
}

// A line of `section` (row of the section list) with the table's R20.
inline LineInputs TableLine(Material material, int section, const char* length, LoadKind load,
                            const char* power, const char* count = "") {
  return {material, section, length, "20", "100", std::nullopt, load, power, count};
}

}  // namespace linecalc::testing_support

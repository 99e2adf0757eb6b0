#pragma once

#include <string>

#include "calc/line_calculation.h"

namespace linecalc::testing_support {

// 0.75 mm² copper, 1000 m at -5 °C (so the conductor is at 0 °C) and 100 V with a typed R20:
// the line resistance is R20 ÷ 1.08, so an R20 of 2.16 gives Rл 2.00 and 4.32 gives 4.00.
inline LineInputs LineOfResistance(const char* r20, LoadKind load, const char* power,
                                   const char* count = "") {
  LineInputs in;
  in.material = Material::Copper;
  in.sectionIndex = 3;
  in.length = "1000";
  in.temperature = "-5";
  in.voltage = "100";
  in.r20 = r20;
  in.load = load;
  in.power = power;
  in.count = count;
  return in;
}

// A line of `section` (row of the section list) with the table's R20.
inline LineInputs TableLine(Material material, int section, const char* length, LoadKind load,
                            const char* power, const char* count = "") {
  LineInputs in;
  in.material = material;
  in.sectionIndex = section;
  in.length = length;
  in.temperature = "20";
  in.voltage = "100";
  in.load = load;
  in.power = power;
  in.count = count;
  return in;
}

}  // namespace linecalc::testing_support

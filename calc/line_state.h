#pragma once

#include <array>
#include <cstdint>

namespace linecalc {

inline constexpr int kSectionCount = 11;
using SectionColumn = std::array<double, kSectionCount>;

// The line's figures after the latest refresh, with the chosen section row and material
// coefficient. Every field is zero until the start-up state is loaded into it.
struct LineState {
  double R10 = 0;                // Ohm per km, chosen section
  double RLine = 0;              // Ohm, whole line, temperature-corrected
  double TempC = 0;              // °C; after a refresh: ambient + 5
  double LengthM = 0;            // m
  double Alpha = 0;              // per °C, chosen material
  double JMax = 0;               // A
  double JOpt = 0;               // A
  double SectionIndex = 0;       // row of the section table, a whole number 0..10
  std::int16_t LineVoltage = 0;  // V
  double PExpected = 0;          // W
};

}  // namespace linecalc

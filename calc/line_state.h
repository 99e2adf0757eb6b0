#pragma once

#include <array>
#include <cstdint>

namespace linecalc {

inline constexpr int kSectionCount = 11;
using SectionColumn = std::array<double, kSectionCount>;

// The calculation state the window keeps for its whole life. Every numeric field is zero and
// R20Edited is false until the start-up state is loaded into it.
struct LineState {
  SectionColumn R10CopperTable{};      // Ohm per km, one conductor at 20 °C
  SectionColumn R10AluminiumTable{};   // Ohm per km, one conductor at 20 °C
  SectionColumn JMaxCopperTable{};     // A
  SectionColumn JMaxAluminiumTable{};  // A
  double R10 = 0;                      // Ohm per km, chosen section
  double RLine = 0;                    // Ohm, whole line, temperature-corrected
  double TempC = 0;                    // °C; after a refresh: ambient + 5
  double LengthM = 0;                  // m
  double Alpha = 0;                    // per °C, chosen material
  double JMax = 0;                     // A
  double JOpt = 0;                     // A
  double SectionIndex = 0;             // row of the section table, a whole number 0..10
  std::int16_t LineVoltage = 0;        // V
  double PExpected = 0;                // W
  std::int16_t R20Edited = 0;          // 0 false, -1 true: the R20 field holds a typed value
};

inline constexpr std::int16_t kFalse = 0;
inline constexpr std::int16_t kTrue = -1;

}  // namespace linecalc

#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calc/line_state.h"

namespace linecalc {

// Standard cross-sections, mm², in the order of the section list; a row's index is its key.
inline constexpr std::array<std::string_view, kSectionCount> SectionList{
    "0.2", "0.35", "0.5", "0.75", "1.0", "1.2", "1.5", "2.5", "4.0", "6.0", "10.0"};

// Table resistance of one conductor per km at 20 °C, Ohm. Aluminium's resistivity is 1.6 times
// copper's (0.028 against 0.0175 Ohm·mm²/m), so its column is copper's times 1.6, written out.
inline constexpr SectionColumn R10CopperTable{85,   49,   36,   26,  19.5, 15,
                                              13.3, 7.98, 4.95, 3.3, 1.91};
inline constexpr SectionColumn R10AluminiumTable{136,   78.4,   57.6, 41.6, 31.2, 24,
                                                 21.28, 12.768, 7.92, 5.28, 3.056};

// Maximum permissible current, A.
inline constexpr SectionColumn JMaxCopperTable{6, 8, 11, 15, 17, 20, 23, 30, 41, 50, 80};
inline constexpr SectionColumn JMaxAluminiumTable{6, 8, 11, 15, 17, 20, 23, 24, 32, 39, 60};

// Temperature coefficients of resistance, per °C.
inline constexpr double CopperAlpha = 0.0043;
inline constexpr double AluminiumAlpha = 0.0042;

// Ambient temperatures, °C.
inline constexpr std::array<std::string_view, 12> TemperatureList{
    "0", "5", "10", "15", "18", "20", "25", "30", "35", "40", "45", "50"};

// Line voltages, V, highest first.
inline constexpr std::array<std::string_view, 6> VoltageList{"100", "70", "50", "30", "24", "12"};

// Cable lengths, m: "1", then 10..1000 in steps of 10, then 1100..10000 in steps of 100.
const std::vector<std::string>& LengthList();

inline constexpr std::string_view DefaultSectionText = "0.75";
inline constexpr int DefaultSectionIndex = 3;
inline constexpr std::string_view DefaultTemperatureText = "20";
inline constexpr std::string_view DefaultLengthText = "1";
inline constexpr std::string_view DefaultVoltageText = "100";
inline constexpr std::string_view DefaultSpeakerPowerText = "6";
inline constexpr std::string_view DefaultSpeakerCountText = "10";

}  // namespace linecalc

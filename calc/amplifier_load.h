#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/line_calculation.h"

namespace linecalc {

// The share of an amplifier's power kept free when no other is set, %: the usual allowance for
// program peaks, the tolerance of the transformer taps and loudspeakers added later.
inline constexpr double kDefaultAmplifierReservePct = 20;

// How an amplifier's lines load it, the first that applies.
enum class AmplifierVerdict { Normal, Refused, Incompatible, Overloaded };

// "норма", "отказ", "несовместимо", "перегрузка".
std::string_view AmplifierVerdictText(AmplifierVerdict verdict);

// The rated power of an amplifier, W, from its text by the number input rule: absent unless the
// whole text is a number with 0 < P ≤ 10000.
std::optional<double> ReadAmplifierPower(std::string_view text);

// The output voltage of an amplifier, V: absent unless the whole text is a whole number from 1
// to 1000.
std::optional<int> ReadAmplifierVoltage(std::string_view text);

// The reserve an object keeps on its amplifiers, %: kDefaultAmplifierReservePct when `text` is
// empty or blanks; absent unless the whole text is a number from 0 to 100.
std::optional<double> ReadAmplifierReserve(std::string_view text);

// One line fed by an amplifier: its name and its calculation as the window makes it.
struct FedLine {
  std::string_view name;
  const LineCalculation* calculation;
};

// What an amplifier carries.
struct AmplifierLoad {
  AmplifierVerdict verdict = AmplifierVerdict::Normal;
  std::string message;   // which line decided a refusal or an incompatibility; else empty
  double ratedLoad = 0;  // Σ rated powers of the computed lines, W
  double loadPct = 0;    // 100 × rated load ÷ amplifier power
  std::optional<double> reservePct;  // 100 × (power ÷ rated load − 1); absent without load
};

// Judges an amplifier of `powerW` at `voltageV` (as the Read… functions give them) feeding
// `lines`, in file order, against `reservePct`: "отказ" when a line is not computed, then
// "несовместимо" when a line's voltage (as a whole number) is not the amplifier's, then
// "перегрузка" when the rated load × (1 + reserve ÷ 100), as shown, exceeds the power as shown.
AmplifierLoad LoadAmplifier(double powerW, int voltageV, double reservePct,
                            const std::vector<FedLine>& lines);

}  // namespace linecalc

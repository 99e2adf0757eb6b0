#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/checked.h"
#include "calc/line_state.h"
#include "calc/load_checks.h"

namespace linecalc {

// What a calculation button ends with: the texts to show, a refusal, or an arithmetic fault.
template <typename View>
using Outcome = std::variant<View, Refusal, Fault>;

// The four single-load result texts, in the order LblZ, LblUr, LblPr, LblPot.
struct SingleLoadView {
  std::string ZLoad;
  std::string URes;
  std::string PRes;
  std::string LossPct;
};

// The uniform-load report lines and the texts of Lbl15 and Lbl16.
struct UniformLoadView {
  std::vector<std::string> lines;
  std::string UniformLossPct;
  std::string CascadeVoltage;
};

// Reads the input-power text and checks its range; runs before the refresh.
Outcome<double> AcceptInputPower(std::string_view text);

// After the refresh: the load check against PExpected, then the single-load calculation.
Outcome<SingleLoadView> RunSingleLoad(double pIn, const LineState& state,
                                      std::string_view decimalSeparator);

// After the refresh: reads and checks the loudspeaker power and count, the load check, then the
// uniform-load calculation and its report.
Outcome<UniformLoadView> RunUniformLoad(std::string_view powerText, std::string_view countText,
                                        const LineState& state, std::string_view decimalSeparator);

}  // namespace linecalc

#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/checked.h"
#include "calc/line_state.h"
#include "calc/load_checks.h"
#include "calc/single_load.h"
#include "calc/uniform_load.h"

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

// The loudspeakers as read and the calculation made with them.
struct UniformLoadSolution {
  double speakerPower = 0;  // W
  double speakerCount = 0;
  UniformLoadResult result;
};

// After the refresh: the checks of the line (no negative resistance) and the load against
// `state`, then the single-load calculation, as numbers.
Outcome<SingleLoadResult> SolveSingleLoad(double pIn, const LineState& state);

// After the refresh: reads and checks the loudspeaker power and count, the checks of the line and
// the load, then the uniform-load calculation, as numbers.
Outcome<UniformLoadSolution> SolveUniformLoad(std::string_view powerText,
                                              std::string_view countText, const LineState& state);

// SolveSingleLoad with the four texts to show.
Outcome<SingleLoadView> RunSingleLoad(double pIn, const LineState& state,
                                      std::string_view decimalSeparator);

// SolveUniformLoad with the report lines and the two texts to show.
Outcome<UniformLoadView> RunUniformLoad(std::string_view powerText, std::string_view countText,
                                        const LineState& state, std::string_view decimalSeparator);

}  // namespace linecalc

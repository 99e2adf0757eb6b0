#pragma once

#include <string>
#include <string_view>

#include "calc/line_state.h"

namespace linecalc {

// What the window's load step writes before it selects copper: the state with the defaults set, and
// the first texts of the R10 label and the R20 field.
struct StartupState {
  LineState state;
  std::string R10Text;  // shown with the caller's decimal separator
  std::string R20Text;  // always with ".", as the R20 field is read back
};

// The start-up state of the line: section "0.75", 20 °C, 1 m, 100 V, copper, R20 not edited.
// The first refresh is still to run; selecting copper does that.
StartupState MakeStartupState(std::string_view decimalSeparator);

}  // namespace linecalc

#pragma once

#include <cstdint>

#include "calc/checked.h"

namespace linecalc {

// One load at the end of the line that draws PIn at the full line voltage.
struct SingleLoadResult {
  double ZLoad = 0;    // Ohm
  double ILoad = 0;    // A
  double URes = 0;     // V reaching the load
  double PRes = 0;     // W reaching the load
  double LossPct = 0;  // % of PIn lost in the line
};

// Losses of a constant-impedance load rated `pIn` watts at `lineVoltage` volts, fed through a
// line of `rLine` ohms. No input checks: the caller guarantees 0 < pIn <= PExpected.
Checked<SingleLoadResult> CalculateSingleLoad(std::int16_t lineVoltage, double rLine, double pIn);

}  // namespace linecalc

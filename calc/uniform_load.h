#pragma once

#include <cstdint>
#include <vector>

#include "calc/checked.h"

namespace linecalc {

struct SpeakerRow {
  std::int16_t Index = 0;  // 1 nearest the source
  double SegmentDrop = 0;  // V lost on the stretch in front of this loudspeaker
  double NodePower = 0;    // W reaching this loudspeaker
};

struct UniformLoadResult {
  std::vector<SpeakerRow> Rows;
  double DropTotal = 0;       // V
  double LostPower = 0;       // W
  double EndVoltage = 0;      // V at the last loudspeaker
  double DeliveredPower = 0;  // W
  double UniformLossPct = 0;  // %
  double CascadeVoltage = 0;  // V
};

// `speakerCount` equal loudspeakers of `speakerPower` watts each, spread evenly along a line of
// `rLine` ohms at `lineVoltage` volts. The loudspeaker count is used as given, and rounded (half
// to even) only to count the rows. No input checks: the caller guarantees
// 0 < speakerPower <= 100, 0 < speakerCount <= 1000 and their product <= PExpected.
Checked<UniformLoadResult> CalculateUniformLoad(std::int16_t lineVoltage, double rLine,
                                                double speakerPower, double speakerCount);

}  // namespace linecalc

#include "calc/uniform_load.h"

#include "calc/number_format.h"
#include "calc/verify.h"

namespace linecalc {
namespace {

using detail::Verify;

struct Walk {
  double nodeVoltage;
  double remainingPower;
  double dropTotal = 0;
  double deliveredPower = 0;
};

// One stretch of line and the loudspeaker at its far end. The rest of the line is replaced by
// the impedance that would draw the remaining rated power at the voltage entering the stretch.
SpeakerRow Step(Walk& w, std::int16_t index, double speakerPower, double speakerImpedance,
                double segmentResistance) {
  const double v2 = Verify(w.nodeVoltage * w.nodeVoltage, "NodeVoltage²");
  const double remainingImpedance = Verify(v2 / w.remainingPower, "RemainingImpedance");
  const double loop = Verify(segmentResistance + remainingImpedance, "stretch + rest");
  const double segmentCurrent = Verify(w.nodeVoltage / loop, "SegmentCurrent");
  const double segmentDrop = Verify(segmentCurrent * segmentResistance, "SegmentDrop");
  w.dropTotal = Verify(w.dropTotal + segmentDrop, "DropTotal");
  w.remainingPower = Verify(w.remainingPower - speakerPower, "RemainingPower");
  w.nodeVoltage = Verify(w.nodeVoltage - segmentDrop, "NodeVoltage");
  const double node2 = Verify(w.nodeVoltage * w.nodeVoltage, "NodeVoltage²");
  const double nodePower = Verify(node2 / speakerImpedance, "NodePower");
  w.deliveredPower = Verify(w.deliveredPower + nodePower, "DeliveredPower");
  return {index, segmentDrop, nodePower};
}

void Totals(UniformLoadResult& r, const Walk& w, double speakerPower, double speakerCount,
            double segmentResistance) {
  r.DropTotal = w.dropTotal;
  r.DeliveredPower = w.deliveredPower;
  r.EndVoltage = w.nodeVoltage;
  const double rated = Verify(speakerPower * speakerCount, "rated power");
  r.LostPower = Verify(rated - w.deliveredPower, "LostPower");
  const double delivered100 = Verify(w.deliveredPower * 100.0, "DeliveredPower × 100");
  const double share = Verify(delivered100 / rated, "DeliveredPower × 100 / rated");
  r.UniformLossPct = Verify(100.0 - share, "UniformLossPct");
  const double end2 = Verify(r.EndVoltage * r.EndVoltage, "EndVoltage²");
  const double cascadeImpedance = Verify(end2 / speakerPower, "CascadeImpedance");
  const double divider = Verify(segmentResistance + cascadeImpedance, "stretch + cascade");
  const double ratio = Verify(cascadeImpedance / divider, "cascade ratio");
  const double factor = Verify(std::pow(ratio, speakerCount), "cascade ratio ^ count");
  r.CascadeVoltage = Verify(r.EndVoltage * factor, "CascadeVoltage");
}

UniformLoadResult Compute(double u, double rLine, double speakerPower, double speakerCount) {
  const double u2 = Verify(u * u, "U²");
  const double speakerImpedance = Verify(u2 / speakerPower, "SpeakerImpedance");
  const double segmentResistance = Verify(rLine / speakerCount, "SegmentResistance");
  Walk walk{u, Verify(speakerPower * speakerCount, "RemainingPower")};
  const std::int16_t rowCount = detail::Unwrap(RoundToInt16(speakerCount, "RowCount"));
  UniformLoadResult r;
  r.Rows.reserve(rowCount > 0 ? rowCount : 0);
  for (int index = 1; index <= rowCount; ++index) {
    r.Rows.push_back(Step(walk, static_cast<std::int16_t>(index), speakerPower, speakerImpedance,
                          segmentResistance));
  }
  Totals(r, walk, speakerPower, speakerCount, segmentResistance);
  return r;
}

}  // namespace

Checked<UniformLoadResult> CalculateUniformLoad(std::int16_t lineVoltage, double rLine,
                                                double speakerPower, double speakerCount) {
  return detail::Trapping(
      [&] { return Compute(static_cast<double>(lineVoltage), rLine, speakerPower, speakerCount); });
}

}  // namespace linecalc

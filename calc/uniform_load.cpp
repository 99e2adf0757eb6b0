#include "calc/uniform_load.h"

#include <array>
#include <string_view>

#include "calc/number_format.h"
#include "calc/verify.h"
#include "calc/whole_power.h"

namespace linecalc {
namespace {

using detail::Verify;

struct Walk {
  double nodeVoltage;
  double remainingPower;
  double dropTotal = 0;
  double deliveredPower = 0;
};

// Every value one stretch produces, in the order of the operations that produce them.
struct Stretch {
  double v2, remainingImpedance, loop, segmentCurrent, segmentDrop, dropTotal, remainingPower,
      nodeVoltage, node2, nodePower, deliveredPower;
};

inline constexpr std::array<std::string_view, 11> kStretchSteps{
    "NodeVoltage²", "RemainingImpedance", "stretch + rest", "SegmentCurrent",
    "SegmentDrop",  "DropTotal",          "RemainingPower", "NodeVoltage",
    "NodeVoltage²", "NodePower",          "DeliveredPower"};

// One stretch of line and the loudspeaker at its far end. The rest of the line is replaced by
// the impedance that would draw the remaining rated power at the voltage entering the stretch.
Stretch Advance(const Walk& w, double speakerPower, double speakerImpedance,
                double segmentResistance) {
  Stretch s{};
  s.v2 = w.nodeVoltage * w.nodeVoltage;
  s.remainingImpedance = s.v2 / w.remainingPower;
  s.loop = segmentResistance + s.remainingImpedance;
  s.segmentCurrent = w.nodeVoltage / s.loop;
  s.segmentDrop = s.segmentCurrent * segmentResistance;
  s.dropTotal = w.dropTotal + s.segmentDrop;
  s.remainingPower = w.remainingPower - speakerPower;
  s.nodeVoltage = w.nodeVoltage - s.segmentDrop;
  s.node2 = s.nodeVoltage * s.nodeVoltage;
  s.nodePower = s.node2 / speakerImpedance;
  s.deliveredPower = w.deliveredPower + s.nodePower;
  return s;
}

// Tests every value of the stretch. A non-finite value taints all values computed from it, so
// the first one in operation order is the operation that failed: the result is the same as a
// test after each operation, with one branch per loudspeaker instead of eleven.
void VerifyStretch(const Stretch& s) {
  const std::array<double, 11> values{
      s.v2,          s.remainingImpedance, s.loop,           s.segmentCurrent,
      s.segmentDrop, s.dropTotal,          s.remainingPower, s.nodeVoltage,
      s.node2,       s.nodePower,          s.deliveredPower};
  bool finite = true;
  for (double v : values) {
    finite &= std::isfinite(v);
  }
  if (finite) [[likely]] {
    return;
  }
  for (size_t i = 0; i < values.size(); ++i) {
    Verify(values[i], kStretchSteps[i]);
  }
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
  const double factor = Verify(WholePower(ratio, speakerCount), "cascade ratio ^ count");
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
    const Stretch s = Advance(walk, speakerPower, speakerImpedance, segmentResistance);
    VerifyStretch(s);
    walk = {s.nodeVoltage, s.remainingPower, s.dropTotal, s.deliveredPower};
    r.Rows.push_back({static_cast<std::int16_t>(index), s.segmentDrop, s.nodePower});
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

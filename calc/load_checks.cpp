#include "calc/load_checks.h"

#include <cmath>

#include "calc/number_format.h"

namespace linecalc {

std::optional<Refusal> CheckInputPower(double pIn) {
  if (pIn > 0 && pIn < 5000) {
    return std::nullopt;
  }
  return Refusal{MsgInputPowerRange, FocusTarget::InputPower};
}

std::optional<Refusal> CheckSpeakerPower(double power) {
  if (power > 0 && power <= 100) {
    return std::nullopt;
  }
  return Refusal{MsgSpeakerPowerRange, FocusTarget::SpeakerPower};
}

std::optional<Refusal> CheckSpeakerCount(double count) {
  // A fractional count would walk a different number of loudspeakers than it divides the line
  // into, so only whole counts are taken.
  const bool whole = count == std::floor(count);
  if (count >= 1 && count <= 1000 && whole) {
    return std::nullopt;
  }
  if (count > 0 && count < 1000 && !whole) {
    return Refusal{MsgSpeakerCountWhole, FocusTarget::SpeakerCount};
  }
  return Refusal{MsgSpeakerCountRange, FocusTarget::SpeakerCount};
}

std::optional<Refusal> CheckLineResistance(double rLine) {
  // A negative resistance would hand power back to the source: voltages above the line's and
  // negative losses. -0.0 from a zero R20 is a line without resistance, not a negative one.
  if (rLine < 0) {
    return Refusal{MsgNegativeLineResistance, FocusTarget::Stay};
  }
  return std::nullopt;
}

std::optional<Refusal> CheckLoad(double requested, double pExpected) {
  // Compared as shown: the window shows both at two decimals, and a power equal to the
  // expected power shown must pass. A line that shows no power to carry (a voltage of 0 or
  // below) carries none, however small the load.
  const double shownExpected = RoundAsDisplayed(pExpected);
  if (shownExpected <= 0 || RoundAsDisplayed(requested) > shownExpected) {
    return Refusal{MsgOverload, FocusTarget::Stay};
  }
  return std::nullopt;
}

}  // namespace linecalc

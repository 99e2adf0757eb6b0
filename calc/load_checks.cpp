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
  if (count >= 1 && count <= 1000 && count == std::floor(count)) {
    return std::nullopt;
  }
  return Refusal{MsgSpeakerCountRange, FocusTarget::SpeakerCount};
}

std::optional<Refusal> CheckLoad(double requested, double pExpected) {
  // Compared as shown: the window shows both at two decimals, and a power equal to the
  // expected power shown must pass.
  if (RoundAsDisplayed(requested) > RoundAsDisplayed(pExpected)) {
    return Refusal{MsgOverload, FocusTarget::Stay};
  }
  return std::nullopt;
}

}  // namespace linecalc

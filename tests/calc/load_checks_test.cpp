#include "calc/load_checks.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>

namespace linecalc {
namespace {

const Refusal kInput{MsgInputPowerRange, FocusTarget::InputPower};
const Refusal kPower{MsgSpeakerPowerRange, FocusTarget::SpeakerPower};
const Refusal kCount{MsgSpeakerCountRange, FocusTarget::SpeakerCount};
const Refusal kWhole{MsgSpeakerCountWhole, FocusTarget::SpeakerCount};
const Refusal kNegativeLine{MsgNegativeLineResistance, FocusTarget::Stay};
constexpr std::nullopt_t kAccepted = std::nullopt;

void Expect(std::optional<Refusal> (*check)(double), std::initializer_list<double> values,
            std::optional<Refusal> expected) {
  for (double value : values) {
    EXPECT_EQ(check(value), expected) << value;
  }
}

TEST(CheckRanges, AcceptOrRefuseAtTheBounds) {
  // Input power: any positive power below 5000 W, fractions included.
  Expect(CheckInputPower, {0.5, 4999.99}, kAccepted);
  Expect(CheckInputPower, {5000, 0, -10}, kInput);
  // Loudspeaker power: up to 100 W inclusive.
  Expect(CheckSpeakerPower, {100, 0.5}, kAccepted);
  Expect(CheckSpeakerPower, {100.01, 0}, kPower);
  // Loudspeaker count: whole numbers from 1 to 1000; a fraction inside the range is asked to be
  // whole.
  Expect(CheckSpeakerCount, {1, 1000}, kAccepted);
  Expect(CheckSpeakerCount, {1001, 1000.5, 0, -3, -2.5}, kCount);
  Expect(CheckSpeakerCount, {2.6, 999.9, 0.5}, kWhole);
  // Line resistance: never negative; a line without any is valid.
  Expect(CheckLineResistance, {0, -0.0, 4.9e-324}, kAccepted);
  Expect(CheckLineResistance, {-0.0001, -1e308}, kNegativeLine);
}

TEST(CheckLoad, ComparesAsShown) {
  const double shown1060_50 = 100 * (15 * 0.707);  // 1060.4999999999998
  EXPECT_EQ(CheckLoad(1060.5, shown1060_50), std::nullopt);
  EXPECT_EQ(CheckLoad(100 * 14.14, 1414.0), std::nullopt);
  EXPECT_EQ(CheckLoad(0.004, 0.005), std::nullopt);
  const Refusal over{MsgOverload, FocusTarget::Stay};
  EXPECT_EQ(CheckLoad(1060.51, shown1060_50), over);
  EXPECT_EQ(CheckLoad(1414.01, 1414.0), over);
  EXPECT_EQ(CheckLoad(0.5, 0), over);
  EXPECT_EQ(CheckLoad(1, -100), over);
  // A line that shows 0.00 W or less to carry refuses even a power that shows as 0.00.
  EXPECT_EQ(CheckLoad(0.004, 0), over);
  EXPECT_EQ(CheckLoad(0.004, 0.004), over);
  EXPECT_EQ(CheckLoad(1e-300, -0.0), over);
  EXPECT_EQ(CheckLoad(0.001, -1e-9), over);
}

}  // namespace
}  // namespace linecalc

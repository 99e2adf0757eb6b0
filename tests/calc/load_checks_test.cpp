#include "calc/load_checks.h"

#include <gtest/gtest.h>

#include <optional>

namespace linecalc {
namespace {

using Check = std::optional<Refusal> (*)(double);

const Refusal kInput{MsgInputPowerRange, FocusTarget::InputPower};
const Refusal kPower{MsgSpeakerPowerRange, FocusTarget::SpeakerPower};
const Refusal kCount{MsgSpeakerCountRange, FocusTarget::SpeakerCount};
const Refusal kWhole{MsgSpeakerCountWhole, FocusTarget::SpeakerCount};
const Refusal kNegativeLine{MsgNegativeLineResistance, FocusTarget::Stay};
constexpr std::nullopt_t kAccepted = std::nullopt;

TEST(CheckRanges, AcceptOrRefuseAtTheBounds) {
  struct Case {
    Check check;
    double value;
    std::optional<Refusal> expected;
  };
  for (const Case& c :
       {// Input power: any positive power below 5000 W, fractions included.
        Case{CheckInputPower, 0.5, kAccepted},
        {CheckInputPower, 4999.99, kAccepted},
        {CheckInputPower, 5000, kInput},
        {CheckInputPower, 0, kInput},
        {CheckInputPower, -10, kInput},
        // Loudspeaker power: up to 100 W inclusive.
        {CheckSpeakerPower, 100, kAccepted},
        {CheckSpeakerPower, 0.5, kAccepted},
        {CheckSpeakerPower, 100.01, kPower},
        {CheckSpeakerPower, 0, kPower},
        // Loudspeaker count: whole numbers from 1 to 1000; a fraction inside the range is
        // asked to be whole.
        {CheckSpeakerCount, 1, kAccepted},
        {CheckSpeakerCount, 1000, kAccepted},
        {CheckSpeakerCount, 1001, kCount},
        {CheckSpeakerCount, 1000.5, kCount},
        {CheckSpeakerCount, 2.6, kWhole},
        {CheckSpeakerCount, 999.9, kWhole},
        {CheckSpeakerCount, 0.5, kWhole},
        {CheckSpeakerCount, 0, kCount},
        {CheckSpeakerCount, -3, kCount},
        {CheckSpeakerCount, -2.5, kCount},
        // Line resistance: never negative; a line without any is valid.
        {CheckLineResistance, 0, kAccepted},
        {CheckLineResistance, -0.0, kAccepted},
        {CheckLineResistance, 4.9e-324, kAccepted},
        {CheckLineResistance, -0.0001, kNegativeLine},
        {CheckLineResistance, -1e308, kNegativeLine}}) {
    EXPECT_EQ(c.check(c.value), c.expected) << c.value;
  }
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

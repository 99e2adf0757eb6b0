#include "calc/load_checks.h"

#include <gtest/gtest.h>

#include <functional>

namespace linecalc {
namespace {

struct RangeCase {
  const char* name;
  std::function<std::optional<Refusal>(double)> check;
  double value;
  std::optional<Refusal> expected;
};

class RangeChecks : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeChecks, AcceptOrRefuse) {
  EXPECT_EQ(GetParam().check(GetParam().value), GetParam().expected) << GetParam().value;
}

const Refusal kInput{MsgInputPowerRange, FocusTarget::InputPower};
const Refusal kPower{MsgSpeakerPowerRange, FocusTarget::SpeakerPower};
const Refusal kCount{MsgSpeakerCountRange, FocusTarget::SpeakerCount};
const Refusal kWhole{MsgSpeakerCountWhole, FocusTarget::SpeakerCount};
const Refusal kNegativeLine{MsgNegativeLineResistance, FocusTarget::Stay};

INSTANTIATE_TEST_SUITE_P(Bounds, RangeChecks,
                         ::testing::Values(
                             // Input power: any positive power below 5000 W, fractions included.
                             RangeCase{"InputHalfWatt", CheckInputPower, 0.5, std::nullopt},
                             RangeCase{"InputBelowLimit", CheckInputPower, 4999.99, std::nullopt},
                             RangeCase{"InputLimit", CheckInputPower, 5000, kInput},
                             RangeCase{"InputZero", CheckInputPower, 0, kInput},
                             RangeCase{"InputNegative", CheckInputPower, -10, kInput},
                             // Loudspeaker power: up to 100 W inclusive.
                             RangeCase{"PowerLimit", CheckSpeakerPower, 100, std::nullopt},
                             RangeCase{"PowerHalfWatt", CheckSpeakerPower, 0.5, std::nullopt},
                             RangeCase{"PowerAboveLimit", CheckSpeakerPower, 100.01, kPower},
                             RangeCase{"PowerZero", CheckSpeakerPower, 0, kPower},
                             // Loudspeaker count: whole numbers from 1 to 1000; a fraction
                             // inside the range is asked to be whole.
                             RangeCase{"CountOne", CheckSpeakerCount, 1, std::nullopt},
                             RangeCase{"CountLimit", CheckSpeakerCount, 1000, std::nullopt},
                             RangeCase{"CountAboveLimit", CheckSpeakerCount, 1001, kCount},
                             RangeCase{"CountHalfAboveLimit", CheckSpeakerCount, 1000.5, kCount},
                             RangeCase{"CountFraction", CheckSpeakerCount, 2.6, kWhole},
                             RangeCase{"CountFractionBelowLimit", CheckSpeakerCount, 999.9, kWhole},
                             RangeCase{"CountHalf", CheckSpeakerCount, 0.5, kWhole},
                             RangeCase{"CountZero", CheckSpeakerCount, 0, kCount},
                             RangeCase{"CountNegative", CheckSpeakerCount, -3, kCount},
                             RangeCase{"CountNegativeFraction", CheckSpeakerCount, -2.5, kCount},
                             // Line resistance: never negative; a line without any is valid.
                             RangeCase{"LineZero", CheckLineResistance, 0, std::nullopt},
                             RangeCase{"LineNegativeZero", CheckLineResistance, -0.0, std::nullopt},
                             RangeCase{"LineTiny", CheckLineResistance, 4.9e-324, std::nullopt},
                             RangeCase{"LineNegative", CheckLineResistance, -0.0001, kNegativeLine},
                             RangeCase{"LineHugeNegative", CheckLineResistance, -1e308,
                                       kNegativeLine}),
                         [](const auto& info) { return std::string(info.param.name); });

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
}

// A line that shows 0.00 W or less to carry refuses even a power that shows as 0.00.
TEST(CheckLoad, NothingOnALineWithoutPower) {
  const Refusal over{MsgOverload, FocusTarget::Stay};
  EXPECT_EQ(CheckLoad(0.004, 0), over);
  EXPECT_EQ(CheckLoad(0.004, 0.004), over);
  EXPECT_EQ(CheckLoad(1e-300, -0.0), over);
  EXPECT_EQ(CheckLoad(0.001, -1e-9), over);
}

}  // namespace
}  // namespace linecalc

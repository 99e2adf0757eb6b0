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
                             // Loudspeaker count: whole numbers from 1 to 1000.
                             RangeCase{"CountOne", CheckSpeakerCount, 1, std::nullopt},
                             RangeCase{"CountLimit", CheckSpeakerCount, 1000, std::nullopt},
                             RangeCase{"CountAboveLimit", CheckSpeakerCount, 1001, kCount},
                             RangeCase{"CountHalfAboveLimit", CheckSpeakerCount, 1000.5, kCount},
                             RangeCase{"CountFraction", CheckSpeakerCount, 2.6, kCount},
                             RangeCase{"CountHalf", CheckSpeakerCount, 0.5, kCount},
                             RangeCase{"CountZero", CheckSpeakerCount, 0, kCount},
                             RangeCase{"CountNegative", CheckSpeakerCount, -3, kCount}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CheckLoad, ComparesAsShown) {
  const double shown1060_50 = 100 * (15 * 0.707);  // 1060.4999999999998
  EXPECT_EQ(CheckLoad(1060.5, shown1060_50), std::nullopt);
  EXPECT_EQ(CheckLoad(100 * 14.14, 1414.0), std::nullopt);
  EXPECT_EQ(CheckLoad(0.004, 0), std::nullopt);
  const Refusal over{MsgOverload, FocusTarget::Stay};
  EXPECT_EQ(CheckLoad(1060.51, shown1060_50), over);
  EXPECT_EQ(CheckLoad(1414.01, 1414.0), over);
  EXPECT_EQ(CheckLoad(0.5, 0), over);
  EXPECT_EQ(CheckLoad(1, -100), over);
}

}  // namespace
}  // namespace linecalc

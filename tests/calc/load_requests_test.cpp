#include "calc/load_requests.h"

#include <gtest/gtest.h>

#include "calc/refresh.h"
#include "calc/startup.h"

namespace linecalc {
namespace {

// The line as the window opens: 0.75 mm² copper, 1 m, 20 °C, 100 V; Рож 1060.50.
LineState DefaultLine(const char* voltage = "100") {
  LineState state = MakeStartupState(".").state;
  ApplyRefresh(state, ComputeRefresh(state, {"1", "20", voltage, ""}, false, true, ".").value());
  return state;
}

template <typename View>
Refusal RefusalOf(const Outcome<View>& outcome) {
  EXPECT_TRUE(std::holds_alternative<Refusal>(outcome));
  return std::holds_alternative<Refusal>(outcome) ? std::get<Refusal>(outcome) : Refusal{};
}

TEST(AcceptInputPower, ReadsCommaAndChecksRange) {
  EXPECT_EQ(std::get<double>(AcceptInputPower("12,5")), 12.5);
  EXPECT_EQ(std::get<double>(AcceptInputPower("120 Вт")), 120);
  for (const char* text : {"", "Вт", "0", "-10", "5000"}) {
    EXPECT_EQ(RefusalOf(AcceptInputPower(text)).focus, FocusTarget::InputPower) << text;
  }
  EXPECT_TRUE(std::holds_alternative<Fault>(AcceptInputPower("1e400")));
}

TEST(RunUniformLoad, CountsWrittenAsWholeNumbers) {
  // Also with the no-break spaces U+00A0 and U+202F that group digits in Russian texts.
  for (const char* count :
       {"10", "10.0", "1e1", "10,0", " 1 0 ", "1\u00A00", "1\u202F0", "\u00A010\u202F"}) {
    const auto outcome = RunUniformLoad("6", count, DefaultLine(), ".");
    ASSERT_TRUE(std::holds_alternative<UniformLoadView>(outcome)) << count;
    EXPECT_EQ(std::get<UniformLoadView>(outcome).lines.size(), 13u) << count;
  }
}

TEST(RunUniformLoad, RefusalsInOrder) {
  const Refusal power{MsgSpeakerPowerRange, FocusTarget::SpeakerPower};
  const Refusal count{MsgSpeakerCountRange, FocusTarget::SpeakerCount};
  const Refusal whole{MsgSpeakerCountWhole, FocusTarget::SpeakerCount};
  const Refusal over{MsgOverload, FocusTarget::Stay};
  // At 0 V the line shows Рож 0.00; a load of 0.001 W once passed as shown and ended in a fault.
  const struct {
    const char *power, *count;
    Refusal expected;
    const char* voltage = "100";
  } cases[] = {{"0", "0", power},         {"", "10", power},      {"6", "", count},
               {"6", "2.6", whole},       {"6", "0,5", whole},    {"6", "шт", count},
               {"100", "11", over},       {"10.61", "100", over}, {"0.001", "1", over, "0"},
               {"0.001", "1", over, "-1"}};
  for (const auto& c : cases) {
    EXPECT_EQ(RefusalOf(RunUniformLoad(c.power, c.count, DefaultLine(c.voltage), ".")), c.expected)
        << c.power << " x " << c.count << " at " << c.voltage << " V";
  }
}

// Right before the load check, after the count check, a negative line is refused: here the
// temperature bracket 1 + 0.0043 × (−300 + 5) is below zero.
TEST(SolveLoads, NegativeLineRefusedBeforeTheLoadCheck) {
  const Refusal negative{MsgNegativeLineResistance, FocusTarget::Stay};
  LineState line = MakeStartupState(".").state;
  ApplyRefresh(line, ComputeRefresh(line, {"1", "-300", "100", ""}, false, true, ".").value());
  ASSERT_LT(line.RLine, 0);
  EXPECT_EQ(RefusalOf(RunSingleLoad(500, line, ".")), negative);
  EXPECT_EQ(RefusalOf(RunSingleLoad(4999, line, ".")), negative);  // not the overload
  EXPECT_EQ(RefusalOf(RunUniformLoad("6", "10", line, ".")), negative);
  EXPECT_EQ(RefusalOf(RunUniformLoad("100", "100", line, ".")), negative);
  EXPECT_EQ(RefusalOf(RunUniformLoad("6", "0", line, ".")).message, MsgSpeakerCountRange);
  EXPECT_EQ(RefusalOf(RunUniformLoad("0", "10", line, ".")).message, MsgSpeakerPowerRange);
  // A line without resistance delivers everything.
  line.RLine = -0.0;
  EXPECT_EQ(std::get<SingleLoadView>(RunSingleLoad(500, line, ".")).LossPct, "0.00");
  EXPECT_TRUE(std::holds_alternative<UniformLoadView>(RunUniformLoad("6", "10", line, ".")));
}

// Behind 1060.50 and 1414.00 shown as Рож lie 1060.4999999999998 and 1413.9999999999998.
TEST(RunUniformLoad, ExpectedPowerAsShownIsAccepted) {
  EXPECT_TRUE(
      std::holds_alternative<UniformLoadView>(RunUniformLoad("10.605", "100", DefaultLine(), ".")));
  LineState line = MakeStartupState(".").state;
  line.SectionIndex = 5;  // 1.2 mm², 20 A
  ApplyRefresh(line, ComputeRefresh(line, {"1", "20", "100", ""}, false, true, ".").value());
  EXPECT_TRUE(std::holds_alternative<UniformLoadView>(RunUniformLoad("14.14", "100", line, ".")));
  EXPECT_EQ(RefusalOf(RunUniformLoad("14.15", "100", line, ".")).message, MsgOverload);
  // A tiny power is a fault, not infinity.
  EXPECT_TRUE(std::holds_alternative<Fault>(RunUniformLoad("1e-320", "10", DefaultLine(), ".")));
  EXPECT_TRUE(std::holds_alternative<Fault>(RunUniformLoad("1e999", "10", DefaultLine(), ".")));
}

}  // namespace
}  // namespace linecalc

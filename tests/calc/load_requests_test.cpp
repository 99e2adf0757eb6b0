#include "calc/load_requests.h"

#include <gtest/gtest.h>

#include <tuple>

#include "calc/refresh.h"
#include "calc/startup.h"
#include "calc/tables.h"

namespace linecalc {
namespace {

// A 1 m copper line refreshed as the window refreshes it; by default as the window opens:
// 0.75 mm², 20 °C, 100 V, Рож 1060.50. At −300 °C the bracket 1 + 0.0043 × (−300 + 5) is below
// zero, and so is the line's resistance.
LineState Line(const char* voltage = "100", const char* temperature = "20",
               int section = DefaultSectionIndex) {
  LineState state = MakeStartupState(".").state;
  state.SectionIndex = section;
  const auto refresh = ComputeRefresh(state, {"1", temperature, voltage, ""}, false, true, ".");
  ApplyRefresh(state, refresh.value());
  return state;
}

// What a request comes to: its refusal, a fault as the refusal "fault", acceptance as none.
template <typename View>
Refusal Result(const Outcome<View>& outcome) {
  if (const Refusal* refusal = std::get_if<Refusal>(&outcome)) {
    return *refusal;
  }
  return {std::holds_alternative<Fault>(outcome) ? "fault" : ""};
}

// Right before the load check, after the count check, a negative (the cold) line is refused.
TEST(LoadRequests, AcceptedRefusedInOrderOrFaulted) {
  EXPECT_EQ(std::get<double>(AcceptInputPower("12,5")), 12.5);
  EXPECT_EQ(std::get<double>(AcceptInputPower("120 Вт")), 120);
  for (const char* text : {"", "Вт", "0", "-10", "5000"}) {
    EXPECT_EQ(Result(AcceptInputPower(text)).focus, FocusTarget::InputPower) << text;
  }
  EXPECT_EQ(Result(AcceptInputPower("1e400")).message, "fault");
  const LineState open = Line(), at0 = Line("0"), below0 = Line("-1"), cold = Line("100", "-300"),
                  wide = Line("100", "20", 5);  // 1.2 mm², 20 A
  LineState lossless = cold;                    // a line without resistance delivers everything
  lossless.RLine = -0.0;
  const Refusal ok{}, fault{"fault"}, power{MsgSpeakerPowerRange, FocusTarget::SpeakerPower},
      count{MsgSpeakerCountRange, FocusTarget::SpeakerCount},
      whole{MsgSpeakerCountWhole, FocusTarget::SpeakerCount}, over{MsgOverload, FocusTarget::Stay},
      below{MsgNegativeLineResistance, FocusTarget::Stay};
  EXPECT_EQ(Result(RunSingleLoad(500, cold, ".")), below);
  EXPECT_EQ(Result(RunSingleLoad(4999, cold, ".")), below);  // not the overload
  EXPECT_EQ(std::get<SingleLoadView>(RunSingleLoad(500, lossless, ".")).LossPct, "0.00");
  // Counts written as whole numbers, also with the no-break spaces U+00A0 and U+202F that group
  // digits in Russian texts.
  for (const char* text :
       {"10", "10.0", "1e1", "10,0", " 1 0 ", "1\u00A00", "1\u202F0", "\u00A010\u202F"}) {
    EXPECT_EQ(std::get<UniformLoadView>(RunUniformLoad("6", text, open, ".")).lines.size(), 13u);
  }
  // clang-format off
  const std::tuple<const char*, const char*, const LineState*, Refusal> cases[] = {
      // At 0 V the line shows Рож 0.00; a load of 0.001 W once passed as shown, then faulted.
      {"0", "0", &open, power}, {"", "10", &open, power}, {"6", "", &open, count},
      {"6", "2.6", &open, whole}, {"6", "0,5", &open, whole}, {"6", "шт", &open, count},
      {"100", "11", &open, over}, {"10.61", "100", &open, over}, {"0.001", "1", &at0, over},
      {"0.001", "1", &below0, over}, {"6", "10", &cold, below}, {"100", "100", &cold, below},
      {"6", "0", &cold, count}, {"0", "10", &cold, power}, {"6", "10", &lossless, ok},
      // Behind 1060.50 and 1414.00 shown as Рож lie 1060.4999999999998 and 1413.9999999999998.
      {"10.605", "100", &open, ok}, {"14.14", "100", &wide, ok}, {"14.15", "100", &wide, over},
      // A tiny power is a fault, not infinity.
      {"1e-320", "10", &open, fault}, {"1e999", "10", &open, fault}};
  // clang-format on
  for (const auto& [powerText, countText, line, expected] : cases) {
    EXPECT_EQ(Result(RunUniformLoad(powerText, countText, *line, ".")), expected)
        << powerText << " x " << countText;
  }
}

}  // namespace
}  // namespace linecalc

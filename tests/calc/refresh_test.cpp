#include "calc/refresh.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "calc/startup.h"
#include "calc/tables.h"

namespace linecalc {
namespace {

struct Line {
  std::string length = "1";
  std::string temperature = "20";
  std::string voltage = "100";
  std::string r20{};
  bool keep = false;
  bool copper = true;
  int section = DefaultSectionIndex;
  std::string_view separator = ".";
};

// What the reference fields show, "R10 R20 Rл Jмакс Jопт Рож" (R20 "-" where the typed one is
// kept), or the step a fault names.
std::string Shown(const Line& line) {
  LineState state = MakeStartupState(line.separator).state;
  state.SectionIndex = line.section;
  state.Alpha = line.copper ? CopperAlpha : AluminiumAlpha;
  const Checked<RefreshResult> r =
      ComputeRefresh(state, {line.length, line.temperature, line.voltage, line.r20}, line.keep,
                     line.copper, line.separator);
  if (!r) {
    return "fault: " + std::string(r.fault().step);
  }
  const RefreshResult& v = r.value();
  return v.R10Text + " " + v.R20Text.value_or("-") + " " + v.RLineText + " " + v.JMaxText + " " +
         v.JOptText + " " + v.PExpectedText;
}

TEST(Refresh, ReferenceTextsOrFaultAndTheTemperatureGainedOnce) {
  const std::pair<Line, const char*> cases[] = {
      {{.length = "1000"}, "26.00 52.00 53.32 15.00 10.61 1060.50"},
      // Read whole and rounded once; digit by digit it gave 78701990917171900.00.
      {{.length = "&H147B841D998D2083"}, "26.00 52.00 78701990917172000.00 15.00 10.61 1060.50"},
      {{.length = "м"}, "26.00 52.00 0.00 15.00 10.61 1060.50"},
      {{.voltage = "24.5"}, "26.00 52.00 0.05 15.00 10.61 254.52"},
      {{.voltage = "25.5"}, "26.00 52.00 0.05 15.00 10.61 275.73"},
      {{.voltage = ""}, "26.00 52.00 0.05 15.00 10.61 0.00"},
      {{.length = "1000", .copper = false, .section = 10}, "3.06 6.11 6.25 60.00 42.42 4242.00"},
      // The R20 field takes the table's R20 unless kept; a decimal comma read back there as "15"
      // would lose the fraction of every R20.
      {{.length = "1000", .r20 = "60", .section = 7, .separator = ","},
       "7,98 15.96 16,37 30,00 21,21 2121,00"},
      {{.r20 = "60", .keep = true}, "26.00 - 0.06 15.00 10.61 1060.50"},
      {{.keep = true}, "26.00 - 0.00 15.00 10.61 1060.50"},
      {{.voltage = "40000"}, "fault: LineVoltage"},
      {{.voltage = "-32769"}, "fault: LineVoltage"},
      {{.voltage = "1e999"}, "fault: LineVoltage"},
      {{.length = "1e308"}, "fault: RLine: × L"},
      {{.length = "1000", .temperature = "1e308"}, "fault: RLine: × L"},
      {{.r20 = "1e309", .keep = true}, "fault: R20"},
      {{.section = 11}, "fault: section row"}};
  for (const auto& [line, shown] : cases) {
    EXPECT_EQ(Shown(line), shown) << line.length << " m, " << line.voltage << " V, R20 "
                                  << line.r20;
  }
  // Applied twice, the temperature gains its five degrees only once, in the formula's order.
  LineState state = MakeStartupState(".").state;
  for (int i = 0; i < 2; ++i) {
    const auto r = ComputeRefresh(state, {"1000", "-20", "100", ""}, false, true, ".").value();
    ApplyRefresh(state, r);
    EXPECT_EQ(state.TempC, -15);
    EXPECT_EQ(r.RLineText, "45.04");  // 52 × (1 − 0.0043 × 15) / 1.08
  }
}

}  // namespace
}  // namespace linecalc

#include "calc/refresh.h"

#include <gtest/gtest.h>

#include <string>

#include "calc/startup.h"
#include "calc/tables.h"

namespace linecalc {
namespace {

struct Line {
  std::string length = "1";
  std::string temperature = "20";
  std::string voltage = "100";
  std::string r20;
  std::int16_t keep = kFalse;
  bool copper = true;
  int section = DefaultSectionIndex;
  double alpha = CopperAlpha;
};

Checked<RefreshResult> Refresh(const Line& line, std::string_view separator = ".") {
  LineState state = MakeStartupState(separator).state;
  state.SectionIndex = line.section;
  state.Alpha = line.alpha;
  return ComputeRefresh(state, {line.length, line.temperature, line.voltage, line.r20}, line.keep,
                        line.copper, separator);
}

// What the five reference labels show, "R10 Rл Jмакс Jопт Рож", or the step a fault names.
std::string Shown(const Checked<RefreshResult>& r) {
  if (!r) {
    return "fault: " + std::string(r.fault().step);
  }
  const RefreshResult& v = r.value();
  return v.R10Text + " " + v.RLineText + " " + v.JMaxText + " " + v.JOptText + " " +
         v.PExpectedText;
}

struct Case {
  const char* name;
  void (*change)(Line&);
  const char* shown;
};

class RefreshShows : public ::testing::TestWithParam<Case> {};

TEST_P(RefreshShows, ReferenceTextsOrFault) {
  Line line;
  GetParam().change(line);
  EXPECT_EQ(Shown(Refresh(line)), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RefreshShows,
    ::testing::Values(
        Case{"Length1000", [](Line& l) { l.length = "1000"; }, "26.00 53.32 15.00 10.61 1060.50"},
        // Read whole and rounded once; digit by digit it gave 78701990917171900.00.
        Case{"HexLengthPast53Bits", [](Line& l) { l.length = "&H147B841D998D2083"; },
             "26.00 78701990917172000.00 15.00 10.61 1060.50"},
        Case{"LengthWithoutNumber", [](Line& l) { l.length = "м"; },
             "26.00 0.00 15.00 10.61 1060.50"},
        Case{"VoltageHalfDown", [](Line& l) { l.voltage = "24.5"; },
             "26.00 0.05 15.00 10.61 254.52"},
        Case{"VoltageHalfUp", [](Line& l) { l.voltage = "25.5"; }, "26.00 0.05 15.00 10.61 275.73"},
        Case{"VoltageEmpty", [](Line& l) { l.voltage = ""; }, "26.00 0.05 15.00 10.61 0.00"},
        Case{"LastSectionAluminium",
             [](Line& l) {
               l.section = 10, l.copper = false, l.alpha = AluminiumAlpha, l.length = "1000";
             },
             "1.91 3.91 60.00 42.42 4242.00"},
        Case{"TypedR20Kept", [](Line& l) { l.r20 = "60", l.keep = kTrue; },
             "26.00 0.06 15.00 10.61 1060.50"},
        Case{"TypedR20Emptied", [](Line& l) { l.keep = kTrue; }, "26.00 0.00 15.00 10.61 1060.50"},
        Case{"Voltage40000", [](Line& l) { l.voltage = "40000"; }, "fault: LineVoltage"},
        Case{"VoltageBelowRange", [](Line& l) { l.voltage = "-32769"; }, "fault: LineVoltage"},
        Case{"VoltageOverflow", [](Line& l) { l.voltage = "1e999"; }, "fault: LineVoltage"},
        Case{"HugeLength", [](Line& l) { l.length = "1e308"; }, "fault: RLine: × L"},
        Case{"HugeTemperature", [](Line& l) { l.temperature = "1e308", l.length = "1000"; },
             "fault: RLine: × L"},
        Case{"HugeTypedR20", [](Line& l) { l.r20 = "1e309", l.keep = kTrue; }, "fault: R20"},
        Case{"SectionOutsideTable", [](Line& l) { l.section = 11; }, "fault: section row"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Refresh, TemperatureGainsFiveOnlyOnceInFormulaOrder) {
  LineState state = MakeStartupState(".").state;
  for (int i = 0; i < 2; ++i) {
    ApplyRefresh(state,
                 ComputeRefresh(state, {"1000", "-20", "100", ""}, kFalse, true, ".").value());
    EXPECT_EQ(state.TempC, -15);
    EXPECT_EQ(state.RLine, 52 * (CopperAlpha * -15 + 1) / 1.08 * 1000 / 1000);
  }
}

// The R20 field takes the table's R20 unless kept; a decimal comma read back there as "15"
// would lose the fraction of every R20.
TEST(Refresh, R20FieldIsOverwrittenUnlessKept) {
  Line line;
  line.section = 7;
  line.length = "1000";
  line.r20 = "60";
  const RefreshResult r = Refresh(line, ",").value();
  EXPECT_EQ(r.R20Text, "15.96");
  EXPECT_EQ(Shown(r), "7,98 16,37 30,00 21,21 2121,00");
  EXPECT_EQ(r.RLine, 15.96 * (CopperAlpha * 25 + 1) / 1.08 * 1000 / 1000);
  line.keep = kTrue;
  EXPECT_FALSE(Refresh(line).value().R20Text.has_value());
}

}  // namespace
}  // namespace linecalc

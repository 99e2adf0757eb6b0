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

struct ShownCase {
  const char* name;
  Line line;
  const char* r10;
  const char* rLine;
  const char* jMax;
  const char* jOpt;
  const char* pExpected;
};

class RefreshShows : public ::testing::TestWithParam<ShownCase> {};

TEST_P(RefreshShows, ReferenceTexts) {
  const ShownCase& c = GetParam();
  const Checked<RefreshResult> r = Refresh(c.line);
  ASSERT_TRUE(r.ok()) << r.fault().step;
  EXPECT_EQ(r.value().R10Text, c.r10);
  EXPECT_EQ(r.value().RLineText, c.rLine);
  EXPECT_EQ(r.value().JMaxText, c.jMax);
  EXPECT_EQ(r.value().JOptText, c.jOpt);
  EXPECT_EQ(r.value().PExpectedText, c.pExpected);
}

Line With(void (*change)(Line&)) {
  Line line;
  change(line);
  return line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RefreshShows,
    ::testing::Values(ShownCase{"Defaults", Line{}, "26.00", "0.05", "15.00", "10.61", "1060.50"},
                      ShownCase{"Length1000", With([](Line& l) { l.length = "1000"; }), "26.00",
                                "53.32", "15.00", "10.61", "1060.50"},
                      ShownCase{"LengthWithoutNumber", With([](Line& l) { l.length = "м"; }),
                                "26.00", "0.00", "15.00", "10.61", "1060.50"},
                      ShownCase{"VoltageHalfDown", With([](Line& l) { l.voltage = "24.5"; }),
                                "26.00", "0.05", "15.00", "10.61", "254.52"},
                      ShownCase{"VoltageHalfUp", With([](Line& l) { l.voltage = "25.5"; }), "26.00",
                                "0.05", "15.00", "10.61", "275.73"},
                      ShownCase{"VoltageEmpty", With([](Line& l) { l.voltage = ""; }), "26.00",
                                "0.05", "15.00", "10.61", "0.00"},
                      ShownCase{"AluminiumSection25",
                                With([](Line& l) { l.section = 7, l.copper = false; }), "7.98",
                                "0.02", "24.00", "16.97", "1696.80"},
                      ShownCase{"CopperSection25", With([](Line& l) { l.section = 7; }), "7.98",
                                "0.02", "30.00", "21.21", "2121.00"},
                      ShownCase{"FirstSection", With([](Line& l) { l.section = 0; }), "85.00",
                                "0.17", "6.00", "4.24", "424.20"},
                      ShownCase{"LastSectionAluminium", With([](Line& l) {
                                  l.section = 10, l.copper = false, l.alpha = AluminiumAlpha,
                                  l.length = "1000";
                                }),
                                "1.91", "3.91", "60.00", "42.42", "4242.00"},
                      ShownCase{"TypedR20Kept", With([](Line& l) { l.r20 = "60", l.keep = kTrue; }),
                                "26.00", "0.06", "15.00", "10.61", "1060.50"},
                      ShownCase{"TypedR20Emptied", With([](Line& l) { l.keep = kTrue; }), "26.00",
                                "0.00", "15.00", "10.61", "1060.50"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Refresh, LineResistanceInFormulaOrder) {
  Line line;
  line.length = "1000";
  const RefreshResult r = Refresh(line).value();
  EXPECT_EQ(r.TempC, 25);
  EXPECT_EQ(r.RLine, 52 * (CopperAlpha * 25 + 1) / 1.08 * 1000 / 1000);
  EXPECT_NEAR(r.RLine, 53.3240, 1e-4);
}

TEST(Refresh, TemperatureGainsFiveOnlyOnce) {
  Line line;
  line.temperature = "-20";
  LineState state = MakeStartupState(".").state;
  for (int i = 0; i < 2; ++i) {
    const RefreshResult r =
        ComputeRefresh(state, {"1000", "-20", "100", ""}, kFalse, true, ".").value();
    ApplyRefresh(state, r);
    EXPECT_EQ(state.TempC, -15);
    EXPECT_EQ(state.RLine, 52 * (CopperAlpha * -15 + 1) / 1.08 * 1000 / 1000);
  }
}

TEST(Refresh, R20FieldIsOverwrittenUnlessKept) {
  Line line;
  line.r20 = "60";
  EXPECT_EQ(Refresh(line).value().R20Text, "52.00");
  line.keep = kTrue;
  EXPECT_FALSE(Refresh(line).value().R20Text.has_value());
}

// A decimal comma in the R20 field read back as "15" would lose the fraction of every R20.
TEST(Refresh, R20RoundTripsWithDecimalComma) {
  Line line;
  line.section = 7;
  line.length = "1000";
  const RefreshResult r = Refresh(line, ",").value();
  EXPECT_EQ(r.R10Text, "7,98");
  EXPECT_EQ(r.R20Text, "15.96");
  EXPECT_EQ(r.RLineText, "16,37");
  EXPECT_EQ(r.RLine, 15.96 * (CopperAlpha * 25 + 1) / 1.08 * 1000 / 1000);
}

TEST(Refresh, AppliesEveryWrittenField) {
  LineState state = MakeStartupState(".").state;
  const RefreshResult r = ComputeRefresh(state, {"10", "30", "70", ""}, kFalse, false, ".").value();
  ApplyRefresh(state, r);
  EXPECT_EQ(state.LengthM, 10);
  EXPECT_EQ(state.TempC, 35);
  EXPECT_EQ(state.LineVoltage, 70);
  EXPECT_EQ(state.R10, 26);
  EXPECT_EQ(state.JMax, 15);
  EXPECT_EQ(state.JOpt, 15 * 0.707);
  EXPECT_EQ(state.PExpected, 70 * (15 * 0.707));
  EXPECT_EQ(state.RLine, r.RLine);
  EXPECT_EQ(state.SectionIndex, 3);
  EXPECT_EQ(state.R20Edited, kFalse);
}

struct FaultCase {
  const char* name;
  Line line;
  const char* step;
};

class RefreshFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(RefreshFaults, NamesTheStep) {
  const Checked<RefreshResult> r = Refresh(GetParam().line);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.fault().step, GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(
    Extremes, RefreshFaults,
    ::testing::Values(
        FaultCase{"Voltage40000", With([](Line& l) { l.voltage = "40000"; }), "LineVoltage"},
        FaultCase{"VoltageBelowRange", With([](Line& l) { l.voltage = "-32769"; }), "LineVoltage"},
        FaultCase{"VoltageOverflow", With([](Line& l) { l.voltage = "1e999"; }), "LineVoltage"},
        FaultCase{"HugeLength", With([](Line& l) { l.length = "1e308"; }), "RLine: × L"},
        FaultCase{"HugeTemperature",
                  With([](Line& l) { l.temperature = "1e308", l.length = "1000"; }), "RLine: × L"},
        FaultCase{"HugeTypedR20", With([](Line& l) { l.r20 = "1e309", l.keep = kTrue; }), "R20"},
        FaultCase{"SectionOutsideTable", With([](Line& l) { l.section = 11; }), "section row"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace linecalc

#include "calc/smallest_section.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/object/test_lines.h"

namespace linecalc {
namespace {

using testing_support::LineOfResistance;
using testing_support::TableLine;

TEST(ReadLossLimit, BlankIsNoLimit) {
  for (const char* text : {"", " ", "\t\n "}) {
    EXPECT_FALSE(ReadLossLimit(text).has_value()) << text;
  }
  EXPECT_EQ(ReadLossLimit("10"), 10.0);
  EXPECT_EQ(ReadLossLimit("2,5"), 2.5);
  EXPECT_EQ(ReadLossLimit(" 3 %"), 3.0);
  EXPECT_EQ(ReadLossLimit("нет"), 0.0);
}

TEST(IsLossLimit, ANumberFrom0To100) {
  struct Case {
    const char* text;
    bool inFile;   // the number may be followed by other text
    bool inField;  // nothing but blanks may follow it
  };
  const Case cases[] = {{"", true, true},         {"  ", true, true},       {"0", true, true},
                        {"100", true, true},      {" 2,5 ", true, true},    {"5 %", true, false},
                        {"1\u041E", true, false}, {"100.01", false, false}, {"101", false, false},
                        {"-1", false, false},     {"1e400", false, false},  {"abc", false, false},
                        {"нет", false, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(IsLossLimit(c.text, false), c.inFile) << c.text;
    EXPECT_EQ(IsLossLimit(c.text, true), c.inField) << c.text;
  }
}

TEST(WithinLimit, ComparesShownValues) {
  EXPECT_TRUE(WithinLimit(3.004, 3));       // shown 3.00
  EXPECT_FALSE(WithinLimit(3.005, 3));      // shown 3.01
  EXPECT_TRUE(WithinLimit(3.005, 3.0051));  // both shown 3.01
  EXPECT_TRUE(WithinLimit(0, 0));
}

TEST(AssessLine, Verdicts) {
  struct Case {
    const char* name;
    LineInputs in;
    double limit;
    Verdict verdict;
    std::optional<int> smallest;
  };
  // clang-format off
  const Case cases[] = {
      // Loss 3.88 % on Rл 2.00; the typed R20 is dropped when sections are tried.
      // No table section is as thin as 2.16 Ohm/km, the typed R20, over 1000 m.
      {"AtTheLimit", LineOfResistance("2.16", LoadKind::Single, "100"), 3.88, Verdict::Within, std::nullopt},
      {"JustAbove", LineOfResistance("2.16", LoadKind::Single, "100"), 3.87, Verdict::Exceeded, std::nullopt},
      {"FirstSectionMeetsIt", TableLine(Material::Copper, 6, "1", LoadKind::Uniform, "6", "10"), 10, Verdict::Within, 0},
      {"NoSectionMeetsIt", TableLine(Material::Copper, 10, "10000", LoadKind::Single, "100"), 1, Verdict::Exceeded, std::nullopt},
      {"RefusedForItsLoad", TableLine(Material::Copper, 0, "1", LoadKind::Single, "3000"), 10, Verdict::Refused, 9},
      {"AluminiumCarriesLess", TableLine(Material::Aluminium, 0, "1", LoadKind::Single, "3000"), 10, Verdict::Refused, 10},
      {"RefusedCount", TableLine(Material::Copper, 4, "10", LoadKind::Uniform, "6", "2.5"), 10, Verdict::Refused, std::nullopt},
  };
  // clang-format on
  for (const Case& c : cases) {
    const LineAssessment a = AssessLine(c.in, c.limit, ".");
    EXPECT_EQ(a.verdict, c.verdict) << c.name;
    EXPECT_EQ(a.smallestSection, c.smallest) << c.name;
    EXPECT_EQ(a.calculation.inputs, c.in) << c.name;
  }
}

// Along a long line the smallest section is the first whose loss is within the limit: the
// section before it is not.
TEST(AssessLine, SmallestIsFirstWithin) {
  const LineInputs in = TableLine(Material::Copper, 0, "2000", LoadKind::Uniform, "6", "10");
  const std::pair<double, int> cases[] = {{5, 10}, {10, 8}, {20, 7}, {40, 4}};
  for (const auto& [limit, expected] : cases) {
    const LineAssessment a = AssessLine(in, limit, ".");
    ASSERT_EQ(a.smallestSection, expected) << limit;
    const int row = *a.smallestSection;
    LineInputs trial = in;
    trial.sectionIndex = row;
    EXPECT_TRUE(WithinLimit(CalculateLine(trial, ".").lossPct, limit)) << limit;
    if (row > 0) {
      trial.sectionIndex = row - 1;
      EXPECT_FALSE(WithinLimit(CalculateLine(trial, ".").lossPct, limit)) << limit;
    }
  }
}

// With a thinnest section allowed, the search starts there even where a thinner one would do.
TEST(AssessLine, SearchStartsAtTheMinimum) {
  const LineInputs in = TableLine(Material::Copper, 0, "2000", LoadKind::Uniform, "6", "10");
  const std::tuple<double, int, int> cases[] = {{40, 0, 4}, {40, 6, 6}, {40, 3, 4}, {5, 9, 10}};
  for (const auto& [limit, first, expected] : cases) {
    EXPECT_EQ(AssessLine(in, limit, ".", first).smallestSection, expected) << limit << " " << first;
  }
}

}  // namespace
}  // namespace linecalc

#include "calc/smallest_section.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "tests/object/test_lines.h"

namespace linecalc {
namespace {

using testing_support::LineOfResistance;
using testing_support::TableLine;

// A blank limit is none; a number may be followed by other text in a file, not where it is typed.
TEST(ReadLossLimit, ANumberFrom0To100) {
  const double huge = std::numeric_limits<double>::max();
  // clang-format off
  const std::tuple<const char*, std::optional<double>, bool, bool> cases[] = {
      {"", {}, true, true}, {"  ", {}, true, true}, {"\t\n ", {}, true, true}, {"0", 0, true, true},
      {"100", 100, true, true}, {" 2,5 ", 2.5, true, true}, {" 3 %", 3, true, false},
      {"1\u041E", 1, true, false}, {"100.01", 100.01, false, false}, {"101", 101, false, false},
      {"-1", -1, false, false}, {"1e400", huge, false, false}, {"abc", 0, false, false},
      {"нет", 0, false, false}};
  // clang-format on
  for (const auto& [text, read, inFile, inField] : cases) {
    EXPECT_EQ(ReadLossLimit(text), read) << text;
    EXPECT_EQ(IsLossLimit(text, false), inFile) << text;
    EXPECT_EQ(IsLossLimit(text, true), inField) << text;
  }
}

TEST(WithinLimit, ComparesShownValues) {
  EXPECT_TRUE(WithinLimit(3.004, 3));       // shown 3.00
  EXPECT_FALSE(WithinLimit(3.005, 3));      // shown 3.01
  EXPECT_TRUE(WithinLimit(3.005, 3.0051));  // both shown 3.01
  EXPECT_TRUE(WithinLimit(0, 0));
}

TEST(AssessLine, Verdicts) {
  using enum Verdict;
  const LineInputs twoOhms = LineOfResistance("2.16", LoadKind::Single, "100");
  // clang-format off
  const std::tuple<LineInputs, double, Verdict, std::optional<int>> cases[] = {
      // Loss 3.88 % on Rл 2.00; the typed R20 is dropped when sections are tried.
      // No table section is as thin as 2.16 Ohm/km, the typed R20, over 1000 m.
      {twoOhms, 3.88, Within, {}},
      {twoOhms, 3.87, Exceeded, {}},
      {TableLine(Material::Copper, 6, "1", LoadKind::Uniform, "6", "10"), 10, Within, 0},
      {TableLine(Material::Copper, 10, "10000", LoadKind::Single, "100"), 1, Exceeded, {}},
      // Refused for its load: the section that carries it; aluminium carries less.
      {TableLine(Material::Copper, 0, "1", LoadKind::Single, "3000"), 10, Refused, 9},
      {TableLine(Material::Aluminium, 0, "1", LoadKind::Single, "3000"), 10, Refused, 10},
      {TableLine(Material::Copper, 4, "10", LoadKind::Uniform, "6", "2.5"), 10, Refused, {}},
  };
  // clang-format on
  for (const auto& [in, limit, verdict, smallest] : cases) {
    const LineAssessment a = AssessLine(in, limit, ".");
    EXPECT_EQ(a.verdict, verdict) << limit;
    EXPECT_EQ(a.smallestSection, smallest) << limit;
    EXPECT_EQ(a.calculation.inputs, in) << limit;
  }
}

// Along a long line the smallest section is the first, from the thinnest allowed on, whose loss is
// within the limit: the section before it is not. With a thinnest section allowed, the search
// starts there even where a thinner one would do.
TEST(AssessLine, SmallestIsFirstWithin) {
  const LineInputs in = TableLine(Material::Copper, 0, "2000", LoadKind::Uniform, "6", "10");
  // clang-format off
  const std::tuple<double, int, int> cases[] = {
      {5, 0, 10}, {10, 0, 8}, {20, 0, 7}, {40, 0, 4}, {40, 6, 6}, {40, 3, 4}, {5, 9, 10}};
  // clang-format on
  for (const auto& [limit, first, expected] : cases) {
    ASSERT_EQ(AssessLine(in, limit, ".", first).smallestSection, expected) << limit << " " << first;
    LineInputs trial = in;
    trial.sectionIndex = expected;
    EXPECT_TRUE(WithinLimit(CalculateLine(trial, ".").lossPct, limit)) << limit;
    trial.sectionIndex = expected - 1;
    EXPECT_TRUE(expected == first || !WithinLimit(CalculateLine(trial, ".").lossPct, limit));
  }
}

}  // namespace
}  // namespace linecalc

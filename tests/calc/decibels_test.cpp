#include "calc/decibels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "calc/line_calculation.h"
#include "calc/number_format.h"

namespace linecalc {
namespace {

struct Reference {
  double r;
  double tenLog10;
};

const Reference kReferences[] = {
#include "tests/calc/decibels_reference.inc"
};

std::string Hex(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%a", x);
  return text;
}

// Every reference value lies farther than 4·10^-5 of a unit in the last place from a halfway
// point between two doubles, and TenLog10 is within 2^-100 of 10 · lg r relative, so every
// result must be the correctly rounded value, to the last bit.
TEST(TenLog10, CorrectlyRounded) {
  int wrong = 0;
  for (const Reference& ref : kReferences) {
    const double got = TenLog10(ref.r);
    if (got != ref.tenLog10 && ++wrong <= 10) {
      ADD_FAILURE() << "r = " << Hex(ref.r) << ": " << Hex(got) << ", expected "
                    << Hex(ref.tenLog10);
    }
  }
  EXPECT_EQ(wrong, 0) << "of " << std::size(kReferences);
}

TEST(TenLog10, PowersOfTenExactAndOutsideTheDomain) {
  double r = 1;
  for (int k = 0; k <= 22; ++k, r *= 10) {
    EXPECT_EQ(TenLog10(r), 10.0 * k) << "10^" << k;
  }
  EXPECT_FALSE(std::signbit(TenLog10(1.0)));
  // Outside the domain.
  constexpr double kInf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(TenLog10(0.0), -kInf);
  EXPECT_EQ(TenLog10(kInf), kInf);
  EXPECT_TRUE(std::isnan(TenLog10(-1.0)));
  EXPECT_TRUE(std::isnan(TenLog10(-kInf)));
  EXPECT_TRUE(std::isnan(TenLog10(std::numeric_limits<double>::quiet_NaN())));
}

struct LossCase {
  double requested;
  double delivered;
  const char* shown;  // "" when the loss is absent
};

TEST(LossDecibels, ShownAsTheWindowShows) {
  const std::vector<LossCase> cases = {
      {100, 96.12, "0,17"},   {100, 50, "3,01"},     {10, 1, "10,00"},      {5, 5, "0,00"},
      {2500, 1867.3, "1,27"}, {100, 0.001, "50,00"}, {96.12, 100, "-0,17"}, {0, 50, ""},
      {100, 0, ""},           {100, -3, ""},         {-100, -50, "3,01"},
  };
  for (const LossCase& c : cases) {
    const std::optional<double> loss = LossDecibels(c.requested, c.delivered);
    const std::string shown = loss ? FormatNumber(*loss, ",") : "";
    EXPECT_EQ(shown, c.shown) << c.requested << " / " << c.delivered;
  }
}

}  // namespace
}  // namespace linecalc

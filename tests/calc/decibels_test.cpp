#include "calc/decibels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>

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

// Every reference value lies farther than 4·10^-5 of a unit in the last place from a halfway
// point between two doubles, and TenLog10 is within 2^-100 of 10 · lg r relative, so every
// result must be the correctly rounded value, to the last bit.
TEST(TenLog10, CorrectlyRoundedPowersOfTenExact) {
  int wrong = 0;
  for (const Reference& ref : kReferences) {
    const double got = TenLog10(ref.r);
    if (got != ref.tenLog10 && ++wrong <= 10) {
      ADD_FAILURE() << std::hexfloat << "r = " << ref.r << ": " << got << ", expected "
                    << ref.tenLog10;
    }
  }
  EXPECT_EQ(wrong, 0) << "of " << std::size(kReferences);
  // Powers of ten exactly, and outside the domain.
  double r = 1;
  for (int k = 0; k <= 22; ++k, r *= 10) {
    EXPECT_EQ(TenLog10(r), 10.0 * k) << "10^" << k;
  }
  EXPECT_FALSE(std::signbit(TenLog10(1.0)));
  constexpr double kInf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(TenLog10(0.0), -kInf);
  EXPECT_EQ(TenLog10(kInf), kInf);
  EXPECT_TRUE(std::isnan(TenLog10(-1.0)));
  EXPECT_TRUE(std::isnan(TenLog10(-kInf)));
  EXPECT_TRUE(std::isnan(TenLog10(std::numeric_limits<double>::quiet_NaN())));
}

// Shown as the window shows it; absent ("") without a loss to show.
TEST(LossDecibels, ShownAsTheWindowShows) {
  const std::tuple<double, double, const char*> cases[] = {
      {100, 96.12, "0,17"},   {100, 50, "3,01"},     {10, 1, "10,00"},      {5, 5, "0,00"},
      {2500, 1867.3, "1,27"}, {100, 0.001, "50,00"}, {96.12, 100, "-0,17"}, {0, 50, ""},
      {100, 0, ""},           {100, -3, ""},         {-100, -50, "3,01"}};
  for (const auto& [requested, delivered, shown] : cases) {
    const std::optional<double> loss = LossDecibels(requested, delivered);
    EXPECT_EQ(loss ? FormatNumber(*loss, ",") : "", shown) << requested << " / " << delivered;
  }
}

}  // namespace
}  // namespace linecalc

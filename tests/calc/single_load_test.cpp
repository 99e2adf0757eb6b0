#include "calc/single_load.h"

#include <gtest/gtest.h>

#include "calc/number_format.h"

namespace linecalc {
namespace {

std::string Shown(double value) {
  return FormatNumber(value, ".");
}

TEST(CalculateSingleLoad, WorkedExample) {
  const SingleLoadResult r = CalculateSingleLoad(100, 2, 100).value();
  EXPECT_EQ(Shown(r.ZLoad), "100.00");
  EXPECT_EQ(Shown(r.URes), "98.04");
  EXPECT_EQ(Shown(r.PRes), "96.12");
  EXPECT_EQ(Shown(r.LossPct), "3.88");
  EXPECT_NEAR(r.ILoad, 0.980392, 1e-6);
}

TEST(CalculateSingleLoad, LossesStayBetweenNoneAndAll) {
  for (double rLine : {0.01, 1.0, 50.0, 5000.0}) {
    for (double pIn : {0.5, 100.0, 4999.99}) {
      const SingleLoadResult r = CalculateSingleLoad(70, rLine, pIn).value();
      EXPECT_GT(r.LossPct, 0) << rLine << " " << pIn;
      EXPECT_LT(r.LossPct, 100) << rLine << " " << pIn;
    }
  }
}

TEST(CalculateSingleLoad, ExtremesAreFaultsNamingTheirStep) {
  const Checked<SingleLoadResult> tiny = CalculateSingleLoad(100, 2, 1e-320);
  ASSERT_FALSE(tiny.ok());
  EXPECT_EQ(tiny.fault().step, "ZLoad");
  // A negative line resistance (an extreme typed temperature) can cancel the load.
  const Checked<SingleLoadResult> cancelled = CalculateSingleLoad(100, -100, 100);
  ASSERT_FALSE(cancelled.ok());
  EXPECT_EQ(cancelled.fault().step, "ILoad");
}

}  // namespace
}  // namespace linecalc

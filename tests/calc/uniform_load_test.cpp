#include "calc/uniform_load.h"

#include <gtest/gtest.h>

#include "calc/number_format.h"

namespace linecalc {
namespace {

TEST(CalculateUniformLoad, WorkedExampleUnrounded) {
  const UniformLoadResult r = CalculateUniformLoad(100, 4, 10, 2).value();
  ASSERT_EQ(r.Rows.size(), 2u);
  EXPECT_NEAR(r.Rows[0].SegmentDrop, 0.398406, 1e-6);
  EXPECT_NEAR(r.EndVoltage, 99.401197, 1e-6);
  EXPECT_NEAR(r.DeliveredPower, 19.801075, 1e-6);
  EXPECT_NEAR(r.CascadeVoltage, 99.000006, 1e-6);
}

TEST(CalculateUniformLoad, LossAndCascadeAsShown) {
  struct Case {
    double rLine, power, count;
    const char* loss;
    const char* cascade;
  };
  for (const Case& c : {Case{4, 10, 2, "0.99", "99.00"}, Case{20, 100, 1, "30.56", "64.70"},
                        Case{0, 10, 2, "0.00", "100.00"}}) {
    const UniformLoadResult r = CalculateUniformLoad(100, c.rLine, c.power, c.count).value();
    EXPECT_EQ(FormatNumber(r.UniformLossPct, "."), c.loss) << c.rLine;
    EXPECT_EQ(FormatNumber(r.CascadeVoltage, "."), c.cascade) << c.rLine;
  }
}

TEST(CalculateUniformLoad, ExtremesAreFaultsNamingTheirStep) {
  struct Case {
    std::int16_t u;
    double rLine, power, count;
    const char* step;
  };
  for (const Case& c : {Case{100, 4, 1e-320, 2, "SpeakerImpedance"},
                        Case{100, 1e308, 10, 1e-10, "SegmentResistance"},
                        Case{100, 4, 10, 40000, "RowCount"}, Case{0, 4, 10, 2, "NodePower"}}) {
    const Checked<UniformLoadResult> r = CalculateUniformLoad(c.u, c.rLine, c.power, c.count);
    ASSERT_FALSE(r.ok()) << c.step;
    EXPECT_EQ(r.fault().step, c.step);
  }
}

}  // namespace
}  // namespace linecalc

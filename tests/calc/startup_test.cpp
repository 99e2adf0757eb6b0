#include "calc/startup.h"

#include <gtest/gtest.h>

#include "calc/tables.h"

namespace linecalc {
namespace {

// The reference labels take the given separator; the R20 field always takes ".".
TEST(MakeStartupState, DefaultsAndFirstTexts) {
  const StartupState start = MakeStartupState(",");
  const LineState& s = start.state;
  EXPECT_EQ(SectionList[static_cast<int>(s.SectionIndex)], std::string("0.75"));
  EXPECT_EQ(s.R10, 26);
  EXPECT_EQ(s.TempC, 20);
  EXPECT_EQ(s.LineVoltage, 100);
  EXPECT_EQ(start.R10Text, "26,00");
  EXPECT_EQ(start.R20Text, "52.00");
}

}  // namespace
}  // namespace linecalc

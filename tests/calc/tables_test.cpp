#include "calc/tables.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "calc/startup.h"

namespace linecalc {
namespace {

TEST(LengthList, StepsChangeAtOneThousand) {
  const std::vector<std::string>& list = LengthList();
  ASSERT_EQ(list.size(), 191u);
  EXPECT_EQ(list.front(), "1");
  EXPECT_EQ(list[1], "10");
  EXPECT_EQ(list.back(), "10000");
  const auto at1000 = std::find(list.begin(), list.end(), "1000");
  ASSERT_NE(at1000, list.end());
  EXPECT_EQ(*(at1000 - 1), "990");
  EXPECT_EQ(*(at1000 + 1), "1100");
}

TEST(SectionTable, MaterialsShareCurrentsUpToOneAndAHalf) {
  for (int row = 0; row < kSectionCount; ++row) {
    const bool same = JMaxCopperTable[row] == JMaxAluminiumTable[row];
    EXPECT_EQ(same, row <= 6) << SectionList[row];
    EXPECT_GE(JMaxCopperTable[row], JMaxAluminiumTable[row]) << SectionList[row];
  }
}

TEST(StartupState, DefaultsAndFirstTexts) {
  const StartupState start = MakeStartupState(",");
  const LineState& s = start.state;
  EXPECT_EQ(SectionList[static_cast<int>(s.SectionIndex)], DefaultSectionText);
  EXPECT_EQ(s.R10Table, R10Table);
  EXPECT_EQ(s.JMaxAluminiumTable, JMaxAluminiumTable);
  EXPECT_EQ(s.R10, 26);
  EXPECT_EQ(s.TempC, 20);
  EXPECT_EQ(s.LineVoltage, 100);
  EXPECT_EQ(s.R20Edited, kFalse);
  EXPECT_EQ(start.R10Text, "26,00");
  EXPECT_EQ(start.R20Text, "52.00");  // the R20 field always takes "."
}

}  // namespace
}  // namespace linecalc

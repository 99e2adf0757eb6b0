#include "calc/report.h"

#include <gtest/gtest.h>

namespace linecalc {
namespace {

using Lines = std::vector<std::string>;

Lines Report(std::int16_t u, double rLine, double power, double count, const char* sep = ".") {
  return FormatReportLines(CalculateUniformLoad(u, rLine, power, count).value(), sep);
}

const std::string kSep(47, '=');

TEST(FormatReportLines, WorkedExamples) {
  EXPECT_EQ(ReportSeparator, kSep);
  EXPECT_EQ(Report(100, 4, 10, 2),
            (Lines{"1\t0.40\t9.92", "2\t0.20\t9.88", kSep, "На проводах\t0.60\t0.20",
                   "Остается\tU=99.40\tP=19.80"}));
  EXPECT_EQ(Report(100, 20, 100, 1), (Lines{"1\t16.67\t69.44", kSep, "На проводах\t16.67\t30.56",
                                            "Остается\tU=83.33\tP=69.44"}));
  EXPECT_EQ(Report(100, 0, 10, 2),
            (Lines{"1\t0.00\t10.00", "2\t0.00\t10.00", kSep, "На проводах\t0.00\t0.00",
                   "Остается\tU=100.00\tP=20.00"}));
  EXPECT_EQ(Report(100, 4, 10, 2, ","),
            (Lines{"1\t0,40\t9,92", "2\t0,20\t9,88", kSep, "На проводах\t0,60\t0,20",
                   "Остается\tU=99,40\tP=19,80"}));
}

TEST(FormatReportLines, ThousandLoudspeakers) {
  const Lines lines = Report(100, 1, 1, 1000);
  ASSERT_EQ(lines.size(), 1003u);
  EXPECT_EQ(lines[999].substr(0, 5), "1000\t");
  EXPECT_EQ(lines[1000], kSep);
}

}  // namespace
}  // namespace linecalc

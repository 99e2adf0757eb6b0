#include "calc/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/shown_on_paper.h"

namespace linecalc {
namespace {

void ExpectRead(std::initializer_list<std::pair<const char*, double>> cases) {
  for (const auto& [text, expected] : cases) {
    const Checked<double> value = ReadNumber(text);
    ASSERT_TRUE(value.ok()) << text;
    EXPECT_EQ(value.value(), expected) << '"' << text << '"';
    EXPECT_FALSE(std::signbit(value.value()) && value.value() == 0) << "negative zero: " << text;
  }
}

// clang-format off
TEST(ReadNumber, LongestLeadingNumber) {
  ExpectRead({
      // No leading number at all.
      {"", 0}, {"abc", 0}, {".", 0}, {"-", 0}, {"+", 0}, {"--5", 0}, {"\r12", 0}, {"-0", 0},
      {"１２", 0}, {"е5", 0},
      // Plain numbers and what may follow them.
      {"12", 12}, {"120abc", 120}, {"+7", 7}, {"-10", -10}, {".5", 0.5}, {"-.5", -0.5}, {"5.", 5},
      {"0.75", 0.75},
      // Blanks, tabs and line feeds anywhere are ignored.
      {"  1 2 3 ", 123}, {"1\t2\n3", 123}, {"- 5", -5}, {"1 . 5", 1.5}, {"1 e 2", 100},
      // A comma is a decimal separator too, but only one separator counts.
      {"12,5", 12.5}, {"1,2,3", 1.2}, {"1.5,2", 1.5}, {"1..5", 1}, {",5", 0.5},
      // Exponents.
      {"1e3", 1000}, {"1E-2", 0.01}, {"2.5e1x", 25}, {"1e", 1}, {"1e+", 1}, {"1e-", 1},
      {"1ee2", 1}, {"1d2", 1}, {"1e-400", 0}, {"-1e-400", 0}, {"1e-99999999999999999999", 0},
      {"4.9e-324", 4.9e-324},
      // Hexadecimal and octal whole numbers, never negative.
      {"&HFF", 255}, {"&hff", 255}, {"&HFFFF", 65535}, {"&H 1 0", 16}, {"&HFFx", 255},
      {"&O17", 15}, {"&o778", 63}, {"&H", 0}, {"&", 0}, {"&HG", 0}, {"&X1", 0}, {"-&H10", 0}});
}

// Russian texts group thousands with U+00A0 or U+202F; both are ignored as blanks are, and no
// other space is.
TEST(ReadNumber, NoBreakSpaces) {
  ExpectRead({
      {"1\u00A0000", 1000}, {"1\u202F000", 1000}, {"1\u202F000\u202F000,5", 1000000.5},
      {"\u00A0-\u202F5", -5}, {"1\u00A0 \u00A0000", 1000}, {"1\xC2 \xA0" "000", 1000},
      {"&H1\u00A0000", 4096}, {"1\u2009000", 1}, {"1\u00A1000", 1}, {"1\xC2", 1},
      {"1\xE2\x80" "5", 1}, {"\u00A0", 0}});
}

// Past 53 bits a radix number is read whole, then rounded once to the nearest double, a tie to
// the even one; adding digit by digit in floating point rounded at every step.
TEST(ReadNumber, ExactRadix) {
  ExpectRead({
      {"&H147B841D998D2083", 1475918565559050496.0},
      {"&O121734101663143220203", 1475918565559050496.0},
      {"&H000000000000000147B841D998D2083", 1475918565559050496.0},
      {"&H20000000000001", 9007199254740992.0}, {"&H20000000000003", 9007199254740996.0},
      {"&O400000000000000001", 9007199254740992.0},
      {"&HFFFFFFFFFFFFFFFF", 18446744073709551616.0},
      {"&O1777777777777777777777", 18446744073709551616.0},
      // A set bit far below the first 64 breaks the tie upwards.
      {"&H10000000000000800000000000000001", 0x1.0000000000001p+124},
      {"&H10000000000000800000000000000000", 0x1p+124}});
}
// clang-format on

TEST(ReadNumberOverflow, PastTheRangeIsAFaultBelowItZero) {
  for (const std::string& text :
       {std::string("1e400"), std::string("-1e309"), std::string("1e99999999999999999999"),
        "&H" + std::string(300, 'F'), "1" + std::string(400, '0')}) {
    EXPECT_FALSE(ReadNumber(text).ok()) << text.substr(0, 20);
  }
  EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1").value(), 0);
  EXPECT_EQ(ReadNumber("1.7976931348623157e308").value(), std::numeric_limits<double>::max());
  // The largest double in hexadecimal, a number just below it, and the tie above it.
  const std::string zeros(242, '0');
  EXPECT_EQ(ReadNumber("&HFFFFFFFFFFFFF8" + zeros).value(), std::numeric_limits<double>::max());
  EXPECT_EQ(ReadNumber("&HFFFFFFFFFFFFF7" + std::string(242, 'F')).value(),
            std::numeric_limits<double>::max());
  EXPECT_FALSE(ReadNumber("&HFFFFFFFFFFFFFC" + zeros).ok());
  EXPECT_FALSE(ReadNumber("&H1" + std::string(256, '0')).ok());
}

// 15 × 0.707 and 1.005 lie just below the half in binary; their decimal forms are the half.
// Values that round to zero never show a sign; past 15 significant digits the places are zeros.
TEST(FormatNumber, TwoDecimalsRoundedAsWritten) {
  // clang-format off
  const std::pair<double, const char*> cases[] = {
      {26, "26.00"}, {0.0533, "0.05"}, {-1.5, "-1.50"}, {15 * 0.707, "10.61"},
      {100 * (15 * 0.707), "1060.50"}, {1.005, "1.01"}, {999.995, "1000.00"}, {-1.005, "-1.01"},
      {0.005, "0.01"}, {0.0049999, "0.00"}, {1e-300, "0.00"}, {-0.0, "0.00"}, {-0.001, "0.00"},
      {-0.0049, "0.00"}, {-0.005, "-0.01"}, {1e20, "100000000000000000000.00"},
      {1234567890123456789.0, "1234567890123460000.00"}, {9999999999999.99, "9999999999999.99"},
      {99999999999999.99, "100000000000000.00"}};
  // clang-format on
  for (const auto& [value, shown] : cases) {
    EXPECT_EQ(FormatNumber(value, "."), shown) << "value " << value;
  }
}

TEST(FormatNumberAgreement, MatchesExactDecimalRounding) {
  std::mt19937_64 random(20261207);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-8, 18);
  std::vector<double> values;
  for (int i = 0; i < 200000; ++i) {
    values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
  }
  // Halves at the third decimal and at the fifteenth digit, and their neighbours.
  for (int cents = 0; cents < 100000; cents += 7) {
    const double half = cents / 100.0 + 0.005;
    for (double v : {half, std::nextafter(half, 0.0), std::nextafter(half, 1e9)}) {
      values.push_back(v);
      values.push_back(-v);
    }
  }
  for (double v : {1.0e-5, 9.999999999999999e13, 1e14, 99999999999999.5, 0.00999999999999999}) {
    values.push_back(v);
  }
  int mismatches = 0;
  for (double v : values) {
    const std::string expected = testing_support::ShownOnPaper(v);
    if (FormatNumber(v, ".") != expected && ++mismatches <= 5) {
      ADD_FAILURE() << std::hexfloat << v << std::defaultfloat << ": " << FormatNumber(v, ".")
                    << " instead of " << expected;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(FormatNumberSeparator, UsesTheGivenSeparator) {
  EXPECT_EQ(FormatNumber(26, ","), "26,00");
  EXPECT_EQ(FormatNumber(-0.5, "٫"), "-0٫50");
  std::string out = "P=";
  AppendNumber(out, 19.801075, ",");
  EXPECT_EQ(out, "P=19,80");
}

// Shown to 15 digits the largest doubles lie past the range; they once came back as 0, which
// would have made a load check refuse everything against them.
TEST(RoundAsDisplayed, IsTheShownValueEvenAtTheEndOfTheRange) {
  constexpr double kMax = std::numeric_limits<double>::max();
  EXPECT_EQ(FormatNumber(kMax, ".").substr(0, 16), "1797693134862320");
  EXPECT_EQ(FormatNumber(kMax, ".").size(), 309u + 3u);
  EXPECT_EQ(RoundAsDisplayed(100 * (15 * 0.707)), 1060.5);
  EXPECT_EQ(RoundAsDisplayed(-0.001), 0.0);
  EXPECT_EQ(RoundAsDisplayed(kMax), kMax);
  EXPECT_EQ(RoundAsDisplayed(-kMax), -kMax);
  EXPECT_EQ(RoundAsDisplayed(std::nextafter(kMax, 0.0)), kMax);
  EXPECT_EQ(RoundAsDisplayed(1.79769313486231e308), 1.79769313486231e308);
}

TEST(RoundToInt16, HalfToEvenOrAFaultNamingItsStep) {
  const std::pair<double, int> cases[] = {
      {24.5, 24},       {25.5, 26},       {2.5, 2},          {3.5, 4},    {-2.5, -2},
      {-3.5, -4},       {0.5, 0},         {0.49, 0},         {99.6, 100}, {-0.4, 0},
      {32767.4, 32767}, {-32768, -32768}, {-32768.5, -32768}};
  for (const auto& [value, rounded] : cases) {
    const Checked<std::int16_t> r = RoundToInt16(value, "test");
    ASSERT_TRUE(r.ok()) << value;
    EXPECT_EQ(r.value(), rounded) << value;
  }
  for (double value : {32767.5, 32768.0, -32768.6, 40000.0, 1e300,
                       std::numeric_limits<double>::infinity(), std::nan("")}) {
    const Checked<std::int16_t> r = RoundToInt16(value, "LineVoltage");
    ASSERT_FALSE(r.ok()) << value;
    EXPECT_EQ(r.fault().step, "LineVoltage");
  }
}

// What a field is given for a value read elsewhere: the fewest characters that read back as
// exactly that value, digits and "." only where a field keeps nothing else.
TEST(ShortestDecimal, ReadsBackAsTheSameValue) {
  struct Case {
    double value;
    Notation notation;
    const char* text;
  };
  const Case cases[] = {{16.2, Notation::Any, "16.2"},
                        {20, Notation::Any, "20"},
                        {-1, Notation::Any, "-1"},
                        {0.1 + 0.2, Notation::Any, "0.30000000000000004"},
                        {1e300, Notation::Any, "1e+300"},
                        {1e-7, Notation::Any, "1e-07"},
                        {1e-7, Notation::Plain, "0.0000001"},
                        {1e21, Notation::Plain, "1000000000000000000000"},
                        {0, Notation::Plain, "0"}};
  for (const Case& c : cases) {
    EXPECT_EQ(ShortestDecimal(c.value, c.notation), c.text);
    EXPECT_EQ(ReadNumber(c.text).value(), c.value) << c.text;
  }
}

// Where a text is kept as typed, it must be a number, and there a whole one.
TEST(HasNumber, LeadingOrWhole) {
  struct Case {
    const char* text;
    bool leading;
    bool whole;
  };
  const Case cases[] = {{"5", true, true},        {" 7,5 ", true, true}, {"5.", true, true},
                        {"1e3", true, true},      {"&HFF", true, true},  {"1 0", true, true},
                        {"1\u041E", true, false}, {"5 %", true, false},  {"1e", true, false},
                        {"12abc", true, false},   {"abc", false, false}, {"", false, false},
                        {"-", false, false},      {".", false, false},   {"&H", false, false},
                        {"&O9", false, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(HasNumber(c.text, false), c.leading) << c.text;
    EXPECT_EQ(HasNumber(c.text, true), c.whole) << c.text;
  }
}

}  // namespace
}  // namespace linecalc

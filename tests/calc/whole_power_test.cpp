#include "calc/whole_power.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace linecalc {
namespace {

// A non-negative whole number in base 2^32, least significant limb first, never with a zero
// limb on top: just enough exact arithmetic to carry a power along and round it once.
using Natural = std::vector<std::uint32_t>;

Natural Product(const Natural& a, const Natural& b) {
  Natural r(a.size() + b.size() + 1, 0);
  for (size_t i = 0; i < a.size(); ++i) {
    std::uint64_t carry = 0;
    for (size_t j = 0; j < b.size() || carry != 0; ++j) {
      const std::uint64_t t = r[i + j] + std::uint64_t{a[i]} * (j < b.size() ? b[j] : 0) + carry;
      r[i + j] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
  }
  while (!r.empty() && r.back() == 0) {
    r.pop_back();
  }
  return r;
}

int Bit(const Natural& n, long i) {
  return i < 0 || i >= static_cast<long>(n.size()) * 32 ? 0 : (n[i / 32] >> (i % 32)) & 1;
}

// significand × 2^exponent rounded once to the nearest double, ties to even, by its bits: the
// top 53 (fewer among the subnormals), the one below them and whether any lower one is set.
double Rounded(const Natural& significand, long exponent) {
  const long length = significand.empty() ? 0
                                          : 32 * static_cast<long>(significand.size()) -
                                                std::countl_zero(significand.back());
  const long low = std::max(length - 53, -1074 - exponent);
  std::uint64_t kept = 0;
  for (long i = length - 1; i >= low; --i) {
    kept = kept * 2 + Bit(significand, i);
  }
  bool sticky = false;
  for (long i = 0; i < low - 1 && !sticky; ++i) {
    sticky = Bit(significand, i) != 0;
  }
  if (Bit(significand, low - 1) != 0 && (sticky || kept % 2 == 1)) {
    ++kept;
  }
  return std::ldexp(static_cast<double>(kept), static_cast<int>(low + exponent));
}

// Every count from 1 to 1000 for each base, the exact power carried along by one product a
// step. Bases near 1 are the cascade ratios of long lines; 0.75 ^ 34 lies exactly halfway
// between two doubles; powers of 0.4 and 0.3 go through the subnormals down to zero.
TEST(WholePower, EveryCountIsTheExactPowerRoundedOnce) {
  // clang-format off
  std::vector<double> bases{0.75, 0.4, 0.3, 0.999, 0.5, 1.5, 0.9999999999999999, 0.99999999,
                            0.6180339887498949, 0.8660254037844387, 0.9987654321012345, 1.0000000000000002};
  // clang-format on
  std::uint64_t seed = 12345;
  for (int i = 0; i < 24; ++i) {
    seed = seed * 6364136223846793005u + 1442695040888963407u;
    const double unit = static_cast<double>(seed >> 11) * 0x1p-53;
    bases.push_back(i % 2 == 0 ? 1 - unit * 1e-3 : unit);
  }
  for (double base : bases) {
    int exponent = 0;
    const auto whole = static_cast<std::uint64_t>(std::ldexp(std::frexp(base, &exponent), 53));
    const Natural factor{static_cast<std::uint32_t>(whole),
                         static_cast<std::uint32_t>(whole >> 32)};
    Natural power{1};
    for (int count = 1; count <= 1000; ++count) {
      power = Product(factor, power);
      ASSERT_EQ(WholePower(base, count), Rounded(power, (exponent - 53L) * count))
          << base << " ^ " << count;
    }
  }
}

// A negative base keeps its sign for odd counts; exponents outside the counts the checks let
// through take the library's route.
TEST(WholePower, OtherBasesAndExponents) {
  EXPECT_EQ(WholePower(-0.75, 3), -0.421875);
  EXPECT_EQ(WholePower(-0.75, 2), 0.5625);
  for (const auto& [base, exponent] :
       {std::pair{0.5, 2.5}, {0.9, 0.0}, {0.9, -3.0}, {0.99, 1001.0}, {0.0, 5.0}, {2.0, 1e-10}}) {
    EXPECT_EQ(WholePower(base, exponent), std::pow(base, exponent)) << base << " ^ " << exponent;
  }
  EXPECT_TRUE(std::isnan(WholePower(std::nan(""), 3)));
  EXPECT_EQ(WholePower(1e300, 2), std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace linecalc

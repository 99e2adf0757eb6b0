#include "calc/whole_power.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace linecalc {
namespace {

// A positive whole number in base 256, least significant digit first, never with a zero digit
// on top: just enough exact arithmetic to carry a power along and round it once.
using Natural = std::vector<std::uint8_t>;

// n × factor, for a factor below 2^53: a digit times it and the carry stay below 2^64.
Natural Times(const Natural& n, std::uint64_t factor) {
  Natural r;
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < n.size() || carry != 0; ++i) {
    carry += (i < n.size() ? n[i] : 0u) * factor;
    r.push_back(static_cast<std::uint8_t>(carry));
    carry >>= 8;
  }
  return r;
}

// n × 2^exponent rounded once to the nearest double, ties to even, by its bits: the top 53
// (fewer among the subnormals), the one below them and whether any lower one is set.
double Rounded(const Natural& n, long exponent) {
  const auto bit = [&n](long i) {
    return i < 0 || i >= static_cast<long>(n.size()) * 8 ? 0 : (n[i / 8] >> (i % 8)) & 1;
  };
  const long length = 8 * static_cast<long>(n.size()) - std::countl_zero(n.back());
  const long low = std::max(length - 53, -1074 - exponent);
  std::uint64_t kept = 0;
  for (long i = length - 1; i >= low; --i) {
    kept = kept * 2 + bit(i);
  }
  bool sticky = false;
  for (long i = 0; i < low - 1 && !sticky; ++i) {
    sticky = bit(i) != 0;
  }
  kept += bit(low - 1) & (sticky || kept % 2 == 1);  // past the half, or at it to even
  return std::ldexp(static_cast<double>(kept), static_cast<int>(low + exponent));
}

// Every count from 1 to 1000 for each base, against the exact power carried along one product a
// step. Bases near 1 are the cascade ratios of long lines; 0.75 ^ 34 lies halfway between two
// doubles; powers of 0.4 and 0.3 pass the subnormals to zero. A negative base keeps its sign for
// odd counts; exponents other than the counts the checks let through take the library's route.
TEST(WholePower, EveryCountIsTheExactPowerRoundedOnce) {
  // clang-format off
  std::vector<double> bases{0.75, 0.4, 0.3, 0.999, 0.5, 1.5, 0.9999999999999999, 0.99999999,
      0.6180339887498949, 0.8660254037844387, 0.9987654321012345, 1.0000000000000002};
  // clang-format on
  for (std::uint64_t i = 0, seed = 12345; i < 24; ++i) {
    seed = seed * 6364136223846793005u + 1442695040888963407u;
    const double unit = static_cast<double>(seed >> 11) * 0x1p-53;
    bases.push_back(i % 2 == 0 ? 1 - unit * 1e-3 : unit);
  }
  for (double base : bases) {
    int exponent = 0;
    const auto whole = static_cast<std::uint64_t>(std::ldexp(std::frexp(base, &exponent), 53));
    Natural power{1};
    for (int count = 1; count <= 1000; ++count) {
      power = Times(power, whole);
      ASSERT_EQ(WholePower(base, count), Rounded(power, (exponent - 53L) * count))
          << base << " ^ " << count;
    }
  }
  EXPECT_EQ(WholePower(-0.75, 3), -0.421875);
  EXPECT_EQ(WholePower(-0.75, 2), 0.5625);
  const std::pair<double, double> libraryRoute[] = {
      {0.5, 2.5}, {0.9, 0.0}, {0.9, -3.0}, {0.99, 1001.0}, {0.0, 5.0}, {2.0, 1e-10}, {1e300, 2.0}};
  for (const auto& [base, exponent] : libraryRoute) {
    EXPECT_EQ(WholePower(base, exponent), std::pow(base, exponent)) << base << " ^ " << exponent;
  }
  EXPECT_TRUE(std::isnan(WholePower(std::nan(""), 3)));
}

}  // namespace
}  // namespace linecalc

#include "calc/whole_power.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace linecalc {
namespace {

// A non-negative whole number in base 2^32, least significant limb first, never with a zero
// limb on top: just enough exact arithmetic to place a power between two midpoints.
using Natural = std::vector<std::uint32_t>;

Natural Trimmed(Natural n) {
  while (!n.empty() && n.back() == 0) {
    n.pop_back();
  }
  return n;
}

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
  return Trimmed(r);
}

Natural Sum(const Natural& a, const Natural& b) {
  Natural r(std::max(a.size(), b.size()) + 1, 0);
  std::uint64_t carry = 0;
  for (size_t i = 0; i < r.size(); ++i, carry >>= 32) {
    carry += std::uint64_t{i < a.size() ? a[i] : 0u} + (i < b.size() ? b[i] : 0u);
    r[i] = static_cast<std::uint32_t>(carry);
  }
  return Trimmed(r);
}

Natural Shifted(const Natural& a, long bits) {
  Natural r(static_cast<size_t>(bits / 32), 0);
  const int part = static_cast<int>(bits % 32);
  std::uint32_t carry = 0;
  for (std::uint32_t limb : a) {
    r.push_back(static_cast<std::uint32_t>(limb << part) | carry);
    carry = part == 0 ? 0 : limb >> (32 - part);
  }
  r.push_back(carry);
  return Trimmed(r);
}

// significand × 2^exponent, exactly.
struct Dyadic {
  Natural significand;
  long exponent;
};

// Both significands over the smaller of the two exponents.
std::pair<Natural, Natural> Aligned(const Dyadic& a, const Dyadic& b) {
  const long common = std::min(a.exponent, b.exponent);
  return {Shifted(a.significand, a.exponent - common), Shifted(b.significand, b.exponent - common)};
}

Dyadic Sum(const Dyadic& a, const Dyadic& b) {
  const auto [x, y] = Aligned(a, b);
  return {Sum(x, y), std::min(a.exponent, b.exponent)};
}

int Compare(const Dyadic& a, const Dyadic& b) {
  const auto [x, y] = Aligned(a, b);
  if (x.size() != y.size()) {
    return x.size() < y.size() ? -1 : 1;
  }
  return std::lexicographical_compare(x.rbegin(), x.rend(), y.rbegin(), y.rend()) ? -1
         : x == y                                                                 ? 0
                                                                                  : 1;
}

// A non-negative double as a whole significand and a power of two.
Dyadic Exact(double v) {
  int exponent = 0;
  const double m = std::frexp(v, &exponent);
  const long shift = std::max(exponent - 53, -1074);
  const auto whole = static_cast<std::uint64_t>(std::ldexp(m, exponent - shift));
  return {Trimmed({static_cast<std::uint32_t>(whole), static_cast<std::uint32_t>(whole >> 32)}),
          shift};
}

// Whether `shown` is the exact power rounded to the nearest double, ties to even: twice the
// power lies between shown plus each of its neighbours.
bool RoundedOnce(double shown, const Dyadic& power) {
  const Dyadic twice{power.significand, power.exponent + 1};
  const Dyadic exact = Exact(shown);
  const int below = Compare(Sum(Exact(std::nextafter(shown, 0.0)), exact), twice);
  const int above =
      Compare(twice, Sum(exact, Exact(std::nextafter(shown, std::numeric_limits<double>::max()))));
  const bool even = exact.significand.empty() || (exact.significand[0] & 1) == 0;
  return (below < 0 && above < 0) || (below <= 0 && above <= 0 && even);
}

// Every count from 1 to 1000 for each base, the exact power carried along by one product a
// step. Bases near 1 are the cascade ratios of long lines; 0.75 ^ 34 lies exactly halfway
// between two doubles; powers of 0.4 and 0.3 go through the subnormals down to zero.
TEST(WholePower, EveryCountIsTheExactPowerRoundedOnce) {
  std::vector<double> bases{0.75,
                            0.4,
                            0.3,
                            0.999,
                            0.5,
                            1.5,
                            0.9999999999999999,
                            0.99999999,
                            0.6180339887498949,
                            0.8660254037844387,
                            0.9987654321012345,
                            1.0000000000000002};
  std::uint64_t seed = 12345;
  for (int i = 0; i < 24; ++i) {
    seed = seed * 6364136223846793005u + 1442695040888963407u;
    const double unit = static_cast<double>(seed >> 11) * 0x1p-53;
    bases.push_back(i % 2 == 0 ? 1 - unit * 1e-3 : unit);
  }
  for (double base : bases) {
    const Dyadic b = Exact(base);
    Dyadic power{{1}, 0};
    for (int count = 1; count <= 1000; ++count) {
      power = {Product(b.significand, power.significand), power.exponent + b.exponent};
      const double shown = WholePower(base, count);
      ASSERT_TRUE(RoundedOnce(shown, power)) << base << " ^ " << count << " = " << shown;
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

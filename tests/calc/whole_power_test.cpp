#include "calc/whole_power.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace linecalc {
namespace {

// A non-negative whole number in base 2^32, least significant limb first, never with a zero
// limb on top: just enough exact arithmetic to place a power between two midpoints.
struct Natural {
  std::vector<std::uint32_t> limbs;
};

Natural FromWhole(std::uint64_t v) {
  Natural n;
  for (; v != 0; v >>= 32) {
    n.limbs.push_back(static_cast<std::uint32_t>(v));
  }
  return n;
}

Natural Times(const Natural& a, std::uint64_t factor) {
  Natural r;
  r.limbs.assign(a.limbs.size() + 2, 0);
  for (int half = 0; half < 2; ++half) {
    const std::uint64_t f = static_cast<std::uint32_t>(factor >> (32 * half));
    std::uint64_t carry = 0;
    for (size_t i = 0; i < a.limbs.size() || carry != 0; ++i) {
      const std::uint64_t t = r.limbs[i + half] + (i < a.limbs.size() ? a.limbs[i] * f : 0) + carry;
      r.limbs[i + half] = static_cast<std::uint32_t>(t);
      carry = t >> 32;
    }
  }
  while (!r.limbs.empty() && r.limbs.back() == 0) {
    r.limbs.pop_back();
  }
  return r;
}

Natural Shifted(const Natural& a, long bits) {
  Natural r;
  r.limbs.assign(static_cast<size_t>(bits / 32), 0);
  const int part = static_cast<int>(bits % 32);
  std::uint32_t carry = 0;
  for (std::uint32_t limb : a.limbs) {
    r.limbs.push_back(static_cast<std::uint32_t>(limb << part) | carry);
    carry = part == 0 ? 0 : limb >> (32 - part);
  }
  if (carry != 0) {
    r.limbs.push_back(carry);
  }
  return r;
}

int Compare(const Natural& a, const Natural& b) {
  if (a.limbs.size() != b.limbs.size()) {
    return a.limbs.size() < b.limbs.size() ? -1 : 1;
  }
  for (size_t i = a.limbs.size(); i-- > 0;) {
    if (a.limbs[i] != b.limbs[i]) {
      return a.limbs[i] < b.limbs[i] ? -1 : 1;
    }
  }
  return 0;
}

// significand × 2^exponent, exactly.
struct Dyadic {
  Natural significand;
  long exponent;
};

int Compare(const Dyadic& a, const Dyadic& b) {
  const long common = std::min(a.exponent, b.exponent);
  return Compare(Shifted(a.significand, a.exponent - common),
                 Shifted(b.significand, b.exponent - common));
}

// A positive double as a whole significand and a power of two.
Dyadic Exact(double v) {
  int exponent = 0;
  const double m = std::frexp(v, &exponent);
  long shift = std::max(exponent - 53, -1074);
  return {FromWhole(static_cast<std::uint64_t>(std::ldexp(m, exponent - shift))), shift};
}

// Halfway between two positive doubles (or zero and one), exactly.
Dyadic Midpoint(double a, double b) {
  Dyadic x = a == 0 ? Dyadic{{}, 0} : Exact(a);
  Dyadic y = Exact(b);
  const long common = std::min(x.exponent, y.exponent) - 1;
  Natural sum = Shifted(x.significand, x.exponent - common);
  const Natural addend = Shifted(y.significand, y.exponent - common);
  sum.limbs.resize(std::max(sum.limbs.size(), addend.limbs.size()) + 1, 0);
  std::uint64_t carry = 0;
  for (size_t i = 0; i < sum.limbs.size(); ++i) {
    const std::uint64_t t =
        std::uint64_t{sum.limbs[i]} + (i < addend.limbs.size() ? addend.limbs[i] : 0) + carry;
    sum.limbs[i] = static_cast<std::uint32_t>(t);
    carry = t >> 32;
  }
  while (!sum.limbs.empty() && sum.limbs.back() == 0) {
    sum.limbs.pop_back();
  }
  return {sum, common - 1};
}

bool EvenSignificand(double v) {
  const Natural n = Exact(v).significand;
  return n.limbs.empty() || (n.limbs[0] & 1) == 0;
}

// Whether `shown` is the exact power rounded to the nearest double, ties to even.
::testing::AssertionResult RoundedOnce(double shown, const Dyadic& power) {
  const double inf = std::numeric_limits<double>::infinity();
  const int below = shown == 0 ? -1 : Compare(Midpoint(std::nextafter(shown, 0.0), shown), power);
  const int above = Compare(power, Midpoint(shown, std::nextafter(shown, inf)));
  if (below > 0 || above > 0 || ((below == 0 || above == 0) && !EvenSignificand(shown))) {
    return ::testing::AssertionFailure() << "not the nearest double";
  }
  return ::testing::AssertionSuccess();
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
    const std::uint64_t factor =
        b.significand.limbs[0] |
        (b.significand.limbs.size() > 1 ? std::uint64_t{b.significand.limbs[1]} << 32 : 0);
    Dyadic power{FromWhole(1), 0};
    for (int count = 1; count <= 1000; ++count) {
      power = {Times(power.significand, factor), power.exponent + b.exponent};
      const double shown = WholePower(base, count);
      ASSERT_TRUE(RoundedOnce(shown, power)) << base << " ^ " << count << " = " << shown;
    }
  }
}

TEST(WholePower, SignOfNegativeBase) {
  EXPECT_EQ(WholePower(-0.75, 3), -0.421875);
  EXPECT_EQ(WholePower(-0.75, 2), 0.5625);
}

// Exponents outside the counts the checks let through take the library's route.
TEST(WholePower, OtherExponentsAsTheLibrary) {
  struct Case {
    double base, exponent;
  };
  for (const Case& c : {Case{0.5, 2.5}, Case{0.9, 0}, Case{0.9, -3}, Case{0.99, 1001}, Case{0, 5},
                        Case{2, 1e-10}}) {
    EXPECT_EQ(WholePower(c.base, c.exponent), std::pow(c.base, c.exponent))
        << c.base << " ^ " << c.exponent;
  }
  EXPECT_TRUE(std::isnan(WholePower(std::nan(""), 3)));
  EXPECT_EQ(WholePower(1e300, 2), std::numeric_limits<double>::infinity());
}

}  // namespace
}  // namespace linecalc

#include "calc/decibels.h"

#include <cmath>
#include <limits>

#include "calc/double_double.h"

namespace linecalc {
namespace {

using dd::DoubleDouble;

// ln 2 and 10 ÷ ln 10 to 106 bits.
constexpr DoubleDouble kLn2 = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
constexpr DoubleDouble kTenOverLn10 = {0x1.15f2ced384f29p+2, -0x1.02bea6b55233cp-53};

// With m in [√½, √2), s = (m − 1) ÷ (m + 1) is at most 0.1716 in magnitude and s² at most
// 0.0295, so the series' 23rd term, s^45 ÷ 45, is below 2^-110 of the first.
constexpr int kSeriesTerms = 23;

// ln m = 2 · atanh s = 2 · (s + s³/3 + s⁵/5 + …), summed from the smallest term up.
DoubleDouble LogOfMantissa(double m) {
  // m − 1 is exact for m in [½, 2]; m + 1 is kept exactly as two doubles.
  const DoubleDouble s = dd::Divide({m - 1.0, 0.0}, dd::TwoSum(m, 1.0));
  const DoubleDouble s2 = dd::Multiply(s, s);
  DoubleDouble sum = {0.0, 0.0};
  for (int k = kSeriesTerms - 1; k >= 0; --k) {
    const DoubleDouble coefficient = dd::Divide({1.0, 0.0}, {2.0 * k + 1.0, 0.0});
    sum = dd::Add(coefficient, dd::Multiply(sum, s2));
  }
  return dd::Multiply(dd::Multiply(s, sum), {2.0, 0.0});
}

}  // namespace

double TenLog10(double r) {
  if (std::isnan(r) || r < 0) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  if (r == 0) {
    return -std::numeric_limits<double>::infinity();
  }
  if (std::isinf(r)) {
    return r;
  }
  if (r == 1) {
    return 0.0;  // the one exact zero, positive as lg 1 is; the sums below could sign it
  }
  // r = m · 2^e with m in [√½, √2), so that ln m stays small and e · ln 2 carries the rest.
  int e = 0;
  double m = std::frexp(r, &e);
  if (m < 0x1.6a09e667f3bcdp-1) {  // √½ rounded up
    m *= 2;
    --e;
  }
  // Each step is within a few units of 2^-104, so the sum is within 2^-100 of ln r relative.
  const DoubleDouble ln =
      dd::Add(dd::Multiply({static_cast<double>(e), 0.0}, kLn2), LogOfMantissa(m));
  const DoubleDouble tenLog10 = dd::Multiply(ln, kTenOverLn10);
  return tenLog10.hi + tenLog10.lo;
}

}  // namespace linecalc

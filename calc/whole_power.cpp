#include "calc/whole_power.h"

#include <cmath>
#include <limits>

#include "calc/double_double.h"

namespace linecalc {
namespace {

constexpr int kLargestWholeExponent = 1000;

using dd::DoubleDouble;
using dd::FastTwoSum;
using dd::TwoProduct;

// A binary exponent kept apart, so that a thousand factors below one neither underflow nor
// lose the low half to subnormal numbers: value = (hi + lo) × 2^scale, hi in [0.5, 1).
struct Scaled {
  DoubleDouble value;
  int scale;
};

Scaled Normalized(DoubleDouble v, int scale) {
  int shift = 0;
  const double hi = std::frexp(v.hi, &shift);
  return {{hi, std::ldexp(v.lo, -shift)}, scale + shift};
}

Scaled Multiply(const Scaled& a, const Scaled& b) {
  DoubleDouble p = TwoProduct(a.value.hi, b.value.hi);
  p.lo += a.value.hi * b.value.lo + a.value.lo * b.value.hi;
  return Normalized(FastTwoSum(p.hi, p.lo), a.scale + b.scale);
}

// |base| ^ count by repeated squaring: at most 19 products for a count up to 1000, each off by
// a few units of 2^-106, so the double-double result is within 2^-98 of the exact power.
Scaled PowerOfMagnitude(double magnitude, int count) {
  Scaled result = Normalized({1.0, 0.0}, 0);
  Scaled square = Normalized({magnitude, 0.0}, 0);
  for (;;) {
    if ((count & 1) != 0) {
      result = Multiply(result, square);
    }
    count >>= 1;
    if (count == 0) {
      return result;
    }
    square = Multiply(square, square);
  }
}

// The one rounding to double. For a normal result hi is already hi + lo rounded to nearest.
// Scaling into the subnormal range rounds hi again, to fewer bits; where hi stands exactly
// halfway between two subnormals, lo tells on which side the power lies.
double RoundOnce(const Scaled& s) {
  const double rounded = std::ldexp(s.value.hi, s.scale);
  if (!(std::fabs(rounded) < std::numeric_limits<double>::min())) {
    return rounded;
  }
  const double rest = s.value.hi - std::ldexp(rounded, -s.scale);
  const double halfStep = std::ldexp(std::numeric_limits<double>::denorm_min(), -s.scale) / 2;
  if (rest == halfStep && s.value.lo > 0) {
    return std::nextafter(rounded, std::numeric_limits<double>::infinity());
  }
  if (rest == -halfStep && s.value.lo < 0) {
    return std::nextafter(rounded, 0.0);
  }
  return rounded;
}

}  // namespace

double WholePower(double base, double exponent) {
  // The exact route is for the loudspeaker counts the checks let through. A fractional, zero,
  // negative or larger exponent, or a base that is zero or not finite, has no use in the
  // calculations and is left to the library with its own rules for those cases.
  if (!(exponent >= 1 && exponent <= kLargestWholeExponent && exponent == std::floor(exponent)) ||
      base == 0 || !std::isfinite(base)) {
    return std::pow(base, exponent);
  }
  const int count = static_cast<int>(exponent);
  int baseScale = 0;
  const double mantissa = std::frexp(std::fabs(base), &baseScale);
  Scaled power = PowerOfMagnitude(mantissa, count);
  // The base's own binary exponent, applied once at the end: baseScale × count cannot overflow.
  power.scale += baseScale * count;
  const double magnitude = RoundOnce(power);
  return base < 0 && (count & 1) != 0 ? -magnitude : magnitude;
}

}  // namespace linecalc

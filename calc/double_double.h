#pragma once

// Double-double arithmetic: a number held as hi + lo with |lo| at most half a unit in the last
// place of hi, about 106 significant bits. Built from separately rounded sums and products only,
// so that the results are the same on every platform and compiler (calc is compiled without
// contraction into fused multiply-adds).

namespace linecalc::dd {

struct DoubleDouble {
  double hi;
  double lo;
};

// a + b exactly, when |a| >= |b| or a is zero.
inline DoubleDouble FastTwoSum(double a, double b) {
  const double sum = a + b;
  return {sum, b - (sum - a)};
}

// a + b exactly, whatever their magnitudes (Knuth).
inline DoubleDouble TwoSum(double a, double b) {
  const double sum = a + b;
  const double bPart = sum - a;
  const double aPart = sum - bPart;
  return {sum, (a - aPart) + (b - bPart)};
}

// Veltkamp's split of a into two halves of 26 and 27 bits whose products are exact.
inline DoubleDouble Split(double a) {
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  const double t = kSplitter * a;
  const double hi = t - (t - a);
  return {hi, a - hi};
}

// Dekker's exact product. It uses only separately rounded products and sums: a fused
// multiply-add would do it in one step, but where the processor lacks one the library
// substitute is not exact on every platform.
inline DoubleDouble TwoProduct(double a, double b) {
  const double product = a * b;
  const DoubleDouble x = Split(a);
  const DoubleDouble y = Split(b);
  const double error = ((x.hi * y.hi - product) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo;
  return {product, error};
}

// a + b, within a few units of 2^-106 relative to the larger operand.
inline DoubleDouble Add(DoubleDouble a, DoubleDouble b) {
  const DoubleDouble high = TwoSum(a.hi, b.hi);
  const DoubleDouble low = TwoSum(a.lo, b.lo);
  DoubleDouble sum = FastTwoSum(high.hi, high.lo + low.hi);
  return FastTwoSum(sum.hi, sum.lo + low.lo);
}

// a × b, within a few units of 2^-106 relative to the product.
inline DoubleDouble Multiply(DoubleDouble a, DoubleDouble b) {
  DoubleDouble p = TwoProduct(a.hi, b.hi);
  p.lo += a.hi * b.lo + a.lo * b.hi;
  return FastTwoSum(p.hi, p.lo);
}

// a ÷ b for b not zero: three quotient digits, each taken from the exact remainder so far.
inline DoubleDouble Divide(DoubleDouble a, DoubleDouble b) {
  const double q1 = a.hi / b.hi;
  DoubleDouble rest = Add(a, Multiply(b, {-q1, 0.0}));
  const double q2 = rest.hi / b.hi;
  rest = Add(rest, Multiply(b, {-q2, 0.0}));
  const double q3 = rest.hi / b.hi;
  const DoubleDouble q = FastTwoSum(q1, q2);
  return Add(q, {q3, 0.0});
}

}  // namespace linecalc::dd

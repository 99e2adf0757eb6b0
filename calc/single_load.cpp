#include "calc/single_load.h"

#include "calc/verify.h"

namespace linecalc {
namespace {

using detail::Verify;

SingleLoadResult Compute(double u, double rLine, double pIn) {
  SingleLoadResult r;
  // Squares are products: x × x is the correctly rounded square that pow(x, 2.0) stands for.
  const double u2 = Verify(u * u, "U²");
  r.ZLoad = Verify(u2 / pIn, "ZLoad");
  const double total = Verify(r.ZLoad + rLine, "ZLoad + RLine");
  r.ILoad = Verify(u / total, "ILoad");
  const double drop = Verify(r.ILoad * rLine, "ILoad × RLine");
  r.URes = Verify(u - drop, "URes");
  const double ures2 = Verify(r.URes * r.URes, "URes²");
  r.PRes = Verify(ures2 / r.ZLoad, "PRes");
  const double share = Verify(r.PRes / pIn, "PRes / PIn");
  const double delivered = Verify(share * 100.0, "PRes / PIn × 100");
  r.LossPct = Verify(100.0 - delivered, "LossPct");
  return r;
}

}  // namespace

Checked<SingleLoadResult> CalculateSingleLoad(std::int16_t lineVoltage, double rLine, double pIn) {
  return detail::Trapping([&] { return Compute(static_cast<double>(lineVoltage), rLine, pIn); });
}

}  // namespace linecalc

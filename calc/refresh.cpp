#include "calc/refresh.h"

#include "calc/number_format.h"
#include "calc/tables.h"
#include "calc/verify.h"

namespace linecalc {
namespace {

using detail::Unwrap;
using detail::Verify;

double ReadField(std::string_view text, std::string_view step) {
  const Checked<double> value = ReadNumber(text);
  if (!value) {
    throw detail::FaultSignal{Fault{step}};
  }
  return value.value();
}

int SectionRow(double sectionIndex) {
  const std::int16_t row = Unwrap(RoundToInt16(sectionIndex, "section row"));
  if (row < 0 || row >= kSectionCount) {
    throw detail::FaultSignal{Fault{"section row"}};
  }
  return row;
}

// R20 × (Alpha × TempC + 1) / 1.08 × LengthM / 1000, each operation in this order.
double LineResistance(double r20, double alpha, double tempC, double lengthM) {
  double bracket = Verify(alpha * tempC, "RLine: Alpha × t");
  bracket = Verify(bracket + 1, "RLine: 1 + Alpha × t");
  double r = Verify(r20 * bracket, "RLine: R20 × (1 + Alpha × t)");
  r = Verify(r / 1.08, "RLine: / 1.08");
  r = Verify(r * lengthM, "RLine: × L");
  return Verify(r / 1000, "RLine: / 1000");
}

void FormatTexts(RefreshResult& r, std::string_view separator) {
  r.R10Text = FormatNumber(r.R10, separator);
  r.RLineText = FormatNumber(r.RLine, separator);
  r.JMaxText = FormatNumber(r.JMax, separator);
  r.JOptText = FormatNumber(r.JOpt, separator);
  r.PExpectedText = FormatNumber(r.PExpected, separator);
}

RefreshResult Compute(const LineState& state, const LineTexts& texts, bool keepR20, bool copper,
                      std::string_view separator) {
  RefreshResult r;
  r.LengthM = ReadField(texts.length, "LengthM");
  r.TempC = ReadField(texts.temperature, "TempC");
  r.LineVoltage = Unwrap(RoundToInt16(ReadField(texts.voltage, "LineVoltage"), "LineVoltage"));
  const int row = SectionRow(state.SectionIndex);
  r.R10 = copper ? R10CopperTable[row] : R10AluminiumTable[row];
  std::string_view r20Text = texts.r20;
  if (!keepR20) {
    // Written with "." whatever the locale: the field is read back by the number rule.
    r.R20Text = FormatNumber(Verify(r.R10 + r.R10, "R20 = R10 + R10"), ".");
    r20Text = *r.R20Text;
  }
  r.JMax = copper ? JMaxCopperTable[row] : JMaxAluminiumTable[row];
  r.TempC = Verify(r.TempC + 5, "TempC + 5");
  r.RLine = LineResistance(ReadField(r20Text, "R20"), state.Alpha, r.TempC, r.LengthM);
  r.JOpt = Verify(r.JMax * 0.707, "JOpt");
  r.PExpected = Verify(static_cast<double>(r.LineVoltage) * r.JOpt, "PExpected");
  FormatTexts(r, separator);
  return r;
}

}  // namespace

Checked<RefreshResult> ComputeRefresh(const LineState& state, const LineTexts& texts, bool keepR20,
                                      bool copper, std::string_view decimalSeparator) {
  return detail::Trapping([&] { return Compute(state, texts, keepR20, copper, decimalSeparator); });
}

void ApplyRefresh(LineState& state, const RefreshResult& result) {
  state.R10 = result.R10;
  state.RLine = result.RLine;
  state.TempC = result.TempC;
  state.LengthM = result.LengthM;
  state.JMax = result.JMax;
  state.JOpt = result.JOpt;
  state.LineVoltage = result.LineVoltage;
  state.PExpected = result.PExpected;
}

}  // namespace linecalc

#include "calc/smallest_section.h"

#include <algorithm>
#include <limits>

#include "calc/number_format.h"
#include "calc/tables.h"

namespace linecalc {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The line's own result against the limit.
Verdict Judge(const LineCalculation& calculation, double limitPct) {
  if (calculation.status != LineStatus::Computed) {
    return Verdict::Refused;
  }
  return WithinLimit(calculation.lossPct, limitPct) ? Verdict::Within : Verdict::Exceeded;
}

std::optional<int> SmallestSection(const LineInputs& inputs, double limitPct,
                                   std::string_view decimalSeparator, int firstSection) {
  LineInputs trial = inputs;
  trial.r20.reset();
  for (int row = std::max(firstSection, 0); row < kSectionCount; ++row) {
    trial.sectionIndex = row;
    const LineCalculation calculation = CalculateLine(trial, decimalSeparator);
    if (calculation.status == LineStatus::Computed && WithinLimit(calculation.lossPct, limitPct)) {
      return row;
    }
  }
  return std::nullopt;
}

}  // namespace

std::string_view VerdictText(Verdict verdict) {
  switch (verdict) {
    case Verdict::Within:
      return "норма";
    case Verdict::Exceeded:
      return "превышение";
    case Verdict::Refused:
      return "отказ";
    case Verdict::NoLimit:
      break;
  }
  return "";
}

std::optional<double> ReadLossLimit(std::string_view text) {
  if (std::all_of(text.begin(), text.end(), IsBlank)) {
    return std::nullopt;
  }
  const Checked<double> limit = ReadNumber(text);
  return limit ? limit.value() : std::numeric_limits<double>::max();
}

bool IsLossLimit(std::string_view text, bool whole) {
  if (std::all_of(text.begin(), text.end(), IsBlank)) {
    return true;
  }
  const Checked<double> limit = ReadNumber(text);
  return HasNumber(text, whole) && limit && limit.value() >= 0 && limit.value() <= 100;
}

bool WithinLimit(double lossPct, double limitPct) {
  return RoundAsDisplayed(lossPct) <= RoundAsDisplayed(limitPct);
}

LineAssessment AssessLine(const LineInputs& inputs, std::optional<double> lossLimitPct,
                          std::string_view decimalSeparator, int firstSection) {
  LineAssessment assessment{CalculateLine(inputs, decimalSeparator), Verdict::NoLimit,
                            std::nullopt};
  if (!lossLimitPct) {
    return assessment;
  }
  assessment.verdict = Judge(assessment.calculation, *lossLimitPct);
  assessment.smallestSection =
      SmallestSection(inputs, *lossLimitPct, decimalSeparator, firstSection);
  return assessment;
}

}  // namespace linecalc

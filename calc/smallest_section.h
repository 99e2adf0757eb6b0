#pragma once

#include <optional>
#include <string_view>

#include "calc/line_calculation.h"

namespace linecalc {

// How a line's own loss compares with the loss limit of its object.
enum class Verdict { NoLimit, Within, Exceeded, Refused };

// "" without a limit, "норма", "превышение", "отказ" (refused or faulted).
std::string_view VerdictText(Verdict verdict);

// One line computed as the window computes it, judged against a loss limit.
struct LineAssessment {
  LineCalculation calculation;
  Verdict verdict = Verdict::NoLimit;
  // Row of SectionList of the smallest section that keeps the line within the limit; empty when
  // none does ("нет") or when there is no limit.
  std::optional<int> smallestSection;
};

// The loss limit, %, of an object: absent when `text` is empty or blanks only, otherwise the
// text by the number input rule. A limit beyond the range of a double limits nothing.
std::optional<double> ReadLossLimit(std::string_view text);

// Whether `text` may be an object's loss limit: empty or blanks (no limit), or a number from 0 to
// 100 by the number input rule; "abc", "-1", "101" and "1e400" may not. With `whole`, nothing but
// blanks may follow the number, as where a user types it ("1О" with a Cyrillic О may not).
bool IsLossLimit(std::string_view text, bool whole);

// True when `lossPct` as shown (two decimals) is at most `limitPct` as shown.
bool WithinLimit(double lossPct, double limitPct);

// Computes `inputs` with CalculateLine and, with a limit, gives its verdict and the first section
// of SectionList, from row `firstSection` on (the thinnest the object allows), for which the same
// line and load with the table's R20 (a typed R20 belongs to the cable named and is dropped) is
// computed with a loss within the limit.
LineAssessment AssessLine(const LineInputs& inputs, std::optional<double> lossLimitPct,
                          std::string_view decimalSeparator, int firstSection = 0);

}  // namespace linecalc

#include "calc/report.h"

#include <array>
#include <charconv>

#include "calc/number_format.h"

namespace linecalc {
namespace {

constexpr char kTab = '\t';

// Each line is composed in `scratch`, whose capacity is reused, and then copied once: one
// allocation per line at most, none at all for lines short enough to be stored inline.
void ComposeRow(std::string& scratch, const SpeakerRow& row, std::string_view separator) {
  scratch.clear();
  std::array<char, 8> index{};
  scratch.append(
      index.data(),
      std::to_chars(index.data(), index.data() + index.size(), static_cast<int>(row.Index)).ptr);
  scratch.push_back(kTab);
  AppendNumber(scratch, row.SegmentDrop, separator);
  scratch.push_back(kTab);
  AppendNumber(scratch, row.NodePower, separator);
}

void ComposeTotals(std::string& scratch, std::string_view title, std::string_view prefix1,
                   double value1, std::string_view prefix2, double value2,
                   std::string_view separator) {
  scratch.assign(title);
  scratch.push_back(kTab);
  scratch.append(prefix1);
  AppendNumber(scratch, value1, separator);
  scratch.push_back(kTab);
  scratch.append(prefix2);
  AppendNumber(scratch, value2, separator);
}

}  // namespace

std::vector<std::string> FormatReportLines(const UniformLoadResult& result,
                                           std::string_view decimalSeparator) {
  std::vector<std::string> lines;
  lines.reserve(result.Rows.size() + 3);
  std::string scratch;
  scratch.reserve(64);
  for (const SpeakerRow& row : result.Rows) {
    ComposeRow(scratch, row, decimalSeparator);
    lines.emplace_back(scratch);
  }
  lines.emplace_back(ReportSeparator);
  ComposeTotals(scratch, "На проводах", "", result.DropTotal, "", result.LostPower,
                decimalSeparator);
  lines.emplace_back(scratch);
  ComposeTotals(scratch, "Остается", "U=", result.EndVoltage, "P=", result.DeliveredPower,
                decimalSeparator);
  lines.emplace_back(scratch);
  return lines;
}

}  // namespace linecalc

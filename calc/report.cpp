#include "calc/report.h"

#include "calc/number_format.h"

namespace linecalc {
namespace {

constexpr char kTab = '\t';

std::string RowLine(const SpeakerRow& row, std::string_view separator) {
  std::string line = FormatInteger(row.Index);
  line.reserve(48);
  line.push_back(kTab);
  AppendNumber(line, row.SegmentDrop, separator);
  line.push_back(kTab);
  AppendNumber(line, row.NodePower, separator);
  return line;
}

}  // namespace

std::vector<std::string> FormatReportLines(const UniformLoadResult& result,
                                           std::string_view decimalSeparator) {
  std::vector<std::string> lines;
  lines.reserve(result.Rows.size() + 3);
  for (const SpeakerRow& row : result.Rows) {
    lines.push_back(RowLine(row, decimalSeparator));
  }
  lines.emplace_back(ReportSeparator);

  std::string wires = "На проводах";
  wires.push_back(kTab);
  AppendNumber(wires, result.DropTotal, decimalSeparator);
  wires.push_back(kTab);
  AppendNumber(wires, result.LostPower, decimalSeparator);
  lines.push_back(std::move(wires));

  std::string remains = "Остается";
  remains.append("\tU=");
  AppendNumber(remains, result.EndVoltage, decimalSeparator);
  remains.append("\tP=");
  AppendNumber(remains, result.DeliveredPower, decimalSeparator);
  lines.push_back(std::move(remains));
  return lines;
}

}  // namespace linecalc

#include "object/object_csv.h"

#include <QByteArray>

#include "object/line_table.h"
#include "object/save_file.h"

namespace linecalc::object {
namespace {

constexpr std::string_view kCsvSeparator = ".";

void AppendCell(std::string& out, std::string_view cell) {
  if (cell.find_first_of(",\"\r\n") == std::string_view::npos) {
    out.append(cell);
    return;
  }
  out.push_back('"');
  for (const char c : cell) {
    if (c == '"') {
      out.push_back('"');
    }
    out.push_back(c);
  }
  out.push_back('"');
}

}  // namespace

std::vector<LineAssessment> AssessObject(const LineObject& object,
                                         std::string_view decimalSeparator) {
  const std::optional<double> limit = ReadLossLimit(object.lossLimitPct);
  std::vector<LineAssessment> assessments;
  assessments.reserve(object.lines.size());
  for (const ObjectLine& line : object.lines) {
    assessments.push_back(
        AssessLine(line.inputs, limit, decimalSeparator, object.minSection.value_or(0)));
  }
  return assessments;
}

void AppendCsvRecord(std::string& out, const std::vector<std::string_view>& cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) {
      out.push_back(',');
    }
    AppendCell(out, cells[i]);
  }
  out.append("\r\n");
}

std::string ObjectCsv(const LineObject& object) {
  const std::optional<double> limit = ReadLossLimit(object.lossLimitPct);
  const auto& header = LineTableHeader();
  std::string out;
  AppendCsvRecord(out, {header.begin(), header.end()});
  std::vector<std::string_view> cells;
  for (const ObjectLine& line : object.lines) {
    const LineAssessment assessment =
        AssessLine(line.inputs, limit, kCsvSeparator, object.minSection.value_or(0));
    const std::vector<std::string> row =
        LineTableRow(line, assessment, limit.has_value(), kCsvSeparator);
    cells.assign(row.begin(), row.end());
    AppendCsvRecord(out, cells);
  }
  return out;
}

QString WriteObjectCsv(const QString& path, const LineObject& object) {
  return SaveFileAtomically(path, QByteArray::fromStdString(ObjectCsv(object)));
}

}  // namespace linecalc::object

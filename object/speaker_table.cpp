#include "object/speaker_table.h"

#include <array>
#include <string_view>
#include <vector>

#include "calc/line_calculation.h"
#include "calc/number_format.h"
#include "object/object_csv.h"

namespace linecalc::object {
namespace {

constexpr std::string_view kCsvSeparator = ".";

void AppendSpeakers(std::string& out, const ObjectLine& line, const LayoutSolution& solution) {
  std::array<std::string, 7> cells;
  cells[0] = line.name;
  long long number = 0;
  for (const LayoutSpeaker& s : solution.speakers) {
    cells[1] = FormatInteger(++number);
    cells[2] = FormatNumber(s.distanceM, kCsvSeparator);
    cells[3] = FormatNumber(s.tapPower, kCsvSeparator);
    cells[4] = FormatNumber(s.voltage, kCsvSeparator);
    cells[5] = FormatNumber(s.power, kCsvSeparator);
    cells[6] = FormatNumber(s.levelDb, kCsvSeparator);
    AppendCsvRecord(out, {cells.begin(), cells.end()});
  }
}

}  // namespace

std::string SpeakersCsv(const LineObject& object) {
  std::string out;
  AppendCsvRecord(out, {"Линия", "№", "Расстояние (м)", "Мощность отвода (Вт)", "Напряжение (В)",
                        "Мощность (Вт)", "Уровень (дБ)"});
  for (const ObjectLine& line : object.lines) {
    if (line.inputs.load != LoadKind::Layout) {
      continue;
    }
    const LineCalculation calculation = CalculateLine(line.inputs, kCsvSeparator);
    if (calculation.layout) {
      AppendSpeakers(out, line, *calculation.layout);
    }
  }
  return out;
}

}  // namespace linecalc::object

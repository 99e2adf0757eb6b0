#include "object/amplifier_table.h"

#include <cmath>
#include <optional>
#include <unordered_map>

#include "calc/number_format.h"
#include "object/object_csv.h"

namespace linecalc::object {

std::vector<AmplifierAssessment> AssessAmplifiers(
    const LineObject& object,
    const std::function<const LineCalculation&(std::size_t)>& calculation) {
  std::vector<AmplifierAssessment> result(object.amplifiers.size());
  std::unordered_map<std::string_view, std::size_t> byName;
  for (std::size_t a = object.amplifiers.size(); a-- > 0;) {
    byName[object.amplifiers[a].name] = a;  // the first of a name, should a name repeat
  }
  for (std::size_t line = 0; line < object.lines.size(); ++line) {
    const auto fed = byName.find(object.lines[line].amplifier);
    if (fed != byName.end()) {
      result[fed->second].lines.push_back(line);
    }
  }
  const double reserve =
      ReadAmplifierReserve(object.amplifierReservePct).value_or(kDefaultAmplifierReservePct);
  for (std::size_t a = 0; a < result.size(); ++a) {
    std::vector<FedLine> fed;
    for (const std::size_t line : result[a].lines) {
      fed.push_back({object.lines[line].name, &calculation(line)});
    }
    const Amplifier& amplifier = object.amplifiers[a];
    result[a].load =
        LoadAmplifier(ReadAmplifierPower(amplifier.power).value_or(1),
                      ReadAmplifierVoltage(amplifier.voltage).value_or(0), reserve, fed);
  }
  return result;
}

namespace {

// A figure by the display rule; empty when it is not finite (a load of a power too small to
// divide by, 1e-300 W, is no figure).
std::string Figure(std::optional<double> value, std::string_view decimalSeparator) {
  return value && std::isfinite(*value) ? FormatNumber(*value, decimalSeparator) : std::string();
}

}  // namespace

const std::array<std::string_view, kAmplifierColumnCount>& AmplifierTableHeader() {
  static constexpr std::array<std::string_view, kAmplifierColumnCount> kHeader{
      "Усилитель",    "Мощность (Вт)", "Напряжение (В)", "Линии",    "Номинальная нагрузка (Вт)",
      "Загрузка (%)", "Запас (%)",     "Итог",           "Сообщение"};
  return kHeader;
}

std::vector<std::string> AmplifierTableRow(const LineObject& object, std::size_t amplifier,
                                           const AmplifierAssessment& assessment,
                                           std::string_view decimalSeparator) {
  const Amplifier& a = object.amplifiers.at(amplifier);
  const AmplifierLoad& load = assessment.load;
  std::string lines;
  for (const std::size_t line : assessment.lines) {
    lines.append(lines.empty() ? "" : "; ").append(object.lines[line].name);
  }
  const std::optional<double> power = ReadAmplifierPower(a.power);
  const std::optional<int> voltage = ReadAmplifierVoltage(a.voltage);
  return {a.name,
          power ? FormatNumber(*power, decimalSeparator) : a.power,
          voltage ? FormatInteger(*voltage) : a.voltage,
          std::move(lines),
          Figure(load.ratedLoad, decimalSeparator),
          Figure(load.loadPct, decimalSeparator),
          Figure(load.reservePct, decimalSeparator),
          std::string(AmplifierVerdictText(load.verdict)),
          load.message};
}

std::string AmplifierCsv(const LineObject& object) {
  constexpr std::string_view kCsvSeparator = ".";
  // Only the lines an amplifier feeds are computed, each once.
  std::vector<std::optional<LineCalculation>> calculations(object.lines.size());
  const auto calculation = [&](std::size_t line) -> const LineCalculation& {
    if (!calculations[line]) {
      calculations[line] = CalculateLine(object.lines[line].inputs, kCsvSeparator);
    }
    return *calculations[line];
  };
  const std::vector<AmplifierAssessment> assessments = AssessAmplifiers(object, calculation);
  const auto& header = AmplifierTableHeader();
  std::string out;
  AppendCsvRecord(out, {header.begin(), header.end()});
  for (std::size_t a = 0; a < assessments.size(); ++a) {
    const std::vector<std::string> row =
        AmplifierTableRow(object, a, assessments[a], kCsvSeparator);
    AppendCsvRecord(out, {row.begin(), row.end()});
  }
  return out;
}

}  // namespace linecalc::object

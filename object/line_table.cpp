#include "object/line_table.h"

#include <cmath>
#include <optional>

#include "calc/number_format.h"
#include "calc/tables.h"

namespace linecalc::object {
namespace {

using Row = std::vector<std::string>;

class RowWriter {
 public:
  RowWriter(Row& row, std::string_view decimalSeparator)
      : row_(row), decimalSeparator_(decimalSeparator) {}

  void Text(LineColumn column, std::string_view text) { Cell(column).assign(text); }

  void Number(LineColumn column, std::optional<double> value) {
    if (value && std::isfinite(*value)) {
      AppendNumber(Cell(column), *value, decimalSeparator_);
    }
  }

 private:
  std::string& Cell(LineColumn column) { return row_[static_cast<std::size_t>(column)]; }

  Row& row_;
  std::string_view decimalSeparator_;
};

void WriteInputs(RowWriter& out, const ObjectLine& line) {
  const LineInputs& in = line.inputs;
  out.Text(LineColumn::Name, line.name);
  out.Text(LineColumn::Material, MaterialText(in.material));
  if (in.sectionIndex >= 0 && in.sectionIndex < kSectionCount) {
    out.Text(LineColumn::Section, SectionList[static_cast<std::size_t>(in.sectionIndex)]);
  }
  // A layout's length is its stretches' total, known once they are read (WriteReference).
  if (in.load != LoadKind::Layout) {
    out.Text(LineColumn::Length, in.length);
  }
  out.Text(LineColumn::Temperature, in.temperature);
  out.Text(LineColumn::Voltage, in.voltage);
  out.Text(LineColumn::Load, LoadKindText(in.load));
}

void WriteReference(RowWriter& out, const LineCalculation& c) {
  if (!c.reference) {
    return;
  }
  if (c.inputs.load == LoadKind::Layout) {
    out.Number(LineColumn::Length, c.reference->LengthM);
  }
  out.Number(LineColumn::R20, c.r20);
  out.Number(LineColumn::RLine, c.reference->RLine);
  out.Number(LineColumn::JMax, c.reference->JMax);
  out.Number(LineColumn::JOpt, c.reference->JOpt);
  out.Number(LineColumn::PExpected, c.reference->PExpected);
}

void WriteResults(RowWriter& out, const LineCalculation& c) {
  if (c.status != LineStatus::Computed) {
    return;
  }
  out.Number(LineColumn::Power, c.power);
  if (c.uniform) {
    out.Text(LineColumn::Count, FormatInteger(std::llround(c.count)));
    out.Number(LineColumn::CascadeVoltage, c.uniform->CascadeVoltage);
  }
  if (c.single) {
    out.Number(LineColumn::ZLoad, c.single->ZLoad);
  }
  if (c.layout) {
    out.Text(LineColumn::Count, FormatInteger(std::llround(c.count)));
    out.Number(LineColumn::ZLoad, c.layout->inputImpedance);
  }
  out.Number(LineColumn::URes, c.farVoltage);
  out.Number(LineColumn::PRes, c.farPower);
  out.Number(LineColumn::LossPct, c.lossPct);
  out.Number(LineColumn::LossDb, c.lossDb);
  out.Number(LineColumn::VoltageDropPct, c.voltageDropPct);
}

void WriteVerdict(RowWriter& out, const LineAssessment& assessment, bool hasLimit) {
  if (!hasLimit) {
    return;
  }
  const std::optional<int>& row = assessment.smallestSection;
  out.Text(LineColumn::SmallestSection,
           row ? SectionList[static_cast<std::size_t>(*row)] : std::string_view("нет"));
  out.Text(LineColumn::Verdict, VerdictText(assessment.verdict));
}

}  // namespace

const std::array<std::string_view, kLineColumnCount>& LineTableHeader() {
  static constexpr std::array<std::string_view, kLineColumnCount> kHeader{
      "Линия",
      "Материал",
      "Сечение (мм²)",
      "Длина (м)",
      "Температура (°C)",
      "Напряжение (В)",
      "R20 (Ом/км)",
      "Rл (Ом)",
      "Jмакс (А)",
      "Jопт (А)",
      "Рож (Вт)",
      "Нагрузка",
      "Мощность (Вт)",
      "Кол-во гр",
      "Zнагр (Ом)",
      "Uрез (В)",
      "Ррез (Вт)",
      "Потери (%)",
      "Потери (дБ)",
      "Падение напряжения (%)",
      "Каскадное напряжение (В)",
      "Мин. сечение",
      "Итог",
      "Сообщение",
      "Усилитель"};
  return kHeader;
}

std::vector<std::string> LineTableRow(const ObjectLine& line, const LineAssessment& assessment,
                                      bool hasLimit, std::string_view decimalSeparator) {
  Row row(kLineColumnCount);
  RowWriter out(row, decimalSeparator);
  WriteInputs(out, line);
  WriteReference(out, assessment.calculation);
  WriteResults(out, assessment.calculation);
  WriteVerdict(out, assessment, hasLimit);
  out.Text(LineColumn::Message, assessment.calculation.message);
  out.Text(LineColumn::Amplifier, line.amplifier);
  return row;
}

std::string_view MaterialText(Material material) {
  return material == Material::Copper ? "медь" : "алюминий";
}

std::string_view LoadKindText(LoadKind kind) {
  switch (kind) {
    case LoadKind::Single:
      return "в конце линии";
    case LoadKind::Uniform:
      return "равномерная";
    case LoadKind::Layout:
      break;
  }
  return "схема";
}

}  // namespace linecalc::object

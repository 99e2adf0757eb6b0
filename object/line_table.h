#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calc/smallest_section.h"
#include "object/line_object.h"

namespace linecalc::object {

// The columns of an object's table, in the order of the CSV export.
enum class LineColumn {
  Name,
  Material,
  Section,
  Length,
  Temperature,
  Voltage,
  R20,
  RLine,
  JMax,
  JOpt,
  PExpected,
  Load,
  Power,
  Count,
  ZLoad,
  URes,
  PRes,
  LossPct,
  LossDb,
  VoltageDropPct,
  CascadeVoltage,
  SmallestSection,
  Verdict,
  Message,
  Amplifier
};
inline constexpr int kLineColumnCount = 25;

// The header texts of the table, one per LineColumn.
const std::array<std::string_view, kLineColumnCount>& LineTableHeader();

// The cells of one line's row, one per LineColumn: inputs as the file holds them, figures by the
// display rule with `decimalSeparator`, empty where a figure does not apply or is not finite.
// `hasLimit`: the object has a loss limit, so the smallest section and the verdict are shown.
std::vector<std::string> LineTableRow(const ObjectLine& line, const LineAssessment& assessment,
                                      bool hasLimit, std::string_view decimalSeparator);

// "медь" or "алюминий".
std::string_view MaterialText(Material material);

// "в конце линии", "равномерная" or "схема".
std::string_view LoadKindText(LoadKind kind);

}  // namespace linecalc::object

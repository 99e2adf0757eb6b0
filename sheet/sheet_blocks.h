#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "calc/line_calculation.h"

namespace linecalc::sheet {

// One row of a sheet's table of quantities: "Длина линии", "L", "100", "м".
struct Quantity {
  QString name;
  QString symbol;
  QString value;
  QString unit;
  friend bool operator==(const Quantity&, const Quantity&) = default;
};
using Quantities = std::vector<Quantity>;

// A figure by the display rule with `separator`; "—" when absent.
QString SheetNumber(const std::optional<double>& value, const QString& separator);
// A whole value as its list shows it, any other by the display rule.
QString SheetAmount(double value, const QString& separator);
// The section of row `row` of the section list, in mm², with `separator`.
QString SectionText(int row, const QString& separator);

// The inputs a calculation was made from, as their values were read: material, section,
// length, ambient and heated temperature, line voltage, R20 and where it came from.
Quantities InputRows(const LineCalculation& calc, const QString& separator);

// R10, R20, Rл, Jмакс, Jопт, Рож as the window shows them.
Quantities ReferenceRows(const LineCalculation& calc, const QString& separator);

// With a loss limit: the limit, the verdict on the loss of `calc` ("норма", "превышение") and
// the smallest section of the list that keeps the same line and load within the limit.
Quantities VerdictRows(const LineCalculation& calc, std::optional<double> lossLimitPct,
                       const QString& separator);

// How the figures are computed: the formulas, the material data of `calc`'s line and the
// assumption of the uniform load, one paragraph each.
QStringList MethodLines(const LineCalculation& calc, const QString& separator);

// InputRows followed by ReferenceRows: what tells two lines apart on paper.
Quantities LineBlock(const LineCalculation& calc, const QString& separator);

// Рвх, Zнагр, Uрез, Ррез, П with the loss in dB and the voltage drop.
Quantities SingleRows(const LineCalculation& calc, const QString& separator);

// Pгр, their count, Pгр × N, Потери with the loss in dB and the voltage drop, and the cascade
// voltage.
Quantities UniformRows(const LineCalculation& calc, const QString& separator);

}  // namespace linecalc::sheet

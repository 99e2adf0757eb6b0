#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "calc/line_calculation.h"
#include "sheet/sheet_blocks.h"

namespace linecalc::sheet {

class SheetWriter;

// The headings of the loudspeaker table: №, distance, tap, voltage, power, level, with units.
QStringList SpeakerHeadings();

// One row per loudspeaker of `solution`, in its order, numbered from 1; figures by the display
// rule with `separator`, a level of no voltage as "−∞".
std::vector<QStringList> SpeakerRows(const LayoutSolution& solution, const QString& separator);

// The layout as a table: one row per stretch (its place, length in m, repeats, loudspeakers as
// "count × tap Вт"), each branch a row of its own before its stretches, indented by its depth.
std::vector<QStringList> LayoutOutline(const LineLayout& layout, const QString& separator);

// The line's figures from the exact solution: rated, delivered, drawn and lost power, the losses
// in % and dB, the lowest loudspeaker voltage, the drop there, the lowest level and the input
// impedance. Empty when `calc` has no solution.
Quantities LayoutRows(const LineCalculation& calc, const QString& separator);

// How a layout line is computed, one paragraph each.
QStringList LayoutMethodLines(const QString& separator);

// The page body of a layout line: its layout, then its results (followed by `verdict`), the plot
// of the voltage against the distance and the loudspeaker table, or why it was refused.
void WriteLayout(SheetWriter& out, const LineCalculation& calc, const Quantities& verdict,
                 const QString& separator);

}  // namespace linecalc::sheet

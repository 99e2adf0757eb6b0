#pragma once

#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include "calc/layout_solution.h"

class QPainter;

namespace linecalc::sheet {

// What a layout's plot shows against the distance from the amplifier.
enum class PlotQuantity { Voltage, Level };

// The voltage (V) or the level (dB) at each loudspeaker of `solution` against its distance along
// the cable (m), one mark per loudspeaker, with the nominal `lineVoltage` (or 0 dB) as a dashed
// line; axis figures with `separator`. Paints inside `area` of `painter`, in its units.
void PaintLayoutPlot(QPainter& painter, const QRectF& area, const LayoutSolution& solution,
                     double lineVoltage, PlotQuantity quantity, const QString& separator);

// The same plot as a white picture of `size` pixels, drawn at `scale` times for print.
QImage LayoutPlotImage(const LayoutSolution& solution, double lineVoltage, PlotQuantity quantity,
                       const QString& separator, const QSize& size, double scale = 1);

}  // namespace linecalc::sheet

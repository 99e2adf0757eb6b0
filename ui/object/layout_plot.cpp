#include "ui/object/layout_plot.h"

#include <QLocale>
#include <QPainter>

namespace linecalc::ui {

LayoutPlot::LayoutPlot(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("layoutPlot"));
  setQuantity(quantity_);
  setMinimumSize(260, 160);
}

void LayoutPlot::setSolution(std::optional<LayoutSolution> solution, double lineVoltage) {
  solution_ = std::move(solution);
  lineVoltage_ = lineVoltage;
  update();
}

void LayoutPlot::setQuantity(sheet::PlotQuantity quantity) {
  quantity_ = quantity;
  setAccessibleName(quantity == sheet::PlotQuantity::Voltage
                        ? QStringLiteral("График напряжения у громкоговорителей по расстоянию")
                        : QStringLiteral("График уровня у громкоговорителей по расстоянию"));
  update();
}

void LayoutPlot::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().base());
  if (!solution_) {
    painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Нет решения: схема не рассчитана"));
    return;
  }
  sheet::PaintLayoutPlot(painter, QRectF(rect()).adjusted(4, 4, -4, -4), *solution_, lineVoltage_,
                         quantity_, QLocale().decimalPoint());
}

}  // namespace linecalc::ui

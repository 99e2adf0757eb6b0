#include "sheet/layout_plot.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "sheet/sheet_page.h"

namespace linecalc::sheet {
namespace {

constexpr int kTicks = 5;

struct Range {
  double low = 0;
  double high = 1;
};

// A step of 1, 2 or 5 times a power of ten that cuts `span` into at most kTicks parts.
double TickStep(double span) {
  const double raw = span / kTicks;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
    if (factor * power >= raw) {
      return factor * power;
    }
  }
  return 10 * power;
}

// [low, high] widened to whole steps, never empty.
Range Widened(double low, double high) {
  if (!(high > low)) {
    low -= 1;
    high += 1;
  }
  const double step = TickStep(high - low);
  return {std::floor(low / step) * step, std::ceil(high / step) * step};
}

double Value(const LayoutSpeaker& speaker, PlotQuantity quantity) {
  return quantity == PlotQuantity::Voltage ? speaker.voltage : speaker.levelDb;
}

QString TickText(double value, double step, const QString& separator) {
  const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step)));
  // A tick summed up to zero may come out a hair below it: never "-0.00".
  if (std::fabs(value) < step / 2) {
    value = 0;
  }
  return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), separator);
}

struct Frame {
  QRectF plot;
  Range x;
  Range y;
  QPointF at(double distance, double value) const {
    return {plot.left() + (distance - x.low) / (x.high - x.low) * plot.width(),
            plot.bottom() - (value - y.low) / (y.high - y.low) * plot.height()};
  }
};

Frame MakeFrame(const QRectF& area, const QFontMetricsF& metrics, const LayoutSolution& solution,
                double nominal, PlotQuantity quantity) {
  double far = 0;
  double low = nominal;
  for (const LayoutSpeaker& s : solution.speakers) {
    far = std::max(far, s.distanceM);
    if (std::isfinite(Value(s, quantity))) {
      low = std::min(low, Value(s, quantity));
    }
  }
  const double left = metrics.horizontalAdvance(QStringLiteral("-000.0")) + metrics.height() + 8;
  const double bottom = 2 * metrics.height() + 8;
  const QRectF plot = area.adjusted(left, metrics.height(), -metrics.height(), -bottom);
  return {plot, Widened(0, far), Widened(low, nominal)};
}

void PaintAxes(QPainter& painter, const Frame& frame, const QFontMetricsF& metrics,
               PlotQuantity quantity, const QString& separator) {
  painter.setPen(QPen(Qt::black, 0));
  painter.drawRect(frame.plot);
  const double xStep = TickStep(frame.x.high - frame.x.low);
  for (double x = frame.x.low; x <= frame.x.high + xStep / 2; x += xStep) {
    const QPointF p = frame.at(x, frame.y.low);
    painter.drawLine(p, p + QPointF(0, 4));
    const QString text = TickText(x, xStep, separator);
    painter.drawText(
        QPointF(p.x() - metrics.horizontalAdvance(text) / 2, p.y() + 4 + metrics.ascent()), text);
  }
  const double yStep = TickStep(frame.y.high - frame.y.low);
  for (double y = frame.y.low; y <= frame.y.high + yStep / 2; y += yStep) {
    const QPointF p = frame.at(frame.x.low, y);
    painter.setPen(QPen(QColor(220, 220, 220), 0));
    painter.drawLine(p, QPointF(frame.plot.right(), p.y()));
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLine(p, p - QPointF(4, 0));
    const QString text = TickText(y, yStep, separator);
    painter.drawText(
        QPointF(p.x() - 6 - metrics.horizontalAdvance(text), p.y() + metrics.ascent() / 2 - 1),
        text);
  }
  const QString xTitle = QStringLiteral("Расстояние от усилителя, м");
  painter.drawText(QPointF(frame.plot.center().x() - metrics.horizontalAdvance(xTitle) / 2,
                           frame.plot.bottom() + 6 + metrics.height() + metrics.ascent()),
                   xTitle);
  const QString yTitle = quantity == PlotQuantity::Voltage ? QStringLiteral("Напряжение, В")
                                                           : QStringLiteral("Уровень, дБ");
  painter.save();
  painter.translate(frame.plot.left() - metrics.horizontalAdvance(QStringLiteral("-000.0")) - 10,
                    frame.plot.center().y() + metrics.horizontalAdvance(yTitle) / 2);
  painter.rotate(-90);
  painter.drawText(QPointF(0, 0), yTitle);
  painter.restore();
}

}  // namespace

void PaintLayoutPlot(QPainter& painter, const QRectF& area, const LayoutSolution& solution,
                     double lineVoltage, PlotQuantity quantity, const QString& separator) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QFontMetricsF metrics(painter.font());
  const double nominal = quantity == PlotQuantity::Voltage ? lineVoltage : 0;
  const Frame frame = MakeFrame(area, metrics, solution, nominal, quantity);
  if (frame.plot.width() > 10 && frame.plot.height() > 10) {
    PaintAxes(painter, frame, metrics, quantity, separator);
    painter.setPen(QPen(Qt::darkGray, 0, Qt::DashLine));
    painter.drawLine(frame.at(frame.x.low, nominal), frame.at(frame.x.high, nominal));
    painter.setPen(QPen(QColor(0, 70, 160), 1.5));
    painter.setBrush(QColor(0, 110, 220));
    const double radius = std::max(2.0, metrics.height() / 5);
    for (const LayoutSpeaker& s : solution.speakers) {
      if (std::isfinite(Value(s, quantity))) {
        painter.drawEllipse(frame.at(s.distanceM, Value(s, quantity)), radius, radius);
      }
    }
  }
  painter.restore();
}

QImage LayoutPlotImage(const LayoutSolution& solution, double lineVoltage, PlotQuantity quantity,
                       const QString& separator, const QSize& size, double scale) {
  QImage image(size * scale, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(scale, scale);
  QFont font(SheetFontFamily());
  font.setPixelSize(11);
  painter.setFont(font);
  PaintLayoutPlot(painter, QRectF(QPointF(0, 0), QSizeF(size)), solution, lineVoltage, quantity,
                  separator);
  return image;
}

}  // namespace linecalc::sheet

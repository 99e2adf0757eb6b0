#include "ui/group_frame.h"

#include <QFontMetrics>
#include <QPainter>

namespace linecalc::ui {
namespace {

// Where the title starts, and the room kept clear of the border on either side of it.
constexpr int kTitleLeft = 8;
constexpr int kTitlePadding = 2;

}  // namespace

GroupFrame::GroupFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
  // The title takes the highlight colour; the buttons inside keep the usual text colours.
  QPalette titled = palette();
  const QColor highlight = titled.color(QPalette::Highlight);
  titled.setColor(QPalette::WindowText, highlight);
  titled.setColor(QPalette::Text, highlight);
  setPalette(titled);
}

void GroupFrame::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  // The border's top line runs through the middle of the title, which starts at the box's top.
  const int edge = metrics.height() / 2;
  const QRect border(0, edge, width() - 2, height() - edge - 2);
  // Etched: a dark line with a light one beside it shows on any window colour.
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(border.translated(1, 1));
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(border);
  const QRect titleBox(kTitleLeft, 0, metrics.horizontalAdvance(title()) + 2 * kTitlePadding,
                       metrics.height());
  painter.fillRect(titleBox, palette().brush(QPalette::Window));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(titleBox, Qt::AlignCenter | Qt::TextSingleLine, title());
}

}  // namespace linecalc::ui

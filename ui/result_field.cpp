#include "ui/result_field.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QFrame>
#include <QPainter>
#include <QStyleOptionFrame>
#include <cmath>

namespace linecalc::ui {
namespace {

// QLineEdit keeps 2 pixels of its own before the text; with these 3 more the figure starts 5
// pixels in, 4 clear of the frame, where it stood when the fields were labels.
constexpr QMargins kTextMargins(3, 0, 0, 0);
// QLineEdit's own margin on either side of its text.
constexpr int kLineEditMargin = 2;

}  // namespace

ResultField::ResultField(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setFocusPolicy(Qt::NoFocus);
  setFrame(false);
  setTextMargins(kTextMargins);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // The window's background shows through, and the figure takes the colour of window text.
  QPalette plain = palette();
  plain.setBrush(QPalette::Base, Qt::transparent);
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    plain.setBrush(group, QPalette::Text, plain.brush(group, QPalette::WindowText));
  }
  setPalette(plain);
  // A new figure shows from its first digit.
  connect(this, &QLineEdit::textChanged, this, [this] {
    setCursorPosition(0);
    showWhetherShortened();
  });
  // Part of a shortened figure cannot be seen, so a selection there takes the whole figure.
  connect(this, &QLineEdit::selectionChanged, this, [this] {
    if (hasSelectedText() && !figureFits() && selectedText() != text()) {
      selectAll();
    }
  });
}

QRect ResultField::figureRect() const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  return contents.marginsRemoved(textMargins()).adjusted(kLineEditMargin, 0, -kLineEditMargin, 0);
}

bool ResultField::figureFits() const {
  // QLineEdit scrolls a text once it and the cursor's pixel no longer fit its line.
  const qreal width = QFontMetricsF(font()).horizontalAdvance(text());
  return std::lround(width) + 1 <= figureRect().width();
}

QString ResultField::shownText() const {
  if (figureFits()) {
    return text();
  }
  return QFontMetrics(font()).elidedText(text(), Qt::ElideRight, figureRect().width());
}

void ResultField::showWhetherShortened() {
  setToolTip(figureFits() ? QString() : text());
  update();
}

void ResultField::paintEvent(QPaintEvent* event) {
  if (figureFits()) {
    QLineEdit::paintEvent(event);
  }
  QPainter painter(this);
  if (!figureFits()) {
    paintShortened(painter);
  }
  paintFrame(painter);
}

void ResultField::paintShortened(QPainter& painter) const {
  const QRect line = figureRect();
  const QFontMetrics metrics(font());
  // Where QLineEdit puts a line of text centred in its field.
  const int top = line.y() + (line.height() - metrics.height() + 1) / 2;
  const QString shown = shownText();
  const QRect drawn(line.x(), top, metrics.horizontalAdvance(shown), metrics.height());
  QPalette::ColorRole pen = QPalette::Text;
  if (hasSelectedText()) {
    painter.fillRect(drawn, palette().brush(QPalette::Highlight));
    pen = QPalette::HighlightedText;
  }
  painter.setPen(palette().color(pen));
  painter.drawText(QPoint(drawn.x(), top + metrics.ascent()), shown);
}

void ResultField::paintFrame(QPainter& painter) const {
  QStyleOptionFrame frame;
  frame.initFrom(this);
  frame.frameShape = QFrame::Panel;
  frame.state |= QStyle::State_Sunken;
  frame.lineWidth = 1;
  frame.midLineWidth = 0;
  style()->drawControl(QStyle::CE_ShapedFrame, &frame, &painter, this);
}

void ResultField::contextMenuEvent(QContextMenuEvent* event) {
  // Qt's read-only menu copies the selection; with none, or with a shortened figure, the whole
  // figure is what the user means, and the selection shows what "Копировать" will take.
  if (!hasSelectedText() || !figureFits()) {
    selectAll();
  }
  QLineEdit::contextMenuEvent(event);
}

void ResultField::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    showWhetherShortened();
  }
}

void ResultField::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  showWhetherShortened();
}

}  // namespace linecalc::ui

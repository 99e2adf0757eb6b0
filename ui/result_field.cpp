#include "ui/result_field.h"

#include <QAction>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QPainter>
#include <QStyleOptionFrame>

#include "ui/copy_action.h"

namespace linecalc::ui {
namespace {

// QLineEdit keeps 2 pixels of its own before the text; with these 3 more the figure starts 5
// pixels in, 4 clear of the frame, where it stood when the fields were labels.
constexpr QMargins kTextMargins(3, 0, 0, 0);

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
  // A new figure shows from its first digit, and one too wide is cut off at the right.
  connect(this, &QLineEdit::textChanged, this, [this] { setCursorPosition(0); });
  connect(AddCopyAction(this), &QAction::triggered, this, &ResultField::copyFigure);
}

void ResultField::copyFigure() const {
  QGuiApplication::clipboard()->setText(hasSelectedText() ? selectedText() : text());
}

void ResultField::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  QStyleOptionFrame frame;
  frame.initFrom(this);
  frame.frameShape = QFrame::Panel;
  frame.state |= QStyle::State_Sunken;
  frame.lineWidth = 1;
  frame.midLineWidth = 0;
  QPainter painter(this);
  style()->drawControl(QStyle::CE_ShapedFrame, &frame, &painter, this);
}

}  // namespace linecalc::ui

#include "ui/rule_line.h"

#include <QPainter>

namespace linecalc::ui {

RuleLine::RuleLine(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RuleLine::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().windowText());
}

}  // namespace linecalc::ui

#pragma once

#include <QPushButton>

namespace linecalc::ui {

// A push button whose caption wraps at spaces onto further lines when it is wider than the
// button, as a long caption on a tall button is meant to.
class PushButton : public QPushButton {
 public:
  PushButton(const QString& caption, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace linecalc::ui

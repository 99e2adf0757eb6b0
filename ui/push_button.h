#pragma once

#include <QPushButton>

namespace linecalc::ui {

// A push button whose caption wraps at spaces onto further lines when it is wider than the
// button, as a long caption on a tall button is meant to. Enter presses it as well as Space.
class PushButton : public QPushButton {
 public:
  PushButton(const QString& caption, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace linecalc::ui

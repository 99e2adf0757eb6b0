#pragma once

#include <QWidget>

namespace linecalc::ui {

// A straight rule one pixel wide in the window-text colour.
class RuleLine : public QWidget {
 public:
  explicit RuleLine(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace linecalc::ui

#pragma once

#include <QLineEdit>

namespace linecalc::ui {

// A value the program writes and the user only reads: drawn as a thin sunken panel, never
// focused, its figure selectable with the mouse and copyable. A read-only line edit, rather than
// a label, because a screen reader then hears its name (the unit) and its figure apart.
class ResultField : public QLineEdit {
 public:
  explicit ResultField(QWidget* parent);

  // Copies the selected part of the figure, or the whole figure when nothing is selected.
  void copyFigure() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace linecalc::ui

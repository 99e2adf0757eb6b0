#pragma once

#include <QLineEdit>
#include <QRect>

namespace linecalc::ui {

// A value the program writes and the user only reads: drawn as a thin sunken panel, never
// focused, its figure selectable with the mouse and copyable through Qt's own menu. A read-only
// line edit, rather than a label, because a screen reader then hears its name (the unit) and its
// figure apart. A figure too wide for the field is drawn shortened with an ellipsis, and the
// whole figure stays in its tooltip, its accessible value and what the menu copies.
class ResultField : public QLineEdit {
 public:
  explicit ResultField(QWidget* parent);

  // Whether the whole figure fits the field as Qt would draw it, without scrolling.
  bool figureFits() const;
  // What the field draws: the figure, or its shortened form.
  QString shownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRect figureRect() const;
  void paintShortened(QPainter& painter) const;
  void paintFrame(QPainter& painter) const;
  void showWhetherShortened();
};

}  // namespace linecalc::ui

#pragma once

#include <QFontMetricsF>
#include <QLabel>
#include <QString>

namespace linecalc::ui {

// Breaks `caption` at spaces into lines no wider than `width`. A run of spaces that does not fit
// on its line, or a long run used to pad a line, ends that line, so the text after it starts on
// a new one; Qt's own wrapping would let such a run hang past the edge and keep the text after
// it on the same line.
QString WrapAtSpaces(const QString& caption, const QFontMetricsF& metrics, qreal width);

// A fixed caption in navy that wraps inside its box; what does not fit is cut off.
class StaticText : public QLabel {
 public:
  StaticText(const QString& caption, QWidget* parent);

  // The caption as written, before it is broken into lines.
  const QString& caption() const { return caption_; }

 protected:
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void rewrap();

  QString caption_;
};

}  // namespace linecalc::ui

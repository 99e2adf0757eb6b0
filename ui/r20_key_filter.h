#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace linecalc::ui {

enum class R20Key {
  Pass,       // a key that types no character, or Backspace
  PassTyped,  // a digit or ".": the field now holds the user's own value
  Swallow,    // any other character, control characters and "," included
};

R20Key JudgeR20Key(const QKeyEvent& event);

// Filters the characters typed into the R20 field. `onTyped` runs for each digit or point
// that reaches the field; a swallowed key puts the focus back on the field.
class R20KeyFilter : public QObject {
 public:
  R20KeyFilter(QWidget* field, std::function<void()> onTyped);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* field_;
  std::function<void()> onTyped_;
};

}  // namespace linecalc::ui

#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace linecalc::ui {

enum class R20Key {
  Pass,       // a key that types no character, or Backspace
  PassTyped,  // a digit or ".": the field now holds the user's own value
  Swallow,    // any other character, control characters and "," included
};

R20Key JudgeR20Key(const QKeyEvent& event);

// `text` with every character but the digits and "." taken out.
QString KeepDigitsAndPoints(const QString& text);

// Filters the characters typed or pasted into the R20 field. `onTyped` runs for each digit or
// point typed and for each paste (keys, middle mouse button, context menu, drop), which keeps
// only the digits and points it brings; a swallowed key puts the focus back on the field.
class R20KeyFilter : public QObject {
 public:
  R20KeyFilter(QLineEdit* field, std::function<void()> onTyped);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void judgeEdit(const QString& now);

  QLineEdit* field_;
  std::function<void()> onTyped_;
  QString before_;  // the field's text before the latest change
};

}  // namespace linecalc::ui

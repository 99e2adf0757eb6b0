#pragma once

#include <QObject>

class QKeySequence;
class QMenuBar;
class QWidget;

namespace linecalc::ui {

// Gives the shortcuts of a window's menu items priority over the key bindings of the window's
// own controls. A line edit claims some Ctrl keys for editing (under the X11 key scheme Ctrl+E
// moves to the end of the line), and a key it claims never reaches the menu; a user expects
// "Сохранить расчет в PDF…" wherever the caret stands. Keys that no enabled menu item takes, and
// a text field's own editing keys (undo, redo, cut, copy, paste, select all, delete), stay with
// the control.
class MenuShortcutPriority : public QObject {
 public:
  // Watches the controls of `window` for the items of `bar`, including items added later.
  MenuShortcutPriority(QWidget* window, QMenuBar* bar);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool isMenuKey(const QKeySequence& keys) const;

  QWidget* window_;
  QMenuBar* bar_;
};

}  // namespace linecalc::ui

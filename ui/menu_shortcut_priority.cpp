#include "ui/menu_shortcut_priority.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace linecalc::ui {
namespace {

bool TakesKeys(const QList<QAction*>& actions, const QKeySequence& keys) {
  for (const QAction* action : actions) {
    if (!action->isEnabled()) {
      continue;
    }
    if (action->menu() != nullptr && TakesKeys(action->menu()->actions(), keys)) {
      return true;
    }
    if (action->shortcuts().contains(keys)) {
      return true;
    }
  }
  return false;
}

// The keys a text field edits with, which stay with it even when a menu item has one of them:
// Ctrl+Z in a field undoes the typing, not the last change of the document.
bool IsEditingKey(const QKeyEvent& key) {
  for (const QKeySequence::StandardKey editing :
       {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut, QKeySequence::Copy,
        QKeySequence::Paste, QKeySequence::SelectAll, QKeySequence::Delete}) {
    if (key.matches(editing)) {
      return true;
    }
  }
  return false;
}

}  // namespace

// The filter sits on the application, ahead of every control's own handling and filters, so
// that no control of the window can claim a menu key first.
MenuShortcutPriority::MenuShortcutPriority(QWidget* window, QMenuBar* bar)
    : QObject(window), window_(window), bar_(bar) {
  QApplication::instance()->installEventFilter(this);
}

bool MenuShortcutPriority::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) {
    return false;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != window_) {
    return false;
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  if (qobject_cast<QLineEdit*>(widget) != nullptr && IsEditingKey(*key)) {
    return false;
  }
  const QKeySequence keys(
      QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
  if (!isMenuKey(keys)) {
    return false;
  }
  // An override left unaccepted lets the shortcut run; the control gets no key press.
  event->ignore();
  return true;
}

bool MenuShortcutPriority::isMenuKey(const QKeySequence& keys) const {
  return TakesKeys(bar_->actions(), keys);
}

}  // namespace linecalc::ui

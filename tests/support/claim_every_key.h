#pragma once

#include <QEvent>
#include <QObject>

namespace linecalc::test {

// Claims every key the shortcut map offers it, as a control with key bindings of its own does
// (a line edit with Ctrl+E under X11), so that a test sees whether menu keys still win.
class ClaimEveryKey : public QObject {
 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride) {
      event->accept();
      return true;
    }
    return false;
  }
};

}  // namespace linecalc::test

#include "ui/make_action.h"

#include <QAction>

namespace linecalc::ui {

QAction* MakeAction(QObject* owner, const QString& name, const QString& text,
                    const QList<QKeySequence>& keys, const QString& tip) {
  auto* action = new QAction(text, owner);
  action->setObjectName(name);
  action->setShortcuts(keys);
  action->setStatusTip(tip);
  action->setToolTip(tip);
  return action;
}

QAction* MakeAction(QObject* owner, const char* name, const char* text,
                    const QList<QKeySequence>& keys, const char* tip) {
  return MakeAction(owner, QString::fromUtf8(name), QString::fromUtf8(text), keys,
                    QString::fromUtf8(tip));
}

QList<QKeySequence> StandardKeys(QKeySequence::StandardKey standard, const QKeySequence& promised) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
  if (!promised.isEmpty() && !keys.contains(promised)) {
    keys.prepend(promised);
  }
  return keys;
}

}  // namespace linecalc::ui

#include "ui/copy_action.h"

#include <QAction>
#include <QWidget>

namespace linecalc::ui {

QAction* AddCopyAction(QWidget* widget) {
  auto* action = new QAction(QStringLiteral("Копировать"), widget);
  widget->addAction(action);
  // A list has no menu of its own; this one holds the list's copy alone.
  widget->setContextMenuPolicy(Qt::ActionsContextMenu);
  return action;
}

}  // namespace linecalc::ui

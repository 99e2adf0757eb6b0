#include "ui/copy_action.h"

#include <QAction>
#include <QWidget>

namespace linecalc::ui {

QAction* AddCopyAction(QWidget* widget) {
  auto* action = new QAction(QStringLiteral("Копировать"), widget);
  widget->addAction(action);
  // Qt's own menus would speak English in a window that is Russian throughout.
  widget->setContextMenuPolicy(Qt::ActionsContextMenu);
  return action;
}

}  // namespace linecalc::ui

#pragma once

class QAction;
class QWidget;

namespace linecalc::ui {

// Puts "Копировать" into `widget`'s context menu, which then offers nothing else, and returns
// the action for the widget to connect to its own way of copying.
QAction* AddCopyAction(QWidget* widget);

}  // namespace linecalc::ui

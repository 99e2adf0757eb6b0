#pragma once

#include <QObject>

#include "calc/line_calculation.h"

class QAction;
class QMenu;

namespace linecalc::ui {

class MainWindow;
class ObjectWindow;

// The "Объект" menu of the calculator's main window and the object window it opens: the
// object's file commands, "Линии объекта" and "Добавить расчет в объект". Closing the main
// window with unsaved changes in the object asks about them first.
class ObjectMenu : public QObject {
  Q_OBJECT

 public:
  explicit ObjectMenu(MainWindow& main);

  ObjectWindow& window() { return *window_; }
  // Shows the object window in front.
  void showWindow();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void addFileItems(QMenu& menu);
  void fillRecent(QMenu& recent);
  QAction* forward(const char* name, QAction* target);
  void addCalculation();
  void openInCalculator(const LineInputs& inputs);

  MainWindow& main_;
  ObjectWindow* window_;
  QAction* addCalculation_ = nullptr;
};

}  // namespace linecalc::ui

#include "ui/object/object_menu.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "ui/form1.h"
#include "ui/main_window.h"
#include "ui/make_action.h"
#include "ui/object/object_window.h"
#include "ui/object/recent_files.h"

namespace linecalc::ui {

ObjectMenu::ObjectMenu(MainWindow& main)
    : QObject(&main), main_(main), window_(new ObjectWindow(&main)) {
  QMenu* menu = main.addMenuBefore(main.helpMenu(), QStringLiteral("&Объект"));
  QAction* lines = MakeAction(
      &main, QStringLiteral("actionObjectLines"), QStringLiteral("&Линии объекта"),
      {QKeySequence(QStringLiteral("Ctrl+L"))}, QStringLiteral("Открыть окно с линиями объекта"));
  connect(lines, &QAction::triggered, this, &ObjectMenu::showWindow);
  addCalculation_ = MakeAction(&main, QStringLiteral("actionAddCalculation"),
                               QStringLiteral("&Добавить расчет в объект"),
                               {QKeySequence(QStringLiteral("Ctrl+D"))},
                               QStringLiteral("Добавить линию с данными последнего расчета"));
  addCalculation_->setEnabled(false);
  connect(addCalculation_, &QAction::triggered, this, &ObjectMenu::addCalculation);
  connect(&main.form(), &Form1::calculated, this, [this] { addCalculation_->setEnabled(true); });
  connect(window_, &ObjectWindow::openInCalculator, this, &ObjectMenu::openInCalculator);
  menu->addActions({lines, addCalculation_});
  menu->addSeparator();
  addFileItems(*menu);
  main.installEventFilter(this);
}

// The object's file commands, which bring the object window to the front and act there.
void ObjectMenu::addFileItems(QMenu& menu) {
  const ObjectWindow::FileActions targets = window_->fileActions();
  menu.addActions(
      {forward("actionNewObject", targets.newObject), forward("actionOpenObject", targets.open),
       forward("actionSaveObject", targets.save), forward("actionSaveObjectAs", targets.saveAs),
       forward("actionExportObjectXlsx", targets.xlsx)});
  QMenu* recent = menu.addMenu(QStringLiteral("Последние &файлы"));
  recent->setObjectName(QStringLiteral("menuRecentObjects"));
  recent->setAccessibleName(QStringLiteral("Последние файлы"));
  connect(recent, &QMenu::aboutToShow, this, [this, recent] { fillRecent(*recent); });
}

void ObjectMenu::fillRecent(QMenu& recent) {
  recent.clear();
  const QStringList files = RecentFiles();
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QAction* action =
        recent.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    action->setObjectName(QStringLiteral("actionRecentObject%1").arg(i + 1));
    action->setStatusTip(QDir::toNativeSeparators(path));
    connect(action, &QAction::triggered, this, [this, path] {
      showWindow();
      if (window_->maybeSave()) {
        window_->openFile(path);
      }
    });
  }
  if (files.isEmpty()) {
    recent.addAction(QStringLiteral("(нет)"))->setEnabled(false);
  }
}

// The main window's file item does what the object window's own does, in front of the user.
QAction* ObjectMenu::forward(const char* name, QAction* target) {
  QAction* item = MakeAction(&main_, QString::fromLatin1(name), target->text(), target->shortcuts(),
                             target->statusTip());
  connect(item, &QAction::triggered, this, [this, target] {
    showWindow();
    target->trigger();
  });
  return item;
}

void ObjectMenu::showWindow() {
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void ObjectMenu::openInCalculator(const LineInputs& inputs) {
  if (main_.form().loadLine(inputs)) {
    main_.show();
    main_.raise();
    main_.activateWindow();
  }
}

void ObjectMenu::addCalculation() {
  const std::optional<LineInputs> inputs = main_.form().lastCalculatedInputs();
  if (inputs && window_->addCalculation(*inputs)) {
    showWindow();
  }
}

bool ObjectMenu::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &main_ || event->type() != QEvent::Close) {
    return false;
  }
  if (!window_->maybeSave()) {
    event->ignore();
    return true;
  }
  // Answered already: the object window goes without asking again.
  window_->hide();
  return false;
}

}  // namespace linecalc::ui

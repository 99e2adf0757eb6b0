#include "ui/object/object_menu.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "ui/form1.h"
#include "ui/main_window.h"
#include "ui/object/object_window.h"
#include "ui/object/recent_files.h"

namespace linecalc::ui {

ObjectMenu::ObjectMenu(MainWindow& main)
    : QObject(&main), main_(main), window_(new ObjectWindow(&main.form(), &main)) {
  QMenu* menu = main.addMenuBefore(main.menu(QStringLiteral("Справка")), QStringLiteral("&Объект"));
  QAction* lines = addItem("actionObjectLines", QStringLiteral("&Линии объекта"),
                           QKeySequence(QStringLiteral("Ctrl+L")),
                           QStringLiteral("Открыть окно с линиями объекта"));
  connect(lines, &QAction::triggered, this, &ObjectMenu::showWindow);
  addCalculation_ = addItem("actionAddCalculation", QStringLiteral("&Добавить расчет в объект"),
                            QKeySequence(QStringLiteral("Ctrl+D")),
                            QStringLiteral("Добавить линию с данными последнего расчета"));
  addCalculation_->setEnabled(false);
  connect(addCalculation_, &QAction::triggered, this, &ObjectMenu::addCalculation);
  connect(&main.form(), &Form1::calculated, this, [this] { addCalculation_->setEnabled(true); });
  menu->addActions({lines, addCalculation_});
  menu->addSeparator();
  addFileItems(*menu);
  main.installEventFilter(this);
}

// The object's file commands, which bring the object window to the front and act there.
void ObjectMenu::addFileItems(QMenu& menu) {
  const struct {
    const char* name;
    const char* target;
    QString text;
    QKeySequence key;
  } items[] = {
      {"actionNewObject", "newObject", QStringLiteral("&Новый объект"), QKeySequence::New},
      {"actionOpenObject", "openObject", QStringLiteral("&Открыть…"), QKeySequence::Open},
      {"actionSaveObject", "saveObject", QStringLiteral("&Сохранить"), QKeySequence::Save},
      {"actionSaveObjectAs", "saveObjectAs", QStringLiteral("Сохранить &как…"),
       QKeySequence(QStringLiteral("Ctrl+Shift+S"))},
      {"actionExportObjectXlsx", "exportObjectXlsx", QStringLiteral("&Экспорт в Excel…"), {}},
  };
  for (const auto& item : items) {
    QAction* action = addItem(item.name, item.text, item.key, {});
    forward(action, item.target);
    menu.addAction(action);
  }
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

QAction* ObjectMenu::addItem(const char* name, const QString& text, const QKeySequence& key,
                             const QString& tip) {
  auto* action = new QAction(text, &main_);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(key);
  action->setStatusTip(tip);
  return action;
}

// The main window's file item does what the object window's own does, in front of the user.
void ObjectMenu::forward(QAction* item, const char* objectWindowAction) {
  auto* target = window_->findChild<QAction*>(QString::fromLatin1(objectWindowAction));
  item->setStatusTip(target->statusTip());
  connect(item, &QAction::triggered, this, [this, target] {
    showWindow();
    target->trigger();
  });
}

void ObjectMenu::showWindow() {
  window_->show();
  window_->raise();
  window_->activateWindow();
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

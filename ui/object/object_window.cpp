#include "ui/object/object_window.h"

#include <QAction>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

#include "object/line_table.h"
#include "ui/object/line_cells.h"
#include "ui/object/line_delegate.h"
#include "ui/object/line_table_model.h"
#include "ui/object/recent_files.h"
#include "ui/window_icon.h"

namespace linecalc::ui {
namespace {

using object::LineColumn;

// An action with its text (which a screen reader reads as its name), shortcut and tip.
QAction* MakeAction(QObject* owner, const QString& name, const QString& text,
                    const QKeySequence& key, const QString& tip) {
  auto* action = new QAction(text, owner);
  action->setObjectName(name);
  action->setShortcut(key);
  action->setStatusTip(tip);
  action->setToolTip(tip);
  return action;
}

}  // namespace

ObjectWindow::ObjectWindow(Form1* calculator, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      calculator_(calculator),
      dialogs_(ModalObjectDialogs(this)),
      model_(new LineTableModel(this)),
      undo_(new QUndoStack(this)),
      table_(new QTableView(this)),
      title_(new QLineEdit(this)),
      limit_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("ObjectWindow"));
  setWindowIcon(WindowIcon());
  model_->setUndoStack(undo_);
  createFields();
  createActions();
  createMenus();
  connectModel();
  setCurrentFile({});
  resize(1260, 640);
}

void ObjectWindow::createFields() {
  title_->setObjectName(QStringLiteral("objectTitle"));
  title_->setAccessibleName(QStringLiteral("Название объекта"));
  limit_->setObjectName(QStringLiteral("lossLimit"));
  limit_->setAccessibleName(QStringLiteral("Предел потерь, %"));
  limit_->setMaximumWidth(120);
  createTable();
  auto* form = new QFormLayout;
  auto* titleLabel = new QLabel(QStringLiteral("&Название объекта:"), this);
  titleLabel->setObjectName(QStringLiteral("objectTitleLabel"));
  titleLabel->setBuddy(title_);
  auto* limitLabel = new QLabel(QStringLiteral("&Предел потерь, %:"), this);
  limitLabel->setObjectName(QStringLiteral("lossLimitLabel"));
  limitLabel->setBuddy(limit_);
  form->addRow(titleLabel, title_);
  form->addRow(limitLabel, limit_);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addLayout(form);
  layout->addWidget(table_);
  setCentralWidget(central);
  connect(title_, &QLineEdit::editingFinished, this, [this] { model_->editTitle(title_->text()); });
  connect(limit_, &QLineEdit::editingFinished, this,
          [this] { model_->editLossLimit(limit_->text()); });
}

void ObjectWindow::createTable() {
  table_->setObjectName(QStringLiteral("lineTable"));
  table_->setAccessibleName(QStringLiteral("Линии объекта"));
  table_->setModel(model_);
  table_->setItemDelegate(new LineDelegate(table_));
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  table_->setContextMenuPolicy(Qt::ActionsContextMenu);
  table_->setWordWrap(false);
  // Widths from the rows in sight: measuring every cell would compute every line on opening.
  table_->horizontalHeader()->setResizeContentsPrecision(0);
  table_->verticalHeader()->setResizeContentsPrecision(0);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // The verdict, the loss and the smallest section are what a user scans for: next to the
  // name, in sight without scrolling. The model keeps the CSV's order; the user may drag.
  QHeaderView* header = table_->horizontalHeader();
  header->setSectionsMovable(true);
  int visual = 1;
  for (const LineColumn column :
       {LineColumn::Verdict, LineColumn::LossPct, LineColumn::SmallestSection}) {
    header->moveSection(header->visualIndex(static_cast<int>(column)), visual++);
  }
}

void ObjectWindow::createActions() {
  actions_.newObject = MakeAction(this, "newObject", "&Новый объект", QKeySequence::New,
                                  "Начать новый объект без линий");
  actions_.open =
      MakeAction(this, "openObject", "&Открыть…", QKeySequence::Open, "Открыть файл объекта");
  actions_.save = MakeAction(this, "saveObject", "&Сохранить", QKeySequence::Save,
                             "Сохранить объект в его файл");
  actions_.saveAs =
      MakeAction(this, "saveObjectAs", "Сохранить &как…",
                 QKeySequence(QStringLiteral("Ctrl+Shift+S")), "Сохранить объект в другой файл");
  actions_.print = MakeAction(this, "printObject", "&Печать объекта…", QKeySequence::Print,
                              "Напечатать сводку и листы расчета всех линий");
  actions_.pdf = MakeAction(this, "saveObjectPdf", "Сохранить объект в &PDF…",
                            QKeySequence(QStringLiteral("Ctrl+E")),
                            "Сохранить сводку и листы расчета всех линий в PDF");
  actions_.close =
      MakeAction(this, "closeObject", "&Закрыть окно", QKeySequence::Close, "Закрыть окно объекта");
  actions_.undo = undo_->createUndoAction(this, QStringLiteral("&Отменить"));
  actions_.undo->setObjectName(QStringLiteral("undo"));
  actions_.undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  actions_.redo = undo_->createRedoAction(this, QStringLiteral("&Повторить"));
  actions_.redo->setObjectName(QStringLiteral("redo"));
  actions_.redo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Y")));
  for (int i = 0; i < kMaxRecentFiles; ++i) {
    QAction* recent = MakeAction(this, QStringLiteral("recentFile%1").arg(i + 1), {}, {}, {});
    connect(recent, &QAction::triggered, this, &ObjectWindow::openRecent);
    actions_.recent.append(recent);
  }
  connect(actions_.newObject, &QAction::triggered, this, &ObjectWindow::newObject);
  connect(actions_.open, &QAction::triggered, this, &ObjectWindow::open);
  connect(actions_.save, &QAction::triggered, this, &ObjectWindow::save);
  connect(actions_.saveAs, &QAction::triggered, this, &ObjectWindow::saveAs);
  connect(actions_.print, &QAction::triggered, this, &ObjectWindow::printObject);
  connect(actions_.pdf, &QAction::triggered, this, &ObjectWindow::saveObjectPdf);
  connect(actions_.close, &QAction::triggered, this, &QWidget::close);
  createRowActions();
}

void ObjectWindow::createRowActions() {
  actions_.add = MakeAction(this, "addLine", "&Добавить линию", QKeySequence(Qt::Key_Insert),
                            "Добавить копию выбранной линии или новую линию");
  actions_.duplicate =
      MakeAction(this, "duplicateLine", "&Дублировать линию",
                 QKeySequence(QStringLiteral("Ctrl+Shift+D")), "Вставить копию выбранной линии");
  actions_.remove = MakeAction(this, "deleteLine", "&Удалить линию", QKeySequence::Delete,
                               "Удалить выбранную линию");
  actions_.up = MakeAction(this, "moveLineUp", "Переместить &выше",
                           QKeySequence(QStringLiteral("Ctrl+Up")), "Переместить линию выше");
  actions_.down = MakeAction(this, "moveLineDown", "Переместить &ниже",
                             QKeySequence(QStringLiteral("Ctrl+Down")), "Переместить линию ниже");
  actions_.load =
      MakeAction(this, "loadLine", "&Рассчитать в окне калькулятора", QKeySequence(Qt::Key_Return),
                 "Перенести линию в окно калькулятора и выполнить ее расчет");
  // Keys that an open cell editor needs for itself act only while the table has the focus.
  for (QAction* action : {actions_.remove, actions_.up, actions_.down, actions_.load}) {
    action->setShortcutContext(Qt::WidgetShortcut);
  }
  actions_.load->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
  connect(actions_.add, &QAction::triggered, this, &ObjectWindow::addRow);
  connect(actions_.duplicate, &QAction::triggered, this, &ObjectWindow::duplicateRow);
  connect(actions_.remove, &QAction::triggered, this, &ObjectWindow::deleteRow);
  connect(actions_.up, &QAction::triggered, this, [this] { moveRow(-1); });
  connect(actions_.down, &QAction::triggered, this, [this] { moveRow(1); });
  connect(actions_.load, &QAction::triggered, this, [this] { loadIntoCalculator(currentRow()); });
  connect(table_, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& index) { loadIntoCalculator(index.row()); });
  table_->addActions({actions_.load, actions_.add, actions_.duplicate, actions_.remove, actions_.up,
                      actions_.down});
}

void ObjectWindow::createMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Объект"));
  file->addActions({actions_.newObject, actions_.open, actions_.save, actions_.saveAs});
  recentMenu_ = file->addMenu(QStringLiteral("Последние &файлы"));
  recentMenu_->setObjectName(QStringLiteral("recentFiles"));
  recentMenu_->addActions(actions_.recent);
  file->addSeparator();
  file->addActions({actions_.print, actions_.pdf});
  file->addSeparator();
  file->addAction(actions_.close);
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Правка"));
  edit->addActions({actions_.undo, actions_.redo});
  QMenu* lines = menuBar()->addMenu(QStringLiteral("&Линии"));
  lines->addActions({actions_.add, actions_.duplicate, actions_.remove});
  lines->addSeparator();
  lines->addActions({actions_.up, actions_.down});
  lines->addSeparator();
  lines->addAction(actions_.load);
  for (QMenu* menu : {file, recentMenu_, edit, lines}) {
    menu->setAccessibleName(QString(menu->title()).remove(u'&'));
  }
  updateRecentActions();
}

void ObjectWindow::connectModel() {
  connect(undo_, &QUndoStack::cleanChanged, this,
          [this](bool clean) { setWindowModified(!clean); });
  connect(model_, &LineTableModel::titleChanged, this, [this](const QString& title) {
    title_->setText(title);
    setCurrentFile(path_);
  });
  connect(model_, &LineTableModel::lossLimitChanged, limit_, &QLineEdit::setText);
  connect(model_, &LineTableModel::lineTouched, this, &ObjectWindow::selectRow);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &ObjectWindow::updateRowActions);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, &ObjectWindow::updateRowActions);
  connect(model_, &QAbstractItemModel::modelReset, this, &ObjectWindow::updateRowActions);
  updateRowActions();
}

int ObjectWindow::currentRow() const {
  const QModelIndex current = table_->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void ObjectWindow::selectRow(int row) {
  const QModelIndex index = model_->index(row, std::max(0, table_->currentIndex().column()));
  table_->setCurrentIndex(index);
  table_->scrollTo(index);
  updateRowActions();
}

void ObjectWindow::updateRowActions() {
  const int row = currentRow();
  const bool any = row >= 0;
  actions_.duplicate->setEnabled(any);
  actions_.remove->setEnabled(any);
  actions_.load->setEnabled(any && calculator_ != nullptr);
  actions_.up->setEnabled(row > 0);
  actions_.down->setEnabled(any && row + 1 < model_->rowCount());
}

}  // namespace linecalc::ui

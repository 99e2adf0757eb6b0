#include "ui/object/object_window.h"

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>
#include <limits>

#include "object/line_table.h"
#include "ui/make_action.h"
#include "ui/menu_shortcut_priority.h"
#include "ui/object/amplifier_table_model.h"
#include "ui/object/column_layout.h"
#include "ui/object/line_cells.h"
#include "ui/object/line_delegate.h"
#include "ui/object/line_table_model.h"
#include "ui/object/recent_files.h"
#include "ui/window_icon.h"

namespace linecalc::ui {
// Closing hides the window while QWidget destroys it, and the field losing the focus then
// finishes its edit: by that time the window's own members are gone, so the fields speak no more.
ObjectWindow::~ObjectWindow() {
  title_->disconnect(this);
  limit_->disconnect(this);
  reserve_->disconnect(this);
}

ObjectWindow::ObjectWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      dialogs_(ModalObjectDialogs(this)),
      model_(new LineTableModel(this)),
      undo_(new QUndoStack(this)),
      table_(new QTableView(this)),
      title_(new QLineEdit(this)),
      limit_(new QLineEdit(this)),
      minSection_(new QComboBox(this)),
      amplifierModel_(new AmplifierTableModel(model_, this)),
      amplifierTable_(new QTableView(this)),
      reserve_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("ObjectWindow"));
  setWindowIcon(WindowIcon());
  statusBar()->setObjectName(QStringLiteral("objectStatus"));  // tips and what a command did
  model_->setUndoStack(undo_);
  createFields();
  createActions();
  createMenus();
  new MenuShortcutPriority(this, menuBar());
  connectModel();
  setCurrentFile({});
  resize(1260, 640);
}

ObjectWindow::FileActions ObjectWindow::fileActions() const {
  return {actions_.newObject, actions_.open, actions_.save, actions_.saveAs, actions_.xlsx};
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
  form->addRow(limitLabel, createLimitRow());
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addLayout(form);
  auto* tables = new QSplitter(Qt::Vertical, central);
  tables->setObjectName(QStringLiteral("objectTables"));
  tables->addWidget(table_);
  tables->addWidget(createAmplifierPanel());
  tables->setStretchFactor(0, 3);
  tables->setStretchFactor(1, 1);
  layout->addWidget(tables);
  setCentralWidget(central);
  // A file's title or limit may be longer than a line edit holds by default (32,767).
  title_->setMaxLength(std::numeric_limits<int>::max());
  limit_->setMaxLength(std::numeric_limits<int>::max());
  connect(title_, &QLineEdit::editingFinished, this, &ObjectWindow::commitFields);
  connect(limit_, &QLineEdit::editingFinished, this, &ObjectWindow::commitFields);
}

// The thinnest section allowed stands beside the limit: both decide the smallest section.
QWidget* ObjectWindow::createLimitRow() {
  minSection_->setObjectName(QStringLiteral("minSection"));
  minSection_->setAccessibleName(QStringLiteral("Мин. допустимое сечение, мм²"));
  minSection_->addItem(QStringLiteral("нет"));
  minSection_->addItems(SectionChoices());
  auto* label = new QLabel(QStringLiteral("&Мин. допустимое сечение, мм²:"), this);
  label->setObjectName(QStringLiteral("minSectionLabel"));
  label->setBuddy(minSection_);
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(limit_);
  layout->addSpacing(16);
  layout->addWidget(label);
  layout->addWidget(minSection_);
  layout->addSpacing(16);
  auto* reserveLabel = new QLabel(QStringLiteral("&Запас мощности усилителей, %:"), this);
  reserveLabel->setObjectName(QStringLiteral("amplifierReserveLabel"));
  reserveLabel->setBuddy(reserve_);
  layout->addWidget(reserveLabel);
  layout->addWidget(reserve_);
  layout->addStretch();
  connect(minSection_, &QComboBox::currentIndexChanged, this, [this](int index) {
    model_->editMinSection(index > 0 ? std::optional<int>(index - 1) : std::nullopt);
  });
  return row;
}

void ObjectWindow::createTable() {
  table_->setObjectName(QStringLiteral("lineTable"));
  table_->setAccessibleName(QStringLiteral("Линии объекта"));
  table_->setModel(model_);
  auto* delegate = new LineDelegate(table_);
  table_->setItemDelegate(delegate);
  connect(delegate, &LineDelegate::enterCommitted, this, &ObjectWindow::moveDown);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                          QAbstractItemView::DoubleClicked);
  table_->installEventFilter(this);
  table_->setContextMenuPolicy(Qt::ActionsContextMenu);
  table_->setWordWrap(false);
  // Widths from the rows in sight: measuring every cell would compute every line on opening.
  table_->horizontalHeader()->setResizeContentsPrecision(0);
  table_->verticalHeader()->setResizeContentsPrecision(0);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // The model keeps the CSV's order; the view shows the inputs first.
  columns_ = new ColumnLayout(table_->horizontalHeader());
}

void ObjectWindow::createActions() {
  actions_.newObject = MakeAction(this, "newObject", "&Новый объект",
                                  StandardKeys(QKeySequence::New), "Начать новый объект без линий");
  actions_.open = MakeAction(this, "openObject", "&Открыть…", StandardKeys(QKeySequence::Open),
                             "Открыть файл объекта");
  actions_.save = MakeAction(this, "saveObject", "&Сохранить", StandardKeys(QKeySequence::Save),
                             "Сохранить объект в его файл");
  actions_.saveAs =
      MakeAction(this, "saveObjectAs", "Сохранить &как…",
                 StandardKeys(QKeySequence::SaveAs, QKeySequence(QStringLiteral("Ctrl+Shift+S"))),
                 "Сохранить объект в другой файл");
  actions_.print =
      MakeAction(this, "printObject", "&Печать объекта…", StandardKeys(QKeySequence::Print),
                 "Напечатать сводку и листы расчета всех линий");
  actions_.pdf = MakeAction(this, "saveObjectPdf", "Сохранить объект в &PDF…",
                            {QKeySequence(QStringLiteral("Ctrl+E"))},
                            "Сохранить сводку и листы расчета всех линий в PDF");
  actions_.xlsx = MakeAction(this, "exportObjectXlsx", "&Экспорт в Excel…", {},
                             "Сохранить таблицу линий в книгу Excel (XLSX)");
  actions_.close = MakeAction(this, "closeObject", "&Закрыть окно",
                              StandardKeys(QKeySequence::Close), "Закрыть окно объекта");
  actions_.undo = undo_->createUndoAction(this, QStringLiteral("&Отменить"));
  actions_.undo->setObjectName(QStringLiteral("undo"));
  actions_.undo->setShortcuts(
      StandardKeys(QKeySequence::Undo, QKeySequence(QStringLiteral("Ctrl+Z"))));
  // "Отменить: изменение сечения (строка 3)", whatever Qt's own wording would be.
  // The lambdas hold the actions, not the window: the stack, a child of the window, announces
  // its clearing while the window's members are already gone.
  QAction* undo = actions_.undo;
  connect(undo_, &QUndoStack::undoTextChanged, undo, [undo](const QString& text) {
    undo->setText(text.isEmpty() ? QStringLiteral("&Отменить")
                                 : QStringLiteral("&Отменить: %1").arg(text));
  });
  actions_.redo = undo_->createRedoAction(this, QStringLiteral("&Повторить"));
  actions_.redo->setObjectName(QStringLiteral("redo"));
  actions_.redo->setShortcuts(
      StandardKeys(QKeySequence::Redo, QKeySequence(QStringLiteral("Ctrl+Y"))));
  QAction* redo = actions_.redo;
  connect(undo_, &QUndoStack::redoTextChanged, redo, [redo](const QString& text) {
    redo->setText(text.isEmpty() ? QStringLiteral("&Повторить")
                                 : QStringLiteral("&Повторить: %1").arg(text));
  });
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
  connect(actions_.xlsx, &QAction::triggered, this, &ObjectWindow::exportXlsx);
  connect(actions_.close, &QAction::triggered, this, &QWidget::close);
  createRowActions();
  createLayoutActions();
  createAmplifierActions();
}

void ObjectWindow::createRowActions() {
  actions_.add = MakeAction(this, "addLine", "&Добавить линию", {QKeySequence(Qt::Key_Insert)},
                            "Добавить копию выбранной линии или новую линию");
  actions_.duplicate =
      MakeAction(this, "duplicateLine", "&Дублировать линию",
                 {QKeySequence(QStringLiteral("Ctrl+Shift+D"))}, "Вставить копию выбранной линии");
  actions_.remove = MakeAction(this, "deleteLine", "&Удалить линию",
                               StandardKeys(QKeySequence::Delete), "Удалить выбранную линию");
  actions_.up = MakeAction(this, "moveLineUp", "Переместить &выше",
                           {QKeySequence(QStringLiteral("Ctrl+Up"))}, "Переместить линию выше");
  actions_.down = MakeAction(this, "moveLineDown", "Переместить &ниже",
                             {QKeySequence(QStringLiteral("Ctrl+Down"))}, "Переместить линию ниже");
  actions_.load = MakeAction(this, "loadLine", "&Открыть в калькуляторе",
                             {QKeySequence(QStringLiteral("Ctrl+L"))},
                             "Перенести линию в окно калькулятора и выполнить ее расчет");
  actions_.applyMinSection = MakeAction(this, "applyMinSection", "Применить &мин. сечение", {},
                                        "Заменить сечение выбранных линий наименьшим достаточным");
  // Keys that an open cell editor needs for itself act only while the table has the focus.
  for (QAction* action : {actions_.remove, actions_.up, actions_.down}) {
    action->setShortcutContext(Qt::WidgetShortcut);
  }
  connect(actions_.add, &QAction::triggered, this, &ObjectWindow::addRow);
  connect(actions_.duplicate, &QAction::triggered, this, &ObjectWindow::duplicateRow);
  connect(actions_.remove, &QAction::triggered, this, &ObjectWindow::deleteRow);
  connect(actions_.up, &QAction::triggered, this, [this] { moveRow(-1); });
  connect(actions_.down, &QAction::triggered, this, [this] { moveRow(1); });
  connect(actions_.load, &QAction::triggered, this, [this] { loadIntoCalculator(currentRow()); });
  connect(actions_.applyMinSection, &QAction::triggered, this, &ObjectWindow::applyMinSection);
  connect(table_->verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
          &ObjectWindow::loadIntoCalculator);
  table_->addActions({actions_.load, actions_.applyMinSection, actions_.add, actions_.duplicate,
                      actions_.remove, actions_.up, actions_.down});
}

void ObjectWindow::createMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Объект"));
  file->addActions({actions_.newObject, actions_.open, actions_.save, actions_.saveAs});
  recentMenu_ = file->addMenu(QStringLiteral("Последние &файлы"));
  recentMenu_->setObjectName(QStringLiteral("recentFiles"));
  recentMenu_->addActions(actions_.recent);
  file->addSeparator();
  file->addActions({actions_.print, actions_.pdf, actions_.xlsx});
  file->addSeparator();
  file->addAction(actions_.close);
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Правка"));
  edit->addActions({actions_.undo, actions_.redo});
  QMenu* lines = menuBar()->addMenu(QStringLiteral("&Линии"));
  lines->addActions({actions_.add, actions_.duplicate, actions_.remove});
  lines->addSeparator();
  lines->addActions({actions_.up, actions_.down});
  lines->addSeparator();
  lines->addActions({actions_.applyMinSection, actions_.load});
  lines->addSeparator();
  lines->addActions({actions_.editLayout, actions_.convertToLayout});
  QMenu* amplifiers = menuBar()->addMenu(QStringLiteral("&Усилители"));
  amplifiers->addActions({actions_.addAmplifier, actions_.removeAmplifier});
  for (QMenu* menu : {file, recentMenu_, edit, lines, amplifiers}) {
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
  connect(model_, &LineTableModel::minSectionChanged, minSection_, [this](int section) {
    const QSignalBlocker quiet(minSection_);
    minSection_->setCurrentIndex(section + 1);
  });
  // After the cell's editor has closed, so that no box opens while it is being closed.
  connect(
      model_, &LineTableModel::inputRefused, this,
      [this](const QString& text) { dialogs_.message(text); }, Qt::QueuedConnection);
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
  actions_.applyMinSection->setEnabled(any);
  actions_.load->setEnabled(any);
  actions_.up->setEnabled(row > 0);
  actions_.down->setEnabled(any && row + 1 < model_->rowCount());
  updateLayoutActions();
}

// Enter moves down as in a spreadsheet; it never opens a line elsewhere.
bool ObjectWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      moveDown();
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void ObjectWindow::moveDown() {
  const QModelIndex current = table_->currentIndex();
  if (current.isValid() && current.row() + 1 < model_->rowCount()) {
    table_->setCurrentIndex(model_->index(current.row() + 1, current.column()));
  }
}

}  // namespace linecalc::ui

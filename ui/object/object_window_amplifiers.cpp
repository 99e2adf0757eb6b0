#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

#include "calc/amplifier_load.h"
#include "ui/make_action.h"
#include "ui/object/amplifier_table_model.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_window.h"
#include "ui/qt_text.h"

// The amplifiers that feed the lines: a table of their own under the lines, on the same undo
// stack, and the reserve they keep beside the loss limit.
namespace linecalc::ui {

QWidget* ObjectWindow::createAmplifierPanel() {
  auto* panel = new QWidget(this);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel(QStringLiteral("У&силители"), panel);
  label->setObjectName(QStringLiteral("amplifierTableLabel"));
  label->setBuddy(amplifierTable_);
  layout->addWidget(label);
  layout->addWidget(amplifierTable_);
  amplifierTable_->setObjectName(QStringLiteral("amplifierTable"));
  amplifierTable_->setAccessibleName(QStringLiteral("Усилители объекта"));
  amplifierTable_->setModel(amplifierModel_);
  amplifierTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
  amplifierTable_->setSelectionMode(QAbstractItemView::SingleSelection);
  amplifierTable_->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed |
                                   QAbstractItemView::DoubleClicked);
  amplifierTable_->setContextMenuPolicy(Qt::ActionsContextMenu);
  amplifierTable_->setWordWrap(false);
  amplifierTable_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  amplifierTable_->horizontalHeader()->setStretchLastSection(true);
  // A few rows: their columns fit what they show whenever it changes.
  const auto fit = [this] { amplifierTable_->resizeColumnsToContents(); };
  connect(amplifierModel_, &QAbstractItemModel::modelReset, amplifierTable_, fit);
  connect(amplifierModel_, &QAbstractItemModel::dataChanged, amplifierTable_, fit);
  reserve_->setObjectName(QStringLiteral("amplifierReserve"));
  reserve_->setAccessibleName(QStringLiteral("Запас мощности усилителей, %"));
  reserve_->setPlaceholderText(QStringLiteral("20"));
  reserve_->setMaximumWidth(80);
  connect(reserve_, &QLineEdit::editingFinished, this, &ObjectWindow::commitReserve);
  connect(model_, &LineTableModel::amplifiersChanged, reserve_,
          [this] { reserve_->setText(ToQString(model_->lineObject().amplifierReservePct)); });
  // After the cell's editor has closed, so that no box opens while it is being closed.
  connect(
      amplifierModel_, &AmplifierTableModel::inputRefused, this,
      [this](const QString& text) { dialogs_.message(text); }, Qt::QueuedConnection);
  return panel;
}

void ObjectWindow::createAmplifierActions() {
  actions_.addAmplifier = MakeAction(this, "addAmplifier", "&Добавить усилитель", {},
                                     "Добавить усилитель 240 Вт, 100 В в таблицу усилителей");
  actions_.removeAmplifier =
      MakeAction(this, "deleteAmplifier", "&Удалить усилитель", StandardKeys(QKeySequence::Delete),
                 "Удалить выбранный усилитель; его линии останутся без усилителя");
  actions_.removeAmplifier->setShortcutContext(Qt::WidgetShortcut);
  connect(actions_.addAmplifier, &QAction::triggered, this, &ObjectWindow::addAmplifier);
  connect(actions_.removeAmplifier, &QAction::triggered, this, &ObjectWindow::deleteAmplifier);
  amplifierTable_->addActions({actions_.addAmplifier, actions_.removeAmplifier});
  // Tab goes through the fields as they stand, then the lines, then the amplifiers.
  setTabOrder(minSection_, reserve_);
  setTabOrder(reserve_, table_);
  setTabOrder(table_, amplifierTable_);
  connect(amplifierTable_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &ObjectWindow::updateAmplifierActions);
  connect(amplifierModel_, &QAbstractItemModel::modelReset, this,
          &ObjectWindow::updateAmplifierActions);
  updateAmplifierActions();
}

void ObjectWindow::updateAmplifierActions() {
  actions_.removeAmplifier->setEnabled(amplifierTable_->currentIndex().isValid());
}

void ObjectWindow::commitReserve() {
  const QString text = reserve_->text();
  if (!ReadAmplifierReserve(text.toStdString())) {
    reserve_->setText(ToQString(model_->lineObject().amplifierReservePct));
    dialogs_.message(QStringLiteral("Запас мощности усилителей «%1» должен быть числом от 0 до "
                                    "100 % (пусто — 20 %). Значение не изменено.")
                         .arg(text));
    return;
  }
  LineTableModel::AmplifierState state = model_->amplifierState();
  state.reservePct = text.toStdString();
  model_->editAmplifiers(std::move(state), QStringLiteral("изменение запаса мощности усилителей"));
}

void ObjectWindow::addAmplifier() {
  const int row = amplifierModel_->addAmplifier();
  amplifierTable_->setCurrentIndex(amplifierModel_->index(row, 0));
  amplifierTable_->setFocus();
}

void ObjectWindow::deleteAmplifier() {
  const QModelIndex current = amplifierTable_->currentIndex();
  if (!current.isValid()) {
    return;
  }
  amplifierModel_->deleteAmplifier(current.row());
  const int rows = amplifierModel_->rowCount();
  if (rows > 0) {
    amplifierTable_->setCurrentIndex(
        amplifierModel_->index(std::min(current.row(), rows - 1), current.column()));
  }
}

}  // namespace linecalc::ui

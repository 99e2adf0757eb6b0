#include <QAction>
#include <QStatusBar>
#include <QTableView>
#include <algorithm>

#include "ui/field_texts.h"
#include "ui/object/line_cells.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_window.h"
#include "ui/qt_text.h"

// Adding, copying, removing and moving the lines of the object, and the two ways to and from
// the calculator window.
namespace linecalc::ui {
namespace {

QString NewLineName(int number) {
  return QStringLiteral("Линия %1").arg(number);
}

// Why `line` cannot go into the calculator: its own message, or else that its R20 (negative, or
// with more digits than the field holds) cannot be typed there.
QString UnloadableLine(const object::ObjectLine& line, const LineAssessment& assessment) {
  const QString name = ToQString(line.name);
  if (!assessment.calculation.message.empty()) {
    return QStringLiteral("Линия «%1»: %2").arg(name, ToQString(assessment.calculation.message));
  }
  return QStringLiteral(
             "Линия «%1»: R20 «%2» нельзя ввести в поле R20 калькулятора, поэтому "
             "линия не открыта в калькуляторе.")
      .arg(name, ToQString(line.inputs.r20.value_or(std::string())));
}

}  // namespace

void ObjectWindow::addRow() {
  const int row = currentRow();
  if (row < 0) {
    model_->addLine(model_->rowCount(), DefaultLine(NewLineName(model_->rowCount() + 1)),
                    QStringLiteral("добавление линии"));
    return;
  }
  object::ObjectLine copy = model_->lineObject().lines[static_cast<std::size_t>(row)];
  copy.name = NewLineName(model_->rowCount() + 1).toStdString();
  model_->addLine(row + 1, copy, QStringLiteral("добавление линии"));
}

void ObjectWindow::duplicateRow() {
  const int row = currentRow();
  if (row >= 0) {
    model_->addLine(row + 1, model_->lineObject().lines[static_cast<std::size_t>(row)],
                    QStringLiteral("дублирование линии"));
  }
}

void ObjectWindow::deleteRow() {
  const int row = currentRow();
  if (row < 0) {
    return;
  }
  const QString name = ToQString(model_->lineObject().lines[static_cast<std::size_t>(row)].name);
  model_->deleteLine(row);
  // No question first: the deletion is one undo away, and the status bar says how.
  statusBar()->showMessage(
      QStringLiteral("Линия «%1» удалена. Отменить: %2")
          .arg(name, actions_.undo->shortcut().toString(QKeySequence::NativeText)));
}

QList<int> ObjectWindow::selectedRows() const {
  QList<int> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
    rows.append(index.row());
  }
  if (rows.isEmpty() && currentRow() >= 0) {
    rows.append(currentRow());
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void ObjectWindow::applyMinSection() {
  if (!model_->hasLimit()) {
    statusBar()->showMessage(
        QStringLiteral("Нет предела потерь: задайте его, чтобы найти наименьшее сечение."));
    return;
  }
  const LineTableModel::SectionsApplied applied = model_->applySmallestSections(selectedRows());
  QString text = QStringLiteral("Сечение изменено в линиях: %1.").arg(applied.changed);
  if (!applied.without.isEmpty()) {
    text += QStringLiteral(" Нет достаточного сечения: %1.")
                .arg(QStringLiteral("«%1»").arg(applied.without.join(QStringLiteral("», «"))));
  }
  statusBar()->showMessage(text);
}

void ObjectWindow::moveRow(int step) {
  const int row = currentRow();
  const int to = row + step;
  if (row >= 0 && to >= 0 && to < model_->rowCount()) {
    model_->moveLine(row, to);
  }
}

bool ObjectWindow::addCalculation(const LineInputs& inputs) {
  const std::optional<QString> name = dialogs_.lineName(NewLineName(model_->rowCount() + 1));
  if (!name) {
    return false;
  }
  model_->addLine(model_->rowCount(), object::ObjectLine{name->toStdString(), inputs},
                  QStringLiteral("добавление расчета"));
  return true;
}

void ObjectWindow::loadIntoCalculator(int row) {
  if (row < 0 || row >= model_->rowCount()) {
    return;
  }
  const object::ObjectLine& line = model_->lineObject().lines[static_cast<std::size_t>(row)];
  // The calculator has no layout load; it would show the layout as a line without loudspeakers.
  if (line.inputs.load == LoadKind::Layout) {
    dialogs_.message(QStringLiteral("Линия «%1» задана схемой участков, а калькулятор считает "
                                    "только нагрузку в конце линии и равномерную. Схему "
                                    "открывает команда «Схема линии…» меню «Линии».")
                         .arg(ToQString(line.name)));
    return;
  }
  if (line.inputs.r20 && !R20FieldText(*line.inputs.r20)) {
    dialogs_.message(UnloadableLine(line, model_->assessment(row)));
    return;
  }
  emit openInCalculator(line.inputs);
}

}  // namespace linecalc::ui

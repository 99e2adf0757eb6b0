#include <QTableView>

#include "ui/form1.h"
#include "ui/object/line_cells.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_window.h"

// Adding, copying, removing and moving the lines of the object, and the two ways to and from
// the calculator window.
namespace linecalc::ui {
namespace {

QString NewLineName(int number) {
  return QStringLiteral("Линия %1").arg(number);
}

}  // namespace

void ObjectWindow::addRow() {
  const int row = currentRow();
  if (row < 0) {
    model_->addLine(model_->rowCount(), DefaultLine(NewLineName(model_->rowCount() + 1)),
                    QStringLiteral("Добавление линии"));
    return;
  }
  object::ObjectLine copy = model_->lineObject().lines[static_cast<std::size_t>(row)];
  copy.name = NewLineName(model_->rowCount() + 1).toStdString();
  model_->addLine(row + 1, copy, QStringLiteral("Добавление линии"));
}

void ObjectWindow::duplicateRow() {
  const int row = currentRow();
  if (row >= 0) {
    model_->addLine(row + 1, model_->lineObject().lines[static_cast<std::size_t>(row)],
                    QStringLiteral("Дублирование линии"));
  }
}

void ObjectWindow::deleteRow() {
  const int row = currentRow();
  if (row >= 0) {
    model_->deleteLine(row);
  }
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
                  QStringLiteral("Добавление расчета"));
  return true;
}

void ObjectWindow::loadIntoCalculator(int row) {
  if (calculator_ == nullptr || row < 0 || row >= model_->rowCount()) {
    return;
  }
  QWidget* window = calculator_->window();
  window->show();
  window->raise();
  window->activateWindow();
  calculator_->loadLine(model_->lineObject().lines[static_cast<std::size_t>(row)].inputs);
}

}  // namespace linecalc::ui

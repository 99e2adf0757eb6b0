#include "ui/object/line_commands.h"

#include "ui/object/line_table_model.h"

namespace linecalc::ui {

QString OnRow(const QString& what, int row) {
  return QStringLiteral("%1 (строка %2)").arg(what).arg(row + 1);
}

ReplaceLineCommand::ReplaceLineCommand(LineTableModel* model, int row, object::ObjectLine line,
                                       const QString& text, QUndoCommand* parent)
    : QUndoCommand(text, parent),
      model_(model),
      row_(row),
      before_(model->lineObject().lines.at(static_cast<std::size_t>(row))),
      after_(std::move(line)) {}

void ReplaceLineCommand::redo() {
  model_->putLine(row_, after_);
}

void ReplaceLineCommand::undo() {
  model_->putLine(row_, before_);
}

InsertLineCommand::InsertLineCommand(LineTableModel* model, int row, object::ObjectLine line,
                                     const QString& text, bool remove)
    : QUndoCommand(text), model_(model), row_(row), line_(std::move(line)), removes_(remove) {}

void InsertLineCommand::redo() {
  removes_ ? remove() : insert();
}

void InsertLineCommand::undo() {
  removes_ ? insert() : remove();
}

void InsertLineCommand::insert() {
  model_->insertLine(row_, line_);
}

void InsertLineCommand::remove() {
  line_ = model_->takeLine(row_);
}

MoveLineCommand::MoveLineCommand(LineTableModel* model, int from, int to)
    : QUndoCommand(QStringLiteral("перемещение линии (строка %1 → %2)").arg(from + 1).arg(to + 1)),
      model_(model),
      from_(from),
      to_(to) {}

void MoveLineCommand::redo() {
  model_->shiftLine(from_, to_);
}

void MoveLineCommand::undo() {
  model_->shiftLine(to_, from_);
}

ObjectFieldCommand::ObjectFieldCommand(LineTableModel* model, Field field, std::string text)
    : QUndoCommand(field == Field::Title ? QStringLiteral("изменение названия объекта")
                                         : QStringLiteral("изменение предела потерь")),
      model_(model),
      field_(field),
      before_(field == Field::Title ? model->lineObject().title : model->lineObject().lossLimitPct),
      after_(std::move(text)) {}

void ObjectFieldCommand::redo() {
  put(after_);
}

void ObjectFieldCommand::undo() {
  put(before_);
}

void ObjectFieldCommand::put(const std::string& text) {
  if (field_ == Field::Title) {
    model_->putTitle(text);
  } else {
    model_->putLossLimit(text);
  }
}

AmplifiersCommand::AmplifiersCommand(LineTableModel* model, LineTableModel::AmplifierState state,
                                     const QString& text)
    : QUndoCommand(text),
      model_(model),
      before_(model->amplifierState()),
      after_(std::move(state)) {}

void AmplifiersCommand::redo() {
  model_->putAmplifiers(after_);
}

void AmplifiersCommand::undo() {
  model_->putAmplifiers(before_);
}

MinSectionCommand::MinSectionCommand(LineTableModel* model, std::optional<int> section)
    : QUndoCommand(QStringLiteral("изменение мин. допустимого сечения")),
      model_(model),
      before_(model->lineObject().minSection),
      after_(section) {}

void MinSectionCommand::redo() {
  model_->putMinSection(after_);
}

void MinSectionCommand::undo() {
  model_->putMinSection(before_);
}

}  // namespace linecalc::ui

#include "ui/object/line_commands.h"

#include "ui/object/line_table_model.h"

namespace linecalc::ui {

ReplaceLineCommand::ReplaceLineCommand(LineTableModel* model, int row, object::ObjectLine line,
                                       const QString& text)
    : QUndoCommand(text),
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
    : QUndoCommand(QStringLiteral("Перемещение линии")), model_(model), from_(from), to_(to) {}

void MoveLineCommand::redo() {
  model_->shiftLine(from_, to_);
}

void MoveLineCommand::undo() {
  model_->shiftLine(to_, from_);
}

ObjectFieldCommand::ObjectFieldCommand(LineTableModel* model, Field field, std::string text)
    : QUndoCommand(field == Field::Title ? QStringLiteral("Изменение названия")
                                         : QStringLiteral("Изменение предела потерь")),
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

}  // namespace linecalc::ui

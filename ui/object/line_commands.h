#pragma once

#include <QUndoCommand>
#include <optional>
#include <string>

#include "object/line_object.h"
#include "ui/object/line_table_model.h"

namespace linecalc::ui {

// Replaces line `row` of the model (an edited cell), alone or as one step of `parent`.
class ReplaceLineCommand : public QUndoCommand {
 public:
  ReplaceLineCommand(LineTableModel* model, int row, object::ObjectLine line, const QString& text,
                     QUndoCommand* parent = nullptr);
  void redo() override;
  void undo() override;

 private:
  LineTableModel* model_;
  int row_;
  object::ObjectLine before_;
  object::ObjectLine after_;
};

// Inserts a line at `row` (add, duplicate, a calculation added) or, with `remove` set, takes
// line `row` away.
class InsertLineCommand : public QUndoCommand {
 public:
  InsertLineCommand(LineTableModel* model, int row, object::ObjectLine line, const QString& text,
                    bool remove = false);
  void redo() override;
  void undo() override;

 private:
  void insert();
  void remove();

  LineTableModel* model_;
  int row_;
  object::ObjectLine line_;
  bool removes_;
};

// The row a command acts on, for its text: "изменение сечения (строка 3)".
QString OnRow(const QString& what, int row);

// Moves a line from one row to another.
class MoveLineCommand : public QUndoCommand {
 public:
  MoveLineCommand(LineTableModel* model, int from, int to);
  void redo() override;
  void undo() override;

 private:
  LineTableModel* model_;
  int from_;
  int to_;
};

// Changes the object's title or its loss limit.
class ObjectFieldCommand : public QUndoCommand {
 public:
  enum class Field { Title, LossLimit };
  ObjectFieldCommand(LineTableModel* model, Field field, std::string text);
  void redo() override;
  void undo() override;

 private:
  void put(const std::string& text);

  LineTableModel* model_;
  Field field_;
  std::string before_;
  std::string after_;
};

// Changes the thinnest section the object allows (a row of the section list; absent: any).
class MinSectionCommand : public QUndoCommand {
 public:
  MinSectionCommand(LineTableModel* model, std::optional<int> section);
  void redo() override;
  void undo() override;

 private:
  LineTableModel* model_;
  std::optional<int> before_;
  std::optional<int> after_;
};

// Changes the amplifiers, their reserve and the lines they feed, as one step.
class AmplifiersCommand : public QUndoCommand {
 public:
  AmplifiersCommand(LineTableModel* model, LineTableModel::AmplifierState state,
                    const QString& text);
  void redo() override;
  void undo() override;

 private:
  LineTableModel* model_;
  LineTableModel::AmplifierState before_;
  LineTableModel::AmplifierState after_;
};

}  // namespace linecalc::ui

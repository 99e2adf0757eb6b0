#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "calc/smallest_section.h"
#include "object/line_object.h"

class QUndoCommand;
class QUndoStack;

namespace linecalc::ui {

// The lines of an object as a table with the columns of its CSV. Input cells show and edit the
// texts as typed; result cells are the CSV's cells of the line, with the locale's decimal
// separator. A line is assessed when it is first shown and again only when it changes (every
// line when the loss limit changes). Edits through setData() and the editing functions go on
// the undo stack when one is set; the put…() functions change the object directly and are what
// the undo commands call.
class LineTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit LineTableModel(QObject* parent = nullptr);

  // The choices of a line's "Усилитель" cell (a QStringList): kNoAmplifier, then the amplifiers.
  static constexpr int kChoicesRole = Qt::UserRole;
  static const QString kNoAmplifier;

  // The amplifiers of the object, their reserve and which feeds each line: what an edit of the
  // amplifiers changes, as one piece (a renamed or deleted amplifier changes its lines too).
  struct AmplifierState {
    std::vector<object::Amplifier> amplifiers;
    std::string reservePct;
    std::vector<std::string> lineAmplifiers;
  };
  AmplifierState amplifierState() const;
  // Undoable, as one step called `what`; nothing when `state` is the present one.
  void editAmplifiers(AmplifierState state, const QString& what);
  // Direct, as the undo commands call it.
  void putAmplifiers(const AmplifierState& state);

  // Edits are pushed on `stack` from now on (not owned; may be null).
  void setUndoStack(QUndoStack* stack) { undoStack_ = stack; }

  const object::LineObject& lineObject() const { return object_; }
  // Replaces the whole object, as when a file is opened; not an undoable edit.
  void setLineObject(object::LineObject object);

  // The assessment of line `row`, computing it if it was not yet.
  const LineAssessment& assessment(int row) const;
  // The CSV cells of line `row` with the locale's decimal separator.
  const QStringList& resultCells(int row) const;
  bool hasLimit() const { return lossLimit_.has_value(); }

  // Undoable edits of the object.
  void editLine(int row, const object::ObjectLine& line, const QString& what);
  void addLine(int row, const object::ObjectLine& line, const QString& what);
  void deleteLine(int row);
  void moveLine(int from, int to);
  void editTitle(const QString& title);
  void editLossLimit(const QString& limit);
  void editMinSection(std::optional<int> section);

  // What applySmallestSections did: how many lines it changed, and the names of those for which
  // no section of the list is sufficient (left as they were).
  struct SectionsApplied {
    int changed = 0;
    QStringList without;
  };
  // Gives each line of `rows` its smallest sufficient section, dropping a typed R20 (it belongs
  // to the cable named), as one undoable step. Nothing without a loss limit.
  SectionsApplied applySmallestSections(const QList<int>& rows);

  // Direct changes, each assessing only what it touches.
  void putLine(int row, const object::ObjectLine& line);
  void insertLine(int row, const object::ObjectLine& line);
  object::ObjectLine takeLine(int row);
  void shiftLine(int from, int to);
  void putTitle(const std::string& title);
  void putLossLimit(const std::string& limit);
  void putMinSection(std::optional<int> section);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  void titleChanged(const QString& title);
  void lossLimitChanged(const QString& limit);
  // The thinnest section allowed is now row `section` of the section list, -1: any.
  void minSectionChanged(int section);
  // A typed cell was refused and kept its old value; `message` says why, naming the column.
  void inputRefused(const QString& message);
  // Line `row` was changed, added or moved there: the view may bring it into sight.
  void lineTouched(int row);
  // The amplifiers or their reserve changed (lines' own changes are told as rows and data).
  void amplifiersChanged();

 private:
  struct Row {
    LineAssessment assessment;
    QStringList cells;
  };
  const Row& row(int index) const;
  QVariant displayText(int row, int column) const;
  QVariant rowTint(int row) const;
  QVariant rowNote(int row) const;
  void push(QUndoCommand* command);
  QStringList amplifierChoices() const;
  bool setAmplifier(int row, const QString& text);
  void forgetAll();

  object::LineObject object_;
  std::optional<double> lossLimit_;
  std::string decimalSeparator_;
  QStringList header_;
  mutable std::vector<std::optional<Row>> rows_;
  QUndoStack* undoStack_ = nullptr;
};

}  // namespace linecalc::ui

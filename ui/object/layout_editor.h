#pragma once

#include <QDialog>
#include <vector>

#include "calc/line_calculation.h"
#include "ui/object/layout_tree_model.h"

class QAction;
class QCheckBox;
class QLabel;
class QTableWidget;
class QTreeView;
class QUndoStack;

namespace linecalc::ui {

class LayoutPlot;
class LineTableModel;

// The editor of one layout line of the object: its stretches, loudspeakers and branches as a
// tree, edited in place or by the commands beside it, each edit one step on the object's undo
// stack; and, as the user types, the line's figures, the loudspeaker table and the plot of the
// voltage (or the level) against the distance, or the message the line is refused with. It
// follows the line through undo and redo, and closes when the line is no longer a layout or
// the rows of the object move under it.
class LayoutEditor : public QDialog {
  Q_OBJECT

 public:
  LayoutEditor(LineTableModel& lines, QUndoStack& undo, int row, QWidget* parent = nullptr);

  LayoutTreeModel& treeModel() { return *tree_; }
  QTreeView& treeView() { return *view_; }
  QTableWidget& speakerTable() { return *speakers_; }
  const QLabel& refusal() const { return *refusal_; }
  const QLabel& summary() const { return *summary_; }
  // The figures shown now: those of the line, or of the text being typed into a cell.
  const LineCalculation& shown() const { return shown_; }

  // The editor's commands at the current item, as its buttons and keys run them.
  void addStretch();
  void addBranch();
  void addSpeakers();
  void removeItem();
  // Shows the figures `text` in cell `index` would give, before the cell is committed.
  void preview(const QModelIndex& index, const QString& text);

 private:
  void createActions(QUndoStack& undo);
  QWidget* createTreePanel();
  QWidget* createResultPanel();
  void connectLines();
  void refresh();
  void apply(const std::optional<LayoutEdit>& edit);
  void showFigures(const LineInputs& inputs);
  void updateActions();

  LineTableModel& lines_;
  int row_;
  LayoutTreeModel* tree_;
  QTreeView* view_;
  QLabel* refusal_;
  QLabel* summary_;
  QCheckBox* level_;
  LayoutPlot* plot_;
  QTableWidget* speakers_;
  std::vector<QAction*> itemActions_;
  LineCalculation shown_;
};

}  // namespace linecalc::ui

#pragma once

#include <QAbstractItemModel>
#include <QString>
#include <optional>
#include <vector>

#include "calc/line_layout.h"

namespace linecalc::ui {

// A change of a layout the editor offers: the layout after it, the item to select there (rows
// from the top of the tree; empty: none) and what the step is called where it can be undone.
struct LayoutEdit {
  LineLayout layout;
  std::vector<int> select;
  QString what;
};

// The stretches of a layout as a tree: a stretch's children are its loudspeaker groups, then its
// branches, and a branch's children are its stretches. Lengths, repeats, counts and taps are
// edited in place. The model never changes itself: an edit is offered as editRequested, and the
// layout shown changes only through setLayout, so that every change can go through an undo
// stack.
class LayoutTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  enum Column { Item, Length, Repeat, Count, Power, ColumnCount };
  enum class Kind { Stretch, Group, Branch };

  explicit LayoutTreeModel(QObject* parent = nullptr);

  const LineLayout& layout() const { return layout_; }
  // Shows `layout`: the tree is rebuilt when its shape changed, otherwise only its texts are.
  void setLayout(const LineLayout& layout);

  // The rows from the top of the tree down to `index`, and back.
  std::vector<int> pathOf(const QModelIndex& index) const;
  QModelIndex indexOf(const std::vector<int>& path) const;
  std::optional<Kind> kindOf(const QModelIndex& index) const;

  // The edits of the editor's commands at item `at` (none: the end of the line); absent where
  // the command does not apply.
  std::optional<LayoutEdit> addStretch(const QModelIndex& at) const;
  std::optional<LayoutEdit> addBranch(const QModelIndex& at) const;
  std::optional<LayoutEdit> addSpeakers(const QModelIndex& at) const;
  std::optional<LayoutEdit> remove(const QModelIndex& at) const;
  // `layout` with the text of cell `index` set to `text`; absent when the cell is not editable.
  std::optional<LayoutEdit> withText(const QModelIndex& index, const QString& text) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  // An edit in place asks for `edit`.
  void editRequested(const LayoutEdit& edit);

 private:
  struct Node {
    Kind kind;
    int parent;  // node number; -1: the top
    std::vector<int> path;
    std::vector<int> children;
  };
  void addNodes(const StretchList& list, int parent, const std::vector<int>& path);
  std::vector<int> shape() const;
  const std::vector<int>& childrenOf(int node) const;
  QString text(const Node& node, int column) const;

  LineLayout layout_;
  std::vector<Node> nodes_;
  std::vector<int> top_;
};

}  // namespace linecalc::ui

#pragma once

#include <QStyledItemDelegate>

namespace linecalc::ui {

// Edits the material, section and load kind of a line with a drop-down of exactly the
// calculator's choices, every other input as text. As in a spreadsheet, the keys move through a
// drop-down's choices without committing; Enter, Tab, leaving the cell or a pick from the open
// list commits, and Enter then asks to move down (enterCommitted).
class LineDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit LineDelegate(QObject* parent);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 signals:
  // An edit was committed with Enter and its editor closed.
  void enterCommitted();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace linecalc::ui

#pragma once

#include <QStyledItemDelegate>

namespace linecalc::ui {

// Edits the material, section and load kind of a line with a drop-down of exactly the
// calculator's choices, committed as soon as one is picked; every other input as text.
class LineDelegate : public QStyledItemDelegate {
 public:
  explicit LineDelegate(QObject* parent);

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
};

}  // namespace linecalc::ui

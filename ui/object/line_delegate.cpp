#include "ui/object/line_delegate.h"

#include <QComboBox>

#include "ui/object/line_cells.h"

namespace linecalc::ui {
namespace {

QComboBox* AsChoice(QWidget* editor) {
  auto* box = qobject_cast<QComboBox*>(editor);
  return box != nullptr && box->objectName() == u"choiceEditor" ? box : nullptr;
}

}  // namespace

LineDelegate::LineDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* LineDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  const QStringList choices = ChoicesOf(static_cast<object::LineColumn>(index.column()));
  if (choices.isEmpty()) {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    editor->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
    return editor;
  }
  auto* box = new QComboBox(parent);
  box->setObjectName(QStringLiteral("choiceEditor"));
  box->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
  box->addItems(choices);
  auto* self = const_cast<LineDelegate*>(this);
  connect(box, &QComboBox::activated, self, [self, box] {
    emit self->commitData(box);
    emit self->closeEditor(box);
  });
  return box;
}

void LineDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  if (QComboBox* box = AsChoice(editor)) {
    box->setCurrentIndex(box->findText(index.data(Qt::EditRole).toString()));
    return;
  }
  QStyledItemDelegate::setEditorData(editor, index);
}

void LineDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
  if (QComboBox* box = AsChoice(editor)) {
    model->setData(index, box->currentText(), Qt::EditRole);
    return;
  }
  QStyledItemDelegate::setModelData(editor, model, index);
}

}  // namespace linecalc::ui

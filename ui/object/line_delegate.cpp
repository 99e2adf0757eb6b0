#include "ui/object/line_delegate.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QWheelEvent>

#include "ui/object/line_cells.h"
#include "ui/object/line_table_model.h"

namespace linecalc::ui {
namespace {

// A drop-down whose keys and wheel only move through the choices: the pick they make is not
// announced, so it is committed only when the cell is left. A pick from the open list is.
class ChoiceEditor : public QComboBox {
 public:
  explicit ChoiceEditor(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("choiceEditor"));
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const QSignalBlocker quiet(this);
    QComboBox::keyPressEvent(event);
  }
  void wheelEvent(QWheelEvent* event) override {
    const QSignalBlocker quiet(this);
    QComboBox::wheelEvent(event);
  }
};

QComboBox* AsChoice(QWidget* editor) {
  auto* box = qobject_cast<QComboBox*>(editor);
  return box != nullptr && box->objectName() == u"choiceEditor" ? box : nullptr;
}

bool IsEnter(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) {
    return false;
  }
  const auto* key = static_cast<const QKeyEvent*>(event);
  return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
         (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

}  // namespace

LineDelegate::LineDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* LineDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
  const QString name = index.model()->headerData(index.column(), Qt::Horizontal).toString();
  const auto column = static_cast<object::LineColumn>(index.column());
  // The amplifiers are the object's own: the model knows them.
  const QStringList choices = column == object::LineColumn::Amplifier
                                  ? index.data(LineTableModel::kChoicesRole).toStringList()
                                  : ChoicesOf(column);
  if (choices.isEmpty()) {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    editor->setAccessibleName(name);
    return editor;
  }
  auto* box = new ChoiceEditor(parent);
  box->setAccessibleName(name);
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
    const QString text = index.data(Qt::EditRole).toString();
    box->setCurrentIndex(text.isEmpty() ? 0 : box->findText(text));
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

bool LineDelegate::eventFilter(QObject* watched, QEvent* event) {
  auto* editor = qobject_cast<QWidget*>(watched);
  if (editor == nullptr || !IsEnter(event)) {
    return QStyledItemDelegate::eventFilter(watched, event);
  }
  emit commitData(editor);
  emit closeEditor(editor, QAbstractItemDelegate::NoHint);
  emit enterCommitted();
  return true;
}

}  // namespace linecalc::ui

#include "ui/choice_list.h"

#include <QLineEdit>

#include "ui/layout.h"

namespace linecalc::ui {

ChoiceList::ChoiceList(Typing typing, QWidget* parent) : QComboBox(parent) {
  if (typing == Typing::Allowed) {
    makeEditable();
  }
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (!finishingEdit_) {
      emit chosen(index);
    }
  });
}

void ChoiceList::makeEditable() {
  // When editing ends (Return, focus leaving, the list opening) QComboBox reports typed text
  // that matches an entry as activated(), as if it had been picked. Typing must set nothing
  // off, so mark that stretch: slots run in the order they were connected, and QComboBox
  // connects its own in setLineEdit(), between these two.
  auto* edit = new QLineEdit(this);
  edit->setMaxLength(kInputMaxLength);
  const auto mark = [this] { finishingEdit_ = true; };
  const auto unmark = [this] { finishingEdit_ = false; };
  connect(edit, &QLineEdit::returnPressed, this, mark);
  connect(edit, &QLineEdit::editingFinished, this, mark);
  setLineEdit(edit);
  connect(edit, &QLineEdit::returnPressed, this, unmark);
  connect(edit, &QLineEdit::editingFinished, this, unmark);
  // Inline completion would change a typed value into the first entry that starts with it.
  setCompleter(nullptr);
  setInsertPolicy(QComboBox::NoInsert);
}

}  // namespace linecalc::ui

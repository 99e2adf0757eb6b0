#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

#include "calc/tables.h"
#include "ui/choice_list.h"
#include "ui/form1.h"
#include "ui/qt_text.h"

// A line of an object put into the window as a user would enter it, and calculated.
namespace linecalc::ui {

void Form1::loadLine(const LineInputs& inputs) {
  // The lists take the texts as typed entries, which runs nothing; the choices below then
  // refresh with them in place, as the calculation the object made.
  ui_.CmbL->setEditText(ToQString(inputs.length));
  ui_.CmbT->setEditText(ToQString(inputs.temperature));
  ui_.CmbU->setEditText(ToQString(inputs.voltage));
  // A fault of these refreshes is reported once, by the calculation at the end.
  MessageSink sink = std::exchange(showMessage_, [](const QString&) {});
  (inputs.material == Material::Copper ? ui_.Option1 : ui_.Option2)->setChecked(true);
  ui_.CmbDD->setCurrentIndex(inputs.sectionIndex);
  emit ui_.CmbDD->activated(inputs.sectionIndex);
  showMessage_ = std::move(sink);
  if (inputs.r20) {
    ui_.TxtU->setText(ToQString(*inputs.r20));
    state_.R20Edited = kTrue;
  }
  if (inputs.load == LoadKind::Single) {
    ui_.TxtPp->setText(ToQString(inputs.power));
    ui_.Command1->click();
  } else {
    ui_.TxtPg->setText(ToQString(inputs.power));
    ui_.TxtK->setText(ToQString(inputs.count));
    ui_.Command2->click();
  }
}

}  // namespace linecalc::ui

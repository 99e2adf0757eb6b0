#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <optional>
#include <utility>

#include "calc/tables.h"
#include "ui/choice_list.h"
#include "ui/field_texts.h"
#include "ui/form1.h"

// A line of an object put into the window as a user would enter it, and calculated.
namespace linecalc::ui {

bool Form1::loadLine(const LineInputs& inputs) {
  std::optional<QString> r20;
  if (inputs.r20) {
    r20 = R20FieldText(*inputs.r20);
    if (!r20) {
      return false;
    }
  }
  // The lists take the texts as typed entries, which runs nothing; the one refresh below then
  // brings the reference values in line with all of them, as the calculation the object made.
  ui_.CmbL->setEditText(FieldText(inputs.length));
  ui_.CmbT->setEditText(FieldText(inputs.temperature));
  ui_.CmbU->setEditText(FieldText(inputs.voltage));
  const bool copper = inputs.material == Material::Copper;
  {
    const QSignalBlocker quietCopper(ui_.Option1);
    const QSignalBlocker quietAluminium(ui_.Option2);
    (copper ? ui_.Option1 : ui_.Option2)->setChecked(true);
  }
  state_.Alpha = copper ? CopperAlpha : AluminiumAlpha;
  ui_.CmbDD->setCurrentIndex(inputs.sectionIndex);
  // A fault of this refresh is reported once, by the calculation at the end.
  MessageSink sink = std::exchange(showMessage_, [](const QString&) {});
  chooseSection(inputs.sectionIndex);
  showMessage_ = std::move(sink);
  if (r20) {
    ui_.TxtU->setText(*r20);
    r20Edited_ = true;
  }
  if (inputs.load == LoadKind::Single) {
    ui_.TxtPp->setText(FieldText(inputs.power));
  } else {
    ui_.TxtPg->setText(FieldText(inputs.power));
    ui_.TxtK->setText(FieldText(inputs.count));
  }
  calculate(inputs.load);
  return true;
}

}  // namespace linecalc::ui

#include <QLineEdit>
#include <QRadioButton>

#include "ui/choice_list.h"
#include "ui/form1.h"

// What the window has calculated is kept beside its texts, with the inputs it was computed
// from, so that a sheet never pairs a result with inputs it did not come from.
namespace linecalc::ui {

LineInputs Form1::fieldInputs(LoadKind load) const {
  LineInputs in;
  in.material = ui_.Option1->isChecked() ? Material::Copper : Material::Aluminium;
  in.sectionIndex = static_cast<int>(state_.SectionIndex);
  in.length = ui_.CmbL->currentText().toStdString();
  in.temperature = ui_.CmbT->currentText().toStdString();
  in.voltage = ui_.CmbU->currentText().toStdString();
  if (r20Edited_) {
    in.r20 = ui_.TxtU->text().toStdString();
  }
  in.load = load;
  if (load == LoadKind::Single) {
    in.power = ui_.TxtPp->text().toStdString();
  } else {
    in.power = ui_.TxtPg->text().toStdString();
    in.count = ui_.TxtK->text().toStdString();
  }
  return in;
}

// Every refresh passes here before it reads the fields: the single-load results go, and the
// reference values about to be shown come from these inputs.
void Form1::noteRefresh() {
  singleOnView_.reset();
  refreshedInputs_ = fieldInputs(LoadKind::Single);
  refreshedInputs_.power.clear();
}

LineCalculation Form1::referenceOnView() const {
  return CalculateLine(refreshedInputs_, decimalSeparator());
}

void Form1::recordCalculation(LineCalculation calculation) {
  lastCalculated_ = calculation.inputs;
  const LoadKind load = calculation.inputs.load;
  (load == LoadKind::Single ? singleOnView_ : uniformOnView_) = std::move(calculation);
  emit calculated();
}

}  // namespace linecalc::ui

#include <QLineEdit>
#include <QStringList>
#include <string_view>
#include <variant>

#include "ui/form1.h"
#include "ui/qt_text.h"
#include "ui/report_list.h"
#include "ui/result_field.h"

namespace linecalc::ui {

// Shows a refusal (and moves the focus as it asks) or the fault message; returns the view
// when there is one to show.
template <typename View>
const View* Form1::settle(const Outcome<View>& outcome) {
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    showMessage_(ToQString(refusal->message));
    moveFocus(refusal->focus);
    return nullptr;
  }
  if (std::holds_alternative<Fault>(outcome)) {
    showMessage_(kFaultMessage);
    return nullptr;
  }
  return &std::get<View>(outcome);
}

void Form1::moveFocus(FocusTarget target) {
  switch (target) {
    case FocusTarget::Stay:
      return;
    case FocusTarget::InputPower:
      ui_.TxtPp->setFocus();
      return;
    case FocusTarget::SpeakerPower:
      ui_.TxtPg->setFocus();
      return;
    case FocusTarget::SpeakerCount:
      ui_.TxtK->setFocus();
      return;
  }
}

void Form1::calculateSingleLoad() {
  const Outcome<double> accepted = AcceptInputPower(ui_.TxtPp->text().toStdString());
  const double* inputPower = settle(accepted);
  if (inputPower == nullptr || !Расчет(state_.R20Edited)) {
    return;
  }
  const Outcome<SingleLoadView> outcome = RunSingleLoad(*inputPower, state_, decimalSeparator());
  if (const SingleLoadView* view = settle(outcome)) {
    ui_.LblZ->setText(ToQString(view->ZLoad));
    ui_.LblUr->setText(ToQString(view->URes));
    ui_.LblPr->setText(ToQString(view->PRes));
    ui_.LblPot->setText(ToQString(view->LossPct));
    recordCalculation(LoadKind::Single);
  }
}

void Form1::calculateUniformLoad() {
  if (!Расчет(state_.R20Edited)) {
    return;
  }
  const Outcome<UniformLoadView> outcome = RunUniformLoad(
      ui_.TxtPg->text().toStdString(), ui_.TxtK->text().toStdString(), state_, decimalSeparator());
  if (const UniformLoadView* view = settle(outcome)) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(view->lines.size()));
    for (const std::string& line : view->lines) {
      lines.append(ToQString(line));
    }
    ui_.Lst->setLines(lines);
    ui_.Lbl15->setText(ToQString(view->UniformLossPct));
    ui_.Lbl16->setText(ToQString(view->CascadeVoltage));
    recordCalculation(LoadKind::Uniform);
  }
}

}  // namespace linecalc::ui

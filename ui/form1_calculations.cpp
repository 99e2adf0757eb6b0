#include <QLineEdit>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

#include "calc/number_format.h"
#include "calc/report.h"
#include "ui/form1.h"
#include "ui/qt_text.h"
#include "ui/report_list.h"
#include "ui/result_field.h"

namespace linecalc::ui {

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

// One press, one calculation: its refresh, refusal or fault and results are what the window
// shows and what it remembers.
void Form1::calculate(LoadKind load) {
  LineCalculation calculation = CalculateLine(fieldInputs(load), decimalSeparator());
  // A refresh fault has been shown by the refresh itself; nothing more is said.
  if (calculation.refreshRan && !showRefresh(calculation)) {
    return;
  }
  if (calculation.status != LineStatus::Computed) {
    showMessage_(ToQString(calculation.message));
    moveFocus(calculation.focus);
    return;
  }
  if (calculation.single) {
    showSingleLoad(*calculation.single);
  } else if (calculation.uniform) {
    showUniformLoad(*calculation.uniform);
  }
  recordCalculation(std::move(calculation));
}

void Form1::showSingleLoad(const SingleLoadResult& result) {
  const std::string separator = decimalSeparator();
  ui_.LblZ->setText(ToQString(FormatNumber(result.ZLoad, separator)));
  ui_.LblUr->setText(ToQString(FormatNumber(result.URes, separator)));
  ui_.LblPr->setText(ToQString(FormatNumber(result.PRes, separator)));
  ui_.LblPot->setText(ToQString(FormatNumber(result.LossPct, separator)));
}

void Form1::showUniformLoad(const UniformLoadResult& result) {
  const std::string separator = decimalSeparator();
  const std::vector<std::string> texts = FormatReportLines(result, separator);
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(texts.size()));
  for (const std::string& line : texts) {
    lines.append(ToQString(line));
  }
  ui_.Lst->setLines(lines);
  ui_.Lbl15->setText(ToQString(FormatNumber(result.UniformLossPct, separator)));
  ui_.Lbl16->setText(ToQString(FormatNumber(result.CascadeVoltage, separator)));
}

}  // namespace linecalc::ui

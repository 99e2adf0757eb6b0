#include "ui/form1.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <string_view>

#include "calc/refresh.h"
#include "calc/startup.h"
#include "calc/tables.h"
#include "ui/choice_list.h"
#include "ui/layout.h"
#include "ui/qt_text.h"
#include "ui/r20_key_filter.h"
#include "ui/result_field.h"
#include "ui/window_font.h"
#include "ui/window_icon.h"

namespace linecalc::ui {
namespace {

const QString kTitle = QStringLiteral("Расчет потерь в линиях (системы звуковой трансляции)");
constexpr FontStyle kWindowFont{9.75, false};

template <typename Entries>
void Fill(ChoiceList* list, const Entries& entries, std::string_view chosen) {
  QStringList texts;
  for (const auto& entry : entries) {
    texts.append(ToQString(entry));
  }
  list->addItems(texts);
  list->setCurrentIndex(list->findText(ToQString(chosen)));
}

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent), showMessage_([this](const QString& text) { ShowMessageBox(this, text); }) {
  setWindowTitle(kTitle);
  setWindowIcon(WindowIcon());
  setFont(WindowFont(kWindowFont));
  setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
  ui_ = CreateControls(this);
  connectHandlers();
  load();
}

void Form1::setMessageSink(MessageSink sink) {
  showMessage_ = std::move(sink);
}

void Form1::connectHandlers() {
  connect(ui_.Option1, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked) {
      chooseMaterial(CopperAlpha);
    }
  });
  connect(ui_.Option2, &QRadioButton::toggled, this, [this](bool checked) {
    if (checked) {
      chooseMaterial(AluminiumAlpha);
    }
  });
  connect(ui_.CmbDD, &ChoiceList::chosen, this, &Form1::chooseSection);
  for (ChoiceList* list : {ui_.CmbL, ui_.CmbT, ui_.CmbU}) {
    connect(list, &ChoiceList::chosen, this, &Form1::chooseListEntry);
  }
  new R20KeyFilter(ui_.TxtU, [this] { r20Edited_ = true; });
  connect(ui_.Command1, &QPushButton::clicked, this, [this] { calculate(LoadKind::Single); });
  connect(ui_.Command2, &QPushButton::clicked, this, [this] { calculate(LoadKind::Uniform); });
  // Enter in a load's field runs that load's calculation, as a user expects of a form.
  connect(ui_.TxtPp, &QLineEdit::returnPressed, ui_.Command1, &QPushButton::click);
  for (QLineEdit* field : {ui_.TxtPg, ui_.TxtK}) {
    connect(field, &QLineEdit::returnPressed, ui_.Command2, &QPushButton::click);
  }
}

void Form1::load() {
  const StartupState startup = MakeStartupState(decimalSeparator());
  state_ = startup.state;
  Fill(ui_.CmbDD, SectionList, DefaultSectionText);
  ui_.LblU->setText(ToQString(startup.R10Text));
  ui_.TxtU->setText(ToQString(startup.R20Text));
  Fill(ui_.CmbT, TemperatureList, DefaultTemperatureText);
  Fill(ui_.CmbL, LengthList(), DefaultLengthText);
  Fill(ui_.CmbU, VoltageList, DefaultVoltageText);
  // Neither option is selected yet, so this raises the copper handler: the first refresh.
  ui_.Option1->setChecked(true);
  state_.Alpha = CopperAlpha;
  ui_.Option1->setChecked(true);
  ui_.CmbDD->setFocus();
}

void Form1::chooseMaterial(double alpha) {
  state_.Alpha = alpha;
  r20Edited_ = false;
  refresh();
}

void Form1::chooseSection(int index) {
  state_.SectionIndex = index;
  r20Edited_ = false;
  refresh();
}

void Form1::chooseListEntry() {
  r20Edited_ = false;
  refresh();
}

// A choice brings the reference values in line with the fields; no load is asked for.
void Form1::refresh() {
  LineInputs inputs = fieldInputs(LoadKind::Single);
  inputs.power.clear();
  showRefresh(CalculateLine(inputs, decimalSeparator()));
}

// Shows the reference values of `calculation` and empties the single-load results. Returns
// false when its refresh stopped on a fault, after showing the fault message.
bool Form1::showRefresh(const LineCalculation& calculation) {
  // Results computed from the fields as they stood before must not outlive this refresh,
  // whether it succeeds or not.
  clearSingleLoadResults();
  if (!calculation.reference) {
    // Nor may reference values stand beside choices they were not computed from.
    for (ResultField* field : {ui_.LblU, ui_.LblAR, ui_.LblDJ, ui_.LblOJ, ui_.LblP}) {
      field->clear();
    }
    showMessage_(kFaultMessage);
    return false;
  }
  const RefreshResult& result = *calculation.reference;
  ApplyRefresh(state_, result);
  ui_.LblU->setText(ToQString(result.R10Text));
  if (result.R20Text) {
    ui_.TxtU->setText(ToQString(*result.R20Text));
  }
  ui_.LblDJ->setText(ToQString(result.JMaxText));
  ui_.LblAR->setText(ToQString(result.RLineText));
  ui_.LblOJ->setText(ToQString(result.JOptText));
  ui_.LblP->setText(ToQString(result.PExpectedText));
  return true;
}

void Form1::clearSingleLoadResults() {
  noteRefresh();
  for (ResultField* field : {ui_.LblUr, ui_.LblPr, ui_.LblPot, ui_.LblZ}) {
    field->clear();
  }
}

std::string Form1::decimalSeparator() const {
  return QLocale().decimalPoint().toStdString();
}

}  // namespace linecalc::ui

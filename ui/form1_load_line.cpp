#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <optional>
#include <utility>

#include "calc/number_format.h"
#include "calc/tables.h"
#include "ui/choice_list.h"
#include "ui/form1.h"
#include "ui/layout.h"
#include "ui/qt_text.h"

// A line of an object put into the window as a user would enter it, and calculated.
namespace linecalc::ui {
namespace {

// What the field is given for `typed`: the value the object read from it, written so that the
// field's own reading gives that value back whatever the separator, the key filter or the
// length limit. A value beyond the range of a number stays beyond it.
QString FieldText(const std::string& typed) {
  const Checked<double> value = ReadNumber(typed);
  return value ? ToQString(ShortestDecimal(value.value(), Notation::Any)) : QStringLiteral("1e999");
}

// The R20 field keeps digits and points only: a negative value, one beyond the range of a
// number or one that needs more digits than the field holds cannot be put there.
std::optional<QString> R20FieldText(const std::string& typed) {
  const Checked<double> value = ReadNumber(typed);
  if (!value || value.value() < 0) {
    return std::nullopt;
  }
  const std::string plain = ShortestDecimal(value.value(), Notation::Plain);
  if (plain.size() > static_cast<std::size_t>(kInputMaxLength)) {
    return std::nullopt;
  }
  return ToQString(plain);
}

}  // namespace

bool Form1::loadLine(const LineInputs& inputs) {
  std::optional<QString> r20;
  if (inputs.r20) {
    r20 = R20FieldText(*inputs.r20);
    if (!r20) {
      return false;
    }
  }
  // The lists take the texts as typed entries, which runs nothing; the choices below then
  // refresh with them in place, as the calculation the object made.
  ui_.CmbL->setEditText(FieldText(inputs.length));
  ui_.CmbT->setEditText(FieldText(inputs.temperature));
  ui_.CmbU->setEditText(FieldText(inputs.voltage));
  // A fault of these refreshes is reported once, by the calculation at the end.
  MessageSink sink = std::exchange(showMessage_, [](const QString&) {});
  (inputs.material == Material::Copper ? ui_.Option1 : ui_.Option2)->setChecked(true);
  ui_.CmbDD->setCurrentIndex(inputs.sectionIndex);
  emit ui_.CmbDD->activated(inputs.sectionIndex);
  showMessage_ = std::move(sink);
  if (r20) {
    ui_.TxtU->setText(*r20);
    state_.R20Edited = kTrue;
  }
  if (inputs.load == LoadKind::Single) {
    ui_.TxtPp->setText(FieldText(inputs.power));
    ui_.Command1->click();
  } else {
    ui_.TxtPg->setText(FieldText(inputs.power));
    ui_.TxtK->setText(FieldText(inputs.count));
    ui_.Command2->click();
  }
  return true;
}

}  // namespace linecalc::ui

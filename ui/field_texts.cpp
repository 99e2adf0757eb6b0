#include "ui/field_texts.h"

#include "calc/number_format.h"
#include "ui/layout.h"
#include "ui/qt_text.h"

namespace linecalc::ui {

QString FieldText(const std::string& typed) {
  const Checked<double> value = ReadNumber(typed);
  return value ? ToQString(ShortestDecimal(value.value(), Notation::Any)) : QStringLiteral("1e999");
}

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

}  // namespace linecalc::ui

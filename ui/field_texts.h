#pragma once

#include <QString>
#include <optional>
#include <string>

namespace linecalc::ui {

// The text a field of the calculator is given for `typed`, a value an object read from its own
// text: written so that the field's reading gives that value back whatever the separator, the
// key filter or the length limit. A value beyond the range of a number stays beyond it.
QString FieldText(const std::string& typed);

// The same for the R20 field, which keeps digits and points only: nothing when `typed` is
// negative, beyond the range of a number, or needs more digits than the field holds.
std::optional<QString> R20FieldText(const std::string& typed);

}  // namespace linecalc::ui

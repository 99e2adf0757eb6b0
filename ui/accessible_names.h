#pragma once

class QWidget;

namespace linecalc::ui {

// Names every input, choice list, result field and the report list of `window` for a screen
// reader after the caption or unit legend that a sighted user reads beside it. Captions, buttons
// and the material options already go by their own text.
void NameForScreenReaders(QWidget* window);

}  // namespace linecalc::ui

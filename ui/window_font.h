#pragma once

#include <QFont>
#include <QString>

#include "ui/layout.h"

namespace linecalc::ui {

// Verdana where it is installed with Cyrillic letters, otherwise DejaVu Sans, whose metrics and
// letters come closest among the fonts the setup installs.
QString WindowFontFamily();

// The window's font at the given size and weight.
QFont WindowFont(const FontStyle& style);

}  // namespace linecalc::ui

#pragma once

#include <QIcon>

namespace linecalc::ui {

// A loudspeaker fed from a two-conductor line, at 32 × 32 and 16 × 16 in 16 colours.
QIcon WindowIcon();

}  // namespace linecalc::ui

#pragma once

#include <QString>
#include <functional>

#include "calc/load_checks.h"
#include "ui/qt_text.h"

class QWidget;

namespace linecalc::ui {

inline const QString kFaultMessage = ToQString(MsgCalculationFault);

// Where the window sends a message for the user; it returns once the user has seen it.
using MessageSink = std::function<void(const QString& text)>;

// A modal box over `owner` with `text`, a single OK button, no icon and the window's title as
// caption.
void ShowMessageBox(QWidget* owner, const QString& text);

}  // namespace linecalc::ui

#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace linecalc::ui {

// Shown when a calculation stops on an arithmetic fault or an out-of-range value.
inline const QString kFaultMessage =
    QStringLiteral("Ошибка вычисления: недопустимое значение. Проверьте введенные данные.");

// Where the window sends a message for the user; it returns once the user has seen it.
using MessageSink = std::function<void(const QString& text)>;

// A modal box over `owner` with `text`, a single OK button, no icon and the window's title as
// caption.
void ShowMessageBox(QWidget* owner, const QString& text);

}  // namespace linecalc::ui

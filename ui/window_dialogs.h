#pragma once

#include <QString>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace linecalc::ui {

// The questions the main window asks the user. Each defaults to a modal dialog; tests put
// answers in their place, so that no dialog ever waits for a hand that is not there.
struct WindowDialogs {
  // The line name for the sheet (may be left empty), `suggested` filled in; nullopt: cancelled.
  std::function<std::optional<QString>(const QString& suggested)> lineName;
  // The PDF file to write, `suggested` offered; empty: cancelled.
  std::function<QString(const QString& suggested)> pdfPath;
  // Lets the user choose and set up `printer`; false: cancelled.
  std::function<bool(QPrinter& printer)> printer;
  // A message for the user; returns once it has been seen.
  std::function<void(const QString& text)> message;
  // The "О программе" box with `text`.
  std::function<void(const QString& text)> about;
};

// The modal dialogs over `owner`.
WindowDialogs ModalWindowDialogs(QWidget* owner);

}  // namespace linecalc::ui

#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "ui/sheet_dialog.h"

class QFileDialog;
class QPrinter;
class QWidget;

namespace linecalc::ui {

// The questions the main window asks the user. Each defaults to a modal dialog; tests put
// answers in their place, so that no dialog ever waits for a hand that is not there.
struct WindowDialogs {
  // The line name, loss limit and signatures for the sheet (any may be left empty),
  // `suggested` filled in, with `note` about the sheet shown when there is one; nullopt:
  // cancelled.
  std::function<std::optional<SheetRequest>(const SheetRequest& suggested, const QString& note)>
      sheet;
  // The PDF file to write, `suggested` offered, ".pdf" added to a bare name before the dialog
  // checks for a file to overwrite; empty: cancelled.
  std::function<QString(const QString& suggested)> pdfPath;
  // Lets the user choose and set up `printer`; false: cancelled.
  std::function<bool(QPrinter& printer)> printer;
  // A message for the user; returns once it has been seen.
  std::function<void(const QString& text)> message;
  // The "О программе" box with `text`.
  std::function<void(const QString& text)> about;
};

// A dialog that asks for a PDF file to write, titled `title`, offering `suggested`; a bare name
// gets ".pdf" before the dialog looks for a file of that name to overwrite.
std::unique_ptr<QFileDialog> PdfSaveDialog(QWidget* owner, const QString& title,
                                           const QString& suggested);

// The modal dialogs over `owner`.
WindowDialogs ModalWindowDialogs(QWidget* owner);

}  // namespace linecalc::ui

#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "sheet/sheet_output.h"

class QPrinter;
class QWidget;

namespace linecalc::ui {

// The answer to "save the changes?".
enum class SaveAnswer { Save, Discard, Cancel };

// The questions the object window asks the user. Each defaults to a modal dialog; tests put
// answers in their place, so that no dialog ever waits for a hand that is not there.
struct ObjectDialogs {
  // "Сохранить изменения в объекте «…»?" for the object named `name`.
  std::function<SaveAnswer(const QString& name)> askSave;
  // The object file to open, starting in `directory`; empty: cancelled.
  std::function<QString(const QString& directory)> openPath;
  // The object file to save to, `suggested` offered; empty: cancelled.
  std::function<QString(const QString& suggested)> savePath;
  // The PDF file to write, `suggested` offered; empty: cancelled.
  std::function<QString(const QString& suggested)> pdfPath;
  // The Excel workbook to write, `suggested` offered; empty: cancelled.
  std::function<QString(const QString& suggested)> xlsxPath;
  // Lets the user choose and set up `printer`; false: cancelled.
  std::function<bool(QPrinter& printer)> printer;
  // The name of a line added from the calculator, `suggested` filled in; nullopt: cancelled.
  std::function<std::optional<QString>(const QString& suggested)> lineName;
  // A message for the user; returns once it has been seen.
  std::function<void(const QString& text)> message;
  // A yes-or-no question `text` whose yes goes ahead with something that cannot be undone.
  std::function<bool(const QString& text)> confirm;
  // Progress of a long piece of work titled `text`; the callback returns false to cancel.
  std::function<sheet::PageProgress(const QString& text)> progress;
};

// The modal dialogs over `owner`; progress is a QProgressDialog that shows itself only when
// the work lasts longer than a moment.
ObjectDialogs ModalObjectDialogs(QWidget* owner);

}  // namespace linecalc::ui

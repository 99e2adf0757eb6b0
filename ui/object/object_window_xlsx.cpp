#include <QDir>
#include <QLineEdit>
#include <QStatusBar>

#include "object/object_xlsx.h"
#include "ui/object/file_folder.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_window.h"

// The object's table as an Excel workbook, for those who sum and sort it in a spreadsheet.
namespace linecalc::ui {

void ObjectWindow::exportXlsx() {
  const QString path =
      dialogs_.xlsxPath(SuggestedPath(title_->text(), path_, QStringLiteral("xlsx")));
  if (path.isEmpty()) {
    return;
  }
  RememberFileFolder(path);
  const QString error = object::WriteObjectXlsx(path, model_->lineObject());
  if (!error.isEmpty()) {
    dialogs_.message(error);
    return;
  }
  statusBar()->showMessage(
      QStringLiteral("Таблица сохранена в «%1».").arg(QDir::toNativeSeparators(path)), 5000);
}

}  // namespace linecalc::ui

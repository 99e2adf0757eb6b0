#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPrinter>

#include "sheet/object_document.h"
#include "sheet/sheet_output.h"
#include "sheet/sheet_page.h"
#include "ui/object/file_folder.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_window.h"
#include "ui/sheet_dialog.h"

// The printed object: to a printer or to a PDF file, with progress and a way to cancel.
namespace linecalc::ui {
namespace {

sheet::ObjectPaper Paper() {
  return {QDateTime::currentDateTime(), QLocale().decimalPoint(), RememberedPerformer()};
}

}  // namespace

void ObjectWindow::printObject() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(documentName());
  if (!dialogs_.printer(printer)) {
    return;
  }
  const sheet::PageProgress progress = dialogs_.progress(QStringLiteral("Печать объекта…"));
  if (sheet::PaintObject(model_->lineObject(), Paper(), printer, progress) ==
      sheet::PaintOutcome::Failed) {
    dialogs_.message(QStringLiteral("Не удалось напечатать объект: принтер недоступен."));
  }
}

void ObjectWindow::saveObjectPdf() {
  const QString path =
      dialogs_.pdfPath(SuggestedPath(title_->text(), path_, QStringLiteral("pdf")));
  if (!path.isEmpty()) {
    RememberFileFolder(path);
    savePdf(path);
  }
}

bool ObjectWindow::savePdf(const QString& path) {
  const sheet::PageProgress progress = dialogs_.progress(QStringLiteral("Сохранение объекта…"));
  bool cancelled = false;
  const QString error =
      sheet::SaveObjectPdf(model_->lineObject(), Paper(), path, [&](int done, int total) {
        cancelled = progress && !progress(done, total);
        return !cancelled;
      });
  if (!error.isEmpty() && !cancelled) {
    dialogs_.message(error);
  }
  return error.isEmpty();
}

}  // namespace linecalc::ui

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPrinter>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextDocument>

#include "sheet/calculation_sheet.h"
#include "sheet/sheet_output.h"
#include "ui/form1.h"
#include "ui/main_window.h"

namespace linecalc::ui {
namespace {

// Shows how far a long sheet has got, once it takes long enough to notice, and lets the user
// stop it.
class SheetProgress {
 public:
  SheetProgress(QWidget* owner, const QString& text)
      : dialog_(text, QStringLiteral("Отмена"), 0, 1, owner) {
    dialog_.setWindowTitle(owner->windowTitle());
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(1000);
    dialog_.setAutoReset(false);
    dialog_.setValue(0);
  }
  sheet::PageProgress callback() {
    return [this](int done, int total) {
      dialog_.setMaximum(total);
      dialog_.setValue(done);
      return !dialog_.wasCanceled();
    };
  }
  bool cancelled() const { return dialog_.wasCanceled(); }

 private:
  QProgressDialog dialog_;
};

QString SuggestedPdfPath(const QString& lineName) {
  QString base = QStringLiteral("Расчет потерь в линии");
  QString name = lineName.trimmed();
  name.replace(QRegularExpression(QStringLiteral(R"([\\/:*?"<>|])")), QStringLiteral("_"));
  if (!name.isEmpty()) {
    base += QStringLiteral(" - ") + name;
  }
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QDir(folder).filePath(base + QStringLiteral(".pdf"));
}

}  // namespace

std::unique_ptr<QTextDocument> MainWindow::currentSheet(const QString& lineName,
                                                        const QSizeF& page) const {
  sheet::SheetContent content;
  content.lineName = lineName;
  content.when = QDateTime::currentDateTime();
  content.decimalSeparator = QLocale().decimalPoint();
  content.single = form_->singleOnView();
  content.uniform = form_->uniformOnView();
  content.current = form_->referenceOnView();
  return sheet::BuildCalculationSheet(content, page);
}

std::optional<QString> MainWindow::askLineName() {
  std::optional<QString> name = dialogs_.lineName(lineName_);
  if (name) {
    lineName_ = name->trimmed();
  }
  return name;
}

void MainWindow::printSheet() {
  const std::optional<QString> name = askLineName();
  if (!name) {
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  sheet::SetSheetPaper(printer);
  printer.setDocName(QStringLiteral("Расчет потерь в линии"));
  if (!dialogs_.printer(printer)) {
    return;
  }
  // Laid out for the paper chosen in the dialog, which may not be the sheet's own.
  const std::unique_ptr<QTextDocument> document =
      currentSheet(*name, sheet::SheetPageSize(printer));
  SheetProgress progress(this, QStringLiteral("Печать расчета…"));
  const sheet::PaintOutcome outcome = sheet::PaintSheet(*document, printer, progress.callback());
  if (outcome == sheet::PaintOutcome::Cancelled) {
    printer.abort();
  } else if (outcome == sheet::PaintOutcome::Failed) {
    dialogs_.message(QStringLiteral("Не удалось напечатать расчет: принтер «%1» недоступен.")
                         .arg(printer.printerName()));
  }
}

void MainWindow::saveSheetPdf() {
  const std::optional<QString> name = askLineName();
  if (!name) {
    return;
  }
  QString path = dialogs_.pdfPath(SuggestedPdfPath(*name));
  if (path.isEmpty()) {
    return;
  }
  if (QFileInfo(path).suffix().isEmpty()) {
    path += QStringLiteral(".pdf");
  }
  const std::unique_ptr<QTextDocument> document = currentSheet(*name);
  SheetProgress progress(this, QStringLiteral("Сохранение расчета…"));
  const QString failure = sheet::SaveSheetPdf(*document, path, progress.callback());
  if (!failure.isEmpty() && !progress.cancelled()) {
    dialogs_.message(failure);
  }
}

}  // namespace linecalc::ui

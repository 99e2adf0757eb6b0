#include <QDir>
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

// The document's title: the line's name, or what the sheet is when it has none.
QString SheetTitle(const QString& lineName) {
  return lineName.isEmpty() ? QStringLiteral("Расчет потерь в линии") : lineName;
}

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

sheet::SheetContent MainWindow::currentSheet() const {
  sheet::SheetContent content;
  content.when = QDateTime::currentDateTime();
  content.decimalSeparator = QLocale().decimalPoint();
  content.single = form_->singleOnView();
  content.uniform = form_->uniformOnView();
  const std::optional<LineInputs> latest = form_->lastCalculatedInputs();
  content.latest = latest ? latest->load : LoadKind::Single;
  content.current = form_->referenceOnView();
  return content;
}

// Asks for the line's name, limit and signatures; the name given last is offered again only for
// the same line. A sheet of two different lines keeps the later calculation, and the dialog says
// so.
std::optional<sheet::SheetContent> MainWindow::askSheet() {
  sheet::SheetContent content = currentSheet();
  const QString note = sheet::KeepOneLine(content);
  const std::optional<LineCalculation> line = sheet::SheetLine(content);
  SheetRequest suggested = request_;
  if (!namedLine_ || !line || !sheet::SameLine(*namedLine_, *line)) {
    suggested.lineName.clear();
  }
  suggested.signatures.performer = RememberedPerformer();
  const std::optional<SheetRequest> request = dialogs_.sheet(suggested, note);
  if (!request) {
    return std::nullopt;
  }
  const LossLimit limit = ReadSheetLossLimit(request->lossLimit, content.decimalSeparator);
  if (!limit.valid) {
    dialogs_.message(QStringLiteral("Предел потерь «%1» не является числом от 0 до 100 %.")
                         .arg(request->lossLimit.trimmed()));
    return std::nullopt;
  }
  request_ = *request;
  request_.lineName = request->lineName.trimmed();
  namedLine_ = line;
  RememberPerformer(request->signatures.performer.trimmed());
  content.lineName = request_.lineName;
  content.lossLimitPct = limit.value;
  content.signatures = request->signatures;
  return content;
}

void MainWindow::printSheet() {
  const std::optional<sheet::SheetContent> content = askSheet();
  if (!content) {
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  sheet::SetSheetPaper(printer);
  printer.setDocName(SheetTitle(content->lineName));
  if (!dialogs_.printer(printer)) {
    return;
  }
  // Laid out for the paper chosen in the dialog, which may not be the sheet's own.
  const std::unique_ptr<QTextDocument> document =
      sheet::BuildCalculationSheet(*content, sheet::SheetPageSize(printer));
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
  const std::optional<sheet::SheetContent> content = askSheet();
  if (!content) {
    return;
  }
  const QString path = dialogs_.pdfPath(SuggestedPdfPath(content->lineName));
  if (path.isEmpty()) {
    return;
  }
  const std::unique_ptr<QTextDocument> document = sheet::BuildCalculationSheet(*content);
  SheetProgress progress(this, QStringLiteral("Сохранение расчета…"));
  const QString failure =
      sheet::SaveSheetPdf(*document, path, progress.callback(), SheetTitle(content->lineName));
  if (!failure.isEmpty() && !progress.cancelled()) {
    dialogs_.message(failure);
  }
}

}  // namespace linecalc::ui

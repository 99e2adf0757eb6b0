#pragma once

#include <QString>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QTextDocument;

namespace linecalc::sheet {

// Told after each page with the pages done and the pages in all; returns false to cancel.
using PageProgress = std::function<bool(int done, int total)>;

enum class PaintOutcome { Done, Cancelled, Failed };

// Documents printed one after another as one, each starting on a new page.
using SheetParts = std::vector<QTextDocument*>;

// Paints `parts`, each laid out for the pages of `device` (PrepareSheetDocument with
// SheetPageSize(device)), page by page with "стр. N из M" at the foot of each, numbered through
// all the parts. Failed when the device cannot be painted on.
PaintOutcome PaintSheet(const SheetParts& parts, QPagedPaintDevice& device,
                        const PageProgress& progress = {});
inline PaintOutcome PaintSheet(QTextDocument& document, QPagedPaintDevice& device,
                               const PageProgress& progress = {}) {
  return PaintSheet(SheetParts{&document}, device, progress);
}

// Writes `document`, laid out for the sheet's own paper (SheetPageSize()), as a PDF to `path`
// through a temporary file that replaces `path` only when the whole document is written, so a
// failed or cancelled save leaves no file behind. Returns an empty text on success, otherwise the
// message for the user naming the path and the reason.
// `title` is the PDF's title; empty: "Расчет потерь в линии".
QString SaveSheetPdf(const SheetParts& parts, const QString& path,
                     const PageProgress& progress = {}, const QString& title = {});
inline QString SaveSheetPdf(QTextDocument& document, const QString& path,
                            const PageProgress& progress = {}, const QString& title = {}) {
  return SaveSheetPdf(SheetParts{&document}, path, progress, title);
}

// The message SaveSheetPdf returns when the progress callback cancelled the save.
QString SaveCancelledMessage(const QString& path);

}  // namespace linecalc::sheet

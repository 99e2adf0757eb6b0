#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

#include "object/line_object.h"
#include "sheet/sheet_output.h"
#include "sheet/sheet_page.h"
#include "sheet/sheet_writer.h"

class QPagedPaintDevice;
class QTextDocument;

namespace linecalc::sheet {

// How an object goes on paper: when, with which decimal separator, signed by whom (the object's
// title names the object).
struct ObjectPaper {
  QDateTime when;
  QString decimalSeparator = QStringLiteral(".");
  QString performer;
};

// The printed object: its summary (title, date, loss limit, the table of every line with its
// inputs, verdict and smallest section, the object's total rated power, the message of each
// refused line, the signatures' block) and then one calculation sheet per line, each a document
// of its own laid out on pages of `page`. `progress` is told after each line; when it returns
// false the building stops and nothing is returned.
std::vector<std::unique_ptr<QTextDocument>> BuildObjectDocuments(
    const object::LineObject& object, const ObjectPaper& paper, const PageProgress& progress = {},
    const QSizeF& page = SheetPageSize());

// The printed object on `device`, with progress and cancel through building, layout and painting
// alike, told as one count.
PaintOutcome PaintObject(const object::LineObject& object, const ObjectPaper& paper,
                         QPagedPaintDevice& device, const PageProgress& progress = {});

// The printed object as a PDF at `path`, as SaveSheetPdf writes it; progress as PaintObject's.
QString SaveObjectPdf(const object::LineObject& object, const ObjectPaper& paper,
                      const QString& path, const PageProgress& progress = {});

// The printed object as the bytes of an A4 PDF, now, with the locale's decimal separator.
QByteArray ObjectPdf(const object::LineObject& object);

// "Объект: " and the title: the PDF's title and the printer's document name.
QString ObjectDocumentTitle(const object::LineObject& object);

}  // namespace linecalc::sheet

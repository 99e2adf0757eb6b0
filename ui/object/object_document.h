#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QSizeF>
#include <QString>
#include <memory>

#include "object/line_object.h"
#include "object/line_table.h"
#include "sheet/sheet_output.h"
#include "sheet/sheet_page.h"

class QTextDocument;

namespace linecalc::ui {

// The printed object: a summary page (title, date, loss limit, the table of every line with its
// verdict and smallest section, and the message of each refused line) followed by one
// calculation sheet per line, laid out on pages of `page`. Figures by the display rule with
// `decimalSeparator`. `progress` is told after each line; when it returns false the building
// stops and nothing is returned.
std::unique_ptr<QTextDocument> BuildObjectDocument(const object::LineObject& object,
                                                   const QDateTime& when,
                                                   const QString& decimalSeparator,
                                                   const sheet::PageProgress& progress = {},
                                                   const QSizeF& page = sheet::SheetPageSize());

// The printed object as the bytes of an A4 PDF, with the locale's decimal separator.
QByteArray ObjectPdf(const object::LineObject& object);

}  // namespace linecalc::ui

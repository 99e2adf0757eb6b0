#pragma once

#include <QByteArray>
#include <QString>

#include "object/line_object.h"

namespace linecalc::object {

// A workbook, or why it could not be made.
struct XlsxWorkbook {
  QByteArray bytes;  // empty on failure
  QString error;     // Russian; empty on success
};

// The object's table as an Excel workbook of one sheet: the title and the loss limit above, then
// the header row (bold, frozen, with a filter) and one row per line in file order, in the columns
// of the CSV. Figures are numbers shown with two decimals, loudspeaker counts whole numbers,
// sections and the typed length, temperature and voltage numbers where they are plain decimals;
// everything else, names above all, is a string cell, never a formula. Columns are as wide as
// their texts.
XlsxWorkbook ObjectXlsx(const LineObject& object);

// Writes ObjectXlsx(object) to `path` in full or not at all; an empty string on success,
// otherwise the Russian message naming the path and the reason.
QString WriteObjectXlsx(const QString& path, const LineObject& object);

}  // namespace linecalc::object

#pragma once

#include <QString>
#include <QStringList>

namespace linecalc::test {

// The text of the PDF at `path` as poppler's pdftotext lays it out, one entry per page.
QStringList PdfPages(const QString& path);

// The PDF's title as pdfinfo reads it.
QString PdfTitle(const QString& path);

// The heights, in points, of the words of the PDF at `path` as pdftotext measures them.
QList<double> WordHeights(const QString& path);

// Whether a line of `page` holds `label` and, after it, `value` as a word of its own.
bool HasRow(const QString& page, const QString& label, const QString& value);

// Whether a line of `page` reads `wanted` once its runs of blanks are made single.
bool HasLine(const QString& page, const QString& wanted);

}  // namespace linecalc::test

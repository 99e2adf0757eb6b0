#pragma once

#include <QSizeF>
#include <QString>
#include <QTextBlock>
#include <QTextCharFormat>
#include <string>
#include <vector>

#include "sheet/sheet_blocks.h"

class QTextCursor;
class QTextDocument;

namespace linecalc::sheet {

class ReportPages;

// Writes the parts of a sheet at a cursor, each in its own format.
class SheetWriter {
 public:
  // `page`: the size of the pages the text goes on (none: not paged), for the report to repeat
  // its heading on each; the cursor's document itself is not paged while it is written.
  SheetWriter(QTextCursor& cursor, const QSizeF& page);

  void title(const QString& text);
  void line(const QString& text);
  void section(const QString& text);
  void subsection(const QString& text);
  void note(const QString& text);
  // A table of name, symbol, value and unit.
  void quantities(const Quantities& rows);
  // The report lines as the window lists them (TAB-separated; the separator line is left out),
  // in columns under a heading that is repeated at the top of every page they run onto.
  void report(const std::vector<std::string>& lines);

 private:
  void paragraph(const QString& text, const QTextCharFormat& format, double spaceBefore);
  void reportRow(const QString& text, const QTextCharFormat& format, bool pageBreak = false);
  QTextBlock reportHeading(bool pageBreak);

  ReportPages planPages();

  QTextCursor& cursor_;
  QSizeF page_;
  bool first_ = true;
};

}  // namespace linecalc::sheet

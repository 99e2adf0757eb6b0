#pragma once

#include <QString>
#include <QTextCharFormat>
#include <string>
#include <vector>

#include "sheet/sheet_blocks.h"

class QTextCursor;
class QTextDocument;

namespace linecalc::sheet {

// The sheet's font and margins on `document`.
void SetSheetStyle(QTextDocument& document);

// Writes the parts of a sheet at a cursor, each in its own format.
class SheetWriter {
 public:
  // `newPage`: the first block starts on a new page.
  SheetWriter(QTextCursor& cursor, bool newPage);

  void title(const QString& text);
  void line(const QString& text);
  void section(const QString& text);
  void subsection(const QString& text);
  void note(const QString& text);
  // A table of name, symbol, value and unit.
  void quantities(const Quantities& rows);
  // The report lines as the window lists them (TAB-separated; the separator line becomes a
  // rule): a table whose heading is repeated on every page.
  void report(const std::vector<std::string>& lines);

 private:
  void paragraph(const QString& text, const QTextCharFormat& format, double spaceBefore);

  QTextCursor& cursor_;
  bool newPage_;
  bool first_ = true;
};

}  // namespace linecalc::sheet

#pragma once

#include <QDate>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextLength>
#include <string>
#include <utility>
#include <vector>

#include "sheet/sheet_blocks.h"

class QTextCursor;
class QTextDocument;

namespace linecalc::sheet {

class ReportPages;

// The sheet's body text size, points; nothing on paper is smaller than kSmallestPoints.
inline constexpr double kBodyPoints = 10;
inline constexpr double kSmallestPoints = 9;

// Characters of the sheet's one font family.
QTextCharFormat SheetCharacters(double points, bool bold);

// Who signs a printed document, filled in by hand where left empty.
struct Signatures {
  QString object;
  QString performer;
  QString checker;
};

// A table of many rows: its heading row, repeated at the top of every page, and its rows.
struct TableText {
  QStringList headings;
  std::vector<QStringList> rows;
  QList<QTextLength> widths;
  std::vector<bool> rightAligned;  // per column
  int boldColumn = -1;             // a column written in bold, if any
};

// Writes the parts of a sheet at a cursor, each in its own format.
class SheetWriter {
 public:
  // `page`: the size of the pages of the cursor's document (none: not paged), for headings to
  // keep with what follows them and the report to repeat its heading on each page.
  SheetWriter(QTextCursor& cursor, const QSizeF& page);
  ~SheetWriter();
  SheetWriter(const SheetWriter&) = delete;
  SheetWriter& operator=(const SheetWriter&) = delete;

  void title(const QString& text);
  void line(const QString& text);
  // Headings: never left alone at the foot of a page (see keepHeadingsWithNext).
  void section(const QString& text);
  void subsection(const QString& text);
  void note(const QString& text);
  // A table of name, symbol, value and unit.
  void quantities(const Quantities& rows);
  // The report lines as the window lists them (TAB-separated; the separator line is left out),
  // in columns under a heading that is repeated at the top of every page they run onto. The
  // closing lines stay on one page with at least the last three loudspeaker rows.
  void report(const std::vector<std::string>& lines);
  // `table` filled in one pass, cell after cell.
  void table(const TableText& table);
  // `picture` in a paragraph of its own, as wide as the page at most; a picture drawn at a
  // multiple of its size prints sharper.
  void image(const QImage& picture, double scale);
  // The signatures' block at the foot of the page the text has reached (or of the next page,
  // when it does not fit there).
  void signatures(const Signatures& who, const QDate& date);
  // Moves every heading that would stand last on its page to the top of the next one.
  void keepHeadingsWithNext();

 private:
  void paragraph(const QString& text, const QTextCharFormat& format, double spaceBefore);
  void heading(const QString& text, const QTextCharFormat& format, double spaceBefore);
  void reportRow(const QString& text, const QTextCharFormat& format, bool pageBreak = false);
  void reportHeading(bool pageBreak);
  void signatureRows(const Signatures& who, const QDate& date, double spaceBefore, bool pageBreak);
  void settle();
  double writtenBottom();
  bool leadingHeading() const;

  ReportPages planPages(int firstRowsTogether);
  static std::pair<double, double> ReportPitches(const QSizeF& page);

  QTextCursor& cursor_;
  QSizeF page_;
  bool first_ = true;
  std::vector<int> headings_;  // block numbers, in order
  std::size_t headingsKept_ = 0;
};

}  // namespace linecalc::sheet

#include "sheet/sheet_writer.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <cmath>

#include "calc/report.h"
#include "sheet/sheet_page.h"

namespace linecalc::sheet {
namespace {

constexpr double kBodyPoints = 10;
constexpr double kTitlePoints = 16;
constexpr double kSectionPoints = 12;
constexpr double kRulePoints = 2;
const QString kFontFamily = QStringLiteral("DejaVu Sans");

QTextCharFormat Characters(double points, bool bold) {
  QTextCharFormat format;
  format.setFontFamilies({kFontFamily});
  format.setFontPointSize(points);
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  return format;
}

QTextTableFormat TableFormat(const QList<QTextLength>& widths) {
  QTextTableFormat format;
  format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
  format.setColumnWidthConstraints(widths);
  format.setCellPadding(2);
  format.setCellSpacing(0);
  format.setBorder(1);
  format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
  format.setBorderCollapse(true);
  return format;
}

// Right-aligned tab stops of the report's voltage and power columns, in sheet units.
constexpr double kValueTab = 280;
constexpr double kPowerTab = 430;
constexpr double kReportWidthPercent = 100;

QRectF BlockRect(const QTextBlock& block) {
  return block.document()->documentLayout()->blockBoundingRect(block);
}

QTextBlockFormat PageBreakBefore() {
  QTextBlockFormat format;
  format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  return format;
}

// Where the page holding `y` ends.
double PageEnd(double y, double pageHeight) {
  return (std::floor(y / pageHeight) + 1) * pageHeight;
}

QTextLength Percent(double value) {
  return QTextLength(QTextLength::PercentageLength, value);
}

void Cell(QTextTable* table, int row, int column, const QString& text,
          const QTextCharFormat& format, Qt::Alignment align = Qt::AlignLeft) {
  QTextCursor cell = table->cellAt(row, column).firstCursorPosition();
  QTextBlockFormat block = cell.blockFormat();
  block.setAlignment(align);
  cell.setBlockFormat(block);
  cell.insertText(text, format);
}

}  // namespace

// Where the report's rows fall on the pages: every row is one line of one font and every page
// starts with the same heading, so once measured the rows are counted, not laid out.
class ReportPages {
 public:
  ReportPages() = default;
  // The heading would stand at `headingTop` on pages of `pageHeight`.
  ReportPages(double headingPitch, double rowPitch, double pageHeight, double headingTop)
      : headingPitch_(headingPitch), rowPitch_(rowPitch), pageHeight_(pageHeight) {
    pageEnd_ = PageEnd(headingTop, pageHeight);
    bottom_ = headingTop + headingPitch;
    // A heading at the foot of a page goes over with its first row.
    headingBreaks_ = bottom_ + rowPitch > pageEnd_ - kSafety;
    if (headingBreaks_) {
      newPage();
    }
  }
  bool headingBreaks() const { return headingBreaks_; }
  // Counts the next row; true when it goes on a new page, under a new heading.
  bool nextRowBreaks() {
    if (rowPitch_ <= 0) {
      return false;
    }
    const bool breaks = bottom_ + rowPitch_ > pageEnd_ - kSafety;
    if (breaks) {
      newPage();
    }
    bottom_ += rowPitch_;
    return breaks;
  }

 private:
  void newPage() {
    bottom_ = pageEnd_ + headingPitch_;
    pageEnd_ += pageHeight_;
  }

  // Keeps a row that would end within a hair of the page's foot off it.
  static constexpr double kSafety = 2;
  double headingPitch_ = 0;
  double rowPitch_ = 0;
  double pageHeight_ = 0;
  double pageEnd_ = 0;
  double bottom_ = 0;  // of the last row counted
  bool headingBreaks_ = false;
};

SheetWriter::SheetWriter(QTextCursor& cursor, const QSizeF& page) : cursor_(cursor), page_(page) {}

void SheetWriter::paragraph(const QString& text, const QTextCharFormat& format,
                            double spaceBefore) {
  QTextBlockFormat block;
  block.setTopMargin(spaceBefore);
  block.setBottomMargin(2);
  if (first_ && cursor_.atStart()) {
    cursor_.setBlockFormat(block);
    cursor_.setBlockCharFormat(format);
  } else {
    cursor_.insertBlock(block, format);
  }
  first_ = false;
  cursor_.insertText(text, format);
}

void SheetWriter::title(const QString& text) {
  paragraph(text, Characters(kTitlePoints, true), 0);
}

void SheetWriter::line(const QString& text) {
  paragraph(text, Characters(kBodyPoints, false), 0);
}

void SheetWriter::section(const QString& text) {
  paragraph(text, Characters(kSectionPoints, true), 14);
}

void SheetWriter::subsection(const QString& text) {
  paragraph(text, Characters(kBodyPoints, true), 8);
}

void SheetWriter::note(const QString& text) {
  QTextCharFormat format = Characters(kBodyPoints, false);
  format.setFontItalic(true);
  paragraph(text, format, 4);
}

void SheetWriter::quantities(const Quantities& rows) {
  if (rows.empty()) {
    return;
  }
  const int count = static_cast<int>(rows.size());
  QTextTable* table = cursor_.insertTable(
      count, 4, TableFormat({Percent(62), Percent(10), Percent(16), Percent(12)}));
  const QTextCharFormat plain = Characters(kBodyPoints, false);
  for (int r = 0; r < count; ++r) {
    Cell(table, r, 0, rows[r].name, plain);
    Cell(table, r, 1, rows[r].symbol, plain);
    Cell(table, r, 2, rows[r].value, Characters(kBodyPoints, true), Qt::AlignRight);
    Cell(table, r, 3, rows[r].unit, plain);
  }
  cursor_.movePosition(QTextCursor::End);
}

void SheetWriter::report(const std::vector<std::string>& lines) {
  ReportPages pages = planPages();
  reportHeading(pages.headingBreaks());
  for (const std::string& line : lines) {
    if (line == ReportSeparator) {
      continue;
    }
    if (pages.nextRowBreaks()) {
      reportHeading(true);
    }
    reportRow(QString::fromStdString(line), Characters(kBodyPoints, false));
  }
}

// Measures the report's heading and rows on a page of their own, and where the report starts on
// this document's pages. The document is laid out only here: while it is being written it has
// no page size, so that no insertion lays it out again.
ReportPages SheetWriter::planPages() {
  if (page_.height() <= 0) {
    return {};
  }
  QTextDocument sample;
  PrepareSheetDocument(sample, page_);
  QTextCursor cursor(&sample);
  SheetWriter writer(cursor, page_);
  const QTextBlock heading = writer.reportHeading(false);
  writer.reportRow(QStringLiteral("1\t0\t0"), Characters(kBodyPoints, false));
  writer.reportRow(QStringLiteral("2\t0\t0"), Characters(kBodyPoints, false));
  const QTextBlock row1 = heading.next().next();
  const double headingPitch = BlockRect(row1).top() - BlockRect(heading).top();
  const double rowPitch = BlockRect(row1.next()).top() - BlockRect(row1).top();

  QTextDocument& document = *cursor_.document();
  document.setPageSize(page_);
  const double headingTop = BlockRect(document.lastBlock()).bottom();
  document.setPageSize(QSizeF());
  return {headingPitch, rowPitch, page_.height(), headingTop};
}

void SheetWriter::reportRow(const QString& text, const QTextCharFormat& format, bool pageBreak) {
  QTextBlockFormat block;
  block.setTabPositions({QTextOption::Tab(kValueTab, QTextOption::RightTab),
                         QTextOption::Tab(kPowerTab, QTextOption::RightTab)});
  block.setTopMargin(0);
  block.setBottomMargin(0);
  if (pageBreak) {
    block.merge(PageBreakBefore());
  }
  cursor_.insertBlock(block, format);
  cursor_.insertText(text, format);
}

// The report's heading row with a rule under it, on a new page when `pageBreak`; returns the
// heading's block.
QTextBlock SheetWriter::reportHeading(bool pageBreak) {
  reportRow(QStringLiteral("№\tUrl (В)\tPгр (Вт)"), Characters(kBodyPoints, true), pageBreak);
  const QTextBlock heading = cursor_.block();
  QTextBlockFormat rule;
  rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                   QTextLength(QTextLength::PercentageLength, kReportWidthPercent));
  rule.setTopMargin(0);
  rule.setBottomMargin(2);
  // The rule's line is no taller than it needs to be.
  cursor_.insertBlock(rule, Characters(kRulePoints, false));
  return heading;
}

}  // namespace linecalc::sheet

#include "sheet/sheet_writer.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <utility>

#include "calc/report.h"
#include "sheet/sheet_page.h"

namespace linecalc::sheet {
namespace {

constexpr double kTitlePoints = 16;
constexpr double kSectionPoints = 12;
constexpr double kRulePoints = 2;

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

// The report's columns, in sheet units: the number, the voltage lost in front of the
// loudspeaker and the power at it; the rows' right-aligned tab stops stand at the right edges of
// the last two, less the heading cells' padding.
constexpr double kNumberWidth = 40;
constexpr double kDropWidth = 260;
constexpr double kPowerWidth = 200;
constexpr double kReportPadding = 2;
constexpr double kValueTab = kNumberWidth + kDropWidth - kReportPadding;
constexpr double kPowerTab = kNumberWidth + kDropWidth + kPowerWidth - kReportPadding;
// Keeps a line that would end within a hair of the page's foot off it.
constexpr double kSafety = 2;

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

QTextLength Fixed(double value) {
  return QTextLength(QTextLength::FixedLength, value);
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

QTextCharFormat SheetCharacters(double points, bool bold) {
  QTextCharFormat format;
  format.setFontFamilies({SheetFontFamily()});
  format.setFontPointSize(std::max(points, kSmallestPoints));
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  return format;
}

// Where the report's rows fall on the pages: every row is one line of one font and every page
// starts with the same heading, so once measured the rows are counted, not laid out.
class ReportPages {
 public:
  ReportPages() = default;
  // The heading would stand at `headingTop` on pages of `pageHeight`, followed by
  // `firstRowsTogether` rows that must not be parted from it.
  // `lead`: the height of a heading just above that goes over with it.
  ReportPages(double headingPitch, double rowPitch, double pageHeight, double headingTop,
              int firstRowsTogether, double lead)
      : headingPitch_(headingPitch), rowPitch_(rowPitch), pageHeight_(pageHeight) {
    pageEnd_ = PageEnd(headingTop, pageHeight);
    bottom_ = headingTop + headingPitch;
    headingBreaks_ = !fits(firstRowsTogether);
    if (headingBreaks_) {
      newPage();
      bottom_ += lead;
    }
  }
  bool headingBreaks() const { return headingBreaks_; }
  // Counts the next row, which goes on one page with the `together` - 1 rows after it; true when
  // it goes on a new page, under a new heading.
  bool nextRowBreaks(int together = 1) {
    if (rowPitch_ <= 0) {
      return false;
    }
    const bool breaks = !atPageTop_ && !fits(together);
    if (breaks) {
      newPage();
    }
    bottom_ += rowPitch_;
    atPageTop_ = false;
    return breaks;
  }

 private:
  bool fits(int rows) const { return bottom_ + rows * rowPitch_ <= pageEnd_ - kSafety; }
  void newPage() {
    bottom_ = pageEnd_ + headingPitch_;
    pageEnd_ += pageHeight_;
    atPageTop_ = true;
  }

  double headingPitch_ = 0;
  double rowPitch_ = 0;
  double pageHeight_ = 0;
  double pageEnd_ = 0;
  double bottom_ = 0;  // of the last row counted
  bool headingBreaks_ = false;
  bool atPageTop_ = true;
};

// The edits are gathered into one, so that the document is laid out only when it is measured
// and when the writer is done, not after every insertion.
SheetWriter::SheetWriter(QTextCursor& cursor, const QSizeF& page) : cursor_(cursor), page_(page) {
  cursor_.beginEditBlock();
}

SheetWriter::~SheetWriter() {
  cursor_.endEditBlock();
}

// Lays out what is written so far.
void SheetWriter::settle() {
  cursor_.endEditBlock();
  cursor_.beginEditBlock();
}

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

void SheetWriter::heading(const QString& text, const QTextCharFormat& format, double spaceBefore) {
  paragraph(text, format, spaceBefore);
  headings_.push_back(cursor_.block().blockNumber());
}

void SheetWriter::title(const QString& text) {
  paragraph(text, SheetCharacters(kTitlePoints, true), 0);
}

void SheetWriter::line(const QString& text) {
  paragraph(text, SheetCharacters(kBodyPoints, false), 0);
}

void SheetWriter::section(const QString& text) {
  heading(text, SheetCharacters(kSectionPoints, true), 14);
}

void SheetWriter::subsection(const QString& text) {
  heading(text, SheetCharacters(kBodyPoints, true), 8);
}

void SheetWriter::note(const QString& text) {
  QTextCharFormat format = SheetCharacters(kBodyPoints, false);
  format.setFontItalic(true);
  paragraph(text, format, 4);
}

void SheetWriter::quantities(const Quantities& rows) {
  if (rows.empty()) {
    return;
  }
  const int count = static_cast<int>(rows.size());
  QTextTable* table = cursor_.insertTable(
      count, 4, TableFormat({Percent(60), Percent(12), Percent(16), Percent(12)}));
  const QTextCharFormat plain = SheetCharacters(kBodyPoints, false);
  const QTextCharFormat bold = SheetCharacters(kBodyPoints, true);
  for (int r = 0; r < count; ++r) {
    Cell(table, r, 0, rows[r].name, plain);
    Cell(table, r, 1, rows[r].symbol, plain);
    Cell(table, r, 2, rows[r].value, bold, Qt::AlignRight);
    Cell(table, r, 3, rows[r].unit, plain);
  }
  cursor_.movePosition(QTextCursor::End);
}

void SheetWriter::table(const TableText& text) {
  const int columns = static_cast<int>(text.headings.size());
  const int rows = static_cast<int>(text.rows.size()) + 1;
  QTextTableFormat format = TableFormat(text.widths);
  format.setHeaderRowCount(1);
  // Inserted whole and filled in one edit, so that the table is laid out once.
  QTextTable* cells = cursor_.insertTable(rows, columns, format);
  const QTextCharFormat plain = SheetCharacters(kSmallestPoints, false);
  const QTextCharFormat bold = SheetCharacters(kSmallestPoints, true);
  for (int c = 0; c < columns; ++c) {
    Cell(cells, 0, c, text.headings[c], bold);
  }
  for (int r = 1; r < rows; ++r) {
    const QStringList& row = text.rows[static_cast<std::size_t>(r - 1)];
    for (int c = 0; c < columns; ++c) {
      const bool right = c < static_cast<int>(text.rightAligned.size()) && text.rightAligned[c];
      Cell(cells, r, c, c < row.size() ? row[c] : QString(), c == text.boldColumn ? bold : plain,
           right ? Qt::AlignRight : Qt::AlignLeft);
    }
  }
  cursor_.movePosition(QTextCursor::End);
}

void SheetWriter::image(const QImage& picture, double scale) {
  QTextDocument* document = cursor_.document();
  const QString name = QStringLiteral("linecalc-picture:%1").arg(document->blockCount());
  document->addResource(QTextDocument::ImageResource, QUrl(name), picture);
  double width = std::floor(picture.width() / scale);
  if (page_.width() > 0) {
    width = std::min(width, std::floor(page_.width()));
  }
  const double height = std::round(width * picture.height() / picture.width());
  // A picture is never cut by the foot of a page: it starts the next one, with its heading.
  bool nextPage = false;
  if (page_.height() > 0) {
    const double top = writtenBottom();
    nextPage = top + 6 + height + kSafety > PageEnd(top, page_.height());
  }
  if (nextPage && leadingHeading()) {
    QTextCursor(cursor_.document()->lastBlock()).mergeBlockFormat(PageBreakBefore());
    nextPage = false;
  }
  paragraph(QString(), SheetCharacters(kBodyPoints, false), 6);
  if (nextPage) {
    cursor_.mergeBlockFormat(PageBreakBefore());
  }
  QTextImageFormat format;
  format.setName(name);
  format.setWidth(width);
  format.setHeight(height);
  cursor_.insertImage(format);
}

void SheetWriter::report(const std::vector<std::string>& lines) {
  std::vector<QString> shown;
  shown.reserve(lines.size());
  for (const std::string& line : lines) {
    if (line != ReportSeparator) {
      shown.push_back(QString::fromStdString(line));
    }
  }
  // The closing lines and the last three loudspeakers' rows stay on one page.
  const int count = static_cast<int>(shown.size());
  const int keepFrom = std::max(0, count - 2 - 3);
  ReportPages pages = planPages(keepFrom == 0 ? count : 1);
  if (pages.headingBreaks() && leadingHeading()) {
    QTextCursor(cursor_.document()->lastBlock()).mergeBlockFormat(PageBreakBefore());
    reportHeading(false);
  } else {
    reportHeading(pages.headingBreaks());
  }
  const QTextCharFormat plain = SheetCharacters(kBodyPoints, false);
  for (int index = 0; index < count; ++index) {
    if (pages.nextRowBreaks(index == keepFrom ? count - keepFrom : 1)) {
      reportHeading(true);
    }
    reportRow(shown[index], plain);
  }
}

// The bottom of what is written so far, laid out on the pages.
double SheetWriter::writtenBottom() {
  settle();
  return BlockRect(cursor_.document()->lastBlock()).bottom();
}

// The height of the report's heading and of one of its rows on pages of `page`, measured once
// for every sheet on such pages.
std::pair<double, double> SheetWriter::ReportPitches(const QSizeF& page) {
  static QSizeF measured;
  static std::pair<double, double> pitches;
  if (page == measured) {
    return pitches;
  }
  QTextDocument sample;
  PrepareSheetDocument(sample, page);
  QTextCursor cursor(&sample);
  QTextBlock before;
  QTextBlock row1;
  {
    SheetWriter writer(cursor, page);
    writer.line(QStringLiteral("0"));
    before = cursor.block();
    writer.reportHeading(false);
    writer.reportRow(QStringLiteral("1\t0\t0"), SheetCharacters(kBodyPoints, false));
    row1 = cursor.block();
    writer.reportRow(QStringLiteral("2\t0\t0"), SheetCharacters(kBodyPoints, false));
  }
  pitches = {BlockRect(row1).top() - BlockRect(before).bottom(),
             BlockRect(cursor.block()).top() - BlockRect(row1).top()};
  measured = page;
  return pitches;
}

// Where the report starts on this document's pages, and how tall its heading and rows are.
ReportPages SheetWriter::planPages(int firstRowsTogether) {
  if (page_.height() <= 0) {
    return {};
  }
  keepHeadingsWithNext();
  const auto [headingPitch, rowPitch] = ReportPitches(page_);
  const double bottom = writtenBottom();
  const double lead = leadingHeading() ? BlockRect(cursor_.document()->lastBlock()).height() : 0;
  return {headingPitch, rowPitch, page_.height(), bottom, firstRowsTogether, lead};
}

// Whether the text written last is a heading, which goes with what comes next.
bool SheetWriter::leadingHeading() const {
  return !headings_.empty() && headings_.back() == cursor_.document()->lastBlock().blockNumber();
}

void SheetWriter::keepHeadingsWithNext() {
  if (page_.height() <= 0 || headingsKept_ == headings_.size()) {
    return;
  }
  QTextDocument& document = *cursor_.document();
  // Each heading moved is laid out before the next is looked at.
  cursor_.endEditBlock();
  const double height = page_.height();
  for (; headingsKept_ < headings_.size(); ++headingsKept_) {
    const QTextBlock heading = document.findBlockByNumber(headings_[headingsKept_]);
    const QTextBlock next = heading.next();
    if (!next.isValid()) {
      break;  // what follows is not written yet
    }
    const double top = BlockRect(heading).top();
    if (std::floor(BlockRect(next).top() / height) > std::floor(top / height)) {
      QTextCursor(heading).mergeBlockFormat(PageBreakBefore());
    }
  }
  cursor_.beginEditBlock();
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

// The report's heading row, a table whose cells wrap their long headings, with a rule under it;
// on a new page when `pageBreak`.
void SheetWriter::reportHeading(bool pageBreak) {
  QTextTableFormat format;
  format.setColumnWidthConstraints({Fixed(kNumberWidth), Fixed(kDropWidth), Fixed(kPowerWidth)});
  format.setCellPadding(kReportPadding);
  format.setCellSpacing(0);
  format.setBorder(0);
  format.setTopMargin(4);
  format.setBottomMargin(0);
  if (pageBreak) {
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  }
  QTextTable* cells = cursor_.insertTable(1, 3, format);
  const QTextCharFormat bold = SheetCharacters(kBodyPoints, true);
  Cell(cells, 0, 0, QStringLiteral("№"), bold);
  Cell(cells, 0, 1, QStringLiteral("Падение напряжения на участке перед громкоговорителем, В"),
       bold, Qt::AlignRight);
  Cell(cells, 0, 2, QStringLiteral("Мощность на громкоговорителе, Вт"), bold, Qt::AlignRight);
  // A rule under the heading's cells.
  QTextTableCellFormat ruled;
  ruled.setBottomBorder(1);
  ruled.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
  ruled.setBottomBorderBrush(Qt::black);
  for (int c = 0; c < 3; ++c) {
    QTextTableCell cell = cells->cellAt(0, c);
    QTextCharFormat cellFormat = cell.format();
    cellFormat.merge(ruled);
    cell.setFormat(cellFormat);
  }
  cursor_.movePosition(QTextCursor::End);
  QTextBlockFormat after;
  after.setTopMargin(0);
  after.setBottomMargin(0);
  // The line after the table is no taller than it needs to be.
  QTextCharFormat small;
  small.setFontPointSize(kRulePoints);
  cursor_.setBlockFormat(after);
  cursor_.setBlockCharFormat(small);
}

// "Объект", then who made and who checked the calculation, with room to sign and date.
void SheetWriter::signatureRows(const Signatures& who, const QDate& date, double spaceBefore,
                                bool pageBreak) {
  QTextBlockFormat block;
  block.setTopMargin(spaceBefore);
  block.setBottomMargin(4);
  if (pageBreak) {
    block.merge(PageBreakBefore());
  }
  const QTextCharFormat plain = SheetCharacters(kBodyPoints, false);
  const QTextCharFormat bold = SheetCharacters(kBodyPoints, true);
  if (first_ && cursor_.atStart()) {
    cursor_.setBlockFormat(block);
  } else {
    cursor_.insertBlock(block, plain);
  }
  first_ = false;
  cursor_.insertText(QStringLiteral("Объект: "), bold);
  cursor_.insertText(who.object.trimmed().isEmpty() ? QStringLiteral("________________________")
                                                    : who.object.trimmed(),
                     plain);
  QTextTableFormat format = TableFormat({Percent(16), Percent(40), Percent(24), Percent(20)});
  format.setCellPadding(4);
  QTextTable* cells = cursor_.insertTable(3, 4, format);
  const QStringList headings{QString(), QStringLiteral("Фамилия, инициалы"),
                             QStringLiteral("Подпись"), QStringLiteral("Дата")};
  for (int c = 0; c < headings.size(); ++c) {
    Cell(cells, 0, c, headings[c], bold);
  }
  const QString day = date.toString(QStringLiteral("dd.MM.yyyy"));
  const QStringList rows[] = {{QStringLiteral("Выполнил"), who.performer.trimmed(), day},
                              {QStringLiteral("Проверил"), who.checker.trimmed(), QString()}};
  for (int r = 1; r <= 2; ++r) {
    const QStringList& row = rows[r - 1];
    Cell(cells, r, 0, row[0], bold);
    Cell(cells, r, 1, row[1], plain);
    // Room for a signature by hand.
    QTextTableCellFormat tall;
    tall.setTopPadding(18);
    cells->cellAt(r, 2).setFormat(tall);
    Cell(cells, r, 3, row[2], plain);
  }
  cursor_.movePosition(QTextCursor::End);
  QTextCharFormat small;
  small.setFontPointSize(kRulePoints);
  cursor_.setBlockCharFormat(small);
}

void SheetWriter::signatures(const Signatures& who, const QDate& date) {
  if (page_.height() <= 0) {
    signatureRows(who, date, 12, false);
    return;
  }
  keepHeadingsWithNext();
  QTextDocument sample;
  PrepareSheetDocument(sample, page_);
  QTextCursor cursor(&sample);
  SheetWriter(cursor, page_).signatureRows(who, date, 0, false);
  const double height = BlockRect(sample.lastBlock()).bottom() + 2 * kSafety;
  const double bottom = writtenBottom();
  const double room = PageEnd(bottom, page_.height()) - bottom;
  const bool newPage = room < height;
  signatureRows(who, date, newPage ? page_.height() - height : room - height, newPage);
}

}  // namespace linecalc::sheet

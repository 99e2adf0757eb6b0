#include "sheet/sheet_writer.h"

#include <QFont>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>

#include "calc/report.h"

namespace linecalc::sheet {
namespace {

constexpr double kBodyPoints = 10;
constexpr double kTitlePoints = 16;
constexpr double kSectionPoints = 12;
const QString kFontFamily = QStringLiteral("DejaVu Sans");

QTextCharFormat Characters(double points, bool bold) {
  QTextCharFormat format;
  format.setFontFamilies({kFontFamily});
  format.setFontPointSize(points);
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  return format;
}

QTextTableFormat TableFormat(const QList<QTextLength>& widths, int headerRows) {
  QTextTableFormat format;
  format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
  format.setColumnWidthConstraints(widths);
  format.setCellPadding(2);
  format.setCellSpacing(0);
  format.setBorder(0.5);
  format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
  format.setBorderCollapse(true);
  format.setHeaderRowCount(headerRows);
  return format;
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

void SetSheetStyle(QTextDocument& document) {
  QFont font(kFontFamily);
  font.setPointSizeF(kBodyPoints);
  document.setDefaultFont(font);
  document.setDocumentMargin(0);
}

SheetWriter::SheetWriter(QTextCursor& cursor, bool newPage) : cursor_(cursor), newPage_(newPage) {}

void SheetWriter::paragraph(const QString& text, const QTextCharFormat& format,
                            double spaceBefore) {
  QTextBlockFormat block;
  block.setTopMargin(spaceBefore);
  block.setBottomMargin(2);
  if (first_ && newPage_) {
    block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  }
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
      count, 4, TableFormat({Percent(58), Percent(13), Percent(17), Percent(12)}, 0));
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
  const auto separators = std::count(lines.begin(), lines.end(), ReportSeparator);
  const int count = 1 + static_cast<int>(lines.size() - static_cast<std::size_t>(separators));
  QTextTable* table =
      cursor_.insertTable(count, 3, TableFormat({Percent(30), Percent(35), Percent(35)}, 1));
  const QTextCharFormat bold = Characters(kBodyPoints, true);
  const QTextCharFormat plain = Characters(kBodyPoints, false);
  Cell(table, 0, 0, QStringLiteral("№"), bold, Qt::AlignCenter);
  Cell(table, 0, 1, QStringLiteral("Url (В)"), bold, Qt::AlignCenter);
  Cell(table, 0, 2, QStringLiteral("Pгр (Вт)"), bold, Qt::AlignCenter);
  int row = 1;
  for (const std::string& line : lines) {
    if (line == ReportSeparator) {
      continue;
    }
    const QStringList fields = QString::fromStdString(line).split(QLatin1Char('\t'));
    for (int c = 0; c < 3 && c < fields.size(); ++c) {
      Cell(table, row, c, fields[c], plain, c == 0 ? Qt::AlignLeft : Qt::AlignRight);
    }
    ++row;
  }
  cursor_.movePosition(QTextCursor::End);
}

}  // namespace linecalc::sheet

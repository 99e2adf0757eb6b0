#include "ui/object/object_document.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>
#include <iterator>
#include <numeric>
#include <vector>

#include "calc/smallest_section.h"
#include "object/line_table.h"
#include "sheet/calculation_sheet.h"
#include "ui/qt_text.h"

namespace linecalc::ui {
namespace {

using object::LineColumn;

constexpr double kTablePoints = 7;
constexpr double kCellPadding = 1.5;

// A column of the summary table after "№": the CSV column it shows and a heading short enough
// that the table fits the page's width without breaking a word.
struct SummaryColumn {
  LineColumn column;
  const char* heading;
};
constexpr SummaryColumn kSummaryColumns[] = {
    {LineColumn::Name, "Линия"},
    {LineColumn::Section, "Сечение, мм²"},
    {LineColumn::Load, "Нагрузка"},
    {LineColumn::Power, "Мощность, Вт"},
    {LineColumn::Count, "Кол-во гр"},
    {LineColumn::LossPct, "Потери, %"},
    {LineColumn::LossDb, "Потери, дБ"},
    {LineColumn::VoltageDropPct, "Падение напряжения, %"},
    {LineColumn::SmallestSection, "Мин. сечение"},
    {LineColumn::Verdict, "Итог"},
};
constexpr int kSummaryColumnCount = static_cast<int>(std::size(kSummaryColumns));

struct AssessedLine {
  const object::ObjectLine* line;
  LineAssessment assessment;
  std::vector<std::string> cells;
};

QTextCharFormat TableCharacters(bool bold) {
  QTextCharFormat format;
  format.setFontFamilies({QStringLiteral("DejaVu Sans")});
  format.setFontPointSize(kTablePoints);
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  return format;
}

// The widest word of `text` in `font` at the sheet's layout resolution, plus the cell's margins.
double WordsWidth(const QString& text, const QFont& font) {
  static const QImage device = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(sheet::kSheetDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
  }();
  const QFontMetricsF metrics(font, &device);
  double widest = 0;
  for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
    widest = std::max(widest, metrics.horizontalAdvance(word));
  }
  // Headroom for the border and for rounding in the layout.
  return widest * 1.1 + 2 * kCellPadding + 4;
}

// Every column as wide as its widest word, so that no word is broken; the name column takes
// what is left of `pageWidth`.
QList<QTextLength> ColumnWidths(const std::vector<AssessedLine>& lines, double pageWidth) {
  const QFont plain = TableCharacters(false).font();
  const QFont bold = TableCharacters(true).font();
  std::vector<double> widths{WordsWidth(QString::number(lines.size()), plain)};
  for (const SummaryColumn& column : kSummaryColumns) {
    double width = WordsWidth(QString::fromUtf8(column.heading), bold);
    const QFont& font = column.column == LineColumn::Verdict ? bold : plain;
    for (const AssessedLine& line : lines) {
      const std::string& cell = line.cells[static_cast<std::size_t>(column.column)];
      width = std::max(width, WordsWidth(ToQString(cell), font));
    }
    widths.push_back(width);
  }
  const double others = std::accumulate(widths.begin(), widths.end(), 0.0) - widths[1];
  widths[1] = std::max(widths[1], pageWidth - others);
  QList<QTextLength> lengths;
  for (const double width : widths) {
    lengths.append(QTextLength(QTextLength::PercentageLength, 100 * width / pageWidth));
  }
  return lengths;
}

QTextTableFormat SummaryTableFormat(const QList<QTextLength>& widths) {
  QTextTableFormat format;
  format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
  format.setColumnWidthConstraints(widths);
  format.setCellPadding(kCellPadding);
  format.setCellSpacing(0);
  format.setBorder(0.5);
  format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
  format.setBorderCollapse(true);
  format.setHeaderRowCount(1);
  return format;
}

// A paragraph of the summary: `points` high, bold or italic as asked.
void Paragraph(QTextCursor& cursor, const QString& text, double points, QFont::Weight weight,
               bool italic = false) {
  QTextCharFormat format;
  format.setFontFamilies({QStringLiteral("DejaVu Sans")});
  format.setFontPointSize(points);
  format.setFontWeight(weight);
  format.setFontItalic(italic);
  QTextBlockFormat block;
  block.setTopMargin(points > 10 ? 8 : 2);
  block.setBottomMargin(2);
  if (cursor.atStart()) {
    cursor.setBlockFormat(block);
    cursor.setBlockCharFormat(format);
  } else {
    cursor.insertBlock(block, format);
  }
  cursor.insertText(text, format);
}

void PutCell(QTextTable* table, int row, int column, const QString& text, bool bold) {
  QTextCursor cell = table->cellAt(row, column).firstCursorPosition();
  cell.insertText(text, TableCharacters(bold));
}

void WriteSummaryTable(QTextCursor& cursor, const std::vector<AssessedLine>& lines,
                       double pageWidth) {
  QTextTable* table =
      cursor.insertTable(static_cast<int>(lines.size()) + 1, kSummaryColumnCount + 1,
                         SummaryTableFormat(ColumnWidths(lines, pageWidth)));
  PutCell(table, 0, 0, QStringLiteral("№"), true);
  for (int c = 0; c < kSummaryColumnCount; ++c) {
    PutCell(table, 0, c + 1, QString::fromUtf8(kSummaryColumns[c].heading), true);
  }
  for (std::size_t r = 0; r < lines.size(); ++r) {
    const int row = static_cast<int>(r) + 1;
    PutCell(table, row, 0, QString::number(row), false);
    for (int c = 0; c < kSummaryColumnCount; ++c) {
      const LineColumn column = kSummaryColumns[c].column;
      const std::string& text = lines[r].cells[static_cast<std::size_t>(column)];
      PutCell(table, row, c + 1, ToQString(text), column == LineColumn::Verdict);
    }
  }
  cursor.movePosition(QTextCursor::End);
}

void WriteSummary(QTextCursor& cursor, const object::LineObject& object, const QDateTime& when,
                  const std::vector<AssessedLine>& lines, double pageWidth) {
  Paragraph(cursor, QStringLiteral("Объект: %1").arg(ToQString(object.title)), 16, QFont::Bold);
  Paragraph(cursor,
            QStringLiteral("Дата: %1").arg(when.toString(QStringLiteral("dd.MM.yyyy HH:mm"))), 10,
            QFont::Normal);
  Paragraph(cursor, QStringLiteral("Программа: %1").arg(sheet::ProgramTitle()), 10, QFont::Normal);
  const bool limited = ReadLossLimit(object.lossLimitPct).has_value();
  Paragraph(cursor,
            limited ? QStringLiteral("Предел потерь: %1 %").arg(ToQString(object.lossLimitPct))
                    : QStringLiteral("Предел потерь не задан."),
            10, QFont::Normal);
  Paragraph(cursor, QStringLiteral("Линий: %1").arg(lines.size()), 10, QFont::Normal);
  Paragraph(cursor, QStringLiteral("Сводная таблица"), 12, QFont::Bold);
  WriteSummaryTable(cursor, lines, pageWidth);
  for (std::size_t r = 0; r < lines.size(); ++r) {
    const std::string& message = lines[r].assessment.calculation.message;
    if (!message.empty()) {
      Paragraph(cursor, QStringLiteral("Линия %1: %2").arg(r + 1).arg(ToQString(message)), 10,
                QFont::Normal, true);
    }
  }
}

// The calculation sheet of one line; a refused line shows its inputs and why it was refused.
void WriteLineSheet(QTextCursor& cursor, const AssessedLine& line, const QDateTime& when,
                    const QString& separator) {
  const LineCalculation& calc = line.assessment.calculation;
  sheet::SheetContent content;
  content.lineName = ToQString(line.line->name);
  content.when = when;
  content.decimalSeparator = separator;
  if (calc.status == LineStatus::Computed) {
    (calc.inputs.load == LoadKind::Single ? content.single : content.uniform) = calc;
  }
  content.current = calc;
  sheet::AppendCalculationSheet(cursor, content);
  if (calc.status != LineStatus::Computed) {
    Paragraph(cursor, ToQString(calc.message), 10, QFont::Normal, true);
  }
}

}  // namespace

std::unique_ptr<QTextDocument> BuildObjectDocument(const object::LineObject& object,
                                                   const QDateTime& when,
                                                   const QString& decimalSeparator,
                                                   const sheet::PageProgress& progress,
                                                   const QSizeF& page) {
  const std::optional<double> limit = ReadLossLimit(object.lossLimitPct);
  const std::string separator = decimalSeparator.toStdString();
  const int total = static_cast<int>(object.lines.size());
  std::vector<AssessedLine> lines;
  lines.reserve(object.lines.size());
  for (const object::ObjectLine& line : object.lines) {
    if (progress && !progress(static_cast<int>(lines.size()), total)) {
      return nullptr;
    }
    LineAssessment assessment = AssessLine(line.inputs, limit, separator);
    std::vector<std::string> cells =
        object::LineTableRow(line, assessment, limit.has_value(), separator);
    lines.push_back({&line, std::move(assessment), std::move(cells)});
  }
  auto document = std::make_unique<QTextDocument>();
  sheet::PrepareSheetDocument(*document, page);
  QTextCursor cursor(document.get());
  WriteSummary(cursor, object, when, lines, page.width());
  for (const AssessedLine& line : lines) {
    WriteLineSheet(cursor, line, when, decimalSeparator);
  }
  return document;
}

QByteArray ObjectPdf(const object::LineObject& object) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    sheet::SetSheetPaper(writer);
    const std::unique_ptr<QTextDocument> document =
        BuildObjectDocument(object, QDateTime::currentDateTime(), QLocale().decimalPoint(), {},
                            sheet::SheetPageSize(writer));
    writer.setTitle(QStringLiteral("Объект: %1").arg(ToQString(object.title)));
    writer.setCreator(sheet::ProgramTitle());
    if (sheet::PaintSheet(*document, writer) != sheet::PaintOutcome::Done) {
      return {};
    }
  }
  return bytes;
}

}  // namespace linecalc::ui

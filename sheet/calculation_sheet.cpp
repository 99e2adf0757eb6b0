#include "sheet/calculation_sheet.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include "calc/report.h"
#include "sheet/sheet_blocks.h"
#include "sheet/sheet_writer.h"

namespace linecalc::sheet {
namespace {

const QString kTitle = QStringLiteral("Расчет потерь в линии");

bool SameBlock(const std::optional<LineCalculation>& a, const LineCalculation& b,
               const QString& separator) {
  return a && LineBlock(*a, separator) == LineBlock(b, separator);
}

void WriteHeading(SheetWriter& out, const SheetContent& content) {
  out.title(kTitle);
  if (!content.lineName.trimmed().isEmpty()) {
    out.line(QStringLiteral("Линия: %1").arg(content.lineName.trimmed()));
  }
  out.line(QStringLiteral("Дата и время расчета: %1")
               .arg(content.when.toString(QStringLiteral("dd.MM.yyyy HH:mm"))));
  out.line(QStringLiteral("Программа: %1").arg(ProgramTitle()));
}

void WriteLine(SheetWriter& out, const LineCalculation& calc, const QString& separator,
               const QString& heading) {
  out.section(heading);
  out.quantities(InputRows(calc, separator));
  out.subsection(QStringLiteral("Справочные величины"));
  out.quantities(ReferenceRows(calc, separator));
}

void WriteUniform(SheetWriter& out, const LineCalculation& calc, const QString& separator) {
  out.section(QStringLiteral("Равномерно распределенная нагрузка"));
  out.quantities(UniformRows(calc, separator));
  out.subsection(QStringLiteral("Напряжение и мощность у каждого громкоговорителя"));
  out.report(FormatReportLines(*calc.uniform, separator.toStdString()));
}

// Writes the line blocks and results; a line block shared by both calculations is written once.
void WriteCalculations(SheetWriter& out, const SheetContent& content) {
  const QString& sep = content.decimalSeparator;
  const bool shared =
      content.single && content.uniform && SameBlock(content.single, *content.uniform, sep);
  if (content.single) {
    WriteLine(out, *content.single, sep, QStringLiteral("Исходные данные"));
    out.section(QStringLiteral("Нагрузка в конце линии"));
    out.quantities(SingleRows(*content.single, sep));
  }
  if (content.uniform) {
    if (!shared) {
      WriteLine(out, *content.uniform, sep,
                content.single ? QStringLiteral("Исходные данные расчета равномерной нагрузки")
                               : QStringLiteral("Исходные данные"));
    }
    WriteUniform(out, *content.uniform, sep);
  }
}

void WriteCurrent(SheetWriter& out, const SheetContent& content) {
  if (!content.current || !content.current->reference) {
    return;
  }
  const QString& sep = content.decimalSeparator;
  if (!content.single && !content.uniform) {
    WriteLine(out, *content.current, sep, QStringLiteral("Исходные данные"));
    out.note(QStringLiteral("Расчет нагрузки не выполнялся."));
    return;
  }
  if (SameBlock(content.single, *content.current, sep) ||
      SameBlock(content.uniform, *content.current, sep)) {
    return;
  }
  WriteLine(out, *content.current, sep,
            QStringLiteral("Исходные данные в окне сейчас (изменены после расчета)"));
  out.note(
      QStringLiteral("Эти величины показаны в окне сейчас; результаты расчета выше "
                     "получены по исходным данным, приведенным вместе с ними."));
}

}  // namespace

QString ProgramTitle() {
  return QStringLiteral("Расчет потерь в линиях (системы звуковой трансляции), версия %1")
      .arg(QStringLiteral(LINECALC_VERSION));
}

void AppendCalculationSheet(QTextCursor& cursor, const SheetContent& content) {
  // Written apart and inserted whole, so that the paged document is laid out once.
  QTextDocument sheet;
  PrepareSheetDocument(sheet, QSizeF());
  QTextCursor writing(&sheet);
  SheetWriter out(writing, cursor.document()->pageSize());
  WriteHeading(out, content);
  WriteCalculations(out, content);
  WriteCurrent(out, content);
  const bool newPage = !cursor.atStart();
  if (newPage) {
    cursor.insertBlock();
  }
  const int start = cursor.position();
  cursor.insertFragment(QTextDocumentFragment(&sheet));
  if (newPage) {
    QTextBlockFormat pageBreak;
    pageBreak.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(cursor.document()->findBlock(start)).mergeBlockFormat(pageBreak);
  }
}

std::unique_ptr<QTextDocument> BuildCalculationSheet(const SheetContent& content,
                                                     const QSizeF& page) {
  auto document = std::make_unique<QTextDocument>();
  PrepareSheetDocument(*document, page);
  QTextCursor cursor(document.get());
  AppendCalculationSheet(cursor, content);
  return document;
}

}  // namespace linecalc::sheet

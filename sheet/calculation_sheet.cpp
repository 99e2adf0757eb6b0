#include "sheet/calculation_sheet.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "calc/report.h"
#include "sheet/layout_page.h"
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
  if (!content.objectTitle.trimmed().isEmpty()) {
    out.line(QStringLiteral("Объект: %1").arg(content.objectTitle.trimmed()));
  }
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

Quantities WithVerdict(Quantities rows, const LineCalculation& calc, const SheetContent& content) {
  const Quantities verdict = VerdictRows(calc, content.lossLimitPct, content.decimalSeparator);
  rows.insert(rows.end(), verdict.begin(), verdict.end());
  return rows;
}

void WriteUniform(SheetWriter& out, const LineCalculation& calc, const SheetContent& content) {
  const QString& separator = content.decimalSeparator;
  out.section(QStringLiteral("Равномерно распределенная нагрузка"));
  out.quantities(WithVerdict(UniformRows(calc, separator), calc, content));
  out.subsection(QStringLiteral("Напряжение и мощность у каждого громкоговорителя"));
  out.report(FormatReportLines(*calc.uniform, separator.toStdString()));
  out.note(QStringLiteral(
      "«Остается U=» — напряжение у последнего громкоговорителя по расчету участок за участком "
      "(P= — мощность, дошедшая до всех громкоговорителей), а «Каскадное напряжение» — оценка "
      "того же напряжения, в которой каждый участок линии с громкоговорителем взят одинаковым "
      "делителем напряжения, поэтому эти два значения немного различаются."));
}

// Writes the line blocks and results; a line block shared by both calculations is written once.
void WriteCalculations(SheetWriter& out, const SheetContent& content) {
  const QString& sep = content.decimalSeparator;
  if (content.layout) {
    if (content.layout->reference) {
      WriteLine(out, *content.layout, sep, QStringLiteral("Исходные данные"));
    }
    WriteLayout(out, *content.layout,
                VerdictRows(*content.layout, content.lossLimitPct, content.decimalSeparator), sep);
    return;
  }
  const bool shared =
      content.single && content.uniform && SameBlock(content.single, *content.uniform, sep);
  if (content.single) {
    WriteLine(out, *content.single, sep, QStringLiteral("Исходные данные"));
    out.section(QStringLiteral("Нагрузка в конце линии"));
    out.quantities(WithVerdict(SingleRows(*content.single, sep), *content.single, content));
  }
  if (content.uniform) {
    if (!shared) {
      WriteLine(out, *content.uniform, sep,
                content.single ? QStringLiteral("Исходные данные расчета равномерной нагрузки")
                               : QStringLiteral("Исходные данные"));
    }
    WriteUniform(out, *content.uniform, content);
  }
}

void WriteCurrent(SheetWriter& out, const SheetContent& content) {
  if (!content.current || !content.current->reference) {
    return;
  }
  const QString& sep = content.decimalSeparator;
  if (content.layout) {
    return;
  }
  if (!content.single && !content.uniform) {
    WriteLine(out, *content.current, sep, QStringLiteral("Исходные данные"));
    out.note(content.refusal.isEmpty() ? QStringLiteral("Расчет нагрузки не выполнялся.")
                                       : content.refusal);
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

void WriteMethod(SheetWriter& out, const SheetContent& content) {
  const std::optional<LineCalculation> line = SheetLine(content);
  out.section(QStringLiteral("Методика расчета"));
  if (content.layout) {
    for (const QString& text : LayoutMethodLines(content.decimalSeparator)) {
      out.line(text);
    }
    return;
  }
  for (const QString& text :
       MethodLines(line ? *line : LineCalculation{}, content.decimalSeparator)) {
    out.line(text);
  }
}

QString LoadName(LoadKind kind) {
  return kind == LoadKind::Single ? QStringLiteral("расчет нагрузки в конце линии")
                                  : QStringLiteral("расчет равномерной нагрузки");
}

void WriteSheet(SheetWriter& out, const SheetContent& content) {
  WriteHeading(out, content);
  WriteCalculations(out, content);
  WriteCurrent(out, content);
  WriteMethod(out, content);
  if (content.signatures) {
    out.signatures(*content.signatures, content.when.date());
  }
  out.keepHeadingsWithNext();
}

}  // namespace

bool SameLine(const LineCalculation& a, const LineCalculation& b) {
  if (!a.reference || !b.reference) {
    LineInputs x = a.inputs;
    LineInputs y = b.inputs;
    x.load = y.load;
    x.power = y.power;
    x.count = y.count;
    return x == y;
  }
  return InputRows(a, QStringLiteral(".")) == InputRows(b, QStringLiteral("."));
}

QString KeepOneLine(SheetContent& content) {
  if (!content.single || !content.uniform || SameLine(*content.single, *content.uniform)) {
    return {};
  }
  const LoadKind older = content.latest == LoadKind::Single ? LoadKind::Uniform : LoadKind::Single;
  (older == LoadKind::Single ? content.single : content.uniform).reset();
  QString text = QStringLiteral(
                     "В лист войдет только %1: %2 на экране сделан для другой линии (материал, "
                     "сечение, длина, температура, напряжение или R20 другие), а лист "
                     "описывает одну линию.")
                     .arg(LoadName(content.latest), LoadName(older));
  return text;
}

std::optional<LineCalculation> SheetLine(const SheetContent& content) {
  if (content.layout) {
    return content.layout;
  }
  if (content.single && content.uniform) {
    return content.latest == LoadKind::Single ? content.single : content.uniform;
  }
  if (content.single) {
    return content.single;
  }
  if (content.uniform) {
    return content.uniform;
  }
  return content.current;
}

QString ProgramTitle() {
  return QStringLiteral("Расчет потерь в линиях (системы звуковой трансляции), версия %1")
      .arg(QStringLiteral(LINECALC_VERSION));
}

std::unique_ptr<QTextDocument> BuildCalculationSheet(const SheetContent& content,
                                                     const QSizeF& page) {
  auto document = std::make_unique<QTextDocument>();
  PrepareSheetDocument(*document, page);
  QTextCursor cursor(document.get());
  {
    SheetWriter out(cursor, page);
    WriteSheet(out, content);
  }
  return document;
}

}  // namespace linecalc::sheet

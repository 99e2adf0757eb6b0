#include "sheet/object_document.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <numeric>

#include "calc/smallest_section.h"
#include "object/amplifier_table.h"
#include "object/line_table.h"
#include "sheet/calculation_sheet.h"
#include "sheet/sheet_blocks.h"

namespace linecalc::sheet {
namespace {

constexpr double kCellPadding = 2;

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

struct AssessedLine {
  const object::ObjectLine* line;
  LineAssessment assessment;
};

// The summary's columns; numbers are right-aligned. The loss in dB and the voltage drop stand on
// each line's sheet: with them the table would not fit the page's width at a legible size.
struct SummaryColumn {
  const char* heading;
  bool number;
};
constexpr SummaryColumn kColumns[] = {
    {"№", true},
    {"Линия", false},
    {"Мате\u00adриал", false},
    {"Сеч., мм²", true},
    {"Длина, м", true},
    {"t, °C", true},
    {"Нагруз\u00adка, Вт", true},
    {"Pном, Вт", true},
    {"Потери, %", true},
    {"Мин. сеч., мм²", true},
    {"Итог", false},
};
constexpr int kNameColumn = 1;
constexpr int kVerdictColumn = 10;

// The amplifiers' table: the cells of their CSV up to the verdict; messages go below it.
constexpr SummaryColumn kAmplifierColumns[] = {
    {"№", true},
    {"Усили\u00adтель", false},
    {"P, Вт", true},
    {"U, В", true},
    {"Линии", false},
    {"Pном, Вт", true},
    {"Загруз\u00adка, %", true},
    {"Запас, %", true},
    {"Итог", false},
};
constexpr int kAmplifierLinesColumn = 4;
constexpr int kAmplifierVerdictColumn = 8;

// The rated power of a computed line: Рвх, or Pгр × N.
std::optional<double> RatedPower(const LineCalculation& calc) {
  if (calc.status != LineStatus::Computed) {
    return std::nullopt;
  }
  return calc.requested;
}

QStringList SummaryRow(int number, const AssessedLine& line, bool limited, const QString& sep) {
  const LineCalculation& calc = line.assessment.calculation;
  const LineInputs& in = line.line->inputs;
  const auto typed = [&sep](const std::string& text) {
    return Utf8(text).trimmed().replace(QLatin1Char('.'), sep);
  };
  const QString length =
      calc.reference ? SheetAmount(calc.reference->LengthM, sep) : typed(in.length);
  // The reference temperature includes the conductor's heating of 5 °C.
  const QString temperature =
      calc.reference ? SheetAmount(calc.reference->TempC - 5, sep) : typed(in.temperature);
  QString load;
  if (in.load == LoadKind::Layout) {
    load = calc.status == LineStatus::Computed
               ? QStringLiteral("схема, %1 гр").arg(SheetAmount(calc.count, sep))
               : QStringLiteral("схема");
  } else if (calc.status == LineStatus::Computed) {
    load = in.load == LoadKind::Single
               ? SheetNumber(calc.power, sep)
               : SheetAmount(calc.count, sep) + QStringLiteral("\u00a0×\u00a0") +
                     SheetAmount(calc.power, sep);
  } else {
    load = in.load == LoadKind::Single
               ? typed(in.power)
               : typed(in.count) + QStringLiteral("\u00a0×\u00a0") + typed(in.power);
  }
  const bool computed = calc.status == LineStatus::Computed;
  const std::optional<int> smallest = line.assessment.smallestSection;
  return {
      QString::number(number),
      Utf8(line.line->name),
      Utf8(object::MaterialText(in.material)),
      SectionText(in.sectionIndex, sep),
      length,
      temperature,
      load,
      computed ? SheetNumber(calc.requested, sep) : QString(),
      computed ? SheetNumber(calc.lossPct, sep) : QString(),
      !limited   ? QString()
      : smallest ? SectionText(*smallest, sep)
                 : QStringLiteral("нет"),
      Utf8(VerdictText(line.assessment.verdict)),
  };
}

// The widest word of `text` in `font` at the sheet's layout resolution, plus the cell's margins.
double WordsWidth(const QString& text, const QFontMetricsF& metrics) {
  double widest = 0;
  for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
    for (const QString& part : word.split(QChar(0x00ad))) {
      widest = std::max(widest, metrics.horizontalAdvance(part + QStringLiteral("-")));
    }
  }
  // Headroom for the border and for rounding in the layout.
  return widest * 1.05 + 2 * kCellPadding + 3;
}

// Every column as wide as its widest word, so that no word is broken; column `flexible` takes
// what is left of `pageWidth`.
QList<QTextLength> ColumnWidths(const TableText& table, double pageWidth,
                                int flexible = kNameColumn) {
  static const QImage device = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(kSheetDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
  }();
  const QFontMetricsF plain(SheetCharacters(kSmallestPoints, false).font(), &device);
  const QFontMetricsF bold(SheetCharacters(kSmallestPoints, true).font(), &device);
  std::vector<double> widths;
  for (const QString& heading : table.headings) {
    widths.push_back(WordsWidth(heading, bold));
  }
  for (const QStringList& row : table.rows) {
    for (int c = 0; c < row.size(); ++c) {
      const auto& metrics = c == table.boldColumn ? bold : plain;
      widths[c] = std::max(widths[c], c == flexible ? 0 : WordsWidth(row[c], metrics));
    }
  }
  const double others = std::accumulate(widths.begin(), widths.end(), 0.0) - widths[flexible];
  widths[flexible] = std::max(widths[flexible], pageWidth - others);
  QList<QTextLength> lengths;
  for (const double width : widths) {
    lengths.append(QTextLength(QTextLength::PercentageLength, 100 * width / pageWidth));
  }
  return lengths;
}

// Under the lines: what each amplifier carries against its power with the object's reserve.
void WriteAmplifiers(SheetWriter& out, const object::LineObject& object, const QString& sep,
                     const std::vector<AssessedLine>& lines, double pageWidth) {
  if (object.amplifiers.empty()) {
    return;
  }
  const auto assessments =
      object::AssessAmplifiers(object, [&lines](std::size_t line) -> const LineCalculation& {
        return lines[line].assessment.calculation;
      });
  const double reserve =
      ReadAmplifierReserve(object.amplifierReservePct).value_or(kDefaultAmplifierReservePct);
  out.section(QStringLiteral("Усилители"));
  out.line(QStringLiteral("Запас мощности усилителей: %1 %").arg(SheetNumber(reserve, sep)));
  TableText table;
  for (const SummaryColumn& column : kAmplifierColumns) {
    table.headings.append(QString::fromUtf8(column.heading));
    table.rightAligned.push_back(column.number);
  }
  table.boldColumn = kAmplifierVerdictColumn;
  QStringList messages;
  for (std::size_t a = 0; a < assessments.size(); ++a) {
    const std::vector<std::string> cells =
        object::AmplifierTableRow(object, a, assessments[a], sep.toStdString());
    QStringList row{QString::number(a + 1)};
    for (int c = 0; c < kAmplifierVerdictColumn; ++c) {
      row.append(Utf8(cells[static_cast<std::size_t>(c)]));
    }
    table.rows.push_back(row);
    if (!assessments[a].load.message.empty()) {
      messages.append(
          QStringLiteral("Усилитель %1: %2").arg(a + 1).arg(Utf8(assessments[a].load.message)));
    }
  }
  table.widths = ColumnWidths(table, pageWidth, kAmplifierLinesColumn);
  out.table(table);
  out.note(QStringLiteral(
      "P — мощность усилителя; U — напряжение его выхода; Pном — суммарная номинальная мощность "
      "его линий; Загрузка — 100 × Pном ÷ P; Запас — 100 × (P ÷ Pном − 1); перегрузка — "
      "Pном × (1 + запас мощности ÷ 100) больше P."));
  for (const QString& message : messages) {
    out.note(message);
  }
}

void WriteSummary(SheetWriter& out, const object::LineObject& object, const ObjectPaper& paper,
                  const std::vector<AssessedLine>& lines, double pageWidth) {
  const QString& sep = paper.decimalSeparator;
  const std::optional<double> limit = ReadLossLimit(object.lossLimitPct);
  out.title(QStringLiteral("Объект: %1").arg(Utf8(object.title)));
  out.line(QStringLiteral("Дата: %1").arg(paper.when.toString(QStringLiteral("dd.MM.yyyy HH:mm"))));
  out.line(QStringLiteral("Программа: %1").arg(ProgramTitle()));
  out.line(limit ? QStringLiteral("Предел потерь: %1 %").arg(SheetNumber(*limit, sep))
                 : QStringLiteral("Предел потерь не задан."));
  out.line(QStringLiteral("Линий: %1").arg(lines.size()));
  out.section(QStringLiteral("Сводная таблица"));
  TableText table;
  for (const SummaryColumn& column : kColumns) {
    table.headings.append(QString::fromUtf8(column.heading));
    table.rightAligned.push_back(column.number);
  }
  table.boldColumn = kVerdictColumn;
  table.rows.reserve(lines.size());
  double total = 0;
  int refused = 0;
  for (std::size_t r = 0; r < lines.size(); ++r) {
    table.rows.push_back(SummaryRow(static_cast<int>(r) + 1, lines[r], limit.has_value(), sep));
    const std::optional<double> rated = RatedPower(lines[r].assessment.calculation);
    total += rated.value_or(0);
    refused += rated ? 0 : 1;
  }
  table.widths = ColumnWidths(table, pageWidth);
  out.table(table);
  out.line(QStringLiteral("Суммарная номинальная мощность: %1 Вт%2")
               .arg(SheetNumber(total, sep),
                    refused > 0 ? QStringLiteral(" (без линий, расчет которых не выполнен)")
                                : QString()));
  out.note(QStringLiteral(
      "Сеч. — сечение жилы; t — температура окружающей среды; Нагрузка — Рвх в конце линии, "
      "N × Pгр или схема с числом громкоговорителей; Pном — суммарная номинальная мощность "
      "линии; Мин. сеч. — наименьшее сечение, при котором потери не превышают предела."));
  for (std::size_t r = 0; r < lines.size(); ++r) {
    const std::string& message = lines[r].assessment.calculation.message;
    if (!message.empty()) {
      out.note(QStringLiteral("Линия %1: %2").arg(r + 1).arg(Utf8(message)));
    }
  }
  WriteAmplifiers(out, object, sep, lines, pageWidth);
  out.signatures({Utf8(object.title), paper.performer, QString()}, paper.when.date());
}

// The calculation sheet of one line; a refused line shows its inputs and why it was refused.
std::unique_ptr<QTextDocument> LineSheet(const object::LineObject& object, const AssessedLine& line,
                                         const ObjectPaper& paper, const QSizeF& page) {
  const LineCalculation& calc = line.assessment.calculation;
  SheetContent content;
  content.lineName = Utf8(line.line->name);
  content.objectTitle = Utf8(object.title);
  content.when = paper.when;
  content.decimalSeparator = paper.decimalSeparator;
  content.lossLimitPct = ReadLossLimit(object.lossLimitPct);
  if (calc.inputs.load == LoadKind::Layout) {
    content.layout = calc;
  } else if (calc.status == LineStatus::Computed) {
    (calc.inputs.load == LoadKind::Single ? content.single : content.uniform) = calc;
    content.latest = calc.inputs.load;
  } else {
    content.refusal = Utf8(calc.message);
  }
  content.current = calc;
  return BuildCalculationSheet(content, page);
}

// One count over the three phases of printing: building, layout and painting, a third each.
class PhasedProgress {
 public:
  enum Phase { Building, Layout, Painting };
  explicit PhasedProgress(const PageProgress& progress) : progress_(progress) {}
  bool operator()(Phase phase, int done, int total) const {
    if (!progress_) {
      return true;
    }
    const int share =
        total > 0 ? static_cast<int>(static_cast<long long>(kSteps) * done / total) : kSteps;
    return progress_(phase * kSteps + share, 3 * kSteps);
  }

 private:
  static constexpr int kSteps = 1000;
  PageProgress progress_;
};

std::vector<std::unique_ptr<QTextDocument>> Build(const object::LineObject& object,
                                                  const ObjectPaper& paper,
                                                  const PhasedProgress& progress,
                                                  const QSizeF& page) {
  const std::optional<double> limit = ReadLossLimit(object.lossLimitPct);
  const std::string separator = paper.decimalSeparator.toStdString();
  const int total = static_cast<int>(object.lines.size()) * 2 + 1;
  std::vector<AssessedLine> lines;
  lines.reserve(object.lines.size());
  for (const object::ObjectLine& line : object.lines) {
    if (!progress(PhasedProgress::Building, static_cast<int>(lines.size()), total)) {
      return {};
    }
    lines.push_back(
        {&line, AssessLine(line.inputs, limit, separator, object.minSection.value_or(0))});
  }
  std::vector<std::unique_ptr<QTextDocument>> parts;
  parts.reserve(lines.size() + 1);
  auto summary = std::make_unique<QTextDocument>();
  PrepareSheetDocument(*summary, page);
  QTextCursor cursor(summary.get());
  {
    SheetWriter out(cursor, page);
    WriteSummary(out, object, paper, lines, page.width());
    out.keepHeadingsWithNext();
  }
  parts.push_back(std::move(summary));
  for (const AssessedLine& line : lines) {
    const int done = static_cast<int>(lines.size() + parts.size());
    if (!progress(PhasedProgress::Building, done, total)) {
      return {};
    }
    parts.push_back(LineSheet(object, line, paper, page));
  }
  return parts;
}

// Lays out every part, so that painting finds its pages counted; false when cancelled.
bool LayOut(const std::vector<std::unique_ptr<QTextDocument>>& parts,
            const PhasedProgress& progress) {
  const int total = static_cast<int>(parts.size());
  for (int i = 0; i < total; ++i) {
    if (!progress(PhasedProgress::Layout, i, total)) {
      return false;
    }
    parts[static_cast<std::size_t>(i)]->pageCount();
  }
  return true;
}

SheetParts Parts(const std::vector<std::unique_ptr<QTextDocument>>& documents) {
  SheetParts parts;
  parts.reserve(documents.size());
  for (const auto& document : documents) {
    parts.push_back(document.get());
  }
  return parts;
}

PageProgress PaintingProgress(const PhasedProgress& progress) {
  return
      [progress](int done, int total) { return progress(PhasedProgress::Painting, done, total); };
}

}  // namespace

QString ObjectDocumentTitle(const object::LineObject& object) {
  return QStringLiteral("Объект: %1").arg(Utf8(object.title).trimmed());
}

std::vector<std::unique_ptr<QTextDocument>> BuildObjectDocuments(const object::LineObject& object,
                                                                 const ObjectPaper& paper,
                                                                 const PageProgress& progress,
                                                                 const QSizeF& page) {
  return Build(object, paper, PhasedProgress(progress), page);
}

PaintOutcome PaintObject(const object::LineObject& object, const ObjectPaper& paper,
                         QPagedPaintDevice& device, const PageProgress& progress) {
  const PhasedProgress phases(progress);
  const auto documents = Build(object, paper, phases, SheetPageSize(device));
  if (documents.empty() || !LayOut(documents, phases)) {
    return PaintOutcome::Cancelled;
  }
  return PaintSheet(Parts(documents), device, PaintingProgress(phases));
}

QString SaveObjectPdf(const object::LineObject& object, const ObjectPaper& paper,
                      const QString& path, const PageProgress& progress) {
  const PhasedProgress phases(progress);
  const auto documents = Build(object, paper, phases, SheetPageSize());
  if (documents.empty() || !LayOut(documents, phases)) {
    return SaveCancelledMessage(path);
  }
  return SaveSheetPdf(Parts(documents), path, PaintingProgress(phases),
                      ObjectDocumentTitle(object));
}

QByteArray ObjectPdf(const object::LineObject& object) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    SetSheetPaper(writer);
    writer.setTitle(ObjectDocumentTitle(object));
    writer.setCreator(ProgramTitle());
    const ObjectPaper paper{QDateTime::currentDateTime(), QLocale().decimalPoint(), QString()};
    if (PaintObject(object, paper, writer) != PaintOutcome::Done) {
      return {};
    }
  }
  return bytes;
}

}  // namespace linecalc::sheet

#include "sheet/layout_page.h"

#include <QSize>
#include <algorithm>
#include <cmath>

#include "calc/number_format.h"
#include "sheet/layout_plot.h"
#include "sheet/sheet_writer.h"

namespace linecalc::sheet {
namespace {

// Indents a row of the layout's table by its depth of branching.
// The plot is drawn at three times its size on paper, for a sharp print.
constexpr double kPlotScale = 3;

const QString kIndent = QStringLiteral("\u2003\u2003");

QString Utf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A text of the layout as the number it reads as, or as typed when it is none.
QString Typed(const std::string& text, const QString& separator) {
  const Checked<double> value = ReadNumber(text);
  if (!value || !HasNumber(text, false)) {
    return Utf8(text).trimmed();
  }
  return SheetAmount(value.value(), separator);
}

QString Speakers(const Stretch& stretch, const QString& separator) {
  QStringList groups;
  for (const SpeakerGroup& group : stretch.speakers) {
    groups.append(QStringLiteral("%1 × %2 Вт")
                      .arg(Typed(group.count, separator), Typed(group.power, separator)));
  }
  return groups.isEmpty() ? QStringLiteral("—") : groups.join(QStringLiteral("; "));
}

void AppendStretches(std::vector<QStringList>& rows, const StretchList& list, int depth,
                     const QString& separator) {
  const QString indent = kIndent.repeated(depth);
  for (std::size_t s = 0; s < list.size(); ++s) {
    const Stretch& stretch = list[s];
    const QString repeat = QString::fromStdString(stretch.repeat).trimmed();
    rows.push_back({indent + QStringLiteral("Участок %1").arg(s + 1),
                    Typed(stretch.length, separator),
                    repeat.isEmpty() ? QStringLiteral("1") : Typed(stretch.repeat, separator),
                    Speakers(stretch, separator)});
    for (std::size_t b = 0; b < stretch.branches.size(); ++b) {
      rows.push_back(
          {indent + kIndent +
               QStringLiteral("Ответвление %1 от конца участка %2").arg(b + 1).arg(s + 1),
           {},
           {},
           {}});
      AppendStretches(rows, stretch.branches[b], depth + 2, separator);
    }
  }
}

QString Number(double value, const QString& separator) {
  return SheetNumber(value, separator);
}

TableText Table(const QStringList& headings, std::vector<QStringList> rows,
                const std::vector<double>& percents, int leftColumns) {
  TableText table;
  table.headings = headings;
  table.rows = std::move(rows);
  for (std::size_t c = 0; c < percents.size(); ++c) {
    table.widths.append(QTextLength(QTextLength::PercentageLength, percents[c]));
    table.rightAligned.push_back(static_cast<int>(c) >= leftColumns);
  }
  return table;
}

}  // namespace

QStringList SpeakerHeadings() {
  return {QStringLiteral("№"),
          QStringLiteral("Расстояние, м"),
          QStringLiteral("Отвод, Вт"),
          QStringLiteral("Напряжение, В"),
          QStringLiteral("Мощность, Вт"),
          QStringLiteral("Уровень, дБ")};
}

std::vector<QStringList> SpeakerRows(const LayoutSolution& solution, const QString& separator) {
  std::vector<QStringList> rows;
  rows.reserve(solution.speakers.size());
  int number = 0;
  for (const LayoutSpeaker& s : solution.speakers) {
    rows.push_back(
        {QString::number(++number), Number(s.distanceM, separator), Number(s.tapPower, separator),
         Number(s.voltage, separator), Number(s.power, separator),
         std::isfinite(s.levelDb) ? Number(s.levelDb, separator) : QStringLiteral("−∞")});
  }
  return rows;
}

std::vector<QStringList> LayoutOutline(const LineLayout& layout, const QString& separator) {
  std::vector<QStringList> rows;
  AppendStretches(rows, layout.stretches, 0, separator);
  return rows;
}

Quantities LayoutRows(const LineCalculation& calc, const QString& separator) {
  if (!calc.layout) {
    return {};
  }
  const LayoutSolution& s = *calc.layout;
  return {
      {QStringLiteral("Суммарная номинальная мощность громкоговорителей"), QStringLiteral("Pном"),
       Number(s.ratedW, separator), QStringLiteral("Вт")},
      {QStringLiteral("Количество громкоговорителей"), QStringLiteral("N"),
       QString::number(s.speakers.size()), QStringLiteral("шт.")},
      {QStringLiteral("Мощность, дошедшая до громкоговорителей"), QStringLiteral("Ррез"),
       Number(s.deliveredW, separator), QStringLiteral("Вт")},
      {QStringLiteral("Мощность, потребляемая от усилителя"), QStringLiteral("U · I"),
       Number(s.drawnW, separator), QStringLiteral("Вт")},
      {QStringLiteral("Мощность, теряемая в проводах"), QStringLiteral("Pпот"),
       Number(s.lostW, separator), QStringLiteral("Вт")},
      {QStringLiteral("Потери мощности, %"), QStringLiteral("П"), Number(s.lossPct, separator),
       QStringLiteral("%")},
      {QStringLiteral("Потери, дБ"), QString(), SheetNumber(calc.lossDb, separator),
       QStringLiteral("дБ")},
      {QStringLiteral("Наименьшее напряжение у громкоговорителя"), QStringLiteral("Uмин"),
       Number(s.lowestVoltage, separator), QStringLiteral("В")},
      {QStringLiteral("Падение напряжения у этого громкоговорителя, %"), QString(),
       SheetNumber(calc.voltageDropPct, separator), QStringLiteral("%")},
      {QStringLiteral("Наименьший уровень"), QStringLiteral("Lмин"),
       std::isfinite(s.lowestLevelDb) ? Number(s.lowestLevelDb, separator) : QStringLiteral("−∞"),
       QStringLiteral("дБ")},
      {QStringLiteral("Входное сопротивление линии"), QStringLiteral("Zвх"),
       Number(s.inputImpedance, separator), QStringLiteral("Ом")},
  };
}

QStringList LayoutMethodLines(const QString& separator) {
  QString resistance = QStringLiteral(
      "Точное решение цепи. Линия — дерево сопротивлений: участок длиной ℓ, м, имеет "
      "сопротивление Rуч = R20 · (1 + α · t) / 1.08 · ℓ / 1000 (две жилы), где R20 — "
      "сопротивление кабеля на 1 км при 20 °C, Ом/км; α — температурный коэффициент "
      "сопротивления материала, 1/°C; t — температура окружающей среды плюс 5 °C на нагрев "
      "провода. Повторенный участок входит в цепь столько раз, сколько указано, вместе со всем, "
      "что подключено в его конце.");
  resistance.replace(QStringLiteral("1.08"),
                     QStringLiteral("1") + separator + QStringLiteral("08"));
  return {
      resistance,
      QStringLiteral("Громкоговоритель — постоянное сопротивление Z = U² / P, где P — мощность "
                     "его отвода при номинальном напряжении линии U. Один проход от дальних "
                     "концов к усилителю дает сопротивление каждой ветви, один проход обратно — "
                     "напряжение V у каждого громкоговорителя; итераций и приближений нет. "
                     "Мощность громкоговорителя V² / Z, его уровень 20 · lg(V / U), дБ."),
      QStringLiteral("Потери мощности: П = 100 − Ррез / Pном · 100, %; в децибелах "
                     "10 · lg(Pном / Ррез), дБ; падение напряжения (U − Uмин) / U · 100, %; "
                     "входное сопротивление линии U / I, где I — ток, потребляемый от усилителя."),
  };
}

void WriteLayout(SheetWriter& out, const LineCalculation& calc, const Quantities& verdict,
                 const QString& separator) {
  out.section(QStringLiteral("Схема линии (от усилителя)"));
  out.table(
      Table({QStringLiteral("Участок"), QStringLiteral("Длина, м"), QStringLiteral("Повторов"),
             QStringLiteral("Громкоговорители в конце участка (кол-во × отвод)")},
            LayoutOutline(calc.inputs.layout, separator), {40, 13, 12, 35}, 1));
  if (calc.status != LineStatus::Computed) {
    out.note(QStringLiteral("Расчет не выполнен: %1").arg(Utf8(calc.message)));
    return;
  }
  out.section(QStringLiteral("Результаты точного решения цепи"));
  Quantities rows = LayoutRows(calc, separator);
  rows.insert(rows.end(), verdict.begin(), verdict.end());
  out.quantities(rows);
  if (!calc.layout || !calc.reference) {
    return;
  }
  out.subsection(QStringLiteral("Напряжение у громкоговорителей по расстоянию от усилителя"));
  out.image(LayoutPlotImage(*calc.layout, calc.reference->LineVoltage, PlotQuantity::Voltage,
                            separator, QSize(620, 250), kPlotScale),
            kPlotScale);
  out.subsection(QStringLiteral("Напряжение, мощность и уровень у каждого громкоговорителя"));
  out.table(
      Table(SpeakerHeadings(), SpeakerRows(*calc.layout, separator), {10, 18, 16, 20, 18, 18}, 0));
  out.note(QStringLiteral(
      "Громкоговорители перечислены по схеме: участок, его громкоговорители, затем его "
      "ответвления по порядку, затем следующий участок; уровень — относительно номинального "
      "напряжения линии."));
}

}  // namespace linecalc::sheet

#include "sheet/sheet_blocks.h"

#include <cmath>

#include "calc/number_format.h"
#include "calc/smallest_section.h"
#include "calc/tables.h"

namespace linecalc::sheet {
namespace {

// The heating the line resistance is computed with, above the ambient temperature, °C.
constexpr double kHeating = 5;
const QString kNone = QStringLiteral("—");

QString Number(double value, const QString& separator) {
  return QString::fromStdString(FormatNumber(value, separator.toStdString()));
}

QString Number(const std::optional<double>& value, const QString& separator) {
  return value ? Number(*value, separator) : kNone;
}

// A whole value (a length or count picked from a list) as the list shows it, any other by the
// display rule.
QString Amount(double value, const QString& separator) {
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
    return QString::fromStdString(FormatInteger(static_cast<long long>(value)));
  }
  return Number(value, separator);
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QString Section(const LineCalculation& calc, const QString& separator) {
  const int row = calc.inputs.sectionIndex;
  if (row < 0 || row >= kSectionCount) {
    return kNone;
  }
  return QString::fromUtf8(SectionList[row].data(), static_cast<qsizetype>(SectionList[row].size()))
      .replace(QLatin1Char('.'), separator);
}

// The three losses an installer may ask for, side by side.
void AppendLosses(Quantities& rows, const LineCalculation& calc, const QString& separator) {
  rows.push_back({QStringLiteral("Потери мощности, %"), QStringLiteral("П"),
                  Number(calc.lossPct, separator), QStringLiteral("%")});
  rows.push_back({QStringLiteral("Потери, дБ"), QString(), Number(calc.lossDb, separator),
                  QStringLiteral("дБ")});
  rows.push_back({QStringLiteral("Падение напряжения, %"), QString(),
                  Number(calc.voltageDropPct, separator), QStringLiteral("%")});
}

}  // namespace

QString SheetNumber(const std::optional<double>& value, const QString& separator) {
  return Number(value, separator);
}

QString SheetAmount(double value, const QString& separator) {
  return Amount(value, separator);
}

QString SectionText(int row, const QString& separator) {
  LineCalculation calc;
  calc.inputs.sectionIndex = row;
  return Section(calc, separator);
}

Quantities InputRows(const LineCalculation& calc, const QString& separator) {
  if (!calc.reference) {
    return {};
  }
  const RefreshResult& ref = *calc.reference;
  const bool copper = calc.inputs.material == Material::Copper;
  return {
      {QStringLiteral("Материал жил"), QString(),
       copper ? QStringLiteral("Медь") : QStringLiteral("Алюминий"), QString()},
      {QStringLiteral("Сечение жилы"), QStringLiteral("S"), Section(calc, separator),
       QStringLiteral("мм²")},
      {QStringLiteral("Длина линии"), QStringLiteral("L"), Amount(ref.LengthM, separator),
       QStringLiteral("м")},
      {QStringLiteral("Температура окружающей среды"), QStringLiteral("t"),
       Amount(ref.TempC - kHeating, separator), QStringLiteral("°C")},
      {QStringLiteral("Температура провода с учетом нагрева на 5 °C"), QStringLiteral("t + 5"),
       Amount(ref.TempC, separator), QStringLiteral("°C")},
      {QStringLiteral("Напряжение линии"), QStringLiteral("U"),
       QString::fromStdString(FormatInteger(ref.LineVoltage)), QStringLiteral("В")},
      {calc.inputs.r20 ? QStringLiteral("Сопротивление кабеля на 1 км, введено вручную")
                       : QStringLiteral("Сопротивление кабеля на 1 км, 2 × R10 по таблице"),
       QStringLiteral("R20"), Number(calc.r20, separator), QStringLiteral("Ом/км")},
  };
}

Quantities ReferenceRows(const LineCalculation& calc, const QString& separator) {
  if (!calc.reference) {
    return {};
  }
  const RefreshResult& ref = *calc.reference;
  return {
      {QStringLiteral("Сопротивление жилы на 1 км при 20 °C"), QStringLiteral("R10"),
       Text(ref.R10Text), QStringLiteral("Ом/км")},
      {QStringLiteral("Сопротивление кабеля (двух жил) на 1 км"), QStringLiteral("R20"),
       Number(calc.r20, separator), QStringLiteral("Ом/км")},
      {QStringLiteral("Активное сопротивление линии с учетом температуры"), QStringLiteral("Rл"),
       Text(ref.RLineText), QStringLiteral("Ом")},
      {QStringLiteral("Максимально допустимый ток"), QStringLiteral("Jмакс"), Text(ref.JMaxText),
       QStringLiteral("А")},
      {QStringLiteral("Оптимальный ток"), QStringLiteral("Jопт"), Text(ref.JOptText),
       QStringLiteral("А")},
      {QStringLiteral("Ожидаемая мощность при оптимальном токе"), QStringLiteral("Рож"),
       Text(ref.PExpectedText), QStringLiteral("Вт")},
  };
}

Quantities VerdictRows(const LineCalculation& calc, std::optional<double> lossLimitPct,
                       const QString& separator) {
  if (!lossLimitPct) {
    return {};
  }
  const LineAssessment assessment = AssessLine(calc.inputs, lossLimitPct, separator.toStdString());
  const std::optional<int> smallest = assessment.smallestSection;
  QString section = QStringLiteral("нет");
  if (smallest) {
    LineCalculation atSmallest = calc;
    atSmallest.inputs.sectionIndex = *smallest;
    section = Section(atSmallest, separator);
  }
  return {
      {QStringLiteral("Предел потерь"), QString(), Number(*lossLimitPct, separator),
       QStringLiteral("%")},
      {QStringLiteral("Заключение по потерям"), QString(),
       QString::fromUtf8(VerdictText(assessment.verdict).data(),
                         static_cast<qsizetype>(VerdictText(assessment.verdict).size())),
       QString()},
      {QStringLiteral("Наименьшее достаточное сечение"), QStringLiteral("Sмин"), section,
       smallest ? QStringLiteral("мм²") : QString()},
  };
}

QStringList MethodLines(const LineCalculation& calc, const QString& separator) {
  const auto local = [&separator](QString text) {
    return text.replace(QStringLiteral("1.08"),
                        QStringLiteral("1") + separator + QStringLiteral("08"));
  };
  QStringList lines{
      local(QStringLiteral(
          "Сопротивление линии: Rл = R20 · (1 + α · t) / 1.08 · L, где R20 — сопротивление "
          "кабеля (двух жил) на 1 км при 20 °C, Ом/км; α — температурный коэффициент "
          "сопротивления материала, 1/°C; t — температура окружающей среды плюс 5 °C на нагрев "
          "провода, °C; L — длина линии, км.")),
      QStringLiteral("Сопротивление нагрузки: Zнагр = U² / Рвх, где U — напряжение линии, В; "
                     "Рвх — входная мощность нагрузки, Вт."),
      QStringLiteral("Потери мощности: П = 100 − Ррез / Рвх · 100, %; потери в децибелах: "
                     "10 · lg(Рвх / Ррез), дБ; падение напряжения: (U − Uрез) / U · 100, %. "
                     "Для равномерной нагрузки вместо Рвх берется Pгр × N, вместо Ррез — "
                     "мощность, дошедшая до всех громкоговорителей (P= в строке «Остается»), "
                     "вместо Uрез — напряжение у последнего громкоговорителя (U= там же)."),
  };
  if (calc.reference) {
    const bool copper = calc.inputs.material == Material::Copper;
    lines.append(
        QStringLiteral("Данные материала: %1, сечение %2 мм²: R10 = %3 Ом/км (сопротивление "
                       "одной жилы на 1 км при 20 °C), α = %4 1/°C.")
            .arg(copper ? QStringLiteral("медь") : QStringLiteral("алюминий"),
                 Section(calc, separator), Text(calc.reference->R10Text),
                 QString::number(copper ? CopperAlpha : AluminiumAlpha, 'g', 6)
                     .replace(QLatin1Char('.'), separator)));
  }
  lines.append(QStringLiteral(
      "Равномерная нагрузка: N одинаковых громкоговорителей мощностью Pгр на равных расстояниях; "
      "линия делится на N равных участков, первый громкоговоритель стоит через один участок от "
      "источника, последний — в конце линии; каждый громкоговоритель считается постоянным "
      "сопротивлением U² / Pгр."));
  return lines;
}

Quantities LineBlock(const LineCalculation& calc, const QString& separator) {
  Quantities rows = InputRows(calc, separator);
  const Quantities reference = ReferenceRows(calc, separator);
  rows.insert(rows.end(), reference.begin(), reference.end());
  return rows;
}

Quantities SingleRows(const LineCalculation& calc, const QString& separator) {
  if (!calc.single) {
    return {};
  }
  const SingleLoadResult& r = *calc.single;
  Quantities rows{
      {QStringLiteral("Входная мощность нагрузки"), QStringLiteral("Рвх"),
       Number(calc.power, separator), QStringLiteral("Вт")},
      {QStringLiteral("Сопротивление нагрузки"), QStringLiteral("Zнагр"),
       Number(r.ZLoad, separator), QStringLiteral("Ом")},
      {QStringLiteral("Напряжение на нагрузке"), QStringLiteral("Uрез"), Number(r.URes, separator),
       QStringLiteral("В")},
      {QStringLiteral("Мощность на нагрузке"), QStringLiteral("Ррез"), Number(r.PRes, separator),
       QStringLiteral("Вт")},
  };
  AppendLosses(rows, calc, separator);
  return rows;
}

Quantities UniformRows(const LineCalculation& calc, const QString& separator) {
  if (!calc.uniform) {
    return {};
  }
  Quantities rows{
      {QStringLiteral("Мощность громкоговорителя"), QStringLiteral("Pгр"),
       Number(calc.power, separator), QStringLiteral("Вт")},
      {QStringLiteral("Количество громкоговорителей"), QStringLiteral("N"),
       Amount(calc.count, separator), QStringLiteral("шт.")},
      {QStringLiteral("Суммарная номинальная мощность"), QStringLiteral("Pгр × N"),
       Number(calc.requested, separator), QStringLiteral("Вт")},
  };
  AppendLosses(rows, calc, separator);
  rows.push_back({QStringLiteral("Каскадное напряжение"), QString(),
                  Number(calc.uniform->CascadeVoltage, separator), QStringLiteral("В")});
  return rows;
}

}  // namespace linecalc::sheet

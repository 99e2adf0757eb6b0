#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "sheet/object_document.h"
#include "tests/sheet/pdf_text.h"

namespace linecalc::sheet {
namespace {

using linecalc::test::HasLine;
using linecalc::test::HasRow;
using linecalc::test::PdfPages;

// Copper, R20 typed as 20 Ohm/km, 20 °C, 100 V: 100 m to a 10 W loudspeaker, where a branch of
// 20 m feeds two of 5 W and the line goes on 50 m to one of 20 W. Worked out by hand with
// 0.0205093 Ohm per metre of loop: Zвх 252.333 Ohm, 99.187 V at 100 m, 99.147 V in the branch,
// 98.984 V at the end.
LineInputs SmallLayout() {
  LineInputs in{Material::Copper, 6, "", "20", "100", "20", LoadKind::Layout, "", ""};
  in.layout.stretches = {
      {"100", "", {{"1", "10"}}, {{{"20", "", {{"2", "5"}}, {}}}}},
      {"50", "", {{"1", "20"}}, {}},
  };
  return in;
}

object::LineObject Object() {
  LineInputs refused = SmallLayout();
  refused.layout.stretches[1].speakers[0].power = "0";
  object::LineObject object;
  object.title = "Школа";
  object.lossLimitPct = "5";
  object.lines = {{"Коридор", SmallLayout()}, {"Холл", refused}};
  return object;
}

QString SheetOf(const QStringList& pages, const QString& line) {
  QString text;
  for (const QString& page : pages) {
    if (page.contains(QStringLiteral("Линия: %1").arg(line)) ||
        (!text.isEmpty() && !page.contains(QStringLiteral("Линия: ")))) {
      text += page;
    } else if (!text.isEmpty()) {
      break;
    }
  }
  return text;
}

int ImageCount(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
  process.waitForFinished();
  return static_cast<int>(process.readAllStandardOutput().count('\n')) - 2;
}

// A layout line's sheet: the layout with its branch indented, the exact solution's figures and
// the verdict, the loudspeaker table in the depth-first order, the plot and the method; a
// refused layout shows its layout and why, with no figures.
TEST(LayoutSheet, LayoutResultsSpeakersPlotAndMethod) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("схема.pdf"));
  ASSERT_EQ(SaveObjectPdf(Object(),
                          {QDateTime(QDate(2026, 12, 7), QTime(10, 0)), QStringLiteral(","),
                           QStringLiteral("Иванов")},
                          path),
            QString());
  const QStringList pages = PdfPages(path);
  const QString sheet = SheetOf(pages, QStringLiteral("Коридор"));
  for (const char* line : {
           "Участок 1 100 1 1 × 10 Вт",
           "Ответвление 1 от конца участка 1",
           "Участок 1 20 1 2 × 5 Вт",
           "Участок 2 50 1 1 × 20 Вт",
           "1 100,00 10,00 99,19 9,84 -0,07",
           "2 120,00 5,00 99,15 4,92 -0,07",
           "3 120,00 5,00 99,15 4,92 -0,07",
           "4 150,00 20,00 98,98 19,60 -0,09",
           "Напряжение у громкоговорителей по расстоянию от усилителя",
       }) {
    EXPECT_TRUE(HasLine(sheet, QString::fromUtf8(line))) << line << "\n" << sheet.toStdString();
  }
  for (const auto& [label, value] : std::vector<std::pair<const char*, const char*>>{
           {"Длина линии", "170"},
           {"Суммарная номинальная мощность громкоговорителей", "40,00"},
           {"Количество громкоговорителей", "4"},
           {"Мощность, дошедшая до громкоговорителей", "39,26"},
           {"Мощность, потребляемая от усилителя", "39,63"},
           {"Мощность, теряемая в проводах", "0,37"},
           {"Потери мощности, %", "1,84"},
           {"Потери, дБ", "0,08"},
           {"Наименьшее напряжение у громкоговорителя", "98,98"},
           {"Падение напряжения у этого громкоговорителя, %", "1,02"},
           {"Наименьший уровень", "-0,09"},
           {"Входное сопротивление линии", "252,33"},
           {"Заключение по потерям", "норма"},
       }) {
    EXPECT_TRUE(HasRow(sheet, QString::fromUtf8(label), QString::fromUtf8(value)))
        << label << " " << value;
  }
  EXPECT_TRUE(sheet.contains(QStringLiteral("Точное решение цепи.")));
  EXPECT_TRUE(sheet.contains(QStringLiteral("/ 1,08 · ℓ / 1000")));
  EXPECT_GE(ImageCount(path), 1);

  const QString refused = SheetOf(pages, QStringLiteral("Холл"));
  EXPECT_TRUE(HasLine(refused, QStringLiteral("Участок 2 50 1 1 × 0 Вт")));
  EXPECT_TRUE(HasLine(refused, QStringLiteral("Расчет не выполнен: Введите значение мощности в "
                                              "диапазоне от 1 до 100 Вт")))
      << refused.toStdString();
  EXPECT_FALSE(refused.contains(QStringLiteral("Входное сопротивление линии")));
}

}  // namespace
}  // namespace linecalc::sheet

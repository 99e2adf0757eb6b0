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
LineInputs SmallLayout(const char* lastPower) {
  LineInputs in{Material::Copper, 6, "", "20", "100", "20", LoadKind::Layout, "", ""};
  in.layout.stretches = {
      {"100", "", {{"1", "10"}}, {{{"20", "", {{"2", "5"}}, {}}}}},
      {"50", "", {{"1", lastPower}}, {}},
  };
  return in;
}

// A layout line's sheet: the layout with its branch indented, the exact solution's figures and
// the verdict, the loudspeaker table in the depth-first order, the plot and the method; a
// refused layout shows its layout and why, with no figures.
TEST(LayoutSheet, LayoutResultsSpeakersPlotAndMethod) {
  object::LineObject object;
  object.title = "Школа";
  object.lossLimitPct = "5";
  object.lines = {{"Коридор", SmallLayout("20")}, {"Холл", SmallLayout("0")}};
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("схема.pdf"));
  const ObjectPaper paper{QDateTime(QDate(2026, 12, 7), QTime(10, 0)), QStringLiteral(","),
                          QStringLiteral("Иванов")};
  ASSERT_EQ(SaveObjectPdf(object, paper, path), QString());
  const QString all = PdfPages(path).join(u'\f');
  const QString sheet =
      all.section(QStringLiteral("Линия: Коридор"), 1).section(QStringLiteral("Линия: "), 0, 0);
  for (const char* line : {"Участок 1 100 1 1 × 10 Вт", "Ответвление 1 от конца участка 1",
                           "Участок 1 20 1 2 × 5 Вт", "Участок 2 50 1 1 × 20 Вт",
                           "1 100,00 10,00 99,19 9,84 -0,07", "2 120,00 5,00 99,15 4,92 -0,07",
                           "3 120,00 5,00 99,15 4,92 -0,07", "4 150,00 20,00 98,98 19,60 -0,09",
                           "Напряжение у громкоговорителей по расстоянию от усилителя"}) {
    EXPECT_TRUE(HasLine(sheet, QString::fromUtf8(line))) << line << "\n" << sheet.toStdString();
  }
  for (const char* row :
       {"Длина линии|170", "Суммарная номинальная мощность громкоговорителей|40,00",
        "Количество громкоговорителей|4", "Мощность, дошедшая до громкоговорителей|39,26",
        "Мощность, потребляемая от усилителя|39,63", "Мощность, теряемая в проводах|0,37",
        "Потери мощности, %|1,84", "Потери, дБ|0,08",
        "Наименьшее напряжение у громкоговорителя|98,98",
        "Падение напряжения у этого громкоговорителя, %|1,02", "Наименьший уровень|-0,09",
        "Входное сопротивление линии|252,33", "Заключение по потерям|норма"}) {
    const QString pair = QString::fromUtf8(row);
    EXPECT_TRUE(HasRow(sheet, pair.section(u'|', 0, 0), pair.section(u'|', 1))) << row;
  }
  EXPECT_TRUE(sheet.contains(QStringLiteral("Точное решение цепи.")));
  EXPECT_TRUE(sheet.contains(QStringLiteral("/ 1,08 · ℓ / 1000")));
  QProcess images;  // the plot
  images.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
  ASSERT_TRUE(images.waitForFinished());
  EXPECT_GE(images.readAllStandardOutput().count('\n'), 3);  // two lines of heading

  const QString refused = all.section(QStringLiteral("Линия: Холл"), 1);
  EXPECT_TRUE(HasLine(refused, QStringLiteral("Участок 2 50 1 1 × 0 Вт")));
  EXPECT_TRUE(HasLine(refused, QStringLiteral("Расчет не выполнен: Введите значение мощности в "
                                              "диапазоне от 1 до 100 Вт")))
      << refused.toStdString();
  EXPECT_FALSE(refused.contains(QStringLiteral("Входное сопротивление линии")));
}

}  // namespace
}  // namespace linecalc::sheet

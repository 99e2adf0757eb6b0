#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "sheet/object_document.h"
#include "tests/sheet/pdf_text.h"

namespace linecalc::sheet {
namespace {

using linecalc::test::HasLine;
using linecalc::test::PdfPages;

// The summary's amplifier table under the lines, with the reserve it is judged by and the
// message of an amplifier that could not be judged; in the locale's separator.
TEST(ObjectPdf, AmplifierTableUnderTheLines) {
  object::LineObject object;
  object.title = "Школа";
  object.amplifierReservePct = "25";
  object.amplifiers = {{"У1", "240", "100"}, {"У2", "500", "100"}};
  object.lines = {
      {"Холл", {Material::Copper, 6, "1000", "20", "100", "2", LoadKind::Single, "100", ""}, "У1"},
      {"Улица",
       {Material::Aluminium, 7, "300", "0", "100", std::nullopt, LoadKind::Uniform, "6", "10"},
       "У1"},
      {"Склад",
       {Material::Copper, 0, "1000", "20", "100", std::nullopt, LoadKind::Single, "500", ""},
       "У2"}};
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("объект.pdf"));
  const ObjectPaper paper{QDateTime(QDate(2026, 12, 7), QTime(10, 30)), QStringLiteral(","), {}};
  ASSERT_EQ(SaveObjectPdf(object, paper, path), QString());
  const QString summary = PdfPages(path).value(0);
  for (const char* line :
       {"Усилители", "Запас мощности усилителей: 25,00 %",
        "1 У1 240,00 100 Холл; Улица 160,00 66,67 50,00 норма",
        "2 У2 500,00 100 Склад 0,00 0,00 отказ", "Усилитель 2: Линия «Склад» не рассчитана"}) {
    EXPECT_TRUE(HasLine(summary, QString::fromUtf8(line))) << line << "\n" << summary.toStdString();
  }
  EXPECT_LT(summary.indexOf(QStringLiteral("Сводная таблица")),
            summary.indexOf(QStringLiteral("Усилители")));
}

}  // namespace
}  // namespace linecalc::sheet

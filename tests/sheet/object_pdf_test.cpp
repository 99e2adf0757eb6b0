#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <utility>
#include <vector>

#include "sheet/object_document.h"
#include "tests/sheet/pdf_text.h"

namespace linecalc::sheet {
namespace {

using linecalc::test::HasLine;
using linecalc::test::PdfPages;
using linecalc::test::PdfTitle;
using linecalc::test::WordHeights;

object::LineObject School() {
  object::LineObject object;
  object.title = "Школа № 5";
  object.lossLimitPct = "5";
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
  return object;
}

ObjectPaper Paper(const char* separator) {
  return {QDateTime(QDate(2026, 12, 7), QTime(10, 30)), QString::fromLatin1(separator),
          QStringLiteral("Иванов И. И.")};
}

// The summary: a row per line with its inputs and verdict in the locale's separator, the total
// rated power, the refused line's message, the amplifiers under the lines with the reserve they
// are judged by and the message of one that could not be judged, and the signatures; then a sheet
// per line headed with the object's title. No text under 9 pt; the PDF is titled with the object.
TEST(ObjectPdf, SummaryRowsTotalsAndSheets) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("объект.pdf"));
  ASSERT_EQ(SaveObjectPdf(School(), Paper(","), path), QString());
  const QStringList pages = PdfPages(path);
  ASSERT_GE(pages.size(), 4);
  const QString summary = pages[0];
  for (const char* line :
       {"Объект: Школа № 5", "Предел потерь: 5,00 %",
        "1 Холл медь 1,5 1000 20 100,00 100,00 3,98 нет норма",
        "2 Улица алюминий 2,5 300 0 10 × 6 60,00 3,33 2,5 норма",
        "3 Склад медь 0,2 1000 20 500 нет отказ",
        "Суммарная номинальная мощность: 160,00 Вт (без линий, расчет которых не выполнен)",
        "Усилители", "Запас мощности усилителей: 25,00 %",
        "1 У1 240,00 100 Холл; Улица 160,00 66,67 50,00 норма",
        "2 У2 500,00 100 Склад 0,00 0,00 отказ", "Усилитель 2: Линия «Склад» не рассчитана",
        "Выполнил Иванов И. И. 07.12.2026"}) {
    EXPECT_TRUE(HasLine(summary, QString::fromUtf8(line))) << line << "\n" << summary.toStdString();
  }
  EXPECT_TRUE(summary.contains(QStringLiteral("Линия 3: Расчетная мощность превышает")));
  EXPECT_LT(summary.indexOf(QStringLiteral("Сводная таблица")),
            summary.indexOf(QStringLiteral("Усилители")));
  EXPECT_FALSE(summary.section(QStringLiteral("Сводная таблица"), 1)
                   .section(QStringLiteral("Фамилия"), 0, 0)
                   .contains(QRegularExpression(QStringLiteral("\\d\\.\\d"))));
  for (const char* name : {"Холл", "Улица", "Склад"}) {
    const auto sheet = std::find_if(pages.begin() + 1, pages.end(), [name](const QString& page) {
      return page.contains(QStringLiteral("Линия: %1").arg(QString::fromUtf8(name)));
    });
    ASSERT_NE(sheet, pages.end()) << name;
    EXPECT_TRUE(
        sheet->startsWith(QStringLiteral("Расчет потерь в линии\nОбъект: Школа № 5\nЛиния: %1\n")
                              .arg(QString::fromUtf8(name))));
  }
  const QList<double> heights = WordHeights(path);
  ASSERT_FALSE(heights.isEmpty());
  EXPECT_GE(*std::min_element(heights.begin(), heights.end()), 9.0);
  EXPECT_EQ(PdfTitle(path), QStringLiteral("Объект: Школа № 5"));
}

// One count runs through building, layout and painting; a cancel in any of them keeps the file
// that was there.
TEST(ObjectPdf, ProgressCoversEveryPhaseAndCancelKeepsTheOldFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("объект.pdf"));
  std::vector<std::pair<int, int>> calls;
  ASSERT_EQ(SaveObjectPdf(School(), Paper("."), path,
                          [&calls](int done, int total) {
                            calls.emplace_back(done, total);
                            return true;
                          }),
            QString());
  ASSERT_FALSE(calls.empty());
  EXPECT_TRUE(std::is_sorted(calls.begin(), calls.end()));
  EXPECT_EQ(calls.back(), std::make_pair(3000, 3000));
  for (const int phase : {0, 1, 2}) {
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [phase](const auto& call) {
      return call.first >= phase * 1000 && call.first < (phase + 1) * 1000;
    })) << phase;
  }
  for (const int stop : {0, 1000, 2000}) {
    QFile before(path);
    ASSERT_TRUE(before.open(QIODevice::WriteOnly));
    before.write("прежний");
    before.close();
    EXPECT_EQ(
        SaveObjectPdf(School(), Paper("."), path, [stop](int done, int) { return done < stop; }),
        SaveCancelledMessage(path))
        << stop;
    ASSERT_TRUE(before.open(QIODevice::ReadOnly));
    EXPECT_EQ(before.readAll(), QByteArray("прежний")) << stop;
    before.close();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("объект.pdf")});
  }
}

}  // namespace
}  // namespace linecalc::sheet

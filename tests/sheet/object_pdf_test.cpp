#include <gtest/gtest.h>

#include <QDir>
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

// The summary: a row per line with its inputs and verdict in the locale's separator, the total
// rated power, the refused line's message, the amplifiers under the lines with the reserve they
// are judged by and the message of one that could not be judged, and the signatures; then a sheet
// per line headed with the object's title. No text under 9 pt; the PDF is titled with the object.
// One count runs through building, layout and painting; a cancel in any of them keeps the file.
TEST(ObjectPdf, SummarySheetsProgressAndCancel) {
  // clang-format off
  const object::LineObject school{"Школа № 5", "5", std::nullopt, {
    {"Холл", {Material::Copper, 6, "1000", "20", "100", "2", LoadKind::Single, "100", ""}, "У1"},
    {"Улица", {Material::Aluminium, 7, "300", "0", "100", {}, LoadKind::Uniform, "6", "10"}, "У1"},
    {"Склад", {Material::Copper, 0, "1000", "20", "100", {}, LoadKind::Single, "500", ""}, "У2"}},
    {{"У1", "240", "100"}, {"У2", "500", "100"}}, "25"};
  // clang-format on
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("объект.pdf"));
  const ObjectPaper paper{QDateTime(QDate(2026, 12, 7), QTime(10, 30)), QStringLiteral(","),
                          QStringLiteral("Иванов И. И.")};
  std::vector<std::pair<int, int>> calls;
  ASSERT_EQ(SaveObjectPdf(school, paper, path,
                          [&calls](int done, int total) {
                            calls.emplace_back(done, total);
                            return true;
                          }),
            QString());
  EXPECT_TRUE(std::is_sorted(calls.begin(), calls.end()));
  EXPECT_EQ(calls.back(), std::make_pair(3000, 3000));
  for (const int phase : {0, 1, 2}) {  // a thousand steps each
    const auto first = std::lower_bound(calls.begin(), calls.end(), std::pair{phase * 1000, 0});
    EXPECT_LT(first->first, (phase + 1) * 1000) << phase;
  }
  // A cancel keeps the file that was there, which the rest reads.
  for (const int stop : {0, 1000, 2000}) {
    EXPECT_EQ(
        SaveObjectPdf(school, paper, path, [stop](int done, int) { return done < stop; }),
        QStringLiteral("Сохранение файла «%1» отменено.").arg(QDir::toNativeSeparators(path)));
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("объект.pdf")});
  const QStringList pages = PdfPages(path);
  const QString summary = pages.value(0);
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
    EXPECT_TRUE(pages.join(u'\f').contains(
        QStringLiteral("\fРасчет потерь в линии\nОбъект: Школа № 5\nЛиния: %1\n")
            .arg(QString::fromUtf8(name))))
        << name;
  }
  const QList<double> heights = WordHeights(path);
  EXPECT_TRUE(!heights.isEmpty() && *std::min_element(heights.begin(), heights.end()) >= 9.0);
  EXPECT_EQ(PdfTitle(path), QStringLiteral("Объект: Школа № 5"));
}

}  // namespace
}  // namespace linecalc::sheet

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <string>
#include <vector>

#include "calc/line_calculation.h"
#include "sheet/calculation_sheet.h"
#include "sheet/sheet_output.h"
#include "tests/object/test_lines.h"
#include "tests/sheet/pdf_text.h"

namespace linecalc::sheet {
namespace {

using linecalc::test::HasLine;
using linecalc::test::HasRow;
using linecalc::test::PdfPages;
using linecalc::testing_support::LineOfResistance;
using linecalc::testing_support::TableLine;

const QString kApart = QStringLiteral("Исходные данные в окне сейчас");
const QString kTableHeading = QStringLiteral("№ Url (В) Pгр (Вт)");

// The text of the sheet of `content`, page by page, through a PDF as a reader gets it.
QStringList SheetPages(const SheetContent& content) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("лист.pdf"));
  EXPECT_EQ(SaveSheetPdf(*BuildCalculationSheet(content), path), QString());
  return PdfPages(path);
}

SheetContent Content(const QString& separator = QStringLiteral(".")) {
  SheetContent content;
  content.lineName = QStringLiteral("Этаж 3, зона Б");
  content.when = QDateTime(QDate(2026, 12, 7), QTime(10, 30));
  content.decimalSeparator = separator;
  return content;
}

struct Example {
  const char* name;
  LineInputs line;
  std::vector<std::pair<const char*, const char*>> rows;  // label, value with "."
  std::vector<const char*> lines;                         // whole lines, "." for the separator
  std::vector<const char*> absent;
};

// Rл 2.00 with one 100 W load, and Rл 4.00 with two 10 W loudspeakers.
const std::vector<Example>& Examples() {
  static const std::vector<Example> examples{
      {"single",
       LineOfResistance("2.16", LoadKind::Single, "100"),
       {{"Материал жил", "Медь"},
        {"Сечение жилы", "0.75"},
        {"Длина линии", "1000"},
        {"Температура окружающей среды", "-5"},
        {"нагрева на 5 °С", "0"},
        {"Напряжение линии", "100"},
        {"Сопротивление кабеля на 1 км, введено вручную", "2.16"},
        {"Сопротивление жилы на 1 км при 20 °С R10", "26.00"},
        {"Сопротивление кабеля (двух жил) на 1 км R20", "2.16"},
        {"Активное сопротивление линии с учетом температуры Rл", "2.00"},
        {"Максимально допустимый ток Jмакс", "15.00"},
        {"Оптимальный ток Jопт", "10.61"},
        {"Ожидаемая мощность при оптимальном токе Рож", "1060.50"},
        {"Входная мощность нагрузки Рвх", "100.00"},
        {"Сопротивление нагрузки Zнагр", "100.00"},
        {"Напряжение на нагрузке Uрез", "98.04"},
        {"Мощность на нагрузке Ррез", "96.12"},
        {"Потери мощности, % П", "3.88"},
        {"Потери, дБ", "0.17"},
        {"Падение напряжения, %", "1.96"},
        {"стр. 1 из", "1"}},
       {},
       {"Равномерно", "в окне сейчас"}},
      {"uniform",
       LineOfResistance("4.32", LoadKind::Uniform, "10", "2"),
       {{"Активное сопротивление линии с учетом температуры Rл", "4.00"},
        {"Мощность громкоговорителя Pгр", "10.00"},
        {"Количество громкоговорителей N", "2"},
        {"Суммарная номинальная мощность Pгр × N", "20.00"},
        {"Потери мощности, % П", "0.99"},
        {"Потери, дБ", "0.04"},
        {"Падение напряжения, %", "0.60"},
        {"Каскадное напряжение", "99.00"}},
       {"№ Url (В) Pгр (Вт)", "1 0.40 9.92", "2 0.20 9.88", "На проводах 0.60 0.20",
        "Остается U=99.40 P=19.80"},
       {"Нагрузка в конце линии", "в окне сейчас"}},
  };
  return examples;
}

class SheetFigures : public ::testing::TestWithParam<const char*> {};

TEST_P(SheetFigures, WorkedExamples) {
  const QString sep = QString::fromLatin1(GetParam());
  const auto local = [&sep](const char* dotted) {
    return QString::fromUtf8(dotted).replace(QLatin1Char('.'), sep);
  };
  for (const Example& example : Examples()) {
    SheetContent content = Content(sep);
    const LineCalculation line = CalculateLine(example.line, sep.toStdString());
    (example.line.load == LoadKind::Single ? content.single : content.uniform) = line;
    content.current = line;
    const QStringList pages = SheetPages(content);
    ASSERT_EQ(pages.size(), 1) << example.name;
    EXPECT_TRUE(pages[0].startsWith(QStringLiteral(
        "Расчет потерь в линии\nЛиния: Этаж 3, зона Б\nДата и время расчета: 07.12.2026 10:30\n"
        "Программа: Расчет потерь в линиях (системы звуковой трансляции), версия 1.0.0\n")));
    for (const auto& [label, value] : example.rows) {
      EXPECT_TRUE(HasRow(pages[0], QString::fromUtf8(label), local(value)))
          << example.name << ": " << label << " " << value;
    }
    for (const char* wanted : example.lines) {
      EXPECT_TRUE(HasLine(pages[0], local(wanted))) << example.name << ": " << wanted;
    }
    for (const char* unwanted : example.absent) {
      EXPECT_FALSE(pages[0].contains(QString::fromUtf8(unwanted))) << example.name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(DecimalSeparator, SheetFigures, ::testing::Values(".", ","));

TEST(ThousandLoudspeakers, EveryPageNumberedWithTheTableHeading) {
  SheetContent content = Content();
  content.uniform =
      CalculateLine(TableLine(Material::Copper, 7, "100", LoadKind::Uniform, "1", "1000"), ".");
  const QStringList pages = SheetPages(content);
  ASSERT_EQ(pages.size(), 18);
  for (int i = 0; i < pages.size(); ++i) {
    const QString number = QStringLiteral("стр. %1 из 18").arg(i + 1);
    EXPECT_TRUE(pages[i].contains(number)) << number.toStdString();
    EXPECT_TRUE(i == 0 || HasLine(pages[i], kTableHeading)) << "page " << i + 1;
  }
  for (const char* line :
       {"1000 0.00 0.84", "На проводах 8.56 109.25", "Остается U=91.44 P=890.75"}) {
    EXPECT_TRUE(HasLine(pages.last(), QString::fromUtf8(line))) << line;
  }
}

// A report stays on view when the line changes; its sheet keeps the inputs it came from and
// shows what the window shows now apart, titled as such. Nothing calculated: reference values only.
TEST(RecordedInputs, ChangedInputsArePrintedApartFromTheReport) {
  struct Case {
    const char* name;
    bool report;
    const char* currentLength;
  };
  for (const Case& c : {Case{"changed", true, "500"}, Case{"same", true, "1000"},
                        Case{"no report", false, "1000"}}) {
    SheetContent content = Content();
    if (c.report) {
      content.uniform = CalculateLine(LineOfResistance("4.32", LoadKind::Uniform, "10", "2"), ".");
    }
    LineInputs now = LineOfResistance("4.32", LoadKind::Single, "");
    now.length = c.currentLength;
    content.current = CalculateLine(now, ".");
    const QString page = SheetPages(content).join(QString());
    const bool apart = c.currentLength != std::string("1000");
    EXPECT_EQ(page.contains(kApart), apart) << c.name;
    EXPECT_EQ(page.contains(QStringLiteral("Расчет нагрузки не выполнялся.")), !c.report) << c.name;
    const QString report = page.section(kApart, 0, 0);
    EXPECT_TRUE(HasRow(report, QStringLiteral("Длина линии"), QStringLiteral("1000"))) << c.name;
    EXPECT_TRUE(HasRow(report, QStringLiteral("Rл"), QStringLiteral("4.00"))) << c.name;
    if (apart) {
      const QString shown = page.section(kApart, 1);
      EXPECT_TRUE(HasRow(shown, QStringLiteral("Длина линии"), QStringLiteral("500")));
      EXPECT_TRUE(HasRow(shown, QStringLiteral("Rл"), QStringLiteral("2.00")));
      EXPECT_FALSE(shown.contains(QStringLiteral("Url")));
    }
  }
}

// An object's sheets go one after another into one document, each from the top of a page.
TEST(AppendCalculationSheet, EachSheetStartsOnItsOwnPage) {
  QTextDocument document;
  PrepareSheetDocument(document, SheetPageSize());
  QTextCursor cursor(&document);
  cursor.insertText(QStringLiteral("Сводка по объекту"));
  for (const char* name : {"Линия 1", "Линия 2"}) {
    SheetContent content = Content();
    content.lineName = QString::fromUtf8(name);
    content.uniform = CalculateLine(LineOfResistance("4.32", LoadKind::Uniform, "10", "2"), ".");
    AppendCalculationSheet(cursor, content);
  }
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("объект.pdf"));
  ASSERT_EQ(SaveSheetPdf(document, path), QString());
  const QStringList pages = PdfPages(path);
  ASSERT_EQ(pages.size(), 3);
  EXPECT_TRUE(pages[0].startsWith(QStringLiteral("Сводка по объекту")));
  for (int i : {1, 2}) {
    EXPECT_TRUE(
        pages[i].startsWith(QStringLiteral("Расчет потерь в линии\nЛиния: Линия %1").arg(i)));
    EXPECT_TRUE(HasLine(pages[i], QStringLiteral("Остается U=99.40 P=19.80")));
  }
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

TEST(SaveSheetPdf, FailuresNameThePathAndTheReasonAndLeaveNoFile) {
  QTemporaryDir dir;
  QFile plain(dir.filePath(QStringLiteral("файл")));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  const QString missing = dir.filePath(QStringLiteral("нет такой папки"));
  const std::vector<std::pair<QString, QString>> cases{
      {missing + QStringLiteral("/лист.pdf"),
       QStringLiteral("папка «%1» не существует").arg(QDir::toNativeSeparators(missing))},
      {dir.path(), QStringLiteral("это папка, а не файл")},
      {plain.fileName() + QStringLiteral("/лист.pdf"),
       QStringLiteral("«%1» не является папкой").arg(QDir::toNativeSeparators(plain.fileName()))},
  };
  QTextDocument document(QStringLiteral("Лист"));
  for (const auto& [path, reason] : cases) {
    EXPECT_EQ(SaveSheetPdf(document, path), QStringLiteral("Не удалось сохранить файл «%1»: %2.")
                                                .arg(QDir::toNativeSeparators(path), reason));
  }
  EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("файл")});
}

// A cancelled save keeps the file that was there; a finished one reports every page.
TEST(SaveSheetPdf, ProgressCountsEveryPageAndCancelKeepsTheOldFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("лист.pdf"));
  QFile before(path);
  ASSERT_TRUE(before.open(QIODevice::WriteOnly));
  before.write("прежний лист");
  before.close();
  QTextDocument document(QStringLiteral("Лист"));
  EXPECT_EQ(SaveSheetPdf(document, path, [](int, int) { return false; }),
            SaveCancelledMessage(path));
  EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("лист.pdf")});
  ASSERT_TRUE(before.open(QIODevice::ReadOnly));
  EXPECT_EQ(before.readAll(), QByteArray("прежний лист"));
  before.close();
  std::vector<std::pair<int, int>> calls;
  const auto record = [&calls](int done, int total) {
    calls.emplace_back(done, total);
    return true;
  };
  EXPECT_EQ(SaveSheetPdf(document, path, record), QString());
  EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{0, 1}, {1, 1}}));
  EXPECT_EQ(PdfPages(path).size(), 1);
}

}  // namespace
}  // namespace linecalc::sheet

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

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
#include "tests/sheet/pdf_text.h"

namespace linecalc::sheet {
namespace {

using linecalc::test::HasRow;
using linecalc::test::PdfPages;

// Copper, 20 °С, 100 V, a kilometre of line; R20 typed so that Rл shows `rLine`.
LineInputs Line(const char* r20, LoadKind load, const char* power, const char* count = "") {
  LineInputs in;
  in.sectionIndex = 6;  // 1.5 mm²
  in.length = "1000";
  in.r20 = r20;
  in.load = load;
  in.power = power;
  in.count = count;
  return in;
}

const char* const kRLine2 = "1.9503";  // Rл 2.00
const char* const kRLine4 = "3.9007";  // Rл 4.00

QString Local(QString dotted, const QString& separator) {
  return dotted.replace(QLatin1Char('.'), separator);
}

// The text of the sheet of `content`, page by page, through a PDF as a reader gets it.
QStringList SheetPages(const SheetContent& content) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("лист.pdf"));
  const std::unique_ptr<QTextDocument> document = BuildCalculationSheet(content);
  EXPECT_EQ(SaveSheetPdf(*document, path), QString());
  return PdfPages(path);
}

SheetContent Content(const QString& separator) {
  SheetContent content;
  content.lineName = QStringLiteral("Этаж 3, зона Б");
  content.when = QDateTime(QDate(2026, 12, 7), QTime(10, 30));
  content.decimalSeparator = separator;
  return content;
}

struct Row {
  const char* label;
  const char* value;  // with "." for the decimal separator
};

void ExpectRows(const QString& text, const std::vector<Row>& rows, const QString& separator) {
  for (const Row& row : rows) {
    const QString value = Local(QString::fromUtf8(row.value), separator);
    EXPECT_TRUE(HasRow(text, QString::fromUtf8(row.label), value))
        << row.label << " " << value.toStdString();
  }
}

// Each line of a page with its runs of blanks made single.
bool HasLine(const QString& page, const QString& wanted) {
  for (const QString& line : page.split(QLatin1Char('\n'))) {
    if (line.simplified() == wanted) {
      return true;
    }
  }
  return false;
}

class SheetFigures : public ::testing::TestWithParam<const char*> {
 protected:
  QString separator() const { return QString::fromLatin1(GetParam()); }
};

TEST_P(SheetFigures, SingleLoadWorkedExample) {
  SheetContent content = Content(separator());
  const std::string sep = separator().toStdString();
  content.single = CalculateLine(Line(kRLine2, LoadKind::Single, "100"), sep);
  content.current = content.single;
  const QStringList pages = SheetPages(content);
  ASSERT_EQ(pages.size(), 1);
  for (const char* heading :
       {"Расчет потерь в линии\n", "Линия: Этаж 3, зона Б\n",
        "Дата и время расчета: 07.12.2026 10:30\n",
        "Программа: Расчет потерь в линиях (системы звуковой трансляции), версия 1.0.0\n"}) {
    EXPECT_TRUE(pages[0].contains(QString::fromUtf8(heading))) << heading;
  }
  ExpectRows(pages[0],
             {{"Материал жил", "Медь"},
              {"Сечение жилы", "1.5"},
              {"Длина линии", "1000"},
              {"Температура окружающей среды", "20"},
              {"нагрева на 5 °С", "25"},
              {"Напряжение линии", "100"},
              {"Сопротивление кабеля на 1 км, введено вручную", "1.95"},
              {"Сопротивление жилы на 1 км при 20 °С R10", "13.30"},
              {"Сопротивление кабеля (двух жил) на 1 км R20", "1.95"},
              {"Активное сопротивление линии с учетом температуры Rл", "2.00"},
              {"Максимально допустимый ток Jмакс", "23.00"},
              {"Оптимальный ток Jопт", "16.26"},
              {"Ожидаемая мощность при оптимальном токе Рож", "1626.10"},
              {"Входная мощность нагрузки Рвх", "100.00"},
              {"Сопротивление нагрузки Zнагр", "100.00"},
              {"Напряжение на нагрузке Uрез", "98.04"},
              {"Мощность на нагрузке Ррез", "96.12"},
              {"Потери мощности, % П", "3.88"},
              {"Потери, дБ", "0.17"},
              {"Падение напряжения, %", "1.96"},
              {"стр. 1 из", "1"}},
             separator());
  EXPECT_FALSE(pages[0].contains(QStringLiteral("Равномерно")));
  EXPECT_FALSE(pages[0].contains(QStringLiteral("в окне сейчас")));
}

TEST_P(SheetFigures, UniformLoadWorkedExample) {
  SheetContent content = Content(separator());
  const std::string sep = separator().toStdString();
  content.uniform = CalculateLine(Line(kRLine4, LoadKind::Uniform, "10", "2"), sep);
  content.current = content.uniform;
  const QStringList pages = SheetPages(content);
  ASSERT_EQ(pages.size(), 1);
  const QString& page = pages[0];
  ExpectRows(page,
             {{"Активное сопротивление линии с учетом температуры Rл", "4.00"},
              {"Мощность громкоговорителя Pгр", "10.00"},
              {"Количество громкоговорителей N", "2"},
              {"Суммарная номинальная мощность Pгр × N", "20.00"},
              {"Потери мощности, % П", "0.99"},
              {"Потери, дБ", "0.04"},
              {"Падение напряжения, %", "0.60"},
              {"Каскадное напряжение", "99.00"}},
             separator());
  const QString sepText = separator();
  EXPECT_TRUE(HasLine(page, QStringLiteral("№ Url (В) Pгр (Вт)")));
  for (const char* line :
       {"1 0.40 9.92", "2 0.20 9.88", "На проводах 0.60 0.20", "Остается U=99.40 P=19.80"}) {
    EXPECT_TRUE(HasLine(page, Local(QString::fromUtf8(line), sepText))) << line;
  }
  EXPECT_FALSE(page.contains(QStringLiteral("Нагрузка в конце линии")));
}

INSTANTIATE_TEST_SUITE_P(DecimalSeparator, SheetFigures, ::testing::Values(".", ","));

TEST(ThousandLoudspeakers, EveryPageNumberedWithTheTableHeading) {
  SheetContent content = Content(QStringLiteral("."));
  LineInputs in;
  in.sectionIndex = 7;  // 2.5 mm²
  in.length = "100";
  in.load = LoadKind::Uniform;
  in.power = "1";
  in.count = "1000";
  content.uniform = CalculateLine(in, ".");
  const QStringList pages = SheetPages(content);
  ASSERT_EQ(pages.size(), 18);
  for (int i = 0; i < pages.size(); ++i) {
    const QString number = QStringLiteral("стр. %1 из %2").arg(i + 1).arg(pages.size());
    EXPECT_TRUE(pages[i].contains(number)) << number.toStdString();
    if (i > 0) {
      EXPECT_TRUE(HasLine(pages[i], QStringLiteral("№ Url (В) Pгр (Вт)"))) << "page " << i + 1;
    }
  }
  EXPECT_TRUE(HasLine(pages.last(), QStringLiteral("1000 0.00 0.84")));
  EXPECT_TRUE(HasLine(pages.last(), QStringLiteral("На проводах 8.56 109.25")));
  EXPECT_TRUE(HasLine(pages.last(), QStringLiteral("Остается U=91.44 P=890.75")));
}

// A report stays on view when the line changes; its sheet keeps the inputs it came from and
// shows what the window shows now apart, titled as such.
TEST(RecordedInputs, ChangedLengthIsPrintedApartFromTheReport) {
  struct Case {
    const char* name;
    const char* currentLength;
    bool apart;
  };
  for (const Case& c : {Case{"changed", "500", true}, Case{"same", "1000", false}}) {
    SheetContent content = Content(QStringLiteral("."));
    content.uniform = CalculateLine(Line(kRLine4, LoadKind::Uniform, "10", "2"), ".");
    LineInputs now = Line(kRLine4, LoadKind::Single, "");
    now.length = c.currentLength;
    content.current = CalculateLine(now, ".");
    const QString page = SheetPages(content).join(QString());
    const QString apartTitle = QStringLiteral("Исходные данные в окне сейчас");
    EXPECT_EQ(page.contains(apartTitle), c.apart) << c.name;
    const QString report = page.section(apartTitle, 0, 0);
    EXPECT_TRUE(HasRow(report, QStringLiteral("Длина линии"), QStringLiteral("1000"))) << c.name;
    EXPECT_TRUE(HasRow(report, QStringLiteral("Rл"), QStringLiteral("4.00"))) << c.name;
    if (c.apart) {
      const QString now = page.section(apartTitle, 1);
      EXPECT_TRUE(HasRow(now, QStringLiteral("Длина линии"), QStringLiteral("500")));
      EXPECT_TRUE(HasRow(now, QStringLiteral("Rл"), QStringLiteral("2.00")));
      EXPECT_FALSE(now.contains(QStringLiteral("Url")));
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
    SheetContent content = Content(QStringLiteral("."));
    content.lineName = QString::fromUtf8(name);
    content.uniform = CalculateLine(Line(kRLine4, LoadKind::Uniform, "10", "2"), ".");
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

TEST(NothingCalculated, ReferenceValuesOnly) {
  SheetContent content = Content(QStringLiteral("."));
  content.current = CalculateLine(Line(kRLine2, LoadKind::Single, ""), ".");
  const QString page = SheetPages(content).join(QString());
  EXPECT_TRUE(HasRow(page, QStringLiteral("Rл"), QStringLiteral("2.00")));
  EXPECT_TRUE(page.contains(QStringLiteral("Расчет нагрузки не выполнялся.")));
  EXPECT_FALSE(page.contains(QStringLiteral("в окне сейчас")));
}

QStringList Entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

TEST(SaveSheetPdf, FailuresNameThePathAndTheReasonAndLeaveNoFile) {
  QTemporaryDir dir;
  QFile plain(dir.filePath(QStringLiteral("файл")));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  struct Case {
    QString path;
    QString reason;
  };
  const QString missing = dir.filePath(QStringLiteral("нет такой папки"));
  const std::vector<Case> cases{
      {missing + QStringLiteral("/лист.pdf"),
       QStringLiteral("папка «%1» не существует").arg(QDir::toNativeSeparators(missing))},
      {dir.path(), QStringLiteral("это папка, а не файл")},
      {plain.fileName() + QStringLiteral("/лист.pdf"),
       QStringLiteral("«%1» не является папкой").arg(QDir::toNativeSeparators(plain.fileName()))},
  };
  QTextDocument document(QStringLiteral("Лист"));
  for (const Case& c : cases) {
    EXPECT_EQ(SaveSheetPdf(document, c.path), QStringLiteral("Не удалось сохранить файл «%1»: %2.")
                                                  .arg(QDir::toNativeSeparators(c.path), c.reason));
  }
  EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("файл")});
}

TEST(SaveSheetPdf, CancelledSaveKeepsTheFileThatWasThere) {
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
}

TEST(SaveSheetPdf, ProgressCountsEveryPage) {
  QTemporaryDir dir;
  QTextDocument document(QStringLiteral("Лист"));
  std::vector<std::pair<int, int>> calls;
  const QString path = dir.filePath(QStringLiteral("лист.pdf"));
  EXPECT_EQ(SaveSheetPdf(document, path,
                         [&calls](int done, int total) {
                           calls.emplace_back(done, total);
                           return true;
                         }),
            QString());
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

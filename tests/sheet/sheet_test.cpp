#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
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
#include "tests/support/test_fonts.h"

namespace linecalc::sheet {
namespace {

using linecalc::test::HasLine;
using linecalc::test::HasRow;
using linecalc::test::PdfPages;
using linecalc::testing_support::LineOfResistance;
using linecalc::testing_support::TableLine;

const QString kApart = QStringLiteral("Исходные данные в окне сейчас");
// The report's heading, as its wrapped cells read line by line.
const QString kTableHeading = QStringLiteral("Падение напряжения на участке");

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
        {"нагрева на 5 °C", "0"},
        {"Напряжение линии", "100"},
        {"Сопротивление кабеля на 1 км, введено вручную", "2.16"},
        {"Сопротивление жилы на 1 км при 20 °C R10", "26.00"},
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
       {"1 0.40 9.92", "2 0.20 9.88", "На проводах 0.60 0.20", "Остается U=99.40 P=19.80",
        "Напряжение и мощность у каждого громкоговорителя"},
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
    ASSERT_FALSE(pages.isEmpty()) << example.name;
    const QString page = pages.join(QString());
    EXPECT_TRUE(pages[0].startsWith(QStringLiteral(
        "Расчет потерь в линии\nЛиния: Этаж 3, зона Б\nДата и время расчета: 07.12.2026 10:30\n"
        "Программа: Расчет потерь в линиях (системы звуковой трансляции), версия 1.0.0\n")));
    for (const auto& [label, value] : example.rows) {
      EXPECT_TRUE(HasRow(page, QString::fromUtf8(label), local(value)))
          << example.name << ": " << label << " " << value;
    }
    for (const char* wanted : example.lines) {
      EXPECT_TRUE(HasLine(page, local(wanted))) << example.name << ": " << wanted;
    }
    for (const char* unwanted : example.absent) {
      EXPECT_FALSE(page.contains(QString::fromUtf8(unwanted))) << example.name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(DecimalSeparator, SheetFigures, ::testing::Values(".", ","));

TEST(ThousandLoudspeakers, EveryPageNumberedWithTheTableHeading) {
  SheetContent content = Content();
  content.uniform =
      CalculateLine(TableLine(Material::Copper, 7, "100", LoadKind::Uniform, "1", "1000"), ".");
  const QStringList pages = SheetPages(content);
  ASSERT_EQ(pages.size(), 19);
  for (int i = 0; i < pages.size(); ++i) {
    const QString number = QStringLiteral("стр. %1 из 19").arg(i + 1);
    EXPECT_TRUE(pages[i].contains(number)) << number.toStdString();
    EXPECT_TRUE(i == 0 || i == 18 || pages[i].contains(kTableHeading)) << "page " << i + 1;
  }
  for (const char* line :
       {"1000 0.00 0.84", "На проводах 8.56 109.25", "Остается U=91.44 P=890.75"}) {
    EXPECT_TRUE(HasLine(pages[17], QString::fromUtf8(line))) << line;
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

// With a limit every loss is followed by its verdict and the smallest sufficient section (a
// typed R20 belongs to the cable named, so the search uses the table's).
TEST(LossLimit, VerdictAndSmallestSectionFollowTheLoss) {
  struct Case {
    LoadKind load;
    double limit;
    const char* verdict;
    const char* smallest;
  };
  for (const Case& c :
       {Case{LoadKind::Single, 3, "превышение", "нет"}, Case{LoadKind::Single, 20, "норма", "4,0"},
        Case{LoadKind::Uniform, 0.5, "превышение", "нет"},
        Case{LoadKind::Uniform, 1, "норма", "10,0"}}) {
    SheetContent content = Content(QStringLiteral(","));
    content.lossLimitPct = c.limit;
    const bool single = c.load == LoadKind::Single;
    const LineCalculation line = CalculateLine(single ? LineOfResistance("2.16", c.load, "100")
                                                      : LineOfResistance("4.32", c.load, "10", "2"),
                                               ",");
    (single ? content.single : content.uniform) = line;
    const QString page = SheetPages(content).join(QString());
    EXPECT_TRUE(HasRow(page, QStringLiteral("Предел потерь"),
                       QString::number(c.limit, 'f', 2).replace(u'.', u',')));
    EXPECT_TRUE(HasRow(page, QStringLiteral("Заключение по потерям"), QString::fromUtf8(c.verdict)))
        << c.limit;
    EXPECT_TRUE(HasRow(page, QStringLiteral("Наименьшее достаточное сечение Sмин"),
                       QString::fromUtf8(c.smallest)))
        << c.limit;
  }
}

// The method names the formulas and the material data the figures come from, numbers with the
// sheet's separator, units with a Latin C.
TEST(Method, FormulasAndMaterialData) {
  struct Case {
    Material material;
    const char* data;
  };
  for (const Case& c :
       {Case{Material::Copper, "Данные материала: медь, сечение 2,5 мм²: R10 = 7,98 Ом/км"},
        Case{Material::Aluminium,
             "Данные материала: алюминий, сечение 2,5 мм²: R10 = 12,77 Ом/км"}}) {
    SheetContent content = Content(QStringLiteral(","));
    content.uniform =
        CalculateLine(TableLine(c.material, 7, "100", LoadKind::Uniform, "6", "10"), ",");
    const QString page = SheetPages(content).join(QString()).simplified();
    for (const QString& part :
         {QStringLiteral("Методика расчета"), QStringLiteral("Rл = R20 · (1 + α · t) / 1,08 · L"),
          QStringLiteral("Zнагр = U² / Рвх"), QStringLiteral("10 · lg(Рвх / Ррез), дБ"),
          QStringLiteral("(U − Uрез) / U · 100, %"), QString::fromUtf8(c.data),
          QStringLiteral("первый громкоговоритель стоит через один участок от источника"),
          QStringLiteral("«Каскадное напряжение»")}) {
      EXPECT_TRUE(page.contains(part)) << part.toStdString();
    }
    EXPECT_TRUE(page.contains(c.material == Material::Copper ? QStringLiteral("α = 0,0043 1/°C")
                                                             : QStringLiteral("α = 0,0042 1/°C")));
    EXPECT_FALSE(page.contains(QStringLiteral("°С"))) << "a Cyrillic С after the degree sign";
  }
}

// Two calculations of different lines never share a sheet: the later one stays.
TEST(KeepOneLine, TheLaterCalculationStaysWhenTheLinesDiffer) {
  struct Case {
    const char* length;  // of the uniform calculation; the single one is 1000 m
    LoadKind latest;
    bool single;
    bool uniform;
    std::string note;
  };
  const std::string why =
      " на экране сделан для другой линии (материал, сечение, длина, температура, напряжение или "
      "R20 другие), а лист описывает одну линию.";
  const std::string uniformLeft =
      "В лист войдет только расчет нагрузки в конце линии: расчет равномерной нагрузки" + why;
  const std::string singleLeft =
      "В лист войдет только расчет равномерной нагрузки: расчет нагрузки в конце линии" + why;
  for (const Case& c : {Case{"1000", LoadKind::Single, true, true, ""},
                        Case{"1000.0", LoadKind::Uniform, true, true, ""},
                        Case{"500", LoadKind::Single, true, false, uniformLeft},
                        Case{"500", LoadKind::Uniform, false, true, singleLeft}}) {
    SheetContent content = Content();
    content.single = CalculateLine(LineOfResistance("2.16", LoadKind::Single, "100"), ".");
    LineInputs uniform = LineOfResistance("2.16", LoadKind::Uniform, "10", "2");
    uniform.length = c.length;
    content.uniform = CalculateLine(uniform, ".");
    content.latest = c.latest;
    EXPECT_EQ(KeepOneLine(content).toStdString(), c.note) << c.length;
    EXPECT_EQ(content.single.has_value(), c.single) << c.length;
    EXPECT_EQ(content.uniform.has_value(), c.uniform) << c.length;
  }
}

// Wherever a page ends: no heading stands last on a page, the closing lines keep at least the
// last three loudspeakers' rows, and the signatures close the last page.
TEST(PageBreaks, HeadingsAndClosingLinesKeepTogether) {
  const QStringList headings{QStringLiteral("Методика расчета"),
                             QStringLiteral("Напряжение и мощность у каждого громкоговорителя"),
                             QStringLiteral("Равномерно распределенная нагрузка")};
  for (int count = 20; count <= 60; count += 2) {
    SheetContent content = Content();
    content.signatures = Signatures{QStringLiteral("Школа № 5"), QStringLiteral("Иванов И. И."),
                                    QStringLiteral("Петров П. П.")};
    const std::string n = std::to_string(count);
    content.uniform = CalculateLine(
        TableLine(Material::Copper, 7, "100", LoadKind::Uniform, "1", n.c_str()), ".");
    const QStringList pages = SheetPages(content);
    for (int p = 0; p < pages.size(); ++p) {
      QStringList lines = pages[p].split(u'\n', Qt::SkipEmptyParts);
      while (!lines.isEmpty() &&
             (lines.last().trimmed().isEmpty() || lines.last().contains(QStringLiteral("стр. ")))) {
        lines.removeLast();
      }
      ASSERT_FALSE(lines.isEmpty());
      EXPECT_FALSE(headings.contains(lines.last().simplified())) << count << " page " << p + 1;
      if (pages[p].contains(QStringLiteral("На проводах"))) {
        for (int row = count - 2; row <= count; ++row) {
          EXPECT_TRUE(
              pages[p].contains(QRegularExpression(QStringLiteral("\\n\\s*%1\\s").arg(row))))
              << count << ": row " << row;
        }
        EXPECT_TRUE(pages[p].contains(QStringLiteral("Остается"))) << count;
      }
    }
    const QStringList last = pages.last().split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(HasLine(pages.last(), QStringLiteral("Объект: Школа № 5"))) << count;
    EXPECT_TRUE(HasLine(pages.last(), QStringLiteral("Выполнил Иванов И. И. 07.12.2026"))) << count;
    EXPECT_TRUE(HasLine(pages.last(), QStringLiteral("Проверил Петров П. П."))) << count;
    // At the foot: only the page number follows.
    EXPECT_TRUE(last.size() >= 2 &&
                last[last.size() - 2].simplified() == QStringLiteral("Проверил Петров П. П."))
        << count;
  }
}

}  // namespace
}  // namespace linecalc::sheet

int main(int argc, char** argv) {
  linecalc::test::UseTestFonts();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

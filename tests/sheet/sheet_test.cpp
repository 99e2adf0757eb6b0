#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <optional>
#include <string>
#include <tuple>
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

// The sheet of `report` (none: nothing calculated) while the window shows `shown` (none: the
// report's inputs); "." stands for the separator.
struct Example {
  const char* name;
  std::optional<LineInputs> report = {};
  std::optional<LineInputs> shown = {};
  std::optional<double> limit = {};
  std::vector<const char*> inputs = {};  // "label|value" among the report's inputs
  std::vector<const char*> rows = {};    // "label|value" among its results
  std::vector<const char*> parts = {};   // anywhere, the blanks made single
  std::vector<const char*> absent = {};
  std::vector<const char*> apart = {};  // "label|value" among the inputs shown apart
};

// Rл 2.00 with one 100 W load, and Rл 4.00 with two 10 W loudspeakers. A sheet keeps the inputs
// its report came from and shows the window's changed ones apart. A limit adds the verdict and the
// smallest sufficient section (of the table's R20: a typed one belongs to the cable named).
const std::vector<Example>& Examples() {
  static const std::vector<Example> examples{
      {.name = "single",
       .report = LineOfResistance("2.16", LoadKind::Single, "100"),
       .limit = 20,
       .inputs = {"Материал жил|Медь", "Сечение жилы|0.75", "Длина линии|1000",
                  "Температура окружающей среды|-5", "нагрева на 5 °C|0", "Напряжение линии|100",
                  "Сопротивление кабеля на 1 км, введено вручную|2.16"},
       .rows = {"Сопротивление жилы на 1 км при 20 °C R10|26.00",
                "Сопротивление кабеля (двух жил) на 1 км R20|2.16",
                "Активное сопротивление линии с учетом температуры Rл|2.00",
                "Максимально допустимый ток Jмакс|15.00", "Оптимальный ток Jопт|10.61",
                "Ожидаемая мощность при оптимальном токе Рож|1060.50",
                "Входная мощность нагрузки Рвх|100.00", "Сопротивление нагрузки Zнагр|100.00",
                "Напряжение на нагрузке Uрез|98.04", "Мощность на нагрузке Ррез|96.12",
                "Потери мощности, % П|3.88", "Потери, дБ|0.17", "Падение напряжения, %|1.96",
                "Предел потерь|20.00", "Заключение по потерям|норма",
                "Наименьшее достаточное сечение Sмин|4.0", "стр. 1 из|1"},
       .parts = {"Методика расчета", "Rл = R20 · (1 + α · t) / 1.08 · L", "Zнагр = U² / Рвх",
                 "10 · lg(Рвх / Ррез), дБ", "(U − Uрез) / U · 100, %",
                 "Данные материала: медь, сечение 0.75 мм²: R10 = 26.00 Ом/км", "α = 0.0043 1/°C",
                 "первый громкоговоритель стоит через один участок от источника"},
       .absent = {"Равномерно", "в окне сейчас"}},
      {.name = "uniform, the window on a single load of the same line",
       .report = LineOfResistance("4.32", LoadKind::Uniform, "10", "2"),
       .shown = LineOfResistance("4.32", LoadKind::Single, ""),
       .limit = 0.5,
       .rows = {"Активное сопротивление линии с учетом температуры Rл|4.00",
                "Мощность громкоговорителя Pгр|10.00", "Количество громкоговорителей N|2",
                "Суммарная номинальная мощность Pгр × N|20.00", "Потери мощности, % П|0.99",
                "Потери, дБ|0.04", "Падение напряжения, %|0.60", "Каскадное напряжение|99.00",
                "Предел потерь|0.50", "Заключение по потерям|превышение",
                "Наименьшее достаточное сечение Sмин|нет"},
       .parts = {"Напряжение и мощность у каждого громкоговорителя", "На проводах 0.60 0.20",
                 "Остается U=99.40 P=19.80", "«Каскадное напряжение»"},
       .absent = {"Нагрузка в конце линии", "в окне сейчас"}},
      {.name = "changed after the report",
       .report = LineOfResistance("4.32", LoadKind::Uniform, "10", "2"),
       .shown =
           LineInputs{Material::Copper, 3, "500", "-5", "100", "4.32", LoadKind::Single, "", ""},
       .rows = {"Длина линии|1000", "Rл|4.00"},
       .absent = {"Заключение", "не выполнялся"},
       .apart = {"Длина линии|500", "Rл|2.00"}},
      {.name = "nothing calculated",
       .shown = TableLine(Material::Aluminium, 7, "100", LoadKind::Uniform, "6", "10"),
       .rows = {"Длина линии|100"},
       .parts = {"Расчет нагрузки не выполнялся",
                 "Данные материала: алюминий, сечение 2.5 мм²: R10 = 12.77 Ом/км",
                 "α = 0.0042 1/°C"},
       .absent = {"в окне сейчас"}},
  };
  return examples;
}

// Each with "." and with "," for the decimal separator.
TEST(SheetFigures, WorkedExamples) {
  for (const QString& sep : {QStringLiteral("."), QStringLiteral(",")}) {
    const auto local = [&sep](const char* dotted) {
      return QString::fromUtf8(dotted).replace(QLatin1Char('.'), sep);
    };
    for (const Example& example : Examples()) {
      SheetContent content = Content(sep);
      content.lossLimitPct = example.limit;
      if (example.report) {
        (example.report->load == LoadKind::Single ? content.single : content.uniform) =
            CalculateLine(*example.report, sep.toStdString());
      }
      content.current =
          CalculateLine(*(example.shown ? example.shown : example.report), sep.toStdString());
      SCOPED_TRACE(sep.toStdString() + " " + example.name);
      const QString page = SheetPages(content).join(QString());
      const QString apart = QStringLiteral("Исходные данные в окне сейчас");
      EXPECT_TRUE(page.startsWith(QStringLiteral(
          "Расчет потерь в линии\nЛиния: Этаж 3, зона Б\nДата и время расчета: 07.12.2026 10:30\n"
          "Программа: Расчет потерь в линиях (системы звуковой трансляции), версия 1.0.0\n")));
      for (const auto& [rows, text] : {std::pair{&example.inputs, page.section(apart, 0, 0)},
                                       std::pair{&example.rows, page.section(apart, 0, 0)},
                                       std::pair{&example.apart, page.section(apart, 1)}}) {
        for (const char* row : *rows) {
          const QString label = QString::fromUtf8(row).section(u'|', 0, 0);
          EXPECT_TRUE(HasRow(text, label, local(row).section(u'|', 1))) << row;
        }
      }
      for (const char* part : example.parts) {
        EXPECT_TRUE(page.simplified().contains(local(part))) << part;
      }
      for (const char* unwanted : example.absent) {
        EXPECT_FALSE(page.contains(QString::fromUtf8(unwanted))) << unwanted;
      }
      EXPECT_FALSE(page.contains(QStringLiteral("°С"))) << "a Cyrillic С after the degree sign";
    }
  }
}

// A failed save names the path and the reason and leaves no file (a cancelled one is tried with
// the object's PDF); a finished one reports every page.
TEST(SaveSheetPdf, FailuresLeaveNoFileAndProgressCountsEveryPage) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("лист.pdf"));
  QTextDocument document(QStringLiteral("Лист"));
  std::vector<std::pair<int, int>> calls;
  const auto record = [&calls](int done, int total) {
    calls.emplace_back(done, total);
    return true;
  };
  EXPECT_EQ(SaveSheetPdf(document, path, record), QString());
  EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{0, 1}, {1, 1}}));
  EXPECT_EQ(PdfPages(path).size(), 1);
  const QString missing = dir.filePath(QStringLiteral("нет такой папки"));
  for (const auto& [to, reason] : std::vector<std::pair<QString, QString>>{
           {missing + QStringLiteral("/лист.pdf"),
            QStringLiteral("папка «%1» не существует").arg(QDir::toNativeSeparators(missing))},
           {dir.path(), QStringLiteral("это папка, а не файл")},
           {path + QStringLiteral("/лист.pdf"),
            QStringLiteral("«%1» не является папкой").arg(QDir::toNativeSeparators(path))}}) {
    EXPECT_EQ(SaveSheetPdf(document, to), QStringLiteral("Не удалось сохранить файл «%1»: %2.")
                                              .arg(QDir::toNativeSeparators(to), reason));
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{QStringLiteral("лист.pdf")});
}

// Two calculations of different lines never share a sheet: the later one stays.
TEST(KeepOneLine, TheLaterCalculationStaysWhenTheLinesDiffer) {
  const std::string why =
      " на экране сделан для другой линии (материал, сечение, длина, температура, напряжение или "
      "R20 другие), а лист описывает одну линию.";
  const std::string singleStays =
      "В лист войдет только расчет нагрузки в конце линии: расчет равномерной нагрузки" + why;
  const std::string uniformStays =
      "В лист войдет только расчет равномерной нагрузки: расчет нагрузки в конце линии" + why;
  // The uniform calculation's length (the single one's is 1000 m), the one calculated last, and
  // the note (none: both stay).
  using Case = std::tuple<const char*, LoadKind, std::string>;
  for (const auto& [length, latest, note] :
       {Case{"1000", LoadKind::Single, ""}, Case{"1000.0", LoadKind::Uniform, ""},
        Case{"500", LoadKind::Single, singleStays}, Case{"500", LoadKind::Uniform, uniformStays}}) {
    SheetContent content = Content();
    content.single = CalculateLine(LineOfResistance("2.16", LoadKind::Single, "100"), ".");
    content.uniform = CalculateLine(
        {Material::Copper, 3, length, "-5", "100", "2.16", LoadKind::Uniform, "10", "2"}, ".");
    content.latest = latest;
    EXPECT_EQ(KeepOneLine(content).toStdString(), note) << length;
    EXPECT_EQ(content.single.has_value(), note.empty() || latest == LoadKind::Single);
    EXPECT_EQ(content.uniform.has_value(), note.empty() || latest == LoadKind::Uniform);
  }
}

// Wherever a page ends: every page is numbered at its foot, a long table's heading starts each
// of its pages, no heading stands last on a page, the closing lines keep at least the last three
// loudspeakers' rows, and the signatures close the last page.
TEST(PageBreaks, HeadingsAndClosingLinesKeepTogether) {
  const QStringList headings{QStringLiteral("Методика расчета"),
                             QStringLiteral("Напряжение и мощность у каждого громкоговорителя"),
                             QStringLiteral("Равномерно распределенная нагрузка")};
  SheetContent content = Content();
  content.signatures = Signatures{QStringLiteral("Школа № 5"), QStringLiteral("Иванов И. И."),
                                  QStringLiteral("Петров П. П.")};
  for (int count = 20; count <= 62; count += 2) {
    const int speakers = count == 62 ? 1000 : count;
    const std::string n = std::to_string(speakers);
    SCOPED_TRACE(n);
    content.uniform = CalculateLine(
        TableLine(Material::Copper, 7, "100", LoadKind::Uniform, "1", n.c_str()), ".");
    const QStringList pages = SheetPages(content);
    QStringList lines;
    for (int p = 0; p < pages.size(); ++p) {
      SCOPED_TRACE(p + 1);
      const QString& page = pages[p];
      lines = page.trimmed().split(QRegularExpression(QStringLiteral("\\s*\\n\\s*")));
      EXPECT_EQ(lines.takeLast().simplified(),
                QStringLiteral("стр. %1 из %2").arg(p + 1).arg(pages.size()));
      ASSERT_FALSE(lines.isEmpty());
      EXPECT_FALSE(headings.contains(lines.last().simplified()));
      EXPECT_TRUE(p == 0 || p == pages.size() - 1 ||
                  page.contains(QStringLiteral("Падение напряжения на участке")));
      if (page.contains(QStringLiteral("На проводах"))) {
        EXPECT_TRUE(page.contains(QStringLiteral("Остается")));
        for (int row = speakers - 2; row <= speakers; ++row) {
          EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("\\n\\s*%1\\s").arg(row))))
              << row;
        }
      }
    }
    EXPECT_EQ(lines.mid(lines.size() - 4).join(u' ').simplified().toStdString(),
              "Объект: Школа № 5 Фамилия, инициалы Подпись Дата Выполнил Иванов И. И. 07.12.2026 "
              "Проверил Петров П. П.");
    if (speakers == 1000) {
      ASSERT_EQ(pages.size(), 19);
      for (const char* line :
           {"1000 0.00 0.84", "На проводах 8.56 109.25", "Остается U=91.44 P=890.75"}) {
        EXPECT_TRUE(HasLine(pages[17], QString::fromUtf8(line))) << line;
      }
    }
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

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "object/line_table.h"
#include "object/object_csv.h"
#include "tests/ui/window_fixture.h"
#include "ui/object/object_document.h"
#include "ui/qt_text.h"

namespace linecalc::ui::test {
namespace {

using object::LineColumn;

// The figures of the summary, in its order; each row of them stands on one line of the page.
constexpr LineColumn kFigures[] = {LineColumn::Power,          LineColumn::Count,
                                   LineColumn::LossPct,        LineColumn::LossDb,
                                   LineColumn::VoltageDropPct, LineColumn::SmallestSection,
                                   LineColumn::Verdict};

object::LineObject TwoLines() {
  object::LineObject object;
  object.title = "Школа № 5";
  object.lossLimitPct = "5";
  object.lines = {
      {"Холл", {Material::Copper, 6, "1000", "20", "100", "2", LoadKind::Single, "100", ""}},
      {"Улица",
       {Material::Aluminium, 7, "300", "0", "100", std::nullopt, LoadKind::Uniform, "6", "10"}}};
  return object;
}

// `program` run on `arguments`, its standard output.
QString Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class ObjectPdfTest : public QObject {
  Q_OBJECT

 private slots:
  // The summary shows each line's figures as the CSV export has them, in the locale's decimal
  // separator; a calculation sheet follows for every line.
  void summaryEqualsCsv() {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) {
      QSKIP("pdftotext (poppler-utils) is not installed");
    }
    const object::LineObject object = TwoLines();
    QTemporaryDir dir;
    const QString pdf = dir.filePath("объект.pdf");
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ObjectPdf(object));
    file.close();
    const QString summary = Run(pdftotext, {"-layout", "-l", "1", pdf, "-"});
    QVERIFY(summary.contains("Объект: Школа № 5"));
    QVERIFY(summary.contains("Предел потерь: 5 %"));
    const QStringList csv = ToQString(object::ObjectCsv(object)).split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(csv.size(), 3);
    for (int line = 1; line <= 2; ++line) {
      const QStringList cells = csv[line].split(u',');
      QStringList figures;
      for (LineColumn column : kFigures) {
        const QString cell = cells[static_cast<int>(column)];
        // Sections are named as in their list, whatever the locale.
        const bool figure = column != LineColumn::SmallestSection;
        if (!cell.isEmpty()) {
          figures.append(QRegularExpression::escape(figure ? Shown(cell) : cell));
        }
      }
      QVERIFY2(figures.size() >= 5, qPrintable(csv[line]));
      const QRegularExpression row("(^|\\s)" + figures.join("\\s+") + "(\\s|$)",
                                   QRegularExpression::MultilineOption);
      QVERIFY2(summary.contains(row), qPrintable(figures.join(' ') + "\n" + summary));
    }
    const QString all = Run(pdftotext, {pdf, "-"});
    QCOMPARE(all.count(QRegularExpression("^Расчет потерь в линии$",
                                          QRegularExpression::MultilineOption)),
             2);
    QVERIFY(all.contains("Линия: Улица"));
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::ObjectPdfTest)
#include "object_pdf_test.moc"

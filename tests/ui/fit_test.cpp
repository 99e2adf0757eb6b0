#include <QAccessible>
#include <QAccessibleInterface>
#include <QClipboard>
#include <QScrollBar>
#include <QtTest>

#include "tests/ui/window_fixture.h"
#include "ui/report_list.h"
#include "ui/result_field.h"
#include "ui/static_text.h"

namespace linecalc::ui::test {
namespace {

const QString kRule = u"==============================================="_qs;

// The widest report that choices from the lists can produce, as a pattern in which every "8"
// stands for one digit: row numbers up to 1000, a stretch's drop and a loudspeaker's power up to
// 100 W, closing lines with 3-digit voltages and 4-digit powers.
QStringList WidestReport(QChar digit) {
  QStringList lines;
  for (int row = 0; row < 1000; ++row) {
    lines.append(u"8888\t888.88\t888.88"_qs);
  }
  lines << kRule << u"На проводах\t888.88\t8888.88"_qs << u"Остается\tU=888.88\tP=8888.88"_qs;
  for (QString& line : lines) {
    line.replace(u'8', digit).replace(u'.', QLocale().decimalPoint());
  }
  return lines;
}

// Lets the list lay its rows out and decide on its scroll bars.
void Settle(ReportList* list) {
  list->doItemsLayout();
  QApplication::processEvents();
}

// Every field of every line starts after the one before it ends, and every line ends inside the
// list, so that nothing is hidden, overlapped or out of sight.
void VerifyWhole(ReportList* list) {
  const QFontMetricsF metrics(list->font());
  for (int row = 0; row < list->count(); ++row) {
    const QStringList fields = list->item(row)->text().split(u'\t');
    const QList<qreal> starts = list->fieldStarts(row);
    for (qsizetype i = 1; i < fields.size(); ++i) {
      QVERIFY2(starts[i - 1] + metrics.horizontalAdvance(fields[i - 1]) < starts[i],
               qPrintable(list->item(row)->text()));
    }
    QVERIFY2(list->lineEnd(row) <= list->viewport()->width(), qPrintable(list->item(row)->text()));
  }
  QVERIFY(!list->horizontalScrollBar()->isVisible());
}

}  // namespace

// Measured with the window's own fonts: whatever the lists let the user choose is shown whole;
// what only typing can reach is shortened visibly or scrolls into view, never silently cut.
class FitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QAccessible::setActive(true); }

  void widestReportFits_data() {
    QTest::addColumn<QChar>("digit");
    for (const char digit : QByteArray("0123456789")) {
      QTest::newRow(QByteArray(1, digit).constData()) << QChar::fromLatin1(digit);
    }
  }
  void widestReportFits() {
    QFETCH(QChar, digit);
    Window w;
    auto* list = w.get<ReportList>("Lst");
    list->setLines(WidestReport(digit));
    Settle(list);
    QVERIFY(list->verticalScrollBar()->isVisible());
    VerifyWhole(list);
  }

  // Loudspeaker rows start their fields where the heading above starts its column names.
  void rowsStandUnderTheHeading() {
    Window w;
    w.click("Command2");
    auto* list = w.get<ReportList>("Lst");
    auto* heading = w.get<StaticText>("Label10");
    const QList<qreal> names = HeadingColumnStarts(heading->caption(), heading->font());
    const qreal offset = heading->x() - list->x() - list->frameWidth();
    const QList<qreal> starts = list->fieldStarts(0);
    QCOMPARE(starts.size(), 3);
    QCOMPARE(starts[1], names[0] + offset);
    QCOMPARE(starts[2], names[1] + offset);
  }

  void reportsOfTheListsFit_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("last");
    // clang-format off
    QTest::newRow("21 x 50 W, defaults") << "TxtPg: 50 TxtK: 21" << "Остается\tU=99.71\tP=1045.80";
    QTest::newRow("56 x 100 W, 10 mm²") << "CmbDD: End TxtPg: 100 TxtK: 56" << "Остается\tU=99.89\tP=5591.59";
    QTest::newRow("1000 x 5 W, 10 mm²") << "CmbDD: End TxtPg: 5 TxtK: 1000" << "Остается\tU=99.90\tP=4993.46";
    QTest::newRow("10000 m, 10 mm²") << "CmbDD: End CmbL: Alt+Down End Return TxtPg: 100 TxtK: 56" << "";
    // clang-format on
  }
  void reportsOfTheListsFit() {
    QFETCH(QString, keys);
    QFETCH(QString, last);
    Window w;
    w.press(keys);
    w.click("Command2");
    QCOMPARE(w.takeMessages(), QStringList());
    if (!last.isEmpty()) {
      QCOMPARE(w.report().back(), Shown(last));
    }
    auto* list = w.get<ReportList>("Lst");
    Settle(list);
    VerifyWhole(list);
  }

  // A typed voltage far beyond the lists: the list scrolls sideways to the end of the line.
  void typedExtremeScrollsIntoView() {
    Window w;
    auto* list = w.get<ReportList>("Lst");
    list->setLines({u"1\t0.01\t99.99"_qs, kRule, u"На проводах\t0.10\t2.00"_qs,
                    u"Остается\tU=32767.00\tP=999999999.00"_qs});
    Settle(list);
    QScrollBar* bar = list->horizontalScrollBar();
    QVERIFY(bar->isVisible());
    QVERIFY(bar->maximum() + list->viewport()->width() >= list->lineEnd(3));
  }

  // The widest figure each result field shows for choices from the lists is drawn whole.
  void listFiguresFitTheirFields() {
    Window w;
    for (const QString name : {"LblU", "LblAR", "LblDJ", "LblOJ", "LblP", "LblZ", "LblUr", "LblPr",
                               "LblPot", "Lbl15", "Lbl16"}) {
      auto* result = w.get<ResultField>(name);
      for (const QString figure : {"8888.88", "-999.99", "5656.00"}) {
        result->setText(Shown(figure));
        QVERIFY2(result->figureFits(), qPrintable(name + u' ' + figure));
        QCOMPARE(result->shownText(), Shown(figure));
        QCOMPARE(result->toolTip(), QString());
      }
    }
  }

  // Рвх 0.0000001 W at 100 V: Zнагр is 100000000000.00 Ohm, too wide for its field.
  void tooWideFigureIsShortenedVisibly() {
    Window w;
    w.press("TxtPp: " + Shown("0.0000001") + " Command1: Space");
    auto* field = w.get<ResultField>("LblZ");
    const QString whole = Shown("100000000000.00");
    QCOMPARE(field->text(), whole);
    QVERIFY(!field->figureFits());
    const QString shown = field->shownText();
    QVERIFY2(shown.endsWith(u'…') && whole.startsWith(shown.chopped(1)), qPrintable(shown));
    QVERIFY(QFontMetricsF(field->font()).horizontalAdvance(shown) < field->width());
    QCOMPARE(field->toolTip(), whole);
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(field);
    QCOMPARE(access->text(QAccessible::Value), whole);
    // A double-click selects the whole figure, since part of it cannot be seen.
    QTest::mouseDClick(field, Qt::LeftButton, {}, QPoint(10, field->height() / 2));
    QCOMPARE(field->selectedText(), whole);
    field->deselect();
    QGuiApplication::clipboard()->clear();
    ThroughContextMenu(field, "Копировать");
    QCOMPARE(QGuiApplication::clipboard()->text(), whole);
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::FitTest)
#include "fit_test.moc"

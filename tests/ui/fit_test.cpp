#include <QAccessible>
#include <QClipboard>
#include <QScrollBar>
#include <QtTest>

#include "tests/ui/window_fixture.h"
#include "ui/result_field.h"
#include "ui/static_text.h"

namespace linecalc::ui::test {

// Every field of every line starts after the one before it ends, and every line ends inside the
// list, so that nothing is hidden, overlapped or out of sight.
static void VerifyWhole(ReportList* list) {
  list->doItemsLayout();  // the rows laid out and the scroll bars decided on
  QApplication::processEvents();
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

// Measured with the window's own fonts: whatever the lists let the user choose is shown whole;
// what only typing can reach is shortened visibly or scrolls into view, never silently cut.
class FitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QAccessible::setActive(true); }

  void reportFits() {
    Window w;
    auto* list = w.get<ReportList>("Lst");
    // Loudspeaker rows start their fields where the heading above starts its column names.
    w.click("Command2");
    auto* heading = w.get<StaticText>("Label10");
    const QList<qreal> names = HeadingColumnStarts(heading->caption(), heading->font());
    const qreal offset = heading->x() - list->x() - list->frameWidth();
    QCOMPARE(list->fieldStarts(0), (QList<qreal>{0, names[0] + offset, names[1] + offset}));
    // clang-format off
    const char* const reports[][2] = {  // keys, the last line
        {"TxtPg: 50 TxtK: 21", "Остается\tU=99.71\tP=1045.80"},
        {"CmbDD: End TxtPg: 100 TxtK: 56", "Остается\tU=99.89\tP=5591.59"},
        {"TxtPg: 5 TxtK: 1000", "Остается\tU=99.90\tP=4993.46"},
        {"CmbL: Alt+Down End Return TxtPg: 100 TxtK: 56", ""}};  // 10 mm², 10000 m
    // clang-format on
    for (const auto& [keys, last] : reports) {
      w.press(keys);
      w.click("Command2");
      QCOMPARE(w.takeMessages(), QStringList());
      QVERIFY(*last == '\0' || w.report().back() == Shown(last));
      VerifyWhole(list);
    }
    // The widest report the lists allow, each "8" one digit: rows up to 1000, drops and powers up
    // to 100 W, closing lines with 3-digit voltages and 4-digit powers.
    for (const QChar digit : u"0123456789"_qs) {
      QStringList lines(1000, u"8888\t888.88\t888.88"_qs);
      lines << QString(47, u'=') << u"На проводах\t888.88\t8888.88"_qs
            << u"Остается\tU=888.88\tP=8888.88"_qs;
      for (QString& line : lines) {
        line.replace(u'8', digit).replace(u'.', QLocale().decimalPoint());
      }
      list->setLines(lines);
      VerifyWhole(list);
      QVERIFY(list->verticalScrollBar()->isVisible());
    }
    // A typed voltage far beyond the lists: the list scrolls sideways to the end of the line.
    list->setLines({u"1\t0.01\t99.99"_qs, QString(47, u'='), u"На проводах\t0.10\t2.00"_qs,
                    u"Остается\tU=32767.00\tP=999999999.00"_qs});
    list->doItemsLayout();
    QApplication::processEvents();
    QScrollBar* bar = list->horizontalScrollBar();
    QVERIFY(bar->isVisible() && bar->maximum() + list->viewport()->width() >= list->lineEnd(3));
  }

  // The widest figure each result field shows for choices from the lists is drawn whole.
  // Рвх 0.0000001 W at 100 V makes Zнагр 100000000000.00 Ohm, too wide for its field.
  void resultFieldsFit() {
    Window w;
    for (const QString name : {"LblU", "LblAR", "LblDJ", "LblOJ", "LblP", "LblZ", "LblUr", "LblPr",
                               "LblPot", "Lbl15", "Lbl16"}) {
      auto* result = w.get<ResultField>(name);
      for (const QString figure : {"8888.88", "-999.99", "5656.00"}) {
        result->setText(Shown(figure));
        QVERIFY2(result->figureFits(), qPrintable(name + u' ' + figure));
        QCOMPARE(result->shownText(), Shown(figure));
        QVERIFY(result->toolTip().isEmpty());
      }
    }
    w.press("TxtPp: " + Shown("0.0000001") + " Command1: Space");
    auto* field = w.get<ResultField>("LblZ");
    const QString whole = Shown("100000000000.00");
    QCOMPARE(field->text(), whole);
    QVERIFY(!field->figureFits());
    const QString shown = field->shownText();
    QVERIFY2(shown.endsWith(u'…') && whole.startsWith(shown.chopped(1)), qPrintable(shown));
    QVERIFY(QFontMetricsF(field->font()).horizontalAdvance(shown) < field->width());
    QCOMPARE(field->toolTip(), whole);
    QCOMPARE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Value), whole);
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

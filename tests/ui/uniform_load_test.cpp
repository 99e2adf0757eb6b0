#include <QtTest>

#include "calc/load_checks.h"
#include "tests/ui/window_fixture.h"
#include "ui/qt_text.h"

namespace linecalc::ui::test {

namespace {

const QString kSeparator(47, u'=');

QStringList ShownLines(const QStringList& dotted) {
  QStringList lines;
  for (const QString& line : dotted) {
    lines.append(line == kSeparator ? line : Shown(line));
  }
  return lines;
}

}  // namespace

// Expected figures are worked by hand, stretch by stretch, from the line's resistance.
class UniformLoadTest : public QObject {
  Q_OBJECT

 private slots:
  void tenSpeakersOnAThousandMetres() {
    Window w;
    w.choose("CmbL", "1000");
    w.click("Command2");
    QCOMPARE(w.report(),
             ShownLines({"1\t3.10\t5.63", "2\t2.88\t5.30", "3\t2.65\t5.01", "4\t2.39\t4.75",
                         "5\t2.11\t4.53", "6\t1.80\t4.34", "7\t1.48\t4.19", "8\t1.13\t4.08",
                         "9\t0.77\t4.00", "10\t0.39\t3.97", kSeparator,
                         u"На проводах\t18.70\t14.19"_qs, u"Остается\tU=81.30\tP=45.81"_qs}));
    QCOMPARE(w.text("Lbl15"), Shown("23.65"));
    QCOMPARE(w.text("Lbl16"), Shown("77.47"));
  }

  void aThousandSpeakers() {
    Window w;
    w.type("TxtPg", "1");
    w.type("TxtK", "1000");
    w.click("Command2");
    const QStringList report = w.report();
    QCOMPARE(report.size(), 1003);
    QCOMPARE(report[999].section(u'\t', 0, 0), "1000");
    QCOMPARE(report[1002], Shown(u"Остается\tU=99.73\tP=996.44"_qs));
  }

  void exactlyTheExpectedPowerIsAccepted() {
    Window w;
    w.type("TxtPg", Shown("10.605"));  // × 100 = 1060.50, as Рож shows
    w.type("TxtK", "100");
    w.click("Command2");
    QCOMPARE(w.takeMessages(), QStringList());
    QCOMPARE(w.report().size(), 103);
  }

  void refusals_data() {
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    const QString power = ToQString(MsgSpeakerPowerRange);
    const QString count = ToQString(MsgSpeakerCountRange);
    const QString overload = ToQString(MsgOverload);
    // clang-format off
    QTest::newRow("power zero") << "0" << "10" << power << "TxtPg";
    QTest::newRow("power empty") << "" << "10" << power << "TxtPg";
    QTest::newRow("power 100.01") << "100.01" << "10" << power << "TxtPg";
    QTest::newRow("both wrong: power first") << "0" << "0" << power << "TxtPg";
    QTest::newRow("count zero") << "6" << "0" << count << "TxtK";
    QTest::newRow("count negative") << "6" << "-3" << count << "TxtK";
    QTest::newRow("count letters") << "6" << "abc" << count << "TxtK";
    QTest::newRow("count 1000.5") << "1" << "1000.5" << count << "TxtK";
    QTest::newRow("fractional count") << "6" << "2.5" << count << "TxtK";
    QTest::newRow("fractional count with comma") << "6" << "2,5" << count << "TxtK";
    QTest::newRow("above the expected power") << "100" << "11" << overload << "Command2";
    QTest::newRow("a hundredth above") << Shown("10.606") << "100" << overload << "Command2";
    // clang-format on
  }
  // A refused press leaves the previous report on view but empties the single-load results.
  void refusals() {
    QFETCH(QString, power);
    QFETCH(QString, count);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    Window w;
    w.click("Command2");
    const QStringList previous = w.report();
    w.type("TxtPp", "500");
    w.click("Command1");
    w.type("TxtPg", power);
    w.type("TxtK", count);
    w.click("Command2");
    QCOMPARE(w.takeMessages(), QStringList{message});
    QCOMPARE(w.focused(), focus);
    QCOMPARE(w.report(), previous);
    QCOMPARE(w.text("Lbl15"), Shown("0.02"));
    QCOMPARE(w.text("Lbl16"), Shown("99.98"));
    QVERIFY(w.text("LblZ").isEmpty());
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::UniformLoadTest)
#include "uniform_load_test.moc"

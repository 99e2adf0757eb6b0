#include <QtTest>

#include "calc/load_checks.h"
#include "tests/ui/window_fixture.h"
#include "ui/qt_text.h"

namespace linecalc::ui::test {

// Expected figures are worked by hand from U² / Рвх, the divider with Rл, and the losses.
class SingleLoadTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheFourResults_data() {
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("results");  // LblZ, LblUr, LblPr, LblPot
    // clang-format off
    QTest::newRow("defaults, 500 W") << "1" << "500" << "20.00 99.73 497.34 0.53";
    QTest::newRow("1000 m, 500 W") << "1000" << "500" << "20.00 27.28 37.20 92.56";
    QTest::newRow("decimal comma") << "1000" << "12,5" << "800.00 93.75 10.99 12.11";
    QTest::newRow("trailing letters") << "1000" << "120abc" << "83.33 60.98 44.62 62.81";
    QTest::newRow("exactly Рож") << "1" << Shown("1060.50") << "9.43 99.44 1048.61 1.12";
    // clang-format on
  }
  void showsTheFourResults() {
    QFETCH(QString, length);
    QFETCH(QString, power);
    QFETCH(QString, results);
    Window w;
    w.choose("CmbL", length);
    w.type("TxtPp", power);
    w.click("Command1");
    QCOMPARE(w.takeMessages(), QStringList());
    const QStringList shown{w.text("LblZ"), w.text("LblUr"), w.text("LblPr"), w.text("LblPot")};
    QStringList expected;
    for (const QString& result : results.split(u' ')) {
      expected.append(Shown(result));
    }
    QCOMPARE(shown, expected);
  }

  void refusals_data() {
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("resultsKept");
    const QString range = ToQString(MsgInputPowerRange);
    const QString overload = ToQString(MsgOverload);
    // clang-format off
    QTest::newRow("empty") << "" << range << "TxtPp" << true;
    QTest::newRow("zero") << "0" << range << "TxtPp" << true;
    QTest::newRow("negative") << "-10" << range << "TxtPp" << true;
    QTest::newRow("5000 itself") << "5000" << range << "TxtPp" << true;
    QTest::newRow("letters only") << "abc" << range << "TxtPp" << true;
    QTest::newRow("a hundredth above Рож") << "1060.51" << overload << "Command1" << false;
    // clang-format on
  }
  void refusals() {
    QFETCH(QString, power);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(bool, resultsKept);
    Window w;
    w.type("TxtPp", "500");
    w.click("Command1");
    w.type("TxtPp", power);
    w.click("Command1");
    QCOMPARE(w.takeMessages(), QStringList{message});
    QCOMPARE(w.focused(), focus);
    QCOMPARE(w.text("LblZ"), resultsKept ? Shown("20.00") : QString());
    QCOMPARE(w.text("LblPot"), resultsKept ? Shown("0.53") : QString());
  }

  // The calculation refreshes first, so a voltage typed without choosing it counts.
  void usesAVoltageTypedIntoTheList() {
    Window w;
    w.type("CmbU", "50");
    w.type("TxtPp", "600");
    w.click("Command1");
    QCOMPARE(w.takeMessages(), QStringList{ToQString(MsgOverload)});  // 600 > 50 × 10.605
    QCOMPARE(w.text("LblP"), Shown("530.25"));
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::SingleLoadTest)
#include "single_load_test.moc"

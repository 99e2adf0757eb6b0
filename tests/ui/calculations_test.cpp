#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include "calc/load_checks.h"
#include "tests/ui/window_fixture.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"

namespace linecalc::ui::test {
namespace {

const QString kRange = ToQString(MsgInputPowerRange);
const QString kPower = ToQString(MsgSpeakerPowerRange);
const QString kCount = ToQString(MsgSpeakerCountRange);
const QString kOverload = ToQString(MsgOverload);

const QString kResultFields = "LblU LblAR LblDJ LblOJ LblP LblZ LblUr LblPr LblPot Lbl15 Lbl16";
const QRegularExpression kInfOrNaN(u"inf|nan"_qs, QRegularExpression::CaseInsensitiveOption);

}  // namespace

// Inputs are typed with the locale's decimal separator. Expected figures are worked by hand
// from U² / Рвх, the divider with Rл, and the losses; stretch by stretch for a uniform load.
class CalculationsTest : public QObject {
  Q_OBJECT

 private slots:
  void singleLoad_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("results");  // LblZ LblUr LblPr LblPot
    const QString before = "20.00|99.73|497.34|0.53";
    // clang-format off
    QTest::newRow("defaults, 500 W") << "TxtPp: 500" << "" << "Command1" << before;
    QTest::newRow("1000 m, 500 W") << "CmbL: 1000 TxtPp: 500" << "" << "Command1" << "20.00|27.28|37.20|92.56";
    QTest::newRow("decimal comma") << "CmbL: 1000 TxtPp: 12,5" << "" << "Command1" << "800.00|93.75|10.99|12.11";
    QTest::newRow("trailing letters") << "CmbL: 1000 TxtPp: 120abc" << "" << "Command1" << "83.33|60.98|44.62|62.81";
    QTest::newRow("exactly Рож") << "TxtPp: 1060.50" << "" << "Command1" << "9.43|99.44|1048.61|1.12";
    QTest::newRow("a hundredth above Рож") << "TxtPp: 1060.51" << kOverload << "Command1" << "|||";
    QTest::newRow("voltage typed into its list") << "CmbU: 50 TxtPp: 600" << kOverload << "Command1" << "|||";
    QTest::newRow("power empty") << "TxtPp: Del" << kRange << "TxtPp" << before;
    QTest::newRow("fault: voltage 40000") << "CmbU: 40000 TxtPp: 500" << kFaultMessage << "Command1" << "|||";
    QTest::newRow("fault: power 1e-320") << "TxtPp: 1e-320" << kFaultMessage << "Command1" << "|||";
    // clang-format on
  }
  // A refused power leaves the results of before; an overload or a fault empties them. Either
  // way the window goes on working.
  void singleLoad() {
    QFETCH(QString, keys);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, results);
    Window w;
    w.press("TxtPp: 500");
    w.click("Command1");
    w.press(Shown(keys));
    w.click("Command1");
    QCOMPARE(w.takeMessages().join(u'\n'), message);
    QCOMPARE(w.focused(), focus);
    QCOMPARE(w.texts("LblZ LblUr LblPr LblPot"), Shown(results));
    QVERIFY(!w.texts(kResultFields).contains(kInfOrNaN));
    w.press("CmbL: 1 CmbU: 100 TxtPp: 500");
    w.click("Command1");
    QCOMPARE(w.texts("LblZ LblPot"), Shown("20.00|0.53"));
  }

  void uniformLoad_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("rows");  // of an accepted report
    // clang-format off
    QTest::newRow("exactly Рож") << "TxtPg: 10.605 TxtK: 100" << "" << "Command2" << 103;
    QTest::newRow("a thousand speakers") << "TxtPg: 1 TxtK: 1000" << "" << "Command2" << 1003;
    QTest::newRow("a hundredth above Рож") << "TxtPg: 10.606 TxtK: 100" << kOverload << "Command2" << 0;
    QTest::newRow("power zero") << "TxtPg: 0" << kPower << "TxtPg" << 0;
    QTest::newRow("both wrong: power first") << "TxtPg: 0 TxtK: 0" << kPower << "TxtPg" << 0;
    QTest::newRow("count zero") << "TxtK: 0" << kCount << "TxtK" << 0;
    QTest::newRow("fractional count") << "TxtK: 2.5" << kCount << "TxtK" << 0;
    QTest::newRow("fractional count, comma") << "TxtK: 2,5" << kCount << "TxtK" << 0;
    QTest::newRow("fault: length 1e308") << "CmbL: 1e308" << kFaultMessage << "Command2" << 0;
    QTest::newRow("fault: power 1e-320") << "TxtPg: 1e-320" << kFaultMessage << "Command2" << 0;
    // clang-format on
  }
  // Every press refreshes first, which empties the single-load results. A refusal or a fault
  // leaves the report and totals of before on view.
  void uniformLoad() {
    QFETCH(QString, keys);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(int, rows);
    Window w;
    w.click("Command2");
    const QStringList before = w.report();
    w.press("TxtPp: 500");
    w.click("Command1");
    w.press(Shown(keys));
    w.click("Command2");
    QCOMPARE(w.takeMessages().join(u'\n'), message);
    QCOMPARE(w.focused(), focus);
    QCOMPARE(w.text("LblZ"), "");
    QVERIFY(!w.texts(kResultFields).contains(kInfOrNaN));
    if (message.isEmpty()) {
      QCOMPARE(w.report().size(), rows);
    } else {
      QCOMPARE(w.report(), before);
      QCOMPARE(w.texts("Lbl15 Lbl16"), Shown("0.02|99.98"));
    }
  }

  void tenSpeakersOnAThousandMetres() {
    Window w;
    w.choose("CmbL", "1000");
    w.click("Command2");
    const QString report =
        "1\t3.10\t5.63|2\t2.88\t5.30|3\t2.65\t5.01|4\t2.39\t4.75|5\t2.11\t4.53|6\t1.80\t4.34|"
        "7\t1.48\t4.19|8\t1.13\t4.08|9\t0.77\t4.00|10\t0.39\t3.97|";
    QCOMPARE(w.report().join(u'|'),
             Shown(report) + QString(47, u'=') +
                 Shown(u"|На проводах\t18.70\t14.19|Остается\tU=81.30\tP=45.81"_qs));
    QCOMPARE(w.texts("Lbl15 Lbl16"), Shown("23.65|77.47"));
  }

  // The one test that lets the real box open: a timer reads and closes it, and the watchdog
  // closes it anyway should the reading fail.
  void realMessageBoxShowsTheTextWithOkOnly() {
    ModalWatchdog watchdog(2000);
    Form1 form;
    form.show();
    QString seen;
    QTimer::singleShot(0, &form, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        seen = QStringList{box->text(), box->windowTitle(), QString::number(box->buttons().size()),
                           QString::number(box->icon())}
                   .join(u'|');
        box->close();
      }
    });
    QTest::mouseClick(form.findChild<QWidget*>(u"Command1"_qs), Qt::LeftButton);
    QVERIFY(!watchdog.fired());
    QCOMPARE(seen,
             kRange + u'|' + form.windowTitle() + "|1|" + QString::number(QMessageBox::NoIcon));
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::CalculationsTest)
#include "calculations_test.moc"

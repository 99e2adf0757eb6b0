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
const QString kWhole = ToQString(MsgSpeakerCountWhole);
const QString kNegative = ToQString(MsgNegativeLineResistance);
const QString kReference = "LblU LblAR LblDJ LblOJ LblP";

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
    QTest::newRow("exactly Рож") << "TxtPp: 1060.50" << "" << "Command1" << "9.43|99.44|1048.61|1.12";
    QTest::newRow("a hundredth above Рож") << "TxtPp: 1060.51" << kOverload << "Command1" << "|||";
    QTest::newRow("voltage typed into its list") << "CmbU: 50 TxtPp: 600" << kOverload << "Command1" << "|||";
    QTest::newRow("power empty") << "TxtPp: Del" << kRange << "TxtPp" << before;
    QTest::newRow("fault: power 1e-320") << "TxtPp: 1e-320" << kFaultMessage << "Command1" << "|||";
    QTest::newRow("Rл 0 is a line") << "CmbL: 0 TxtPp: 500" << "" << "Command1" << "20.00|100.00|500.00|0.00";
    QTest::newRow("negative line before the load") << "CmbL: -5 TxtPp: 4999" << kNegative << "Command1" << "|||";
    QTest::newRow("power checked before the line") << "CmbT: -300 TxtPp: 0" << kRange << "TxtPp" << before;
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
    w.press("CmbL: 1 CmbT: 20 CmbU: 100 TxtPp: 500");
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
    QTest::newRow("count zero") << "TxtK: 0" << kCount << "TxtK" << 0;
    QTest::newRow("fractional count") << "TxtK: 2.5" << kWhole << "TxtK" << 0;
    QTest::newRow("Rл 0 is a line") << "CmbL: 0" << "" << "Command2" << 13;
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

  void enterComputes_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("single");  // LblZ LblUr LblPr LblPot
    QTest::addColumn<int>("rows");        // of the report
    // clang-format off
    QTest::newRow("Рвх: Расчитать") << "TxtPp: 500 Return" << "" << "TxtPp" << "20.00|99.73|497.34|0.53" << 0;
    QTest::newRow("Рвх: keypad Enter") << "TxtPp: 500 Enter" << "" << "TxtPp" << "20.00|99.73|497.34|0.53" << 0;
    QTest::newRow("Рвх refused") << "TxtPp: 0 Return" << kRange << "TxtPp" << "|||" << 0;
    QTest::newRow("Pгр: uniform load") << "TxtPg: 8 Return" << "" << "TxtPg" << "|||" << 13;
    QTest::newRow("count: uniform load") << "TxtK: 2 Return" << "" << "TxtK" << "|||" << 5;
    QTest::newRow("count refused") << "TxtK: 0 Return" << kCount << "TxtK" << "|||" << 0;
    QTest::newRow("R20 computes nothing") << "TxtU: Return" << "" << "TxtU" << "|||" << 0;
    // clang-format on
  }
  // Enter in a load's field runs its calculation and leaves the caret where it was.
  void enterComputes() {
    QFETCH(QString, keys);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    QFETCH(QString, single);
    QFETCH(int, rows);
    Window w;
    w.press(keys);
    QCOMPARE(w.takeMessages().join(u'\n'), message);
    QCOMPARE(w.focused(), focus);
    QCOMPARE(w.texts("LblZ LblUr LblPr LblPot"), Shown(single));
    QCOMPARE(w.report().size(), rows);
  }

  void typedFigureIsReadAsWritten_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("typed");  // key by key into the focused field
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("Рвх 1 000, U+00A0") << "TxtPp:" << "1\u00A0000" << "Command1" << "LblZ LblPot" << "10.00|1.06";
    QTest::newRow("count 1 000, U+202F") << "TxtPg: 1 TxtK:" << "1\u202F000" << "Command2" << "Lbl15 Lbl16" << "0.36|99.73";
    QTest::newRow("length 1 000, U+202F") << "CmbL:" << "1\u202F000" << "Command2" << "LblAR" << "53.32";
    QTest::newRow("5 into CmbL, not 50") << "CmbL: 5 TxtPp: 500" << "" << "Command1" << "CmbL LblAR" << "5|0.27";
    QTest::newRow("5 into CmbL, Return") << "CmbL: 5 Return" << "" << "Command2" << "CmbL LblAR" << "5|0.27";
    QTest::newRow("2 into CmbT, not 20") << "CmbL: 1000 CmbT: 2" << "" << "Command2" << "CmbT LblAR" << "2|49.60";
    QTest::newRow("5 into CmbU, not 50") << "CmbU: 5 TxtPp: 1" << "" << "Command1" << "CmbU LblP" << "5|53.03";
    // clang-format on
  }
  // "1 000" as Russian texts group it is a thousand, not 1; and the lists never complete a
  // typed prefix into an entry: the figure typed is the one used.
  void typedFigureIsReadAsWritten() {
    QFETCH(QString, keys);
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(QString, names);
    QFETCH(QString, shown);
    Window w;
    w.press(keys);
    if (!typed.isEmpty()) {
      TypeKeys(QApplication::focusWidget(), typed);
      QCOMPARE(w.text(w.focused()), typed);
    }
    w.click(button);
    QCOMPARE(w.takeMessages().join(u'\n'), "");
    QCOMPARE(w.texts(names), Shown(shown));
  }

  void faultingRefreshEmptiesReferenceValues_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("action");  // a button, or "List=entry" to pick from a list
    // clang-format off
    QTest::newRow("voltage 40000, Расчитать") << "CmbU: 40000 TxtPp: 500" << "Command1";
    QTest::newRow("length 1e308, uniform load") << "CmbL: 1e308" << "Command2";
    QTest::newRow("temperature 1e308") << "CmbT: 1e308" << "CmbL=1000";
    QTest::newRow("voltage 40000, then a length") << "CmbU: 40000" << "CmbL=10";
    // clang-format on
  }
  // No figure stands beside choices it was not computed from; the next good refresh shows all.
  void faultingRefreshEmptiesReferenceValues() {
    QFETCH(QString, keys);
    QFETCH(QString, action);
    Window w;
    w.press("TxtPp: 500");
    w.click("Command1");
    w.press(Shown(keys));
    if (action.contains(u'=')) {
      w.choose(action.section(u'=', 0, 0), action.section(u'=', 1));
    } else {
      w.click(action);
    }
    QCOMPARE(w.takeMessages(), QStringList{kFaultMessage});
    QCOMPARE(w.texts(kReference), "||||");
    QCOMPARE(w.texts("LblZ LblUr LblPr LblPot"), "|||");
    // Each choice refreshes; only the last, with every field mended, must succeed.
    w.choose("CmbT", "20");
    w.choose("CmbU", "100");
    w.takeMessages();
    w.choose("CmbL", "1");
    QCOMPARE(w.takeMessages().join(u'\n'), "");
    QCOMPARE(w.texts(kReference), Shown("26.00|0.05|15.00|10.61|1060.50"));
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

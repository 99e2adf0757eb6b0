#include <QRadioButton>
#include <QtTest>

#include "tests/ui/window_fixture.h"
#include "ui/static_text.h"

namespace linecalc::ui::test {

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTheDefaults() {
    Window w;
    // R20 is read back from its field, so it is written with "." in every locale.
    QCOMPARE(w.texts("CmbDD CmbT CmbL CmbU TxtU TxtPp TxtPg TxtK"), "0.75|20|1|100|52.00||6|10");
    QCOMPARE(w.texts("LblU LblDJ LblOJ LblAR LblP"), Shown("26.00|15.00|10.61|0.05|1060.50"));
    QCOMPARE(w.texts("LblZ LblUr LblPr LblPot Lbl15 Lbl16"), "|||||");
    QVERIFY(w.get<QRadioButton>("Option1")->isChecked());
    QVERIFY(w.report().isEmpty());
    QCOMPARE(w.focused(), "CmbDD");
    QCOMPARE(w.form().state().R20Edited, kFalse);
  }

  // Only the checked one of the two material buttons is a tab stop, as usual for a group of
  // radio buttons; result fields, captions and the frame are none.
  void tabVisitsTheControlsInOrder_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("order");
    const QString tail = "CmbU TxtPp Command1 TxtU Lst TxtPg TxtK Command2 CmbDD";
    QTest::newRow("copper") << ""
                            << "CmbT CmbL Option1 " + tail;
    QTest::newRow("aluminium") << "Option1: Right CmbDD:"
                               << "CmbT Option2 CmbL " + tail;
  }
  void tabVisitsTheControlsInOrder() {
    QFETCH(QString, keys);
    QFETCH(QString, order);
    Window w;
    w.press(keys);
    QStringList visited;
    for (qsizetype i = 0; i < order.count(u' ') + 1; ++i) {
      w.press("Tab");
      visited.append(w.focused());
    }
    QCOMPARE(visited.join(u' '), order);
  }

  // Everything a user does, done with the keyboard alone. Expected figures are worked by hand
  // from the tables: Rл = R20 (1 + 0.0043 (t + 5)) / 1.08 × L / 1000, Рож = U × 0.707 Jмакс.
  void keyboardOperatesEveryControl_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");  // result figures ("Lbl…") with "." for the separator
    const QString r20 = "CmbL: 1000 TxtPp: 100 TxtU:";
    const QString run = " Command1: Space";
    // clang-format off
    QTest::newRow("section list: 2 picks 2.5") << "CmbDD: 2" << "CmbDD=2.5 LblU=7.98 LblDJ=30.00";
    QTest::newRow("section list: Down") << "CmbDD: Down" << "LblU=19.50";
    QTest::newRow("material: Right is aluminium") << "CmbDD: 2 Option1: Right" << "LblDJ=24.00";
    QTest::newRow("length: End in the open list") << "CmbL: Alt+Down End Return" << "CmbL=10000 LblAR=533.24";
    QTest::newRow("temperature: Up, typed length") << "CmbL: 1000 CmbT: Up" << "CmbT=18 LblAR=52.91";
    QTest::newRow("voltage list: Down") << "CmbU: Down" << "LblP=742.35";
    QTest::newRow("R20 keeps its fraction") << "CmbL: 1000 CmbDD: 2" << "TxtU=15.96 LblAR=16.37";
    QTest::newRow("Расчитать: Space") << "TxtPp: 500" + run << "LblZ=20.00 LblPot=0.53";
    QTest::newRow("Расчитать: Return") << "TxtPp: 500 Command1: Return" << "LblZ=20.00 LblPot=0.53";
    QTest::newRow("uniform load: keypad Enter") << "Command2: Enter" << "Lbl15=0.02 Lbl16=99.98";
    QTest::newRow("R20: a digit is the user's") << r20 + " End 5" + run << "TxtU=52.005 LblAR=53.33";
    QTest::newRow("R20: a point is the user's") << r20 + " End ." + run << "TxtU=52.00. LblAR=53.32";
    QTest::newRow("R20: A - , blank swallowed") << "TxtU: End A - , Space" << "TxtU=52.00";
    QTest::newRow("R20: arrows, Delete work") << "TxtU: Home Right Del" << "TxtU=5.00";
    QTest::newRow("R20: typed, kept by Расчитать") << r20 + " 60" + run << "TxtU=60 LblAR=61.53 LblUr=61.91";
    QTest::newRow("R20: replaced by a choice") << r20 + " 60" + run + " CmbT: Up" << "TxtU=52.00 LblAR=52.91 LblUr=";
    QTest::newRow("R20: Backspace alone: table value") << r20 + " Backspace" + run << "TxtU=52.00 LblAR=53.32";
    QTest::newRow("R20: typed, then Backspace: 0") << r20 + " 7 Backspace" + run << "TxtU= LblAR=0.00";
    QTest::newRow("typing in a list runs nothing") << "TxtU: 60 CmbL: 1000 Return Tab" << "TxtU=60 LblAR=0.05";
    // clang-format on
  }
  void keyboardOperatesEveryControl() {
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    Window w;
    w.press(keys);
    QStringList fields;
    QStringList expected;
    for (const QString& field : shown.split(u' ')) {
      fields.append(field.section(u'=', 0, 0));
      expected.append(field.startsWith(u"Lbl") ? Shown(field.section(u'=', 1))
                                               : field.section(u'=', 1));
    }
    QCOMPARE(w.texts(fields.join(u' ')), expected.join(u'|'));
    QCOMPARE(w.takeMessages(), QStringList());
  }

  // The runs of spaces after "ПРИМЕЧАНИЕ:" and "где:" end their line.
  void paddedCaptionsStartTheirTextOnANewLine() {
    Window w;
    for (const char* name : {"Label6", "Label1"}) {
      auto* label = w.get<StaticText>(name);
      QVERIFY2(label->text().contains(u"\nа - "), qPrintable(label->text()));
      QCOMPARE(label->text().simplified(), label->caption().simplified());
    }
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::WindowTest)
#include "window_test.moc"

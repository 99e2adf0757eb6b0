#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "tests/ui/window_fixture.h"
#include "ui/static_text.h"

namespace linecalc::ui::test {

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void freshWindow() {
    Window w;
    // The focus is marked from the start: the section list draws differently once it has gone.
    auto* list = w.get<QWidget>("CmbDD");
    const QImage focused = list->grab().toImage();
    // R20 is read back from its field, so it is written with "." in every locale.
    QCOMPARE(w.texts("CmbDD CmbT CmbL CmbU TxtU TxtPp TxtPg TxtK"), "0.75|20|1|100|52.00||6|10");
    QCOMPARE(w.texts("LblU LblDJ LblOJ LblAR LblP"), Shown("26.00|15.00|10.61|0.05|1060.50"));
    QCOMPARE(w.texts("LblZ LblUr LblPr LblPot Lbl15 Lbl16"), "|||||");
    QVERIFY(w.get<QRadioButton>("Option1")->isChecked() && w.report().isEmpty());
    QCOMPARE(w.focused(), "CmbDD");
    QVERIFY(!w.form().r20Edited());
    w.press("Tab");
    QVERIFY(focused != list->grab().toImage());
    w.press("Shift+Tab");
    // Frame1's border runs through its title, from the frame's top, and stands out.
    auto* frame = w.get<QWidget>("Frame1");
    QCOMPARE(frame->geometry(), QRect(16, 16, 273, 57));
    const QImage drawn = frame->grab().toImage();
    const QRgb dark = frame->palette().color(QPalette::Dark).rgb();
    QCOMPARE(drawn.pixel(0, frame->height() / 2), dark);
    QCOMPARE(drawn.pixel(frame->width() - 10, QFontMetrics(frame->font()).height() / 2), dark);
    QVERIFY(qAbs(qGray(dark) - qGray(frame->palette().color(QPalette::Window).rgb())) > 40);
    // The runs of spaces after "ПРИМЕЧАНИЕ:" and "где:" end their line.
    for (const char* name : {"Label6", "Label1"}) {
      auto* label = w.get<StaticText>(name);
      QVERIFY2(label->text().contains(u"\nа - "), qPrintable(label->text()));
      QCOMPARE(label->text().simplified(), label->caption().simplified());
    }
    // Only the checked one of the two material buttons is a tab stop; result fields, captions
    // and the frame are none.
    const auto visit = [&w] {
      QStringList visited;
      for (int i = 0; i < 12; ++i) {
        w.press("Tab");
        visited.append(w.focused());
      }
      return visited.join(u' ');
    };
    const QString tail = " CmbU TxtPp Command1 TxtU Lst TxtPg TxtK Command2 CmbDD";
    QCOMPARE(visit(), "CmbT CmbL Option1" + tail);
    // "Вставить" from R20's menu keeps the digits and points the text brings and makes the value
    // the user's, so that "Расчитать" computes with it.
    QGuiApplication::clipboard()->setText("1e3x.5");
    w.press("TxtU: Ctrl+A");
    auto* field = w.get<QLineEdit>("TxtU");
    QVERIFY(ThroughContextMenu(field, "Вставить").contains("Вставить"));
    // The closed menu leaves no focus behind offscreen; the keys go on from the field.
    QApplication::setActiveWindow(field->window());
    field->setFocus();
    w.press("TxtPp: 100 Command1: Space");
    QCOMPARE(w.texts("TxtU LblAR"), "13.5|" + Shown("0.01"));
    w.press("Option1: Right CmbDD:");
    QCOMPARE(visit(), "CmbT Option2 CmbL" + tail);
    // A paste of 32767 characters keeps the first 100 in every field that takes typing.
    QGuiApplication::clipboard()->setText(QString(32767, u'7'));
    for (const QString control : {"TxtU", "TxtPp", "TxtPg", "TxtK", "CmbL", "CmbT", "CmbU"}) {
      w.press(control + ": Ctrl+A Shift+Ins");
      QCOMPARE(w.text(control), QString(100, u'7'));
    }
  }

  // Everything a user does, done with the keyboard alone. Expected figures are worked by hand
  // from the tables: Rл = R20 (1 + 0.0043 (t + 5)) / 1.08 × L / 1000, Рож = U × 0.707 Jмакс.
  void keyboardOperatesEveryControl_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");  // result figures ("Lbl…") with "." for the separator
    const QString r20 = "CmbL: 1000 TxtPp: 100 TxtU:", run = " Command1: Space";
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
    // The clipboard holds "12,5 Ом": the paste keeps the digits; Ctrl+V is swallowed.
    QTest::newRow("R20: Shift+Insert is the user's") << r20 + " Ctrl+A Shift+Ins" + run << "TxtU=125 LblAR=128.18";
    QTest::newRow("R20: Ctrl+V swallowed") << r20 + " Ctrl+A Ctrl+V" + run << "TxtU=52.00 LblAR=53.32";
    // clang-format on
  }
  void keyboardOperatesEveryControl() {
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    Window w;
    QGuiApplication::clipboard()->setText(u"12,5 Ом"_qs);
    w.press(keys);
    QStringList fields, expected;
    for (const QString& field : shown.split(u' ')) {
      fields.append(field.section(u'=', 0, 0));
      expected.append(field.startsWith(u"Lbl") ? Shown(field.section(u'=', 1))
                                               : field.section(u'=', 1));
    }
    QCOMPARE(w.texts(fields.join(u' ')), expected.join(u'|'));
    QCOMPARE(w.takeMessages(), QStringList());
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::WindowTest)
#include "window_test.moc"

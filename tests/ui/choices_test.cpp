#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

#include "tests/ui/window_fixture.h"

namespace linecalc::ui::test {

class ChoicesTest : public QObject {
  Q_OBJECT

 private slots:
  void eachChoiceRefreshesTheReferenceValues_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("entry");  // empty for a material button
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("shown");
    // clang-format off
    QTest::newRow("section 2.5: R10") << "CmbDD" << "2.5" << "LblU" << "7.98";
    QTest::newRow("section 2.5: copper JMax") << "CmbDD" << "2.5" << "LblDJ" << "30.00";
    QTest::newRow("length 1000: RLine") << "CmbL" << "1000" << "LblAR" << "53.32";
    QTest::newRow("temperature 50: RLine") << "CmbT" << "50" << "LblAR" << "0.06";
    QTest::newRow("voltage 12: PExpected") << "CmbU" << "12" << "LblP" << "127.26";
    QTest::newRow("aluminium, section 0.75: JMax") << "Option2" << "" << "LblDJ" << "15.00";
    // clang-format on
  }
  void eachChoiceRefreshesTheReferenceValues() {
    QFETCH(QString, control);
    QFETCH(QString, entry);
    QFETCH(QString, label);
    QFETCH(QString, shown);
    Window w;
    choose(w, control, entry);
    QCOMPARE(w.text(qPrintable(label)), Shown(shown));
  }

  // R20 is written and read back with "." whatever the locale, so its fraction survives.
  void r20KeepsItsFractionInEveryLocale() {
    Window w;
    w.choose("CmbDD", "2.5");
    w.choose("CmbL", "1000");
    QCOMPARE(w.text("TxtU"), "15.96");
    QCOMPARE(w.text("LblAR"), Shown("16.37"));  // 15.96 × 1.1075 / 1.08
  }

  void typedR20SurvivesACalculationUntilTheNextChoice() {
    Window w;
    w.choose("CmbL", "1000");
    w.type("TxtU", "60");
    QCOMPARE(w.form().state().R20Edited, kTrue);
    w.type("TxtPp", "100");
    w.click("Command1");
    QCOMPARE(w.takeMessages(), QStringList());
    QCOMPARE(w.text("TxtU"), "60");
    QCOMPARE(w.text("LblAR"), Shown("61.53"));  // 60 × 1.1075 / 1.08
    QCOMPARE(w.text("LblUr"), Shown("61.91"));

    w.choose("CmbT", "20");
    QCOMPARE(w.form().state().R20Edited, kFalse);
    QCOMPARE(w.text("TxtU"), "52.00");
    QCOMPARE(w.text("LblAR"), Shown("53.32"));
    QVERIFY(w.text("LblUr").isEmpty());
  }

  // Typing into a list's edit field sets nothing off, even text that matches an entry; the
  // next calculation reads it.
  void typingIntoAListRunsNothing() {
    Window w;
    w.type("TxtU", "60");
    w.type("CmbL", "1000");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(w.form().state().R20Edited, kTrue);
    QCOMPARE(w.text("TxtU"), "60");
    QCOMPARE(w.text("LblAR"), Shown("0.05"));  // as at start-up: no refresh ran
    w.type("TxtPp", "100");
    w.click("Command1");
    QCOMPARE(w.text("CmbL"), "1000");
    QCOMPARE(w.text("LblAR"), Shown("61.53"));
  }

  void r20KeyFilter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("edited");
    // clang-format off
    QTest::newRow("digit") << "5" << "52.005" << true;
    QTest::newRow("point") << "." << "52.00." << true;
    QTest::newRow("letters") << "ab" << "52.00" << false;
    QTest::newRow("minus") << "-" << "52.00" << false;
    QTest::newRow("comma") << "," << "52.00" << false;
    QTest::newRow("blank") << " " << "52.00" << false;
    QTest::newRow("swallowed then digit") << "x1" << "52.001" << true;
    // clang-format on
  }
  void r20KeyFilter() {
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(bool, edited);
    Window w;
    auto* field = w.get<QLineEdit>("TxtU");
    field->setFocus();
    field->end(false);
    QTest::keyClicks(field, typed);
    QCOMPARE(field->text(), text);
    QCOMPARE(w.form().state().R20Edited, edited ? kTrue : kFalse);
    QCOMPARE(w.focused(), "TxtU");
  }

  void keysThatTypeNothingKeepTheirUse() {
    Window w;
    auto* field = w.get<QLineEdit>("TxtU");
    field->setFocus();
    field->home(false);
    QTest::keyClick(field, Qt::Key_Right);
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(field->text(), "5.00");
    QCOMPARE(w.form().state().R20Edited, kFalse);
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(w.focused(), "Lst");
  }

  // Backspace never changes the flag: an emptied field gets the table value back while the
  // flag is false, and reads as 0 while it is true.
  void backspaceLeavesTheFlag_data() {
    QTest::addColumn<QString>("typedFirst");
    QTest::addColumn<QString>("r20After");
    QTest::addColumn<QString>("rLine");
    // clang-format off
    QTest::newRow("not edited: table value returns") << "" << "52.00" << "0.05";
    QTest::newRow("edited: empty field is R20 0") << "7" << "" << "0.00";
    // clang-format on
  }
  void backspaceLeavesTheFlag() {
    QFETCH(QString, typedFirst);
    QFETCH(QString, r20After);
    QFETCH(QString, rLine);
    Window w;
    auto* field = w.get<QLineEdit>("TxtU");
    field->setFocus();
    field->end(false);
    QTest::keyClicks(field, typedFirst);
    const std::int16_t flag = w.form().state().R20Edited;
    while (!field->text().isEmpty()) {
      QTest::keyClick(field, Qt::Key_Backspace);
    }
    QCOMPARE(w.form().state().R20Edited, flag);
    w.type("TxtPp", "100");
    w.click("Command1");
    QCOMPARE(w.text("TxtU"), r20After);
    QCOMPARE(w.text("LblAR"), Shown(rLine));
  }

 private:
  static void choose(Window& w, const QString& control, const QString& entry) {
    if (entry.isEmpty()) {
      QTest::mouseClick(w.get<QRadioButton>(qPrintable(control)), Qt::LeftButton);
    } else {
      w.choose(qPrintable(control), entry);
    }
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::ChoicesTest)
#include "choices_test.moc"

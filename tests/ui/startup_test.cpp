#include <QComboBox>
#include <QRadioButton>
#include <QtTest>

#include "tests/ui/window_fixture.h"
#include "ui/static_text.h"

namespace linecalc::ui::test {

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTheDefaultsAndTheirReferenceValues() {
    Window w;
    QCOMPARE(w.text("CmbDD"), "0.75");
    QCOMPARE(w.text("CmbT"), "20");
    QCOMPARE(w.text("CmbL"), "1");
    QCOMPARE(w.text("CmbU"), "100");
    QVERIFY(w.get<QRadioButton>("Option1")->isChecked());
    QVERIFY(!w.get<QRadioButton>("Option2")->isChecked());
    QCOMPARE(w.text("LblU"), Shown("26.00"));
    QCOMPARE(w.text("TxtU"), "52.00");  // read back as R20, so always with "."
    QCOMPARE(w.text("LblDJ"), Shown("15.00"));
    QCOMPARE(w.text("LblOJ"), Shown("10.61"));
    QCOMPARE(w.text("LblAR"), Shown("0.05"));
    QCOMPARE(w.text("LblP"), Shown("1060.50"));
    for (const char* empty : {"LblZ", "LblUr", "LblPr", "LblPot", "Lbl15", "Lbl16", "TxtPp"}) {
      QVERIFY2(w.text(empty).isEmpty(), empty);
    }
    QCOMPARE(w.text("TxtPg"), "6");
    QCOMPARE(w.text("TxtK"), "10");
    QVERIFY(w.report().isEmpty());
    QCOMPARE(w.form().state().R20Edited, kFalse);
    QCOMPARE(w.form().state().Alpha, 0.0043);
    QCOMPARE(w.form().state().TempC, 25.0);
  }

  void focusStartsInTheSectionList() {
    Window w;
    QCOMPARE(w.focused(), "CmbDD");
  }

  // Only the selected one of the two material buttons is a tab stop, as usual for a group of
  // radio buttons; the arrow keys move between them.
  void tabVisitsTheControlsInOrder_data() {
    QTest::addColumn<QString>("material");
    QTest::addColumn<QStringList>("order");
    const QStringList tail{"CmbU",  "TxtPp", "Command1", "TxtU", "Lst",
                           "TxtPg", "TxtK",  "Command2", "CmbDD"};
    // clang-format off
    QTest::newRow("copper") << "Option1" << QStringList{"CmbT", "CmbL", "Option1"} + tail;
    QTest::newRow("aluminium") << "Option2" << QStringList{"CmbT", "Option2", "CmbL"} + tail;
    // clang-format on
  }
  void tabVisitsTheControlsInOrder() {
    QFETCH(QString, material);
    QFETCH(QStringList, order);
    Window w;
    QTest::mouseClick(w.get<QRadioButton>(qPrintable(material)), Qt::LeftButton);
    w.get<QWidget>("CmbDD")->setFocus();
    QStringList visited;
    for (qsizetype i = 0; i < order.size(); ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited.append(w.focused());
    }
    QCOMPARE(visited, order);
  }

  void sectionListTakesNoTypedText() {
    Window w;
    auto* sections = w.get<QComboBox>("CmbDD");
    QVERIFY(!sections->isEditable());
    // A key picks the entry it starts, so the section shown is always the section used.
    QTest::keyClicks(sections, "2");
    QCOMPARE(w.text("CmbDD"), "2.5");
    QCOMPARE(w.text("LblU"), Shown("7.98"));
  }

  void paddedCaptionsStartTheirTextOnANewLine_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("lineStart");
    // clang-format off
    QTest::newRow("note after ПРИМЕЧАНИЕ:") << "Label6" << QString::fromUtf8("а - ");
    QTest::newRow("legend after где:") << "Label1" << QString::fromUtf8("а - ");
    // clang-format on
  }
  void paddedCaptionsStartTheirTextOnANewLine() {
    QFETCH(QString, label);
    QFETCH(QString, lineStart);
    Window w;
    auto* text = w.get<StaticText>(qPrintable(label));
    const QStringList lines = text->text().split(u'\n');
    const auto starts = [&](const QString& line) { return line.startsWith(lineStart); };
    QVERIFY2(std::any_of(lines.begin(), lines.end(), starts), qPrintable(text->text()));
    QCOMPARE(text->text().simplified(), text->caption().simplified());
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::StartupTest)
#include "startup_test.moc"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "calc/load_checks.h"
#include "tests/ui/window_fixture.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"

namespace linecalc::ui::test {

class FaultsTest : public QObject {
  Q_OBJECT

 private slots:
  // Values beyond what the arithmetic holds stop the handler with the fault message; the
  // report of before stays, nothing shows inf or NaN, and the window goes on working.
  void faultStopsTheHandlerAndTheWindowGoesOn_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("restored");
    // clang-format off
    QTest::newRow("voltage 40000, single load") << "CmbU" << "40000" << "Command1" << "100";
    QTest::newRow("voltage 40000, uniform load") << "CmbU" << "40000" << "Command2" << "100";
    QTest::newRow("length 1e308, uniform load") << "CmbL" << "1e308" << "Command2" << "1";
    QTest::newRow("length 1e308, single load") << "CmbL" << "1e308" << "Command1" << "1";
    QTest::newRow("input power 1e-320") << "TxtPp" << "1e-320" << "Command1" << "500";
    QTest::newRow("speaker power 1e-320") << "TxtPg" << "1e-320" << "Command2" << "6";
    // clang-format on
  }
  void faultStopsTheHandlerAndTheWindowGoesOn() {
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, button);
    QFETCH(QString, restored);
    Window w;
    w.click("Command2");
    const QStringList report = w.report();
    w.type("TxtPp", "500");

    w.type(qPrintable(field), value);
    w.click(qPrintable(button));
    QCOMPARE(w.takeMessages(), QStringList{kFaultMessage});
    QCOMPARE(w.report(), report);
    QCOMPARE(w.text("Lbl15"), Shown("0.02"));
    for (auto* label : w.form().findChildren<QLabel*>()) {
      QVERIFY2(!label->text().contains(u"inf"_qs, Qt::CaseInsensitive), qPrintable(label->text()));
      QVERIFY2(!label->text().contains(u"nan"_qs, Qt::CaseInsensitive), qPrintable(label->text()));
    }

    w.type(qPrintable(field), restored);
    w.type("TxtPp", "500");
    w.click("Command1");
    QCOMPARE(w.takeMessages(), QStringList());
    QCOMPARE(w.text("LblZ"), Shown("20.00"));
  }

  // The one test that lets the real box open: a timer reads and closes it, and the watchdog
  // closes it anyway should the reading fail.
  void realMessageBoxShowsTheTextWithOkOnly() {
    ModalWatchdog watchdog(2000);
    Form1 form;
    form.show();
    QString text;
    QString caption;
    QList<QAbstractButton*> buttons;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QTimer::singleShot(0, &form, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) {
        return;
      }
      text = box->text();
      caption = box->windowTitle();
      buttons = box->buttons();
      icon = box->icon();
      box->close();
    });
    form.findChild<QLineEdit*>(u"TxtPp"_qs)->setText(u"0"_qs);
    QTest::mouseClick(form.findChild<QWidget*>(u"Command1"_qs), Qt::LeftButton);
    QVERIFY(!watchdog.fired());
    QCOMPARE(text, ToQString(MsgInputPowerRange));
    QCOMPARE(caption, form.windowTitle());
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(icon, QMessageBox::NoIcon);
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::FaultsTest)
#include "faults_test.moc"

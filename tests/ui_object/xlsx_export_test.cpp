// "Экспорт в Excel…" of the object window: the path the user gives, what is written there and
// what the user is told.
#include <QAction>
#include <QFile>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/ui/window_fixture.h"
#include "ui/object/object_window.h"

namespace linecalc::ui::test {

class XlsxExportTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void exportWorkbook_data() {
    QTest::addColumn<QString>("answer");  // the dialog's, under the test's folder
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("told");  // message box, or status bar after "|"
    QTest::newRow("written") << "школа.xlsx" << true << "|Таблица сохранена в «%1».";
    QTest::newRow("cancelled") << "" << false << "|";
    QTest::newRow("missingFolder")
        << "нет/школа.xlsx" << false
        << "Не удается записать файл «%1»: папка «%2/нет» не существует.|";
  }

  void exportWorkbook() {
    QFETCH(QString, answer);
    QFETCH(bool, written);
    QFETCH(QString, told);
    QTemporaryDir dir;
    const QString path = answer.isEmpty() ? QString() : dir.filePath(answer);
    ObjectWindow window;
    QStringList messages;
    ObjectDialogs dialogs;
    dialogs.xlsxPath = [&](const QString&) { return path; };
    dialogs.message = [&](const QString& text) { messages.append(text); };
    window.setDialogs(dialogs);
    window.findChild<QAction*>("exportObjectXlsx")->trigger();
    QCOMPARE(QFile(path).exists(), written);
    QCOMPARE(messages.join("") + "|" + window.statusBar()->currentMessage(),
             told.replace("%1", QDir::toNativeSeparators(path))
                 .replace("%2", QDir::toNativeSeparators(dir.path())));
    if (written) {
      QFile file(path);
      QVERIFY(file.open(QIODevice::ReadOnly));
      QVERIFY(file.read(4) == "PK\x03\x04");
    }
  }

 private:
  ModalWatchdog watchdog_;
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::XlsxExportTest)
#include "xlsx_export_test.moc"

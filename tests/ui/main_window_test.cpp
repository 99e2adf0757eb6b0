#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "tests/sheet/pdf_text.h"
#include "tests/support/claim_every_key.h"
#include "tests/ui/window_fixture.h"
#include "ui/main_window.h"
#include "ui/window_dialogs.h"

namespace linecalc::ui::test {

using namespace linecalc::test;

// The main window with every dialog answered by the test: the line name, the PDF path and the
// printer set up to write a PDF, and the messages recorded.
class Driver : public Controls {
 public:
  Driver() : Controls(&window) {
    const auto record = [this](const QString& text) { messages.append(text); };
    window.setDialogs({[this](const SheetRequest& suggested, const QString& note) {
                         suggestions.append(suggested.lineName);
                         notes.append(note);
                         return std::optional<SheetRequest>({QStringLiteral("Линия 1"), limit, {}});
                       },
                       [this](const QString&) { return pdfPath; },
                       [this](QPrinter& printer) {
                         printer.setOutputFormat(QPrinter::PdfFormat);
                         printer.setOutputFileName(pdfPath);
                         return !pdfPath.isEmpty();
                       },
                       record, record});
    Activate(&window);
  }

  // Presses `keys` with `file` in the test's folder as the PDF to write; returns its pages.
  QStringList output(const QString& keys, const QString& file = u"лист.pdf"_qs) {
    pdfPath = dir.filePath(file);
    press(keys);
    return PdfPages(pdfPath);
  }

  MainWindow window;
  QTemporaryDir dir;
  QStringList messages, suggestions, notes;
  QString limit, pdfPath;
};

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // "Выполнил" is remembered in the settings; the tests keep theirs apart from the user's.
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void cleanup() { QVERIFY(!watchdog_.fired()); }

  // The calculator keeps its place under the menus. A menu key runs its item wherever the focus
  // is, even where the control claims the key (a line edit: Ctrl+E under X11); other keys stay
  // with the control. F1 opens the guide; a section chosen in its contents comes to the top.
  void menusKeysAndGuide() {
    Driver d;
    const int menuHeight = d.window.menuBar()->height();
    QVERIFY(menuHeight > 0);
    QCOMPARE(d.window.form().geometry(), QRect(0, menuHeight, 1006, 535));
    QCOMPARE(d.window.size(), QSize(1006, 535 + menuHeight));
    QCOMPARE(d.window.windowTitle(), u"Расчет потерь в линиях (системы звуковой трансляции)"_qs);
    // clang-format off
    const char* const items[][4] = {  // menu, action, text, keys
        {"Файл", "actionPrint", "&Печать расчета…", "Ctrl+P"},
        {"Файл", "actionSavePdf", "&Сохранить расчет в PDF…", "Ctrl+E"},
        {"Файл", "actionQuit", "В&ыход", "Ctrl+Q"},
        {"Справка", "actionGuide", "&Руководство", "F1"},
        {"Справка", "actionAbout", "&О программе", ""}};
    // clang-format on
    for (const auto& [menuName, name, text, keys] : items) {
      QMenu* menu = d.window.menu(menuName);
      auto* action = d.window.findChild<QAction*>(name);
      QVERIFY(menu != nullptr && action != nullptr && menu->actions().contains(action));
      QCOMPARE(menu->accessibleName(), menuName);
      QVERIFY(menu->title().contains(u'&'));
      QCOMPARE(action->text(), text);
      QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), keys);
    }
    // The object window takes these; nothing here may claim them first.
    for (QAction* action : d.window.findChildren<QAction*>()) {
      const QString keys = action->shortcut().toString(QKeySequence::PortableText);
      QVERIFY2(!QStringList({"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+L", "Ctrl+D"}).contains(keys),
               qPrintable(action->objectName()));
    }
    d.window.findChild<QAction*>("actionAbout")->trigger();
    QCOMPARE(d.messages.size(), 1);
    QVERIFY(d.messages[0].contains(u"версия 1.0.0"_qs) && d.messages[0].contains(u"MIT"_qs) &&
            d.messages[0].contains(u"громкоговорителей"_qs));
    for (const QString control : {"CmbDD", "CmbT", "Option1", "CmbL", "CmbU", "TxtPp", "Command1",
                                  "TxtU", "Lst", "TxtPg", "TxtK", "Command2"}) {
      Activate(&d.window);
      d.get<QWidget>(control)->setFocus();
      ClaimEveryKey claim;
      QApplication::focusWidget()->installEventFilter(&claim);
      if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        field->setText(u"12"_qs);
        QTest::keySequence(field, QKeySequence::MoveToPreviousWord);
        QTest::keyClicks(field, u"3"_qs);
        QCOMPARE(field->text(), u"312"_qs);
      }
      // The guide's window takes the focus, so its key comes last.
      for (const char* name : {"actionPrint", "actionSavePdf", "actionGuide"}) {
        auto* action = d.window.findChild<QAction*>(name);
        QSignalSpy triggered(action, &QAction::triggered);
        QTest::keySequence(QApplication::focusWidget(), action->shortcut());
        QVERIFY2(triggered.count() == 1, qPrintable(control + u' ' + name));
      }
    }
    auto* guide = d.window.findChild<QWidget*>(u"HelpWindow"_qs);
    QVERIFY(guide != nullptr && guide->isVisible());
    QCOMPARE(guide->windowTitle(), u"Руководство пользователя"_qs);
    auto* contents = guide->findChild<QTreeWidget*>(u"guideContents"_qs);
    QStringList headings;
    for (QTreeWidgetItem* item :
         contents->findItems(u"*"_qs, Qt::MatchWildcard | Qt::MatchRecursive)) {
      headings.append(QString(item->parent() != nullptr ? 2 : 0, u' ') + item->text(0));
    }
    QCOMPARE(headings.join(u'|'),
             u"Что считает программа|Окно калькулятора|  Исходные данные|  Справочные величины|"
             u"  Нагрузка в конце линии|  Равномерная нагрузка|  Сообщения об ошибках ввода|"
             u"  Клавиатура|  Копирование результатов|Лист расчета|Объект: все линии здания|"
             u"  Окно линий объекта|  Предел потерь и наименьшее сечение|  Усилители|"
             u"  Файл объекта|Командная строка|Модель расчета и допущения|"
             u"Намеренно исправленные ошибки|Обозначения и единицы"_qs);
    const QString chosen = u"Модель расчета и допущения"_qs;
    contents->setCurrentItem(contents->findItems(chosen, Qt::MatchRecursive)[0]);
    auto* text = guide->findChild<QTextBrowser*>(u"guideText"_qs);
    QCOMPARE(text->cursorForPosition(QPoint(8, 8)).block().text(), chosen);
  }

  // Every figure shown stands on the sheet beside its symbol; a length changed since is shown
  // apart. Of two different lines the sheet keeps the later and says why; the name given is
  // offered again only for the same line; a limit that is no percentage is refused.
  void sheetAndPrint() {
    Driver d;
    // Copper 1.5 mm², 1000 m at 20 °С and 100 V, R20 typed so that Rл is 4.00 Ohm.
    d.choose("CmbDD", "1.5");
    QSignalSpy calculated(&d.window.form(), &Form1::calculated);
    d.press(
        u"CmbL: 1000 TxtU: 3.9007 TxtPg: 10 TxtK: 2 Command2: Space TxtPp: 100 Command1: Space"_qs);
    QCOMPARE(calculated.count(), 2);
    QString page = d.output(u"Ctrl+E"_qs).join(QString());
    // clang-format off
    const QList<std::pair<const char*, QString>> fields{
        {"LblU", u"R10"_qs}, {"LblAR", u"Rл"_qs}, {"LblDJ", u"Jмакс"_qs}, {"LblOJ", u"Jопт"_qs},
        {"LblP", u"Рож"_qs}, {"LblZ", u"Zнагр"_qs}, {"LblUr", u"Uрез"_qs}, {"LblPr", u"Ррез"_qs},
        {"LblPot", u"П"_qs}, {"Lbl15", u"Потери мощности, %"_qs}, {"Lbl16", u"Каскадное напряжение"_qs}};
    // clang-format on
    for (const auto& [name, symbol] : fields) {
      QVERIFY2(!d.text(name).isEmpty() && HasRow(page, symbol, d.text(name)),
               qPrintable(symbol + u' ' + d.text(name)));
    }
    QCOMPARE(d.texts("LblAR LblUr"), Shown(u"4.00|96.15"_qs));
    QStringList lines = d.report();
    QCOMPARE(lines.removeAll(QString(47, u'=')), 1);
    QCOMPARE(lines.size(), 4);
    for (QString line : lines) {
      QVERIFY2(HasLine(page, line.replace(u'\t', u' ')), qPrintable(line));
    }
    d.choose("CmbL", "500");
    page = d.output(u"Ctrl+E"_qs).join(QString());
    QVERIFY(
        HasRow(page.section(u"Исходные данные в окне сейчас"_qs, 1), u"Длина линии"_qs, u"500"_qs));
    d.click("Command1");
    d.limit = u"5"_qs;
    page = d.output(u"Ctrl+E"_qs).join(QString());
    QVERIFY(page.contains(u"Нагрузка в конце линии"_qs) &&
            !page.contains(u"Равномерно распределенная нагрузка"_qs));
    QVERIFY(HasRow(page, u"Заключение по потерям"_qs, u"превышение"_qs) &&
            HasRow(page, u"Sмин"_qs, Shown(u"10.0"_qs)));
    // Through the printer; the length chosen brought back the table's R20: Rл 13.64 Ohm.
    const QStringList pages = d.output(u"Ctrl+P"_qs, u"печать.pdf"_qs);
    QCOMPARE(pages.size(), 2);
    QVERIFY(HasRow(pages[0], u"Uрез"_qs, Shown(u"88.00"_qs)) &&
            pages[1].contains(u"стр. 2 из 2"_qs));
    d.limit = u"101"_qs;
    d.output(u"Ctrl+E"_qs, u"предел.pdf"_qs);
    const QString name = u"Линия 1"_qs;
    QCOMPARE(d.suggestions, (QStringList{QString(), name, QString(), name, name}));
    // The note's whole text is the sheet's tests'.
    QVERIFY(d.notes[1].isEmpty() &&
            d.notes[2].startsWith(u"В лист войдет только расчет нагрузки в конце линии:"_qs));
    QCOMPARE(d.messages, QStringList{u"Предел потерь «101» не является числом от 0 до 100 %."_qs});
    QVERIFY(!QFile::exists(d.dir.filePath(u"предел.pdf"_qs)));
  }

  // A bare name gets ".pdf" before the dialog looks for a file to overwrite, and an existing
  // file is asked about, not replaced.
  void pdfDialogAddsTheSuffixAndAsksBeforeOverwriting() {
    QTemporaryDir dir;
    for (const bool exists : {false, true}) {
      const auto dialog = PdfSaveDialog(nullptr, u"Сохранить расчет в PDF"_qs, dir.path());
      dialog->setOption(QFileDialog::DontUseNativeDialog);
      dialog->selectFile(u"отчет"_qs);
      QString asked;
      QTimer::singleShot(0, [&asked] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
          asked = box->text();
          box->reject();
        }
      });
      static_cast<QDialog*>(dialog.get())->accept();
      QCoreApplication::processEvents();
      QCOMPARE(dialog->result() == QDialog::Accepted, !exists);
      QCOMPARE(asked.contains(u"отчет.pdf"_qs), exists);
      QCOMPARE(dialog->selectedFiles(), QStringList{dir.filePath(u"отчет.pdf"_qs)});
      QVERIFY(QFile(dir.filePath(u"отчет.pdf"_qs)).open(QIODevice::WriteOnly));
    }
  }

 private:
  ModalWatchdog watchdog_;
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::MainWindowTest)
#include "main_window_test.moc"

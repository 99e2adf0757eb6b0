#include <QAction>
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
#include <QTreeWidgetItemIterator>
#include <QtTest>
#include <memory>

#include "tests/sheet/pdf_text.h"
#include "tests/support/claim_every_key.h"
#include "tests/ui/window_fixture.h"
#include "ui/form1.h"
#include "ui/main_window.h"
#include "ui/report_list.h"
#include "ui/window_dialogs.h"

namespace linecalc::ui::test {
namespace {

using linecalc::test::HasLine;
using linecalc::test::HasRow;
using linecalc::test::PdfPages;

// The main window with every dialog answered by the test: the line name, the PDF path and the
// printer set up to write a PDF, and the messages recorded.
class Driver : public Controls {
 public:
  Driver() : Controls(&window_) {
    window_.setDialogs({
        [this](const SheetRequest& suggested, const QString& note) {
          suggestions_.append(suggested.lineName);
          notes_.append(note);
          return std::optional<SheetRequest>({QStringLiteral("Линия 1"), limit_, {}});
        },
        [this](const QString&) { return pdfPath_; },
        [this](QPrinter& printer) {
          printer.setOutputFormat(QPrinter::PdfFormat);
          printer.setOutputFileName(pdfPath_);
          return !pdfPath_.isEmpty();
        },
        [this](const QString& text) { messages_.append(text); },
        [this](const QString& text) { messages_.append(text); },
    });
    Activate(&window_);
  }

  MainWindow& window() { return window_; }
  // Presses `keys` with `file` in the window's folder as the PDF to write; returns its pages.
  QStringList output(const QString& keys, const QString& file = u"лист.pdf"_qs) {
    pdfPath_ = dir_.filePath(file);
    press(keys);
    return PdfPages(pdfPath_);
  }
  QString folder() const { return dir_.path(); }
  QStringList suggestions() const { return suggestions_; }
  QStringList notes() const { return notes_; }
  void setLimit(const QString& limit) { limit_ = limit; }
  QStringList takeMessages() { return std::exchange(messages_, {}); }

 private:
  MainWindow window_;
  QTemporaryDir dir_;
  QString pdfPath_;
  QStringList messages_;
  QStringList suggestions_;
  QStringList notes_;
  QString limit_;
};

// Copper 1.5 mm², 1000 m at 20 °С and 100 V, R20 typed so that Rл shows `r20`'s line resistance.
void Line(Driver& d, const QString& r20) {
  d.choose("CmbDD", "1.5");
  d.choose("CmbL", "1000");
  d.press("TxtU: " + r20);
}

// The guide's sections, its subsections indented.
const QStringList kGuideHeadings =
    (u"Что считает программа|Окно калькулятора|  Исходные данные|  Справочные величины|"
     u"  Нагрузка в конце линии|  Равномерная нагрузка|  Сообщения об ошибках ввода|"
     u"  Клавиатура|  Копирование результатов|Лист расчета|Объект: все линии здания|"
     u"  Окно линий объекта|  Предел потерь и наименьшее сечение|  Усилители|  Файл объекта|"
     u"Командная строка|Модель расчета и допущения|Намеренно исправленные ошибки|"
     u"Обозначения и единицы"_qs)
        .split(u'|');
const QString kChosenHeading = u"Модель расчета и допущения"_qs;

using linecalc::test::ClaimEveryKey;

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // "Выполнил" is remembered in the settings; the tests keep theirs apart from the user's.
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() { watchdog_ = std::make_unique<ModalWatchdog>(); }
  void cleanup() { QVERIFY(!watchdog_->fired()); }

  void clientAreaKeepsItsPlace() {
    Driver d;
    const int menuHeight = d.window().menuBar()->height();
    QVERIFY(menuHeight > 0);
    QCOMPARE(d.window().form().geometry(), QRect(0, menuHeight, 1006, 535));
    QCOMPARE(d.window().size(), QSize(1006, 535 + menuHeight));
    QCOMPARE(d.window().windowTitle(), u"Расчет потерь в линиях (системы звуковой трансляции)"_qs);
  }

  void menuItems_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keys");
    QTest::newRow("print") << u"Файл"_qs << "actionPrint" << u"&Печать расчета…"_qs << "Ctrl+P";
    QTest::newRow("pdf") << u"Файл"_qs << "actionSavePdf" << u"&Сохранить расчет в PDF…"_qs
                         << "Ctrl+E";
    QTest::newRow("quit") << u"Файл"_qs << "actionQuit" << u"В&ыход"_qs << "Ctrl+Q";
    QTest::newRow("guide") << u"Справка"_qs << "actionGuide" << u"&Руководство"_qs << "F1";
    QTest::newRow("about") << u"Справка"_qs << "actionAbout" << u"&О программе"_qs << "";
  }
  void menuItems() {
    QFETCH(QString, menu);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, keys);
    Driver d;
    QMenu* found = d.window().menu(menu);
    QVERIFY(found != nullptr);
    QCOMPARE(found->accessibleName(), menu);
    QVERIFY(found->title().contains(u'&'));
    auto* action = d.window().findChild<QAction*>(name);
    QVERIFY(action != nullptr && found->actions().contains(action));
    QCOMPARE(action->text(), text);
    QCOMPARE(action->shortcut().toString(QKeySequence::PortableText), keys);
  }

  // The object window takes these; nothing here may claim them first.
  void shortcutsLeftForTheObject() {
    Driver d;
    for (QAction* action : d.window().findChildren<QAction*>()) {
      const QString keys = action->shortcut().toString(QKeySequence::PortableText);
      QVERIFY2(!QStringList({"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+L", "Ctrl+D"}).contains(keys),
               qPrintable(action->objectName()));
    }
  }

  void menuKeysFromEveryControl_data() {
    QTest::addColumn<QString>("control");
    for (const char* name : {"CmbDD", "CmbT", "Option1", "CmbL", "CmbU", "TxtPp", "Command1",
                             "TxtU", "Lst", "TxtPg", "TxtK", "Command2"}) {
      QTest::newRow(name) << name;
    }
  }
  // Each menu key runs its item wherever the focus is, even where the control claims the key for
  // itself, as a line edit does with Ctrl+E under the X11 key scheme; other keys stay with it.
  void menuKeysFromEveryControl() {
    QFETCH(QString, control);
    Driver d;
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
    for (const auto& [name, keys] : {std::pair{"actionPrint", u"Ctrl+P"_qs},
                                     {"actionSavePdf", u"Ctrl+E"_qs},
                                     {"actionGuide", u"F1"_qs}}) {
      QSignalSpy triggered(d.window().findChild<QAction*>(name), &QAction::triggered);
      d.press(keys);
      QVERIFY2(triggered.count() == 1, name);
    }
  }

  // F1 opens the guide beside a contents list of its sections; a section chosen there comes to
  // the top of the text.
  void guideOnF1() {
    Driver d;
    d.press(u"F1"_qs);
    auto* guide = d.window().findChild<QWidget*>(u"HelpWindow"_qs);
    QVERIFY(guide != nullptr && guide->isVisible());
    QCOMPARE(guide->windowTitle(), u"Руководство пользователя"_qs);
    auto* contents = guide->findChild<QTreeWidget*>(u"guideContents"_qs);
    QStringList headings;
    for (QTreeWidgetItemIterator it(contents); *it != nullptr; ++it) {
      headings.append(QString((*it)->parent() != nullptr ? 2 : 0, u' ') + (*it)->text(0));
    }
    QCOMPARE(headings, kGuideHeadings);
    QTreeWidgetItem* chosen = contents->findItems(kChosenHeading, Qt::MatchRecursive)[0];
    contents->setCurrentItem(chosen);
    auto* text = guide->findChild<QTextBrowser*>(u"guideText"_qs);
    QCOMPARE(text->cursorForPosition(QPoint(8, 8)).block().text(), kChosenHeading);
  }

  void printThroughThePrinter() {
    Driver d;
    Line(d, u"1.9503"_qs);
    d.press(u"TxtPp: 100"_qs);
    d.click("Command1");
    const QStringList pages = d.output(u"Ctrl+P"_qs, u"печать.pdf"_qs);
    QCOMPARE(pages.size(), 2);
    QVERIFY(HasRow(pages[0], u"Uрез"_qs, Shown(u"98.04"_qs)));
    QVERIFY(pages[1].contains(u"стр. 2 из 2"_qs));
  }

  void about() {
    Driver d;
    d.window().findChild<QAction*>("actionAbout")->trigger();
    const QStringList shown = d.takeMessages();
    QCOMPARE(shown.size(), 1);
    for (const QString& part : {u"версия 1.0.0"_qs, u"MIT"_qs, u"громкоговорителей"_qs}) {
      QVERIFY2(shown[0].contains(part), qPrintable(part));
    }
  }

  // Every figure the window shows stands on the sheet, beside its symbol; a length changed after
  // the report is shown apart (the sheet's own tests hold the rest).
  void sheetHoldsWhatTheWindowShows() {
    Driver d;
    Line(d, u"3.9007"_qs);
    d.press(u"TxtPg: 10 TxtK: 2"_qs);
    QSignalSpy calculated(&d.window().form(), &Form1::calculated);
    d.click("Command2");
    d.press(u"TxtPp: 100"_qs);
    d.click("Command1");
    QCOMPARE(calculated.count(), 2);
    QString page = d.output(u"Ctrl+E"_qs).join(QString());
    // clang-format off
    const QList<std::pair<const char*, QString>> fields{
        {"LblU", u"R10"_qs}, {"LblAR", u"Rл"_qs}, {"LblDJ", u"Jмакс"_qs}, {"LblOJ", u"Jопт"_qs},
        {"LblP", u"Рож"_qs}, {"LblZ", u"Zнагр"_qs}, {"LblUr", u"Uрез"_qs}, {"LblPr", u"Ррез"_qs},
        {"LblPot", u"П"_qs}, {"Lbl15", u"Потери мощности, %"_qs}, {"Lbl16", u"Каскадное напряжение"_qs}};
    // clang-format on
    for (const auto& [name, symbol] : fields) {
      QVERIFY2(!d.text(name).isEmpty(), name);
      QVERIFY2(HasRow(page, symbol, d.text(name)), qPrintable(symbol + u' ' + d.text(name)));
    }
    QCOMPARE(d.text("LblAR"), Shown(u"4.00"_qs));
    QCOMPARE(d.text("LblUr"), Shown(u"96.15"_qs));
    QStringList lines = d.get<ReportList>("Lst")->lines();
    lines.removeAll(u"==============================================="_qs);
    QCOMPARE(lines.size(), 4);
    for (QString line : lines) {
      QVERIFY2(HasLine(page, line.replace(u'\t', u' ')), qPrintable(line));
    }
    d.choose("CmbL", "500");
    page = d.output(u"Ctrl+E"_qs).join(QString());
    QVERIFY(
        HasRow(page.section(u"Исходные данные в окне сейчас"_qs, 1), u"Длина линии"_qs, u"500"_qs));
  }

  // Calculations of two different lines: the sheet keeps the later one and says why; the name
  // given is offered again only for the same line; a limit that is no percentage is refused.
  void oneLinePerSheet() {
    Driver d;
    Line(d, u"3.9007"_qs);
    d.press(u"TxtPg: 10 TxtK: 2"_qs);
    d.click("Command2");
    const QString save = u"Ctrl+E"_qs;
    d.output(save);
    d.choose("CmbL", "500");
    d.press(u"TxtPp: 100"_qs);
    d.click("Command1");
    d.setLimit(u"5"_qs);
    const QString page = d.output(save).join(QString());
    QVERIFY(page.contains(u"Нагрузка в конце линии"_qs));
    QVERIFY(!page.contains(u"Равномерно распределенная нагрузка"_qs));
    QVERIFY(HasRow(page, u"Заключение по потерям"_qs, u"превышение"_qs));
    QVERIFY(HasRow(page, u"Sмин"_qs, Shown(u"10.0"_qs)));
    d.output(save);
    d.setLimit(u"101"_qs);
    d.output(save, u"предел.pdf"_qs);
    QCOMPARE(d.suggestions(), (QStringList{QString(), QString(), u"Линия 1"_qs, u"Линия 1"_qs}));
    // The note's whole text is the sheet's tests'.
    QVERIFY(
        d.notes().value(1).startsWith(u"В лист войдет только расчет нагрузки в конце линии:"_qs));
    QCOMPARE(d.takeMessages(),
             QStringList{u"Предел потерь «101» не является числом от 0 до 100 %."_qs});
    QVERIFY(!QFile::exists(d.folder() + u"/предел.pdf"_qs));
  }

  // A bare name gets ".pdf" before the dialog looks for a file to overwrite, and an existing
  // file is asked about, not replaced.
  void pdfDialogAddsTheSuffixAndAsksBeforeOverwriting() {
    QTemporaryDir dir;
    for (const bool exists : {false, true}) {
      const std::unique_ptr<QFileDialog> dialog =
          PdfSaveDialog(nullptr, u"Сохранить расчет в PDF"_qs, dir.path());
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
      QFile file(dir.filePath(u"отчет.pdf"_qs));
      QVERIFY(file.open(QIODevice::WriteOnly));
    }
  }

 private:
  std::unique_ptr<ModalWatchdog> watchdog_;
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::MainWindowTest)
#include "main_window_test.moc"

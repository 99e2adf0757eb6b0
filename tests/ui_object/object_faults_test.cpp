// What an object's file or its fields hold reaches the calculator, the file and the fields
// unchanged, and a file is never overwritten without the user's word.
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include "object/line_table.h"
#include "tests/ui/window_fixture.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_window.h"
#include "ui/qt_text.h"

namespace linecalc::ui::test {
namespace {

using object::LineColumn;

QByteArray ObjectJson(const QByteArray& title, const QByteArray& limit, const QByteArray& lines) {
  return "{\"format\": \"linecalc-object\", \"version\": 1, \"title\": \"" + title +
         "\", \"lossLimitPct\": \"" + limit + "\", \"lines\": \x5B" + lines + "\x5D}";
}

// The sports hall line of the example with its R20 and length replaced.
QByteArray Line(const QByteArray& r20, const QByteArray& length = "200") {
  return "{\"name\": \"Спортзал\", \"material\": \"aluminium\", \"section\": \"2.5\", "
         "\"length\": \"" +
         length + "\", \"temperature\": \"15\", \"voltage\": \"100\", \"r20\": " + r20 +
         ", \"load\": {\"kind\": \"uniform\", \"speakerPower\": \"10\", \"count\": \"12\"}}";
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The calculator and an object window tied to it, every question answered by the test.
struct Program {
  Program() {
    QObject::connect(&objects, &ObjectWindow::openInCalculator, &calculator, &Form1::loadLine);
    calculator.setMessageSink([this](const QString& text) { calculatorMessages.append(text); });
    ObjectDialogs dialogs;
    dialogs.askSave = [](const QString&) { return SaveAnswer::Cancel; };
    dialogs.message = [this](const QString& text) { messages.append(text); };
    dialogs.confirm = [this](const QString& text) {
      questions.append(text);
      return overwrite;
    };
    objects.setDialogs(dialogs);
  }
  QString result(const char* name) { return calculator.findChild<QLineEdit*>(name)->text(); }
  QString cell(int row, LineColumn column) {
    return objects.model().resultCells(row).value(static_cast<int>(column));
  }

  Form1 calculator;
  ObjectWindow objects;
  QStringList calculatorMessages;
  QStringList messages;
  QStringList questions;
  bool overwrite = false;
};

}  // namespace

class ObjectFaultsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(dir_.isValid()); }

  // Every line goes into the calculator as the value the object read from each text, so the
  // calculator's figures are the object's; a line whose R20 no field can hold does not go.
  void lineIntoCalculator_data() {
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("loss");  // pinned where it was once wrong; empty: as the object's
    QTest::addColumn<QString>("message");
    QTest::newRow("R20 with a comma") << Line("\"16,2\"") << "2.92"
                                      << "";
    QTest::newRow("R20 with an exponent") << Line("\"2e1\"") << "3.61"
                                          << "";
    QTest::newRow("length past the field's length")
        << Line("null", "1" + QByteArray(100, ' ') + "0") << "0.23"
        << "";
    QTest::newRow("negative R20")
        << Line("\"-1\"") << ""
        << "Линия «Спортзал»: Сопротивление линии отрицательное: проверьте длину кабеля, "
           "температуру и R20";
    QFile example(QStringLiteral(LINECALC_EXAMPLES "/school.linecalc"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    const QByteArray text = example.readAll();
    const qsizetype lines = text.indexOf("\"lines\": \x5B") + 10;
    QTest::newRow("the example's lines") << text.mid(lines, text.lastIndexOf('\x5D') - lines) << ""
                                         << "";
  }
  void lineIntoCalculator() {
    QFETCH(QByteArray, lines);
    QFETCH(QString, loss);
    QFETCH(QString, message);
    const QString path = dir_.filePath("lines.linecalc");
    WriteFile(path, ObjectJson("Т", "10", lines));
    Program p;
    QVERIFY(p.objects.openFile(path));
    for (int row = 0; row < p.objects.model().rowCount(); ++row) {
      p.objects.loadIntoCalculator(row);
      if (!message.isEmpty()) {
        QCOMPARE(p.messages, QStringList{message});
        continue;
      }
      const bool single = p.cell(row, LineColumn::ZLoad) != "" ||
                          p.objects.model().lineObject().lines[row].inputs.load == LoadKind::Single;
      const QString shown = single ? p.result("LblPot") : p.result("Lbl15");
      QCOMPARE(shown, p.cell(row, LineColumn::LossPct));
      QCOMPARE(p.result("LblAR"), p.cell(row, LineColumn::RLine));
      QCOMPARE(single ? p.result("LblUr") : p.result("Lbl16"),
               p.cell(row, single ? LineColumn::URes : LineColumn::CascadeVoltage));
      QCOMPARE(p.calculatorMessages.join("|"),
               ToQString(p.objects.model().assessment(row).calculation.message));
      p.calculatorMessages.clear();
      if (!loss.isEmpty()) {
        QCOMPARE(shown, Shown(loss));
      }
    }
    QCOMPARE(p.messages.isEmpty(), message.isEmpty());
  }

  // A title or limit longer than a line edit holds by default opens whole and unchanged, and
  // is saved whole.
  void longFieldsKeptWhole() {
    const QString path = dir_.filePath("long.linecalc");
    const QByteArray title(40000, 'T');
    const QByteArray limit = "5" + QByteArray(40000, ' ');
    WriteFile(path, ObjectJson(title, limit, Line("null")));
    Program p;
    QVERIFY(p.objects.openFile(path));
    QVERIFY(p.objects.undoStack().isClean());
    QVERIFY(!p.objects.isWindowModified());
    QVERIFY(p.objects.save());
    const QByteArray saved = ReadFile(path);
    QVERIFY(saved.contains("\"title\": \"" + title + "\""));
    QVERIFY(saved.contains("\"lossLimitPct\": \"" + limit + "\""));
  }

  // The limit field takes a number from 0 to 100 with nothing but blanks after it; anything
  // else is refused with a message, and the old limit stays.
  void limitFieldRefuses_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    const QString refused =
        "Поле «Предел потерь, %»: «%1» — не число от 0 до 100 (после числа допустимы только "
        "пробелы). Оставлено прежнее значение «5».";
    for (const char* typed : {"1О", "abc", "101", "-1", "1e400", "5 %"}) {
      QTest::newRow(typed) << typed << refused.arg(QString::fromUtf8(typed));
    }
    QTest::newRow("a number") << " 7,5 "
                              << "";
    QTest::newRow("no limit") << ""
                              << "";
  }
  void limitFieldRefuses() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    const QString path = dir_.filePath("limit.linecalc");
    WriteFile(path, ObjectJson("Т", "5", Line("null")));
    Program p;
    QVERIFY(p.objects.openFile(path));
    auto* field = p.objects.findChild<QLineEdit*>("lossLimit");
    field->selectAll();
    TypeKeys(field, typed);
    if (typed.isEmpty()) {
      QTest::keyClick(field, Qt::Key_Delete);
    }
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(p.messages.join("|"), kept);
    const QString now = kept.isEmpty() ? typed : "5";
    QCOMPARE(field->text(), now);
    QCOMPARE(ToQString(p.objects.model().lineObject().lossLimitPct), now);
    QCOMPARE(p.objects.undoStack().isClean(), !kept.isEmpty());
  }

  // Ctrl+S asks before it overwrites what another program wrote; the save dialog adds the
  // suffix itself, so that it asks before overwriting a file of that name too.
  void overwriteAsked() {
    const QString path = dir_.filePath("object.linecalc");
    WriteFile(path, ObjectJson("Т", "5", Line("null")));
    Program p;
    QVERIFY(p.objects.openFile(path));
    QVERIFY(p.objects.save());
    QVERIFY(p.questions.isEmpty());
    QTest::qWait(20);  // a later modification time
    const QByteArray theirs = ObjectJson("Их", "5", "");
    WriteFile(path, theirs);
    QVERIFY(!p.objects.save());
    QCOMPARE(p.questions,
             QStringList{"Файл «" + QDir::toNativeSeparators(path) +
                         "» изменен другой программой после того, как он был открыт или "
                         "сохранен в этом окне. Заменить его объектом из этого окна? То, что "
                         "записала в файл другая программа, будет потеряно."});
    QCOMPARE(ReadFile(path), theirs);
    p.overwrite = true;
    QVERIFY(p.objects.save());
    QVERIFY(ReadFile(path).contains("Спортзал"));
    QVERIFY(p.objects.save());
    QCOMPARE(p.questions.size(), 2);
  }
  void saveDialogAddsSuffix_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("asked");
    QTest::newRow("new bare name") << "nosuffix"
                                   << "nosuffix.linecalc" << false;
    QTest::newRow("bare name of a file") << "object"
                                         << "" << true;
  }
  void saveDialogAddsSuffix() {
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    QFETCH(bool, asked);
    WriteFile(dir_.filePath("object.linecalc"), "прежний");
    QWidget owner;
    bool overwriteAsked = false;
    bool typedOnce = false;
    // The dialog's own widgets answer: the name typed, Return whenever the dialog is back, and
    // "No" to replacing a file, after which the dialog is cancelled.
    QTimer driver;
    connect(&driver, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        overwriteAsked = true;
        box->button(QMessageBox::No)->click();
      } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        if (overwriteAsked) {
          dialog->reject();
          return;
        }
        if (!typedOnce) {
          typedOnce = true;
          name->clear();
          QTest::keyClicks(name, typed);
        }
        // Outside this slot: a timer never fires again while its slot runs, and the question
        // that Return may open waits in its own loop.
        QMetaObject::invokeMethod(
            name, [name] { QTest::keyClick(name, Qt::Key_Return); }, Qt::QueuedConnection);
      }
    });
    driver.start(50);
    const QString path = ModalObjectDialogs(&owner).savePath(dir_.filePath("x"));
    QCOMPARE(QFileInfo(path).fileName(), chosen);
    QCOMPARE(overwriteAsked, asked);
    QCOMPARE(ReadFile(dir_.filePath("object.linecalc")), "прежний");
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::ObjectFaultsTest)
#include "object_faults_test.moc"

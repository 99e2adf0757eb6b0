#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>
#include <memory>

#include "object/line_table.h"
#include "object/object_file.h"
#include "tests/support/claim_every_key.h"
#include "tests/ui/window_fixture.h"
#include "ui/main_window.h"
#include "ui/object/column_layout.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_menu.h"
#include "ui/object/object_window.h"
#include "ui/object/recent_files.h"
#include "ui/qt_text.h"
#include "ui/result_field.h"

namespace linecalc::ui::test {
namespace {

using object::LineColumn;

constexpr char kObjectJson[] = R"({"format": "linecalc-object", "version": 1,
  "title": "Школа", "lossLimitPct": "5", "lines": [
  {"name": "Холл", "material": "copper", "section": "1.5", "length": "1000",
   "temperature": "20", "voltage": "100", "r20": "2", "load": {"kind": "single", "power": "100"}},
  {"name": "Улица", "material": "aluminium", "section": "2.5", "length": "300",
   "temperature": "0", "voltage": "100", "r20": null,
   "load": {"kind": "uniform", "speakerPower": "6", "count": "10"}}]})";

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

using linecalc::test::ClaimEveryKey;

// The calculator's main window with the object menu, every question answered by the test.
struct Program {
  explicit Program(const QString& open = {}) : menu(new ObjectMenu(main)), objects(menu->window()) {
    WindowDialogs mainDialogs;
    mainDialogs.message = [this](const QString& text) { calculatorMessages.append(text); };
    main.setDialogs(mainDialogs);
    ObjectDialogs dialogs;
    dialogs.askSave = [this](const QString& name) {
      asked.append(name);
      return answer;
    };
    dialogs.savePath = [this](const QString& name) {
      offered.append(name);
      return savePath;
    };
    dialogs.openPath = [this](const QString& folder) {
      offered.append(folder);
      return openPath;
    };
    dialogs.lineName = [](const QString& suggested) {
      return std::optional<QString>(suggested + QStringLiteral(" (добавлена)"));
    };
    dialogs.message = [this](const QString& text) { messages.append(text); };
    dialogs.confirm = [this](const QString& text) {
      questions.append(text);
      return overwrite;
    };
    dialogs.progress = [](const QString&) { return sheet::PageProgress(); };
    objects.setDialogs(dialogs);
    main.show();
    menu->showWindow();
    if (!open.isEmpty() && !objects.openFile(open)) {
      qFatal("cannot open %s", qPrintable(open));
    }
  }
  void activate() {
    QApplication::setActiveWindow(&objects);
    QVERIFY(QTest::qWaitForWindowActive(&objects));
  }
  QString result(const QString& name) { return main.findChild<ResultField*>(name)->text(); }
  QString cell(int row, LineColumn column) {
    return objects.model()
        .data(objects.model().index(row, static_cast<int>(column)), Qt::DisplayRole)
        .toString();
  }
  void edit(int row, LineColumn column, const QString& text) {
    objects.model().setData(objects.model().index(row, static_cast<int>(column)), text,
                            Qt::EditRole);
  }

  MainWindow main;
  ObjectMenu* menu;
  ObjectWindow& objects;
  QStringList calculatorMessages;
  QStringList messages;
  QStringList questions;  // asked before a file is replaced
  bool overwrite = false;
  QStringList asked;
  SaveAnswer answer = SaveAnswer::Cancel;
  QString savePath;
  QString openPath;
  QStringList offered;  // what the file dialogs offered
};

// The texts of the shown columns, left to right.
QString ShownColumns(QTableView& table) {
  const QHeaderView* header = table.horizontalHeader();
  QStringList names;
  for (int visual = 0; visual < header->count(); ++visual) {
    const int logical = header->logicalIndex(visual);
    if (!header->isSectionHidden(logical)) {
      names.append(table.model()->headerData(logical, Qt::Horizontal).toString());
    }
  }
  return names.join(u'|');
}

const QString kDefaultColumns =
    "Линия|Материал|Сечение (мм²)|Длина (м)|Температура (°C)|Напряжение (В)|R20 (Ом/км)|Нагрузка|"
    "Мощность (Вт)|Кол-во гр|Усилитель|Итог|Потери (%)|Мин. сечение|Rл (Ом)|Jмакс (А)|Jопт (А)|"
    "Рож (Вт)|Zнагр (Ом)|Uрез (В)|Ррез (Вт)|Потери (дБ)|Падение напряжения (%)|"
    "Каскадное напряжение (В)|Сообщение";

const QString kRefused =
    "Столбец «%1»: «%2» — не число (после числа допустимы только пробелы). "
    "Значение не изменено.";

}  // namespace

class ObjectWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() {
    watchdog_ = std::make_unique<ModalWatchdog>();
    QSettings().remove("objects/columns");
    QSettings().remove("objects/lastFolder");
    QVERIFY(dir_.isValid());
    path_ = dir_.filePath("школа.linecalc");
    WriteFile(path_, kObjectJson);
  }

  // Enter moves down; Ctrl+L puts the row into the calculator, which shows its figures.
  void rowLoadedIntoCalculator() {
    Program p(path_);
    p.activate();
    QCOMPARE(p.objects.windowTitle(), "школа.linecalc[*] — Линии объекта");
    p.objects.table().setFocus();
    p.objects.table().setCurrentIndex(p.objects.model().index(0, 3));
    QTest::keyClick(&p.objects.table(), Qt::Key_Return);
    QCOMPARE(p.objects.table().currentIndex(), p.objects.model().index(1, 3));
    QCOMPARE(p.result("LblPot"), "");
    p.objects.table().setCurrentIndex(p.objects.model().index(0, 3));
    QTest::keyClick(&p.objects.table(), Qt::Key_L, Qt::ControlModifier);
    // The figures against the cells of every kind of line: lineIntoCalculator.
    QCOMPARE(p.result("LblPot") + "|" + p.main.findChild<QLineEdit*>("TxtU")->text(),
             Shown("3.98") + "|2");
    emit p.objects.table().verticalHeader()->sectionDoubleClicked(1);  // on the row number
    QCOMPARE(p.result("Lbl15"), p.cell(1, LineColumn::LossPct));
    QVERIFY(p.messages.isEmpty() && p.calculatorMessages.isEmpty());
    // The figures of that calculation are now the last ones, ready to go back into the object.
    p.main.findChild<QAction*>("actionAddCalculation")->trigger();
    QCOMPARE(p.objects.model().rowCount(), 3);
    QCOMPARE(p.cell(2, LineColumn::Name), "Линия 3 (добавлена)");
    QCOMPARE(p.objects.model().lineObject().lines[2].inputs,
             p.objects.model().lineObject().lines[1].inputs);
  }

  // The drop-downs hold exactly the calculator's choices, and a pick is committed at once.
  void dropDowns_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<int>("pick");
    // clang-format off
    QTest::newRow("material") << int(LineColumn::Material) << QStringList{"медь", "алюминий"} << 0;
    QTest::newRow("section") << int(LineColumn::Section) << QString("0.2 0.35 0.5 0.75 1.0 1.2 1.5 2.5 4.0 6.0 10.0").split(' ') << 10;
    QTest::newRow("load") << int(LineColumn::Load) << QStringList{"в конце линии", "равномерная", "схема"} << 0;
    // clang-format on
  }
  void dropDowns() {
    QFETCH(int, column);
    QFETCH(QStringList, choices);
    QFETCH(int, pick);
    Program p(path_);
    const QModelIndex index = p.objects.model().index(1, column);
    p.objects.table().edit(index);
    auto* box = p.objects.table().findChild<QComboBox*>("choiceEditor");
    QVERIFY(box != nullptr);
    QStringList offered;
    for (int i = 0; i < box->count(); ++i) {
      offered.append(box->itemText(i));
    }
    QCOMPARE(offered, choices);
    QCOMPARE(box->currentText(), index.data(Qt::EditRole).toString());
    box->setCurrentIndex(pick);
    emit box->activated(pick);
    QCOMPARE(index.data(Qt::EditRole).toString(), choices[pick]);
    QCOMPARE(p.objects.undoStack().count(), 1);
  }

  // Cancelled while the lines are computed (first call) or while the pages are painted
  // (fourth): no file, and an older one stays as it was.
  void cancelledPdfLeavesNoFile() {
    Program p(path_);
    int left = 0;
    ObjectDialogs dialogs = ModalObjectDialogs(&p.objects);
    dialogs.message = [&p](const QString& text) { p.messages.append(text); };
    dialogs.progress = [&left](const QString&) { return [&left](int, int) { return --left > 0; }; };
    p.objects.setDialogs(dialogs);
    const QTemporaryDir out;
    const QString pdf = out.filePath("объект.pdf");
    for (const int calls : {1, 4}) {
      left = calls;
      QVERIFY(!p.objects.savePdf(pdf));
      QVERIFY(!QFileInfo::exists(pdf));
      WriteFile(pdf, "old");
      left = calls;
      QVERIFY(!p.objects.savePdf(pdf));
      QCOMPARE(ReadFile(pdf), QByteArray("old"));
      QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{"объект.pdf"});  // nothing else
      QFile::remove(pdf);
    }
    QVERIFY(p.messages.isEmpty());
  }

  // Closed through the calculator, the object is asked about; closed by itself, the object
  // window's "Нет" takes the object back to its file.
  void closingAsksAboutChanges_data() {
    QTest::addColumn<bool>("itself");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Да") << false << int(SaveAnswer::Save) << true << true;
    QTest::newRow("Нет") << false << int(SaveAnswer::Discard) << true << false;
    QTest::newRow("Отмена") << false << int(SaveAnswer::Cancel) << false << false;
    QTest::newRow("the object window, Нет") << true << int(SaveAnswer::Discard) << true << false;
  }
  void closingAsksAboutChanges() {
    QFETCH(bool, itself);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    Program p(path_);
    QVERIFY(p.objects.close());  // nothing changed: no question
    QVERIFY(p.asked.isEmpty());
    p.menu->showWindow();
    p.edit(0, LineColumn::Length, "500");
    QVERIFY(p.objects.isWindowModified());
    p.answer = static_cast<SaveAnswer>(answer);
    QCOMPARE(itself ? p.objects.close() : p.main.close(), closed);
    QCOMPARE(p.asked, QStringList({"Школа"}));
    QCOMPARE(p.objects.isVisible(), !closed);
    QCOMPARE(p.objects.model().lineObject().lines[0].inputs.length, itself ? "1000" : "500");
    QCOMPARE(object::ReadObjectFile(path_).object->lines[0].inputs.length, saved ? "500" : "1000");
    QCOMPARE(p.objects.isWindowModified(), !saved && !itself);
    if (itself) {  // nothing left to ask about
      QVERIFY(p.main.close());
      QCOMPARE(p.asked.size(), 1);
    }
  }

  // A failed save keeps the object, its unsaved mark and the old file; a failed open keeps
  // the object on view.
  void failuresLeaveEverythingAsItWas() {
    Program p(path_);
    p.edit(1, LineColumn::Count, "12");
    const object::LineObject edited = p.objects.model().lineObject();
    const QByteArray before = ReadFile(path_);
    WriteFile(dir_.filePath("файл"), "x");
    p.savePath = dir_.filePath("файл/объект.linecalc");
    QVERIFY(!p.objects.saveAs());
    QCOMPARE(p.messages.size(), 1);
    QVERIFY(p.messages[0].contains("объект.linecalc"));
    QCOMPARE(p.objects.filePath(), path_);
    QVERIFY(p.objects.isWindowModified());
    QCOMPARE(ReadFile(path_), before);
    WriteFile(dir_.filePath("плохой.linecalc"),
              "{\"format\": \"linecalc-object\", \"version\": 1,");
    for (const QString& bad : {dir_.filePath("плохой.linecalc"), dir_.filePath("нет.linecalc")}) {
      QVERIFY(!p.objects.openFile(bad));
    }
    QCOMPARE(p.messages.size(), 3);
    QCOMPARE(p.objects.model().lineObject(), edited);
    QCOMPARE(p.objects.filePath(), path_);
    QCOMPARE(p.objects.undoStack().count(), 1);
    p.objects.undoStack().undo();
    QVERIFY(!p.objects.isWindowModified());
  }

  // A new object is offered under its title in the documents folder, then the folder last used;
  // the last five files are offered again, in both windows.
  void saveAndRecentFiles() {
    Program p;
    p.objects.model().editTitle("Школа № 5: корпус А/Б");
    for (int i = 1; i <= 6; ++i) {
      p.objects.findChild<QAction*>("addLine")->trigger();
      p.savePath = dir_.filePath(QString("объект %1.linecalc").arg(i));
      QVERIFY(p.objects.saveAs());
    }
    QCOMPARE(p.objects.model().rowCount(), 6);
    QCOMPARE(object::ReadObjectFile(p.savePath).object, p.objects.model().lineObject());
    const QStringList recent = RecentFiles();
    QCOMPARE(recent.size(), 5);
    QCOMPARE(recent.front(), QFileInfo(p.savePath).absoluteFilePath());
    QVERIFY(!recent.contains(QFileInfo(dir_.filePath("объект 1.linecalc")).absoluteFilePath()));
    QVERIFY(p.objects.findChild<QAction*>("recentFile5")->isVisible());
    // The calculator's menu offers the same files.
    p.objects.findChild<QAction*>("newObject")->trigger();
    QCOMPARE(p.objects.model().rowCount(), 0);
    auto* recentMenu = p.main.findChild<QMenu*>("menuRecentObjects");
    emit recentMenu->aboutToShow();
    QCOMPARE(recentMenu->actions().size(), 5);
    recentMenu->actions()[1]->trigger();
    QCOMPARE(p.objects.filePath(), dir_.filePath("объект 5.linecalc"));
    QCOMPARE(p.objects.model().rowCount(), 5);
    QVERIFY(p.asked.isEmpty());
    p.openPath = path_;
    p.objects.findChild<QAction*>("openObject")->trigger();
    QCOMPARE(p.offered.first(),
             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                 "/Школа № 5 корпус А Б.linecalc");
    QCOMPARE(p.offered.last(), dir_.path());
  }

  void rowCommandsByKeyboard() {
    Program p(path_);
    p.activate();
    QTableView& table = p.objects.table();
    table.setFocus();
    table.setCurrentIndex(p.objects.model().index(0, 0));
    QTest::keyClick(&table, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(p.cell(0, LineColumn::Name) + "," + p.cell(1, LineColumn::Name), "Улица,Холл");
    QCOMPARE(table.currentIndex().row(), 1);
    QTest::keyClick(&table, Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(p.cell(2, LineColumn::Name), "Холл");
    QTest::keyClick(&table, Qt::Key_Delete);
    QTest::keyClick(&table, Qt::Key_Insert);
    QCOMPARE(p.cell(2, LineColumn::Name), "Линия 3");
    QTest::keyClick(&table, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&table, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(p.cell(2, LineColumn::Name), "Холл");
    QTest::keyClick(&table, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&table, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(p.objects.model().lineObject(), *object::ReadObjectFile(path_).object);
    QVERIFY(!p.objects.isWindowModified());
    QTest::keyClick(&table, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(p.cell(0, LineColumn::Name), "Улица");
  }

  void fieldKeys_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("triggered");
    QTest::addColumn<QString>("text");  // the field's after a "7" typed and the keys
    // clang-format off
    QTest::newRow("title, open in calculator") << "objectTitle" << "Ctrl+L" << "loadLine" << 1 << "Школа7";
    QTest::newRow("limit, duplicate") << "lossLimit" << "Ctrl+Shift+D" << "duplicateLine" << 1 << "57";
    QTest::newRow("title, undo typing") << "objectTitle" << "Ctrl+Z" << "undo" << 0 << "Школа";
    QTest::newRow("limit, undo typing") << "lossLimit" << "Ctrl+Z" << "undo" << 0 << "5";
    // clang-format on
  }
  // A menu key runs its item from the title or the limit even where the field claims the key;
  // the field's own editing keys stay with it, though the object has a change to undo.
  void fieldKeys() {
    QFETCH(QString, field);
    QFETCH(QString, keys);
    QFETCH(QString, action);
    QFETCH(int, triggered);
    QFETCH(QString, text);
    Program p(path_);
    p.edit(0, LineColumn::Power, "50");
    p.objects.table().setCurrentIndex(p.objects.model().index(0, 0));
    p.activate();
    auto* edit = p.objects.findChild<QLineEdit*>(field);
    edit->setFocus();
    edit->end(false);
    ClaimEveryKey claim;
    edit->installEventFilter(&claim);
    QTest::keyClicks(edit, "7");
    QSignalSpy spy(p.objects.findChild<QAction*>(action), &QAction::triggered);
    QTest::keySequence(edit, QKeySequence(keys));
    QCOMPARE(spy.count(), triggered);
    QCOMPARE(edit->text(), text);
  }

  // Inputs first, then what a user scans for; moved or hidden from the header's menu, and so
  // again in the next run.
  void columns_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("shown");
    QTest::newRow("as they come") << "" << kDefaultColumns;
    QTest::newRow("first moved right")
        << "Переместить столбец вправо"
        << QString(kDefaultColumns).replace("Линия|Материал", "Материал|Линия");
    QTest::newRow("first hidden") << "Линия" << kDefaultColumns.mid(6);
  }
  void columns() {
    QFETCH(QString, chosen);
    QFETCH(QString, shown);
    {
      Program p(path_);
      QWidget* header = p.objects.table().horizontalHeader()->viewport();
      const QStringList offered = ThroughContextMenu(header, chosen);
      QCOMPARE(offered.first() + "|" + offered.last(),
               "Переместить столбец влево|Восстановить столбцы по умолчанию");
      QCOMPARE(ShownColumns(p.objects.table()), shown);
    }
    Program next;
    QCOMPARE(ShownColumns(next.objects.table()), shown);
    next.objects.columns().restoreDefault();
    QCOMPARE(ShownColumns(next.objects.table()), kDefaultColumns);
  }

  // A number cell takes a number with nothing but blanks after it; anything else is refused
  // with a message and the cell keeps its text.
  void strictCells_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString nbsp = QString(QChar(0x00A0));
    // clang-format off
    QTest::newRow("Cyrillic О after a length") << int(LineColumn::Length) << "12О" << kRefused.arg("Длина (м)", "12О");
    QTest::newRow("Cyrillic О after a power") << int(LineColumn::Power) << "1О" << kRefused.arg("Мощность (Вт)", "1О");
    QTest::newRow("exponent without digits") << int(LineColumn::R20) << "2e" << kRefused.arg("R20 (Ом/км)", "2e");
    QTest::newRow("letters only") << int(LineColumn::Voltage) << "сто" << kRefused.arg("Напряжение (В)", "сто");
    QTest::newRow("blanks after") << int(LineColumn::Voltage) << "50  " << "";
    QTest::newRow("grouped thousands") << int(LineColumn::Length) << "1" + nbsp + "000" << "";
    QTest::newRow("emptied R20: the table's") << int(LineColumn::R20) << "" << "";
    QTest::newRow("a name is any text") << int(LineColumn::Name) << "12О" << "";
    // clang-format on
  }
  void strictCells() {
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, message);
    Program p(path_);
    const QModelIndex index = p.objects.model().index(0, column);
    const QString before = index.data(Qt::EditRole).toString();
    p.edit(0, LineColumn(column), text);
    QTest::qWait(0);
    QCOMPARE(p.messages.join(""), message);
    QCOMPARE(index.data(Qt::EditRole).toString(), message.isEmpty() ? text : before);
    QCOMPARE(p.objects.undoStack().count(), message.isEmpty() ? 1 : 0);
  }

  // In an open drop-down the arrows only look; Enter commits and moves down, Tab commits and
  // moves on, Escape leaves the cell as it was.
  void dropDownKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("section");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("Enter") << int(Qt::Key_Return) << "4.0" << 1 << int(LineColumn::Section);
    QTest::newRow("Tab") << int(Qt::Key_Tab) << "4.0" << 0 << int(LineColumn::Length);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << "1.5" << 0 << int(LineColumn::Section);
  }
  void dropDownKeys() {
    QFETCH(int, key);
    QFETCH(QString, section);
    QFETCH(int, row);
    QFETCH(int, column);
    Program p(path_);
    p.activate();
    QTableView& table = p.objects.table();
    table.setFocus();
    table.setCurrentIndex(p.objects.model().index(0, int(LineColumn::Section)));
    QTest::keyClick(&table, Qt::Key_F2);
    auto* box = table.findChild<QComboBox*>("choiceEditor");
    QVERIFY(box != nullptr);
    QTest::keyClick(box, Qt::Key_Down);
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->currentText(), "4.0");
    QCOMPARE(p.cell(0, LineColumn::Section), "1.5");
    QTest::keyClick(box, Qt::Key(key));
    QCOMPARE(p.cell(0, LineColumn::Section), section);
    QCOMPARE(table.currentIndex(), p.objects.model().index(row, column));
    QCOMPARE(p.objects.undoStack().count(), section == "1.5" ? 0 : 1);
  }

  // Every change is undone under its own Russian name; a deletion asks nothing and says how.
  void undoTexts() {
    Program p(path_);
    auto* undo = p.objects.findChild<QAction*>("undo");
    QCOMPARE(undo->text(), "&Отменить");
    const auto undoneAs = [&](const QString& name, const QString& status = {}) {
      QCOMPARE(undo->text(), "&Отменить: " + name);
      QCOMPARE(p.objects.statusBar()->currentMessage(), status);
      p.objects.undoStack().undo();
      QCOMPARE(p.objects.findChild<QAction*>("redo")->text(), "&Повторить: " + name);
      p.objects.statusBar()->clearMessage();
    };
    p.edit(1, LineColumn::Section, "4.0");
    undoneAs("изменение сечения (строка 2)");
    p.edit(1, LineColumn::Count, "12");
    undoneAs("изменение количества громкоговорителей (строка 2)");
    p.objects.model().editTitle("Школа № 6");
    undoneAs("изменение названия объекта");
    p.objects.table().setCurrentIndex(p.objects.model().index(0, 0));
    p.objects.findChild<QAction*>("moveLineDown")->trigger();
    undoneAs("перемещение линии (строка 1 → 2)");
    p.objects.table().setCurrentIndex(p.objects.model().index(0, 0));
    p.objects.findChild<QAction*>("deleteLine")->trigger();
    undoneAs("удаление линии (строка 1)", "Линия «Холл» удалена. Отменить: Ctrl+Z");
  }

  // The thinnest section allowed starts the search, is applied to the selected lines in one
  // undoable step, and is kept in the object, and so in its file, while it is set.
  void minSectionAppliedAndKept() {
    Program p(path_);
    auto* minimum = p.objects.findChild<QComboBox*>("minSection");
    QCOMPARE(minimum->currentText(), "нет");
    QCOMPARE(p.cell(0, LineColumn::SmallestSection), "нет");
    minimum->setCurrentIndex(minimum->findText("10.0"));
    QCOMPARE(p.cell(1, LineColumn::SmallestSection), "10.0");
    p.objects.table().selectAll();
    p.objects.applyMinSection();
    QCOMPARE(p.cell(0, LineColumn::Section) + "|" + p.cell(1, LineColumn::Section), "1.5|10.0");
    QCOMPARE(p.objects.model().lineObject().lines[1].inputs.r20, std::nullopt);
    QCOMPARE(p.objects.statusBar()->currentMessage(),
             "Сечение изменено в линиях: 1. Нет достаточного сечения: «Холл».");
    QCOMPARE(p.objects.findChild<QAction*>("undo")->text(),
             "&Отменить: применение мин. сечения (строка 2)");
    QCOMPARE(p.objects.model().lineObject().minSection, std::optional(10));  // what a save writes
    p.objects.undoStack().undo();
    QCOMPARE(p.cell(1, LineColumn::Section), "2.5");
    p.objects.undoStack().undo();
    QCOMPARE(minimum->currentText(), "нет");
    QCOMPARE(p.objects.model().lineObject().minSection, std::nullopt);
    WriteFile(path_, ReadFile(path_).replace("\"version\": 1,",
                                             "\"version\": 2, \"minSection\": \"4.0\","));
    QVERIFY(p.objects.openFile(path_));
    QCOMPARE(minimum->currentText(), "4.0");
    QCOMPARE(p.objects.undoStack().count(), 0);
  }

  // Every line goes into the calculator as the value the object read from each text, so the
  // calculator's figures are the object's; a line whose R20 no field can hold does not go.
  void lineIntoCalculator_data() {
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("loss");  // pinned where it was once wrong; empty: as the object's
    QTest::addColumn<QString>("message");
    // clang-format off
    QTest::newRow("R20 with a comma") << Line("\"16,2\"") << "2.92" << "";
    QTest::newRow("R20 with an exponent") << Line("\"2e1\"") << "3.61" << "";
    QTest::newRow("length past the field's length") << Line("null", "1" + QByteArray(100, ' ') + "0") << "0.23" << "";
    QTest::newRow("negative R20") << Line("\"-1\"") << "" << "Линия «Спортзал»: Сопротивление линии отрицательное: проверьте длину кабеля, температуру и R20";
    QFile example(QStringLiteral(LINECALC_EXAMPLES "/school.linecalc"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    const QByteArray text = example.readAll();
    const qsizetype lines = text.indexOf("\"lines\": \x5B") + 10;
    QTest::newRow("the example's lines") << text.mid(lines, text.lastIndexOf('\x5D') - lines) << "" << "";
    // clang-format on
  }
  void lineIntoCalculator() {
    QFETCH(QByteArray, lines);
    QFETCH(QString, loss);
    QFETCH(QString, message);
    const QString path = dir_.filePath("lines.linecalc");
    WriteFile(path, ObjectJson("Т", "10", lines));
    Program p(path);
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
    Program p(path);
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
    QTest::newRow("a number") << " 7,5 " << QString();
    QTest::newRow("no limit") << "" << QString();
  }
  void limitFieldRefuses() {
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    const QString path = dir_.filePath("limit.linecalc");
    WriteFile(path, ObjectJson("Т", "5", Line("null")));
    Program p(path);
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
    p.objects.undoStack().undo();
    QCOMPARE(field->text(), "5");
  }

  // Ctrl+S asks before it overwrites what another program wrote; the save dialog adds the
  // suffix itself, so that it asks before overwriting a file of that name too.
  void overwriteAsked() {
    const QString path = dir_.filePath("object.linecalc");
    WriteFile(path, ObjectJson("Т", "5", Line("null")));
    Program p(path);
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
    // clang-format off
    QTest::newRow("new bare name") << "nosuffix" << "nosuffix.linecalc" << false;
    QTest::newRow("bare name of a file") << "object" << QString() << true;
    // clang-format on
  }
  void saveDialogAddsSuffix() {
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    QFETCH(bool, asked);
    WriteFile(dir_.filePath("object.linecalc"), "прежний");
    watchdog_ = std::make_unique<ModalWatchdog>(5000);  // the dialog's own widgets answer first
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

  // "Экспорт в Excel…": the path the user gives, what is written there and what the user is told.
  void exportWorkbook_data() {
    QTest::addColumn<QString>("answer");  // the dialog's, under the test's folder
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("told");  // message box, or status bar after "|"
    QTest::newRow("written") << "школа.xlsx" << true << "|Таблица сохранена в «%1».";
    QTest::newRow("cancelled") << "" << false << "|";
    QTest::newRow("missingFolder")
        << "нет/школа.xlsx" << false << "Не удается записать файл «%1»: папка «%2» не существует.|";
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
                 .replace("%2", QDir::toNativeSeparators(dir.filePath("нет"))));
  }

 private:
  std::unique_ptr<ModalWatchdog> watchdog_;
  QTemporaryDir dir_;
  QString path_;
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::ObjectWindowTest)
#include "object_window_test.moc"

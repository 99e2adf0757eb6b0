#include <QAction>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QUndoStack>
#include <QtTest>

#include "object/amplifier_table.h"
#include "object/line_table.h"
#include "tests/ui/window_fixture.h"
#include "ui/object/amplifier_table_model.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_window.h"

namespace linecalc::ui::test {
namespace {

using object::AmplifierColumn;
using object::LineColumn;

// Copper 1.5 mm², 120 m at 20 °C and 100 V: a single load of 100 W and a uniform one of 60 W,
// both on У1 (240 W): 160 W with the reserve of 20 % needs 192 W. У2 (70 V) feeds nothing.
object::LineObject TwoAmplifiers() {
  object::LineObject object;
  object.title = "Школа";
  const LineInputs single{Material::Copper, 6,     "120", "20", "100", std::nullopt,
                          LoadKind::Single, "100", ""};
  LineInputs uniform = single;
  uniform.load = LoadKind::Uniform;
  uniform.power = "6";
  uniform.count = "10";
  object.lines = {{"Зал", single, "У1"}, {"Двор", uniform, "У1"}};
  object.amplifiers = {{"У1", "240", "100"}, {"У2", "120", "70"}};
  return object;
}

// Загрузка | Запас | Итог of amplifier `row`, as shown.
QString Load(AmplifierTableModel& model, int row) {
  QStringList cells;
  for (const AmplifierColumn column : {AmplifierColumn::Lines, AmplifierColumn::LoadPct,
                                       AmplifierColumn::ReservePct, AmplifierColumn::Verdict}) {
    cells.append(
        model.data(model.index(row, static_cast<int>(column)), Qt::DisplayRole).toString());
  }
  return cells.join(u'|');
}

struct Fixture {
  Fixture() {
    ObjectDialogs dialogs;
    dialogs.message = [this](const QString& text) { messages.append(text); };
    window.setDialogs(dialogs);
    window.model().setLineObject(TwoAmplifiers());
  }
  QString lineAmplifier(int row) {
    LineTableModel& lines = window.model();
    return lines.data(lines.index(row, static_cast<int>(LineColumn::Amplifier)), Qt::DisplayRole)
        .toString();
  }
  ObjectWindow window;
  QStringList messages;
};

class AmplifierWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void cellEdits_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("load");     // of У1 afterwards
    QTest::addColumn<QString>("message");  // empty: accepted
    const int name = static_cast<int>(AmplifierColumn::Name);
    const int power = static_cast<int>(AmplifierColumn::Power);
    const int voltage = static_cast<int>(AmplifierColumn::Voltage);
    const QString unchanged = "Зал; Двор|66.67|50.00|норма";
    const QString kept = "Значение не изменено.";
    // clang-format off
    QTest::newRow("power leaves no reserve") << 0 << power << "160" << "Зал; Двор|100.00|0.00|перегрузка" << "";
    QTest::newRow("power exactly with reserve") << 0 << power << "192,0" << "Зал; Двор|83.33|20.00|норма" << "";
    QTest::newRow("voltage of another system") << 0 << voltage << "70" << "Зал; Двор|66.67|50.00|несовместимо" << "";
    QTest::newRow("power zero") << 0 << power << "0" << unchanged << "Мощность усилителя «0» должна быть числом больше 0 и не более 10000 Вт. " + kept;
    QTest::newRow("voltage fraction") << 0 << voltage << "100.5" << unchanged << "Напряжение усилителя «100.5» должно быть целым числом от 1 до 1000 В. " + kept;
    QTest::newRow("name taken") << 1 << name << "У1" << unchanged << "Усилитель «У1» уже есть. " + kept;
    QTest::newRow("name blank") << 0 << name << " " << unchanged << "У усилителя должно быть название. " + kept;
    // clang-format on
  }
  void cellEdits() {
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, load);
    QFETCH(QString, message);
    Fixture f;
    AmplifierTableModel& model = f.window.amplifierModel();
    QCOMPARE(model.setData(model.index(row, column), text, Qt::EditRole), message.isEmpty());
    QCOMPARE(Load(model, 0), Shown(load));
    QCoreApplication::processEvents();  // the refusal is told once the editor has closed
    QCOMPARE(f.messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(f.window.undoStack().count(), message.isEmpty() ? 1 : 0);
  }

  // A reserve being typed is kept when the object is saved or closed, as the title is.
  void reserveTypedWhenClosing() {
    Fixture f;
    bool asked = false;
    ObjectDialogs dialogs;
    dialogs.askSave = [&asked](const QString&) {
      asked = true;
      return SaveAnswer::Cancel;
    };
    f.window.setDialogs(dialogs);
    f.window.findChild<QLineEdit*>("amplifierReserve")->setText("30");
    QVERIFY(!f.window.maybeSave());
    QVERIFY(asked);
    QCOMPARE(f.window.model().lineObject().amplifierReservePct, "30");
  }

  // Every change of the amplifiers is one undoable step of the window's stack, lines included.
  void undoAndTint() {
    Fixture f;
    AmplifierTableModel& model = f.window.amplifierModel();
    LineTableModel& lines = f.window.model();
    QUndoStack& stack = f.window.undoStack();
    const object::LineObject start = lines.lineObject();
    // Renaming takes the lines along; the lines' cell offers the amplifiers.
    QVERIFY(model.setData(model.index(0, 0), "Стойка 1", Qt::EditRole));
    QCOMPARE(f.lineAmplifier(1), "Стойка 1");
    const QModelIndex cell = lines.index(1, static_cast<int>(LineColumn::Amplifier));
    QCOMPARE(cell.data(LineTableModel::kChoicesRole).toStringList(),
             (QStringList{"(нет)", "Стойка 1", "У2"}));
    // The cell's editor is a drop-down of exactly those, starting at the line's own.
    f.window.table().edit(cell);
    auto* box = f.window.table().findChild<QComboBox*>("choiceEditor");
    QVERIFY(box != nullptr);
    QCOMPARE(box->count(), 3);
    QCOMPARE(box->currentText(), "Стойка 1");
    QCOMPARE(box->accessibleName(), "Усилитель");
    QTest::keyClick(box, Qt::Key_Escape);
    // Двор moves to У2, which is of 70 V.
    QVERIFY(lines.setData(cell, "У2", Qt::EditRole));
    QCOMPARE(Load(model, 1), Shown("Двор|50.00|100.00|несовместимо"));
    QCOMPARE(Load(model, 0), Shown("Зал|41.67|140.00|норма"));
    // With a reserve of 100 %, 100 W still fit on 240 W, and 150 W do not.
    auto* reserve = f.window.findChild<QLineEdit*>("amplifierReserve");
    QVERIFY(reserve != nullptr);
    QCOMPARE(reserve->accessibleName(), "Запас мощности усилителей, %");
    QCOMPARE(reserve->nextInFocusChain(), &f.window.table());
    reserve->setText("140");
    emit reserve->editingFinished();
    QCOMPARE(f.messages, QStringList{"Запас мощности усилителей «140» должен быть числом от 0 до "
                                     "100 % (пусто — 20 %). Значение не изменено."});
    QCOMPARE(reserve->text(), "");
    reserve->setText("100");
    emit reserve->editingFinished();
    QCOMPARE(Load(model, 0), Shown("Зал|41.67|140.00|норма"));
    QVERIFY(
        lines.setData(lines.index(0, static_cast<int>(LineColumn::Power)), "150", Qt::EditRole));
    QCOMPARE(Load(model, 0), Shown("Зал|62.50|60.00|перегрузка"));
    QCOMPARE(model.data(model.index(0, 0), Qt::BackgroundRole).value<QColor>(),
             QColor(255, 214, 214));
    QCOMPARE(model.data(model.index(1, 0), Qt::BackgroundRole).value<QColor>(),
             QColor(255, 236, 196));
    // Deleting an amplifier frees its lines; adding one names it anew.
    auto* remove = f.window.findChild<QAction*>("deleteAmplifier");
    auto* add = f.window.findChild<QAction*>("addAmplifier");
    QVERIFY(remove != nullptr && add != nullptr);
    QCOMPARE(f.window.amplifierTable().accessibleName(), "Усилители объекта");
    // Delete in the amplifiers' table deletes the amplifier, not a line.
    f.window.show();
    QApplication::setActiveWindow(&f.window);
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    f.window.amplifierTable().setFocus();
    f.window.amplifierTable().setCurrentIndex(model.index(1, 0));
    QTest::keyClick(&f.window.amplifierTable(), Qt::Key_Delete);
    QCOMPARE(lines.rowCount(), 2);
    QCOMPARE(f.lineAmplifier(1), "");
    QCOMPARE(model.rowCount(), 1);
    add->trigger();
    QCOMPARE(lines.lineObject().amplifiers.back(), (object::Amplifier{"У1", "240", "100"}));
    QCOMPARE(stack.count(), 6);
    QCOMPARE(stack.undoText(), "добавление усилителя");
    while (stack.canUndo()) {
      stack.undo();
    }
    QCOMPARE(lines.lineObject(), start);
    QCOMPARE(Load(model, 0), Shown("Зал; Двор|66.67|50.00|норма"));
    QCOMPARE(reserve->text(), "");
    stack.redo();
    QCOMPARE(f.lineAmplifier(0), "Стойка 1");
  }
};

}  // namespace
}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::AmplifierWindowTest)
#include "amplifier_window_test.moc"

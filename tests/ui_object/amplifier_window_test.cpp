#include <QAction>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QUndoStack>
#include <QtTest>
#include <tuple>

#include "object/line_table.h"
#include "tests/ui/window_fixture.h"
#include "ui/object/amplifier_table_model.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_window.h"

namespace linecalc::ui::test {
namespace {

using object::LineColumn;
using enum object::AmplifierColumn;

class AmplifierWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Every change of the amplifiers is one undoable step of the window's stack, lines included.
  void editsUndoAndTint() {
    // Copper 1.5 mm², 120 m at 20 °C and 100 V: a single load of 100 W and a uniform one of 60 W,
    // both on У1 (240 W): 160 W with the reserve of 20 % needs 192 W. У2 (70 V) feeds nothing.
    // clang-format off
    const object::LineObject start{"Школа", "", std::nullopt, {
      {"Зал", {Material::Copper, 6, "120", "20", "100", {}, LoadKind::Single, "100", ""}, "У1"},
      {"Двор", {Material::Copper, 6, "120", "20", "100", {}, LoadKind::Uniform, "6", "10"}, "У1"}},
      {{"У1", "240", "100"}, {"У2", "120", "70"}}, ""};
    // clang-format on
    ObjectWindow window;  // its messages recorded, its question about saving counted and cancelled
    QStringList messages;
    int asked = 0;
    ObjectDialogs dialogs;
    dialogs.message = [&messages](const QString& text) { messages.append(text); };
    dialogs.askSave = [&asked](const QString&) {
      ++asked;
      return SaveAnswer::Cancel;
    };
    window.setDialogs(dialogs);
    window.model().setLineObject(start);
    AmplifierTableModel& model = window.amplifierModel();
    LineTableModel& lines = window.model();
    QUndoStack& stack = window.undoStack();
    const QModelIndex cell = lines.index(1, static_cast<int>(LineColumn::Amplifier));
    const auto load = [&model](int row) {  // Линии | Нагрузка | Загрузка | Запас | Итог, as shown
      QStringList cells;
      for (int column = static_cast<int>(Lines); column <= static_cast<int>(Verdict); ++column) {
        cells.append(model.index(row, column).data().toString());
      }
      return cells.join(u'|');
    };
    // A refused cell is told why, once its editor has closed, and stays as it was.
    // clang-format off
    for (const auto& [row, column, text, message] : {
             std::tuple{0, Power, "0", "Мощность усилителя «0» должна быть числом больше 0 и не более 10000 Вт."},
             std::tuple{0, Voltage, "100.5", "Напряжение усилителя «100.5» должно быть целым числом от 1 до 1000 В."},
             std::tuple{1, Name, "У1", "Усилитель «У1» уже есть."},
             std::tuple{0, Name, " ", "У усилителя должно быть название."}}) {
      // clang-format on
      QVERIFY(!model.setData(model.index(row, static_cast<int>(column)), text, Qt::EditRole));
      QCoreApplication::processEvents();
      QCOMPARE(messages.takeFirst(), QString(message) + " Значение не изменено.");
    }
    QCOMPARE(stack.count(), 0);  // nor anything changed: all is undone to the start below
    // A power typed with a comma; 192 W is exactly 160 W with the reserve of 20 %.
    QVERIFY(model.setData(model.index(0, static_cast<int>(Power)), "192,0", Qt::EditRole));
    QCOMPARE(load(0), Shown("Зал; Двор|160.00|83.33|20.00|норма"));
    stack.undo();
    // A reserve being typed is kept when the object is saved or closed, as the title is.
    auto* reserve = window.findChild<QLineEdit*>("amplifierReserve");
    QCOMPARE(reserve->accessibleName(), "Запас мощности усилителей, %");
    QCOMPARE(reserve->nextInFocusChain(), &window.table());
    reserve->setText("30");
    QVERIFY(!window.maybeSave());
    QCOMPARE(asked, 1);
    QCOMPARE(lines.lineObject().amplifierReservePct, "30");
    // Renaming takes the lines along; the lines' cell offers the amplifiers, in a drop-down of
    // exactly those starting at the line's own.
    QVERIFY(model.setData(model.index(0, 0), "Стойка 1", Qt::EditRole));
    QCOMPARE(cell.data(LineTableModel::kChoicesRole).toStringList(),
             (QStringList{"(нет)", "Стойка 1", "У2"}));
    window.table().edit(cell);
    auto* box = window.table().findChild<QComboBox*>("choiceEditor");
    QVERIFY(box != nullptr);
    QCOMPARE(box->currentText(), "Стойка 1");
    QCOMPARE(box->accessibleName(), "Усилитель");
    QTest::keyClick(box, Qt::Key_Escape);
    // Двор moves to У2, which is of 70 V.
    QVERIFY(lines.setData(cell, "У2", Qt::EditRole));
    QCOMPARE(load(1), Shown("Двор|60.00|50.00|100.00|несовместимо"));
    QCOMPARE(load(0), Shown("Зал|100.00|41.67|140.00|норма"));
    // With a reserve of 100 %, 150 W do not fit on 240 W (with 30 % they would).
    reserve->setText("140");
    emit reserve->editingFinished();
    QCOMPARE(messages, QStringList{"Запас мощности усилителей «140» должен быть числом от 0 до "
                                   "100 % (пусто — 20 %). Значение не изменено."});
    QCOMPARE(reserve->text(), "30");
    reserve->setText("100");
    emit reserve->editingFinished();
    QVERIFY(
        lines.setData(lines.index(0, static_cast<int>(LineColumn::Power)), "150", Qt::EditRole));
    QCOMPARE(load(0), Shown("Зал|150.00|62.50|60.00|перегрузка"));
    QCOMPARE(model.index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 214, 214));
    QCOMPARE(model.index(1, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 236, 196));
    // Delete in the amplifiers' table deletes the amplifier, not a line, and frees its lines;
    // adding one names it anew.
    QCOMPARE(window.amplifierTable().accessibleName(), "Усилители объекта");
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.amplifierTable().setFocus();
    window.amplifierTable().setCurrentIndex(model.index(1, 0));
    QTest::keyClick(&window.amplifierTable(), Qt::Key_Delete);
    QCOMPARE(lines.rowCount(), 2);
    QCOMPARE(cell.data().toString(), "");
    QCOMPARE(model.rowCount(), 1);
    window.findChild<QAction*>("addAmplifier")->trigger();
    QCOMPARE(lines.lineObject().amplifiers.back(), (object::Amplifier{"У1", "240", "100"}));
    QCOMPARE(stack.count(), 7);
    QCOMPARE(stack.undoText(), "добавление усилителя");
    stack.setIndex(0);
    QCOMPARE(lines.lineObject(), start);
    QCOMPARE(load(0), Shown("Зал; Двор|160.00|66.67|50.00|норма"));
    QCOMPARE(reserve->text(), "");
    stack.redo();
    QCOMPARE(reserve->text(), "30");
  }
};

}  // namespace
}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::AmplifierWindowTest)
#include "amplifier_window_test.moc"

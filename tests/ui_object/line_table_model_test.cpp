#include <QColor>
#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>
#include <vector>

#include "object/line_table.h"
#include "tests/ui/window_fixture.h"
#include "ui/object/line_table_model.h"

namespace linecalc::ui::test {
namespace {

// Copper 1.5 mm², 1000 m at 20 °C, 100 V, a typed R20 of 2, 100 W at the end: Rл 2.05. Figures
// are worked by hand from R20 × (1 + α (t + 5)) / 1.08 × L / 1000, U² / Рвх and the divider.
object::ObjectLine Line(const std::string& name) {
  return {name, {Material::Copper, 6, "1000", "20", "100", "2", LoadKind::Single, "100", ""}};
}

// Three such lines, А, Б and В, with a limit of 5 %.
object::LineObject Object() {
  return {"Школа № 5", "5", std::nullopt, {Line("А"), Line("Б"), Line("В")}, {}, ""};
}

using object::LineColumn;
using enum object::LineColumn;  // after the lines, whose Material is the cable's

const auto Col = [](LineColumn column) { return static_cast<int>(column); };

// The texts of `columns` of `row`, joined by "|".
QString Cells(const LineTableModel& model, int row, std::initializer_list<LineColumn> columns,
              int role = Qt::DisplayRole) {
  QStringList cells;
  for (const LineColumn column : columns) {
    cells.append(model.data(model.index(row, Col(column)), role).toString());
  }
  return cells.join(u'|');
}

const std::initializer_list<LineColumn> kFigures{RLine, JMax, ZLoad, URes, PRes, LossPct, Verdict};
const QString kBase = "2.05|23.00|100.00|97.99|96.02|3.98|норма";

}  // namespace

class LineTableModelTest : public QObject {
  Q_OBJECT

 private slots:
  void editCell_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("figures");
    // clang-format off
    QTest::newRow("name") << Col(Name) << "Улица, вход" << kBase;
    QTest::newRow("material") << Col(Material) << "алюминий" << "2.05|23.00|100.00|97.99|96.03|3.97|норма";
    QTest::newRow("section") << Col(Section) << "2.5" << "2.05|30.00|100.00|97.99|96.02|3.98|норма";
    QTest::newRow("length") << Col(Length) << "500" << "1.03|23.00|100.00|98.98|97.98|2.02|норма";
    QTest::newRow("temperature") << Col(Temperature) << "0" << "1.89|23.00|100.00|98.14|96.32|3.68|норма";
    QTest::newRow("voltage") << Col(Voltage) << "50" << "2.05|23.00|25.00|46.21|85.41|14.59|превышение";
    QTest::newRow("R20 typed") << Col(R20) << "4" << "4.10|23.00|100.00|96.06|92.27|7.73|превышение";
    QTest::newRow("R20 emptied: the table's") << Col(R20) << "" << "27.28|23.00|100.00|78.57|61.73|38.27|превышение";
    QTest::newRow("power") << Col(Power) << "50" << "2.05|23.00|200.00|98.98|48.99|2.02|норма";
    QTest::newRow("power refused") << Col(Power) << "6000" << "2.05|23.00|||||отказ";
    // clang-format on
  }
  // Only the edited row is recomputed and announced; the other keeps its figures. The verdict is
  // told in words first: the tint only repeats what Итог and its tooltip say.
  void editCell() {
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, figures);
    LineTableModel model;
    QUndoStack stack;
    model.setUndoStack(&stack);
    model.setLineObject(Object());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(1, column), text, Qt::EditRole));
    QCOMPARE(Cells(model, 1, kFigures), Shown(figures));
    QCOMPARE(model.data(model.index(1, column), Qt::EditRole).toString(), text);
    QCOMPARE(Cells(model, 0, kFigures) + Cells(model, 2, kFigures), Shown(kBase + kBase));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex().row(), 1);
    QCOMPARE(changed[0][1].toModelIndex().row(), 1);
    QCOMPARE(stack.count(), 1);
    const QString note = figures.endsWith(u"норма") ? ""
                         : figures.endsWith(u"превышение")
                             ? "Потери выше предела 5 %"
                             : "Введите значение мощности в диапазоне от 1 до 5000 Вт";
    QCOMPARE(Cells(model, 1, {Verdict}, Qt::ToolTipRole), note);
    QCOMPARE(Cells(model, 1, {Verdict}, Qt::AccessibleDescriptionRole), note);
    QCOMPARE(model.data(model.index(1, 0), Qt::BackgroundRole).value<QColor>().isValid(),
             !note.isEmpty());
  }

  // Every kind of edit, undone one by one back to the opened object and redone; a choice outside
  // its list or the same text is no edit; only a uniform load has a count; a limit reassesses all.
  void editsUndoneAndRedone() {
    LineTableModel model;
    QUndoStack stack;
    model.setUndoStack(&stack);
    model.setLineObject(Object());
    const auto set = [&model](int row, LineColumn column, const QString& text) {
      return model.setData(model.index(row, Col(column)), text, Qt::EditRole);
    };
    for (const LineColumn column : {Material, Section, Load, LossPct}) {
      QVERIFY(!set(0, column, "3.0"));
    }
    QVERIFY(set(0, Length, "1000"));
    QCOMPARE(stack.count(), 0);
    std::vector<object::LineObject> states{model.lineObject()};
    const QMetaObject::Connection record =
        connect(&stack, &QUndoStack::indexChanged, [&] { states.push_back(model.lineObject()); });
    QVERIFY(!(model.flags(model.index(2, Col(Count))) & Qt::ItemIsEditable));
    set(2, Load, "равномерная");
    QVERIFY(model.flags(model.index(2, Col(Count))) & Qt::ItemIsEditable);
    set(2, Count, "10");
    set(2, Power, "6");
    QCOMPARE(Cells(model, 2, {Load, Count, ZLoad, Verdict}), "равномерная|10||норма");
    QVERIFY(!Cells(model, 2, {CascadeVoltage}).isEmpty());
    model.editLossLimit("3,5");
    QCOMPARE(Cells(model, 0, {Verdict}), "превышение");
    QCOMPARE(Cells(model, 1, {Verdict, SmallestSection}), "превышение|нет");  // not even 10 mm²
    model.editLossLimit("");
    QCOMPARE(Cells(model, 1, {Verdict, SmallestSection}), "|");
    set(0, Length, "250");
    set(1, R20, "");
    set(2, Material, "алюминий");
    model.addLine(3, Line("Г"), "add");
    model.moveLine(3, 0);
    model.deleteLine(2);
    model.editTitle("Корпус Б");
    model.editLossLimit("1");
    disconnect(record);
    QCOMPARE(stack.count(), 13);
    for (auto state = states.rbegin() + 1; state != states.rend(); ++state) {
      stack.undo();
      QCOMPARE(model.lineObject(), *state);
    }
    QCOMPARE(Cells(model, 1, kFigures), Shown(kBase));
    for (auto state = states.begin() + 1; state != states.end(); ++state) {
      stack.redo();
      QCOMPARE(model.lineObject(), *state);
    }
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::LineTableModelTest)
#include "line_table_model_test.moc"

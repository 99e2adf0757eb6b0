#include <QColor>
#include <QSignalSpy>
#include <QUndoStack>
#include <QtTest>
#include <functional>
#include <vector>

#include "object/line_table.h"
#include "tests/ui/window_fixture.h"
#include "ui/object/line_table_model.h"

namespace linecalc::ui::test {
namespace {

using object::LineColumn;

int Col(LineColumn column) {
  return static_cast<int>(column);
}

// Copper 1.5 mm², 1000 m at 20 °C, 100 V, a typed R20 of 2, 100 W at the end: Rл 2.05.
object::ObjectLine Line(const std::string& name) {
  return {name, {Material::Copper, 6, "1000", "20", "100", "2", LoadKind::Single, "100", ""}};
}

object::LineObject Object(std::vector<std::string> names, const std::string& limit = "5") {
  object::LineObject object;
  object.title = "Школа № 5";
  object.lossLimitPct = limit;
  for (const std::string& name : names) {
    object.lines.push_back(Line(name));
  }
  return object;
}

QString Cell(const LineTableModel& model, int row, LineColumn column, int role = Qt::DisplayRole) {
  return model.data(model.index(row, Col(column)), role).toString();
}

// Rл | Jмакс | Zнагр | Uрез | Ррез | Потери (%) | Итог
QString Figures(const LineTableModel& model, int row) {
  QStringList cells;
  for (LineColumn column :
       {LineColumn::RLine, LineColumn::JMax, LineColumn::ZLoad, LineColumn::URes, LineColumn::PRes,
        LineColumn::LossPct, LineColumn::Verdict}) {
    cells.append(Cell(model, row, column));
  }
  return cells.join(u'|');
}

const QString kBase = "2.05|23.00|100.00|97.99|96.02|3.98|норма";

}  // namespace

// Expected figures are worked by hand from R20 × (1 + α (t + 5)) / 1.08 × L / 1000, U² / Рвх
// and the divider with Rл; the limit is 5 %.
class LineTableModelTest : public QObject {
  Q_OBJECT

 private slots:
  void editCell_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("figures");
    // clang-format off
    QTest::newRow("name") << Col(LineColumn::Name) << "Улица, вход" << kBase;
    QTest::newRow("material") << Col(LineColumn::Material) << "алюминий" << "2.05|23.00|100.00|97.99|96.03|3.97|норма";
    QTest::newRow("section") << Col(LineColumn::Section) << "2.5" << "2.05|30.00|100.00|97.99|96.02|3.98|норма";
    QTest::newRow("length") << Col(LineColumn::Length) << "500" << "1.03|23.00|100.00|98.98|97.98|2.02|норма";
    QTest::newRow("temperature") << Col(LineColumn::Temperature) << "0" << "1.89|23.00|100.00|98.14|96.32|3.68|норма";
    QTest::newRow("voltage") << Col(LineColumn::Voltage) << "50" << "2.05|23.00|25.00|46.21|85.41|14.59|превышение";
    QTest::newRow("R20 typed") << Col(LineColumn::R20) << "4" << "4.10|23.00|100.00|96.06|92.27|7.73|превышение";
    QTest::newRow("R20 emptied: the table's") << Col(LineColumn::R20) << "" << "27.28|23.00|100.00|78.57|61.73|38.27|превышение";
    QTest::newRow("power") << Col(LineColumn::Power) << "50" << "2.05|23.00|200.00|98.98|48.99|2.02|норма";
    QTest::newRow("power refused") << Col(LineColumn::Power) << "6000" << "2.05|23.00|||||отказ";
    // clang-format on
  }
  // Only the edited row is recomputed and announced; the other keeps its figures.
  void editCell() {
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, figures);
    LineTableModel model;
    QUndoStack stack;
    model.setUndoStack(&stack);
    model.setLineObject(Object({"А", "Б", "В"}));
    QCOMPARE(Figures(model, 1), Shown(kBase));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QVERIFY(model.setData(model.index(1, column), text, Qt::EditRole));
    QCOMPARE(Figures(model, 1), Shown(figures));
    QCOMPARE(model.data(model.index(1, column), Qt::EditRole).toString(), text);
    QCOMPARE(Figures(model, 0), Shown(kBase));
    QCOMPARE(Figures(model, 2), Shown(kBase));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed[0][0].toModelIndex().row(), 1);
    QCOMPARE(changed[0][1].toModelIndex().row(), 1);
    QCOMPARE(stack.count(), 1);
  }

  void loadKind() {
    LineTableModel model;
    model.setLineObject(Object({"А"}));
    QVERIFY(!(model.flags(model.index(0, Col(LineColumn::Count))) & Qt::ItemIsEditable));
    QVERIFY(model.setData(model.index(0, Col(LineColumn::Load)), "равномерная", Qt::EditRole));
    QVERIFY(model.flags(model.index(0, Col(LineColumn::Count))) & Qt::ItemIsEditable);
    QVERIFY(model.setData(model.index(0, Col(LineColumn::Count)), "10", Qt::EditRole));
    QVERIFY(model.setData(model.index(0, Col(LineColumn::Power)), "6", Qt::EditRole));
    QCOMPARE(Cell(model, 0, LineColumn::Load), "равномерная");
    QCOMPARE(Cell(model, 0, LineColumn::Count), "10");
    QCOMPARE(Cell(model, 0, LineColumn::ZLoad), "");
    QVERIFY(!Cell(model, 0, LineColumn::CascadeVoltage).isEmpty());
    QCOMPARE(Cell(model, 0, LineColumn::Verdict), "норма");
  }

  // Words first: the tint only repeats what Итог and the tooltip say.
  void verdictsInWords_data() {
    QTest::addColumn<QString>("power");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("tinted");
    // clang-format off
    QTest::newRow("within") << "100" << "норма" << "" << false;
    QTest::newRow("exceeded") << "1000" << "превышение" << "Потери выше предела 5 %" << true;
    QTest::newRow("refused") << "0" << "отказ"
                             << "Введите значение мощности в диапазоне от 1 до 5000 Вт" << true;
    // clang-format on
  }
  void verdictsInWords() {
    QFETCH(QString, power);
    QFETCH(QString, verdict);
    QFETCH(QString, note);
    QFETCH(bool, tinted);
    LineTableModel model;
    model.setLineObject(Object({"А"}));
    QVERIFY(model.setData(model.index(0, Col(LineColumn::Power)), power, Qt::EditRole));
    QCOMPARE(Cell(model, 0, LineColumn::Verdict), verdict);
    QCOMPARE(Cell(model, 0, LineColumn::Verdict, Qt::ToolTipRole), note);
    QCOMPARE(Cell(model, 0, LineColumn::Verdict, Qt::AccessibleDescriptionRole), note);
    const QVariant tint = model.data(model.index(0, 0), Qt::BackgroundRole);
    QCOMPARE(tint.canConvert<QColor>() && tint.value<QColor>().isValid(), tinted);
  }

  void choiceOutsideTheListRefused() {
    LineTableModel model;
    QUndoStack stack;
    model.setUndoStack(&stack);
    model.setLineObject(Object({"А"}));
    for (const int column : {Col(LineColumn::Material), Col(LineColumn::Section),
                             Col(LineColumn::Load), Col(LineColumn::LossPct)}) {
      QVERIFY(!model.setData(model.index(0, column), "3.0", Qt::EditRole));
    }
    QVERIFY(model.setData(model.index(0, Col(LineColumn::Length)), "1000", Qt::EditRole));
    QCOMPARE(stack.count(), 0);  // the same text again is no edit
    QCOMPARE(model.lineObject(), Object({"А"}));
  }

  void limitReassessesEveryLine() {
    LineTableModel model;
    QUndoStack stack;
    model.setUndoStack(&stack);
    model.setLineObject(Object({"А", "Б"}));
    model.editLossLimit("3,5");
    QCOMPARE(Cell(model, 0, LineColumn::Verdict) + Cell(model, 1, LineColumn::Verdict),
             "превышениепревышение");
    QCOMPARE(Cell(model, 1, LineColumn::SmallestSection), "нет");  // not even 10 mm²
    model.editLossLimit("");
    QCOMPARE(Cell(model, 1, LineColumn::Verdict) + Cell(model, 1, LineColumn::SmallestSection), "");
    stack.undo();
    stack.undo();
    QCOMPARE(Cell(model, 1, LineColumn::Verdict), "норма");
  }

  // Every kind of edit, undone one by one back to the opened object and redone to the end.
  void undoRedoRestoreExactly() {
    LineTableModel model;
    QUndoStack stack;
    model.setUndoStack(&stack);
    model.setLineObject(Object({"А", "Б", "В"}));
    std::vector<object::LineObject> states{model.lineObject()};
    const auto edit = [&](const std::function<void()>& change) {
      change();
      states.push_back(model.lineObject());
    };
    edit([&] { model.setData(model.index(0, Col(LineColumn::Length)), "250", Qt::EditRole); });
    edit([&] { model.setData(model.index(1, Col(LineColumn::R20)), "", Qt::EditRole); });
    edit([&] {
      model.setData(model.index(2, Col(LineColumn::Material)), "алюминий", Qt::EditRole);
    });
    edit([&] { model.addLine(3, Line("Г"), "add"); });
    edit([&] { model.moveLine(3, 0); });
    edit([&] { model.deleteLine(2); });
    edit([&] { model.editTitle("Корпус Б"); });
    edit([&] { model.editLossLimit("1"); });
    QCOMPARE(stack.count(), 8);
    for (auto state = states.rbegin() + 1; state != states.rend(); ++state) {
      stack.undo();
      QCOMPARE(model.lineObject(), *state);
    }
    QCOMPARE(Figures(model, 1), Shown(kBase));
    for (auto state = states.begin() + 1; state != states.end(); ++state) {
      stack.redo();
      QCOMPARE(model.lineObject(), *state);
    }
    QCOMPARE(Cell(model, 0, LineColumn::Name), "Г");
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::LineTableModelTest)
#include "line_table_model_test.moc"

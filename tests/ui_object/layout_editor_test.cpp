#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTreeView>
#include <QUndoStack>
#include <QtTest>
#include <utility>

#include "object/line_table.h"
#include "tests/ui/window_fixture.h"
#include "ui/object/layout_editor.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_window.h"

namespace linecalc::ui::test {
namespace {

using Column = LayoutTreeModel::Column;

// Copper 1.5 mm², R20 typed as 20 Ohm/km, 20 °C, 100 V: 100 m to a 10 W loudspeaker with a
// branch of 20 m to two of 5 W, then 50 m to one of 20 W (the sheet's test works it out by hand).
object::ObjectLine SmallLayout() {
  object::ObjectLine line{"Коридор",
                          {Material::Copper, 6, "", "20", "100", "20", LoadKind::Layout, "", ""}};
  line.inputs.layout.stretches = {{"100", "", {{"1", "10"}}, {{{"20", "", {{"2", "5"}}, {}}}}},
                                  {"50", "", {{"1", "20"}}, {}}};
  return line;
}

// "100:1x10[20:2x5];50*10:1x20": each stretch's length, "*" and its repeats when given, its
// groups as count x tap, its branches in brackets.
QString Outline(const StretchList& list) {
  QStringList stretches;
  for (const Stretch& s : list) {
    QStringList groups;
    for (const SpeakerGroup& g : s.speakers) {
      groups.append(QString::fromStdString(g.count + "x" + g.power));
    }
    QString text = QString::fromStdString(s.repeat.empty() ? s.length : s.length + "*" + s.repeat);
    text += u':' + groups.join(u',');
    for (const StretchList& branch : s.branches) {
      text += u'[' + Outline(branch) + u']';
    }
    stretches.append(text);
  }
  return stretches.join(u';');
}

// "addStretch 0.1", "removeLayoutItem 0", "text 1 Repeat 10": an action of the editor, or an
// edit in place, at an item given by its rows from the top.
void Run(LayoutEditor& editor, const QString& op) {
  const QStringList words = op.split(u' ');
  std::vector<int> path;
  for (const QString& row : words[1].split(u'.')) {
    path.push_back(row.toInt());
  }
  const QModelIndex at = editor.treeModel().indexOf(path);
  QVERIFY2(at.isValid(), qPrintable(op));
  editor.treeView().setCurrentIndex(at);
  if (words[0] != u"text") {
    editor.findChild<QAction*>(words[0])->trigger();
    return;
  }
  const auto column =
      static_cast<int>(QStringList{"Item", "Length", "Repeat", "Count", "Power"}.indexOf(words[2]));
  QVERIFY(editor.treeModel().setData(at.siblingAtColumn(column), words[3], Qt::EditRole));
}

// The loudspeaker table's rows, their cells joined by "|", the rows by "/".
QString SpeakerRows(const QTableWidget& table) {
  QStringList rows;
  for (int r = 0; r < table.rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < table.columnCount(); ++c) {
      cells.append(table.item(r, c)->text());
    }
    rows.append(cells.join(u'|'));
  }
  return rows.join(u'/');
}

}  // namespace

class LayoutEditorTest : public QObject {
  Q_OBJECT

 private slots:
  // Each command and edit in place is one undo step named for it. Undone, the line is back exactly,
  // its loudspeakers in the layout's order as the sheet prints them, a text being typed previewed
  // uncommitted until Escape, a refused one told with no loudspeakers; redone, the edited layout.
  void edits_data() {
    QTest::addColumn<QString>("ops");
    QTest::addColumn<QString>("outline");
    QTest::addColumn<QString>("undoText");  // of the last, after "схема линии: "
    // clang-format off
    QTest::newRow("length in place") << "text 0 Length 35" << "35:1x10[20:2x5];50:1x20" << "изменение длины участка";
    QTest::newRow("repeat") << "text 1 Repeat 10" << "100:1x10[20:2x5];50*10:1x20" << "изменение числа повторов участка";
    QTest::newRow("tap") << "text 0.0 Power 6" << "100:1x6[20:2x5];50:1x20" << "изменение мощности отвода";
    QTest::newRow("count in a branch") << "text 0.1.0.0 Count 3" << "100:1x10[20:3x5];50:1x20" << "изменение количества громкоговорителей";
    QTest::newRow("stretch after the first") << "addStretch 0" << "100:1x10[20:2x5];100:1x10;50:1x20" << "добавление участка";
    QTest::newRow("stretch in a branch") << "addStretch 0.1" << "100:1x10[20:2x5;10:1x6];50:1x20" << "добавление участка";
    QTest::newRow("branch") << "addBranch 1.0" << "100:1x10[20:2x5];50:1x20[10:1x6]" << "добавление ответвления";
    QTest::newRow("speakers") << "addSpeakers 1" << "100:1x10[20:2x5];50:1x20,1x20" << "добавление громкоговорителей";
    QTest::newRow("remove a group") << "removeLayoutItem 0.0" << "100:[20:2x5];50:1x20" << "удаление громкоговорителей";
    QTest::newRow("remove a branch") << "removeLayoutItem 0.1" << "100:1x10;50:1x20" << "удаление ответвления";
    QTest::newRow("remove a stretch") << "removeLayoutItem 0" << "50:1x20" << "удаление участка";
    QTest::newRow("several") << "addStretch 1;text 2 Length 7;removeLayoutItem 0.1" << "100:1x10;50:1x20;7:1x20" << "удаление ответвления";
    // clang-format on
  }
  void edits() {
    QFETCH(QString, ops);
    QFETCH(QString, outline);
    QFETCH(QString, undoText);
    QUndoStack stack;
    LineTableModel model;
    model.setUndoStack(&stack);
    model.setLineObject({"", "", std::nullopt, {SmallLayout()}, {}, ""});
    LayoutEditor editor(model, stack, 0);
    for (const QString& op : ops.split(u';')) {
      Run(editor, op);
    }
    QCOMPARE(Outline(model.lineObject().lines[0].inputs.layout.stretches), outline);
    QCOMPARE(Outline(editor.treeModel().layout().stretches), outline);
    QCOMPARE(stack.count(), ops.count(u';') + 1);
    QCOMPARE(stack.undoText(), "схема линии: " + undoText + " (строка 1)");
    stack.setIndex(0);
    QVERIFY(model.lineObject().lines[0] == SmallLayout());
    QCOMPARE(Outline(editor.treeModel().layout().stretches), QString("100:1x10[20:2x5];50:1x20"));
    const auto speakers = [&editor] { return SpeakerRows(editor.speakerTable()); };
    QCOMPARE(speakers(), Shown("1|100.00|10.00|99.19|9.84|-0.07/2|120.00|5.00|99.15|4.92|-0.07/"
                               "3|120.00|5.00|99.15|4.92|-0.07/4|150.00|20.00|98.98|19.60|-0.09"));
    QCOMPARE(editor.summary().text(),
             Shown("Pном = 40.00 Вт (N = 4 ") + "шт.); " +
                 Shown("Ррез = 39.26 Вт; U · I = 39.63 Вт; в проводах 0.37 Вт\nПотери 1.84 % "
                       "(0.08 дБ); Uмин = 98.98 В (падение 1.02 %, уровень -0.09 дБ); Zвх = "
                       "252.33 Ом"));
    QVERIFY(editor.refusal().text().isEmpty());
    editor.show();
    editor.treeView().edit(editor.treeModel().indexOf({1}).siblingAtColumn(Column::Length));
    auto* cell = editor.treeView().findChild<QLineEdit*>();
    QVERIFY(cell != nullptr);
    cell->selectAll();
    QTest::keyClicks(cell, "0");
    QCOMPARE(speakers().section(u'/', 3), Shown("4|100.00|20.00|99.19|19.68|-0.07"));
    QTest::keyClick(cell, Qt::Key_Escape);
    QCOMPARE(speakers().section(u'/', 3), Shown("4|150.00|20.00|98.98|19.60|-0.09"));
    editor.preview(editor.treeModel().indexOf({1, 0}).siblingAtColumn(Column::Power), "0");
    QCOMPARE(editor.refusal().text(), "Введите значение мощности в диапазоне от 1 до 100 Вт");
    QCOMPARE(editor.speakerTable().rowCount(), 0);
    QCOMPARE(stack.index(), 0);
    stack.setIndex(stack.count());
    QCOMPARE(Outline(model.lineObject().lines[0].inputs.layout.stretches), outline);
  }

  // A uniform line turned into a layout, by the command or by choosing "схема": N stretches of
  // L / N with one loudspeaker of Pгр at the end of each, one undo step that gives the line
  // back exactly; a line at the end of the line gets one stretch of its length; a uniform load
  // the layout cannot take is left as it is.
  void convert() {
    const object::ObjectLine uniform{
        "Улица",
        {Material::Aluminium, 7, "300", "0", "100", std::nullopt, LoadKind::Uniform, "6", "8"}};
    object::ObjectLine single = uniform, tooMany = uniform;
    single.inputs.load = LoadKind::Single;
    single.inputs.power = "40";
    tooMany.inputs.count = "1001";
    const object::LineObject start{"", "", std::nullopt, {uniform, single, tooMany}, {}, ""};
    ObjectWindow window;
    ObjectDialogs dialogs;
    dialogs.message = [](const QString& text) { QFAIL(qPrintable(text)); };
    window.setDialogs(dialogs);
    LineTableModel& model = window.model();
    model.setLineObject(start);
    auto* edit = window.findChild<QAction*>("editLayout");
    auto* toLayout = window.findChild<QAction*>("convertToLayout");
    window.table().setCurrentIndex(model.index(2, 0));
    toLayout->trigger();
    QVERIFY(window.statusBar()->currentMessage().contains("нельзя преобразовать в схему"));
    window.table().setCurrentIndex(model.index(1, 0));
    QCOMPARE(std::pair(edit->isEnabled(), toLayout->isEnabled()), std::pair(false, false));
    window.table().setCurrentIndex(model.index(0, 0));
    QCOMPARE(std::pair(edit->isEnabled(), toLayout->isEnabled()), std::pair(false, true));
    toLayout->trigger();
    QCOMPARE(Outline(model.lineObject().lines[0].inputs.layout.stretches), "37.5*8:1x6");
    QCOMPARE(window.undoStack().undoText(), "преобразование в схему (строка 1)");
    QCOMPARE(std::pair(edit->isEnabled(), toLayout->isEnabled()), std::pair(true, false));
    edit->trigger();
    QVERIFY(window.findChild<LayoutEditor*>() != nullptr);
    window.undoStack().undo();
    QCOMPARE(model.lineObject(), start);
    QTRY_VERIFY(window.findChild<LayoutEditor*>() == nullptr);
    const int load = static_cast<int>(object::LineColumn::Load);
    model.setData(model.index(0, load), "схема", Qt::EditRole);
    model.setData(model.index(1, load), "схема", Qt::EditRole);
    QCOMPARE(Outline(model.lineObject().lines[0].inputs.layout.stretches), "37.5*8:1x6");
    QCOMPARE(Outline(model.lineObject().lines[1].inputs.layout.stretches), "300:1x40");
    QCOMPARE(window.undoStack().undoText(), "изменение вида нагрузки (строка 2)");
    window.undoStack().setIndex(0);
    QCOMPARE(model.lineObject(), start);
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::LayoutEditorTest)
#include "layout_editor_test.moc"

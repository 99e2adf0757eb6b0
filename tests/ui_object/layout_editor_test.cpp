#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>
#include <QTableWidget>
#include <QTreeView>
#include <QUndoStack>
#include <QtTest>

#include "object/line_table.h"
#include "tests/ui/window_fixture.h"
#include "ui/object/layout_editor.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_window.h"

Q_DECLARE_METATYPE(linecalc::object::ObjectLine)

namespace linecalc::ui::test {
namespace {

using Column = LayoutTreeModel::Column;

// Copper 1.5 mm², R20 typed as 20 Ohm/km, 20 °C, 100 V: 100 m to a 10 W loudspeaker with a
// branch of 20 m to two of 5 W, then 50 m to one of 20 W (the sheet's test works it out by hand).
object::ObjectLine SmallLayout() {
  object::ObjectLine line{"Коридор",
                          {Material::Copper, 6, "", "20", "100", "20", LoadKind::Layout, "", ""}};
  line.inputs.layout.stretches = {
      {"100", "", {{"1", "10"}}, {{{"20", "", {{"2", "5"}}, {}}}}},
      {"50", "", {{"1", "20"}}, {}},
  };
  return line;
}

// "100:1x10[20:2x5];50*10:1x20": each stretch's length, "*" and its repeats when given, its
// groups as count x tap, its branches in brackets.
QString Outline(const StretchList& list) {
  QStringList stretches;
  for (const Stretch& s : list) {
    QString text = QString::fromStdString(s.length);
    if (!s.repeat.empty()) {
      text += u'*' + QString::fromStdString(s.repeat);
    }
    QStringList groups;
    for (const SpeakerGroup& g : s.speakers) {
      groups.append(QString::fromStdString(g.count + "x" + g.power));
    }
    text += u':' + groups.join(u',');
    for (const StretchList& branch : s.branches) {
      text += u'[' + Outline(branch) + u']';
    }
    stretches.append(text);
  }
  return stretches.join(u';');
}

std::vector<int> Path(const QString& text) {
  std::vector<int> path;
  for (const QString& row : text.split(u'.')) {
    path.push_back(row.toInt());
  }
  return path;
}

// "addStretch 0.1", "remove 0", "text 1 Repeat 10": a command of the editor at an item.
void Run(LayoutEditor& editor, const QString& op) {
  const QStringList words = op.split(u' ');
  const QModelIndex at = editor.treeModel().indexOf(Path(words[1]));
  QVERIFY2(at.isValid(), qPrintable(op));
  editor.treeView().setCurrentIndex(at);
  if (words[0] == u"addStretch") {
    editor.addStretch();
  } else if (words[0] == u"addBranch") {
    editor.addBranch();
  } else if (words[0] == u"addSpeakers") {
    editor.addSpeakers();
  } else if (words[0] == u"remove") {
    editor.removeItem();
  } else {
    const auto column = static_cast<int>(
        QStringList{"Item", "Length", "Repeat", "Count", "Power"}.indexOf(words[2]));
    QVERIFY(editor.treeModel().setData(at.siblingAtColumn(column), words[3], Qt::EditRole));
  }
}

QStringList SpeakerRows(const QTableWidget& table) {
  QStringList rows;
  for (int r = 0; r < table.rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < table.columnCount(); ++c) {
      cells.append(table.item(r, c)->text());
    }
    rows.append(cells.join(u'|'));
  }
  return rows;
}

QStringList ShownRows(const QStringList& dotted) {
  QStringList rows;
  for (const QString& row : dotted) {
    rows.append(Shown(row));
  }
  return rows;
}

}  // namespace

class LayoutEditorTest : public QObject {
  Q_OBJECT

 private slots:
  // Each command and edit in place is one undo step named for it; undoing them all gives back
  // the line exactly, and redoing them gives the edited layout again.
  void edits_data() {
    QTest::addColumn<QStringList>("ops");
    QTest::addColumn<QString>("outline");
    QTest::addColumn<QString>("undoText");
    QTest::newRow("length in place") << QStringList{"text 0 Length 35"} << "35:1x10[20:2x5];50:1x20"
                                     << "схема линии: изменение длины участка (строка 1)";
    QTest::newRow("repeat") << QStringList{"text 1 Repeat 10"} << "100:1x10[20:2x5];50*10:1x20"
                            << "схема линии: изменение числа повторов участка (строка 1)";
    QTest::newRow("tap") << QStringList{"text 0.0 Power 6"} << "100:1x6[20:2x5];50:1x20"
                         << "схема линии: изменение мощности отвода (строка 1)";
    QTest::newRow("count in a branch")
        << QStringList{"text 0.1.0.0 Count 3"} << "100:1x10[20:3x5];50:1x20"
        << "схема линии: изменение количества громкоговорителей (строка 1)";
    QTest::newRow("stretch after the first")
        << QStringList{"addStretch 0"} << "100:1x10[20:2x5];100:1x10;50:1x20"
        << "схема линии: добавление участка (строка 1)";
    QTest::newRow("stretch in a branch")
        << QStringList{"addStretch 0.1"} << "100:1x10[20:2x5;10:1x6];50:1x20"
        << "схема линии: добавление участка (строка 1)";
    QTest::newRow("branch") << QStringList{"addBranch 1.0"} << "100:1x10[20:2x5];50:1x20[10:1x6]"
                            << "схема линии: добавление ответвления (строка 1)";
    QTest::newRow("speakers") << QStringList{"addSpeakers 1"} << "100:1x10[20:2x5];50:1x20,1x20"
                              << "схема линии: добавление громкоговорителей (строка 1)";
    QTest::newRow("remove a group") << QStringList{"remove 0.0"} << "100:[20:2x5];50:1x20"
                                    << "схема линии: удаление громкоговорителей (строка 1)";
    QTest::newRow("remove a branch") << QStringList{"remove 0.1"} << "100:1x10;50:1x20"
                                     << "схема линии: удаление ответвления (строка 1)";
    QTest::newRow("remove a stretch") << QStringList{"remove 0"} << "50:1x20"
                                      << "схема линии: удаление участка (строка 1)";
    QTest::newRow("several") << QStringList{"addStretch 1", "text 2 Length 7", "remove 0.1"}
                             << "100:1x10;50:1x20;7:1x20"
                             << "схема линии: удаление ответвления (строка 1)";
  }
  void edits() {
    QFETCH(QStringList, ops);
    QFETCH(QString, outline);
    QFETCH(QString, undoText);
    QUndoStack stack;
    LineTableModel model;
    model.setUndoStack(&stack);
    object::LineObject object;
    object.lines = {SmallLayout()};
    model.setLineObject(object);
    LayoutEditor editor(model, stack, 0);
    for (const QString& op : ops) {
      Run(editor, op);
    }
    const auto layoutNow = [&model] {
      return Outline(model.lineObject().lines[0].inputs.layout.stretches);
    };
    QCOMPARE(layoutNow(), outline);
    QCOMPARE(Outline(editor.treeModel().layout().stretches), outline);
    QCOMPARE(stack.count(), ops.size());
    QCOMPARE(stack.undoText(), undoText);
    while (stack.canUndo()) {
      stack.undo();
    }
    QVERIFY(model.lineObject().lines[0] == SmallLayout());
    QCOMPARE(Outline(editor.treeModel().layout().stretches), QString("100:1x10[20:2x5];50:1x20"));
    while (stack.canRedo()) {
      stack.redo();
    }
    QCOMPARE(layoutNow(), outline);
  }

  // The loudspeaker table in the order of the layout, as the sheet prints it; a text being
  // typed shows its figures before it is committed (nothing on the undo stack) and Escape
  // brings back the line's, and a refused layout shows its message and no loudspeakers.
  void speakerTable() {
    QUndoStack stack;
    LineTableModel model;
    model.setUndoStack(&stack);
    object::LineObject object;
    object.lines = {SmallLayout()};
    model.setLineObject(object);
    LayoutEditor editor(model, stack, 0);
    QCOMPARE(SpeakerRows(editor.speakerTable()),
             ShownRows({"1|100.00|10.00|99.19|9.84|-0.07", "2|120.00|5.00|99.15|4.92|-0.07",
                        "3|120.00|5.00|99.15|4.92|-0.07", "4|150.00|20.00|98.98|19.60|-0.09"}));
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
    QCOMPARE(SpeakerRows(editor.speakerTable()).last(), Shown("4|100.00|20.00|99.19|19.68|-0.07"));
    QTest::keyClick(cell, Qt::Key_Escape);
    QCOMPARE(SpeakerRows(editor.speakerTable()).last(), Shown("4|150.00|20.00|98.98|19.60|-0.09"));
    editor.preview(editor.treeModel().indexOf({1, 0}).siblingAtColumn(Column::Power), "0");
    QCOMPARE(editor.refusal().text(),
             QString("Введите значение мощности в диапазоне от 1 до 100 Вт"));
    QCOMPARE(editor.speakerTable().rowCount(), 0);
    QCOMPARE(stack.count(), 0);
  }

  // A uniform line turned into a layout, by the command or by choosing "схема": N stretches of
  // L / N with one loudspeaker of Pгр at the end of each, one undo step that gives the line
  // back exactly; a line at the end of the line gets one stretch of its length; a uniform load
  // the layout cannot take is left as it is.
  void convert_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<object::ObjectLine>("line");
    QTest::addColumn<QString>("outline");
    QTest::addColumn<QString>("undoText");
    const object::ObjectLine uniform{
        "Улица",
        {Material::Aluminium, 7, "300", "0", "100", std::nullopt, LoadKind::Uniform, "6", "8"}};
    object::ObjectLine single = uniform;
    single.inputs.load = LoadKind::Single;
    single.inputs.power = "40";
    object::ObjectLine tooMany = uniform;
    tooMany.inputs.count = "1001";
    QTest::newRow("command") << "convert" << uniform << "37.5*8:1x6"
                             << "преобразование в схему (строка 1)";
    QTest::newRow("choice") << "choose" << uniform << "37.5*8:1x6"
                            << "изменение вида нагрузки (строка 1)";
    QTest::newRow("choice on a single load") << "choose" << single << "300:1x40"
                                             << "изменение вида нагрузки (строка 1)";
    QTest::newRow("too many to convert") << "convert" << tooMany << ""
                                         << "";
  }
  void convert() {
    QFETCH(QString, how);
    QFETCH(object::ObjectLine, line);
    QFETCH(QString, outline);
    QFETCH(QString, undoText);
    ObjectWindow window;
    ObjectDialogs dialogs;
    dialogs.message = [](const QString& text) { QFAIL(qPrintable(text)); };
    window.setDialogs(dialogs);
    object::LineObject object;
    object.lines = {line};
    window.model().setLineObject(object);
    window.table().setCurrentIndex(window.model().index(0, 0));
    auto* edit = window.findChild<QAction*>("editLayout");
    auto* toLayout = window.findChild<QAction*>("convertToLayout");
    QCOMPARE(edit->isEnabled(), false);
    QCOMPARE(toLayout->isEnabled(), line.inputs.load == LoadKind::Uniform);
    if (how == u"convert") {
      toLayout->trigger();
    } else {
      window.model().setData(window.model().index(0, static_cast<int>(object::LineColumn::Load)),
                             "схема", Qt::EditRole);
    }
    const object::ObjectLine& now = window.model().lineObject().lines[0];
    if (outline.isEmpty()) {
      QVERIFY(now == line);
      QVERIFY(window.statusBar()->currentMessage().contains("нельзя преобразовать в схему"));
      return;
    }
    QCOMPARE(now.inputs.load, LoadKind::Layout);
    QCOMPARE(Outline(now.inputs.layout.stretches), outline);
    QCOMPARE(window.undoStack().undoText(), undoText);
    QCOMPARE(edit->isEnabled(), true);
    QCOMPARE(toLayout->isEnabled(), false);
    edit->trigger();
    auto* editor = window.findChild<LayoutEditor*>();
    QVERIFY(editor != nullptr);
    QCOMPARE(Outline(editor->treeModel().layout().stretches), outline);
    window.undoStack().undo();
    QVERIFY(window.model().lineObject().lines[0] == line);
    QTRY_VERIFY(window.findChild<LayoutEditor*>() == nullptr);
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::LayoutEditorTest)
#include "layout_editor_test.moc"

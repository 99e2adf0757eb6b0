#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "tests/ui/window_fixture.h"

namespace linecalc::ui::test {

class AccessTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QAccessible::setActive(true); }

  void withEveryFigureShown() {
    Window w;
    w.click("Command2");
    w.press("TxtPp: 500 Command1: Space");
    // What a screen reader announces: the caption or unit beside a control (else its name), and
    // its content; result figures take the locale's separator, inputs stay as typed or chosen.
    // clang-format off
    const char* const heard[][3] = {  // control, name, value (a list has none of its own)
        {"CmbDD", "Сечение провода, S (мм.кв):", "0.75"},
        {"CmbL", "Длина кабеля, L (м):", "1"},
        {"CmbT", "Температура окружающей среды, t (°С):", "20"},
        {"TxtU", "Электрическое сопротивление кабеля (2-х жил провода) на 1Км (при 20 гр.С), R20=R10х2", "52.00"},
        {"CmbU", "Укажите напряжение в линии U:", "100"},
        {"TxtPp", "Введите значение мощности для которой необходимо расчитать потери (Рвх)", "500"},
        {"TxtPg", "Мощность громкоговорителя (гр)", "6"},
        {"TxtK", "Количество громкоговорителей", "10"},
        {"Lst", "№           Url(В)          Pгр(Вт)", nullptr},
        {"LblU", "R10 (Ом)", "26.00"},
        {"LblAR", "Rл (Ом)", "0.05"},
        {"LblDJ", "Jмакс (А)", "15.00"},
        {"LblOJ", "Jопт (А)", "10.61"},
        {"LblP", "Рож(Вт)", "1060.50"},
        {"LblZ", "Zнагр (Ом)", "20.00"},
        {"LblUr", "Uрез (В)", "99.73"},
        {"LblPr", "Ррез (Вт)", "497.34"},
        {"LblPot", "П (%)", "0.53"},
        {"Lbl15", "Потери (%)", "0.02"},
        {"Lbl16", "Каскадное напряжение (В)", "99.98"},
    };
    // clang-format on
    for (const auto& [control, name, value] : heard) {
      QAccessibleInterface* access = QAccessible::queryAccessibleInterface(w.get<QWidget>(control));
      QVERIFY2(access != nullptr, control);
      const auto labels = access->relations(QAccessible::Label);
      QCOMPARE(labels.isEmpty() ? access->text(QAccessible::Name)
                                : labels.first().first->text(QAccessible::Name).simplified(),
               name);
      if (value != nullptr) {
        const bool figure = QByteArray(control).startsWith("Lbl");
        QCOMPARE(access->text(QAccessible::Value), figure ? Shown(value) : value);
      }
    }
    // A result field takes neither the focus nor typing, but its figure can be selected with the
    // mouse and copied, in part or whole, through Qt's own read-only menu.
    auto* field = w.get<QLineEdit>("LblPr");
    QTest::mouseDClick(field, Qt::LeftButton, {}, QPoint(10, field->height() / 2));
    QCOMPARE(w.focused(), "Command1");
    QVERIFY(field->hasSelectedText() && field->selectedText() != field->text());
    QCOMPARE(ThroughContextMenu(field, "Копировать"), (QStringList{"Копировать", "Выделить всё"}));
    QCOMPARE(QGuiApplication::clipboard()->text(), field->selectedText());
    field->deselect();
    ThroughContextMenu(field, "Копировать");
    QCOMPARE(QGuiApplication::clipboard()->text(), Shown("497.34"));
    QTest::keyClicks(field, "9");
    QCOMPARE(field->text(), Shown("497.34"));
    // Qt's own menus speak Russian, whatever the system's language.
    for (const QString control : {"TxtPp", "TxtPg", "TxtK", "TxtU", "CmbL", "CmbT", "CmbU"}) {
      QWidget* widget = w.get<QWidget>(control);
      if (auto* list = qobject_cast<QComboBox*>(widget)) {
        widget = list->lineEdit();
      }
      QCOMPARE(control + ": " + ThroughContextMenu(widget).join(u'|'),
               control +
                   ": Отменить действие|Повторить действие|Вырезать|Копировать|Вставить|"
                   "Удалить|Выделить всё");
    }
  }

  // Rows copy under the heading's column names, TAB-separated, in order; none selected: all.
  void reportCopiesAsATable() {
    // clang-format off
    const std::tuple<const char*, bool, int, int> copies[] = {  // keys, through the menu, rows
        {"Lst: Ctrl+C", false, 0, 13}, {"Lst: Down Shift+Down Ctrl+C", false, 1, 2},
        {"", true, 0, 13}, {"Lst: End", true, 12, 1}};
    // clang-format on
    for (const auto& [keys, menu, first, count] : copies) {
      Window w;
      w.click("Command2");
      QGuiApplication::clipboard()->clear();
      w.press(keys);
      QVERIFY(!menu || ThroughContextMenu(w.get<QListWidget>("Lst")->viewport(), "Копировать") ==
                           QStringList{"Копировать"});
      QCOMPARE(QGuiApplication::clipboard()->text(),
               u"№\tUrl(В)\tPгр(Вт)\n"_qs + w.report().mid(first, count).join(u'\n') + u'\n');
    }
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::AccessTest)
#include "access_test.moc"

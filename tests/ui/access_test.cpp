#include <QAccessible>
#include <QAccessibleInterface>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "tests/ui/window_fixture.h"

namespace linecalc::ui::test {
namespace {

const QString kHeading = u"№\tUrl(В)\tPгр(Вт)\n"_qs;

// Both calculations done, so that every result field shows a figure.
void Calculate(Window& w) {
  w.click("Command2");
  w.press("TxtPp: 500 Command1: Space");
}

const QStringList kReadOnlyMenu{"Копировать", "Выделить всё"};

// What a screen reader announces a control by: the caption that labels it, or else its name.
QString AnnouncedName(QAccessibleInterface* access) {
  const auto labels = access->relations(QAccessible::Label);
  return labels.isEmpty() ? access->text(QAccessible::Name)
                          : labels.first().first->text(QAccessible::Name).simplified();
}

}  // namespace

class AccessTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QAccessible::setActive(true); }

  // What a screen reader announces: the caption or unit beside a control, and its content.
  void screenReaderHearsNameAndValue() {
    struct Heard {
      const char* control;
      const char* name;
      const char* value;  // a list has no value of its own
    };
    // clang-format off
    const Heard heardAll[] = {
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
    Window w;
    Calculate(w);
    for (const Heard& heard : heardAll) {
      QAccessibleInterface* access =
          QAccessible::queryAccessibleInterface(w.get<QWidget>(heard.control));
      QVERIFY2(access != nullptr, heard.control);
      QCOMPARE(AnnouncedName(access), heard.name);
      if (heard.value != nullptr) {
        // Result figures take the locale's separator; inputs stay as typed or chosen.
        const QString value = heard.value;
        const bool figure = QString(heard.control).startsWith(u"Lbl");
        QCOMPARE(access->text(QAccessible::Value), figure ? Shown(value) : value);
      }
    }
  }

  // Rows copy under the heading's column names, TAB-separated, in the order of the list.
  void reportCopiesAsATable_data() {
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("menu");  // "Копировать" from the context menu instead of Ctrl+C
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("count");
    // clang-format off
    QTest::newRow("Ctrl+C, none selected: all rows") << "Lst: Ctrl+C" << false << 0 << 13;
    QTest::newRow("Ctrl+C, Shift+Down adds the next") << "Lst: Down Shift+Down Ctrl+C" << false << 1 << 2;
    QTest::newRow("Копировать, none selected") << "" << true << 0 << 13;
    QTest::newRow("Копировать, End selects the last") << "Lst: End" << true << 12 << 1;
    // clang-format on
  }
  void reportCopiesAsATable() {
    QFETCH(QString, keys);
    QFETCH(bool, menu);
    QFETCH(int, first);
    QFETCH(int, count);
    Window w;
    w.click("Command2");
    QGuiApplication::clipboard()->clear();
    w.press(keys);
    if (menu) {
      QCOMPARE(ThroughContextMenu(w.get<QListWidget>("Lst")->viewport(), "Копировать"),
               {"Копировать"});
    }
    const QStringList rows = w.report().mid(first, count);
    QCOMPARE(QGuiApplication::clipboard()->text(), kHeading + rows.join(u'\n') + u'\n');
  }

  // A result field takes neither the focus nor typing, but its figure can be selected with the
  // mouse and copied, in part or whole, through Qt's own read-only menu.
  void resultFieldFigureCopies() {
    Window w;
    Calculate(w);
    auto* field = w.get<QLineEdit>("LblPr");
    QTest::mouseDClick(field, Qt::LeftButton, {}, QPoint(10, field->height() / 2));
    QCOMPARE(w.focused(), "Command1");
    QVERIFY(field->hasSelectedText() && field->selectedText() != field->text());
    QCOMPARE(ThroughContextMenu(field, "Копировать"), kReadOnlyMenu);
    QCOMPARE(QGuiApplication::clipboard()->text(), field->selectedText());
    field->deselect();
    ThroughContextMenu(field, "Копировать");
    QCOMPARE(QGuiApplication::clipboard()->text(), Shown("497.34"));
    QTest::keyClicks(field, "9");
    QCOMPARE(field->text(), Shown("497.34"));
  }

  // Qt's own menus speak Russian, whatever the system's language.
  void standardMenusSpeakRussian() {
    const QString editable =
        "Отменить действие|Повторить действие|Вырезать|Копировать|Вставить|"
        "Удалить|Выделить всё";
    Window w;
    for (const QString control : {"TxtPp", "TxtPg", "TxtK", "TxtU", "CmbL", "CmbT", "CmbU"}) {
      QWidget* widget = w.get<QWidget>(control);
      if (auto* list = qobject_cast<QComboBox*>(widget)) {
        widget = list->lineEdit();
      }
      QCOMPARE(control + ": " + ThroughContextMenu(widget).join(u'|'), control + ": " + editable);
    }
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::AccessTest)
#include "access_test.moc"

// A seeded stream of random user actions on the real window; after each, nothing shown is inf,
// NaN or "-0.00", no window is left open and the window still answers. LINECALC_SOAK_ACTIONS and
// LINECALC_SOAK_SEED set length and seed; a failure names the seed and the action, for a replay.
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>
#include <cfloat>
#include <cmath>
#include <random>

#include "tests/ui/window_fixture.h"

namespace linecalc::ui::test {
namespace {

int FromEnvironment(const char* name, int fallback) {
  return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : fallback;
}

// Huge, tiny and negative numbers, other radixes, commas, exponents, words and other scripts.
const QStringList kTrouble =
    u"1e308|-1e308|1e309|9.9e307|99999999999999999999|32767.5|40000|1e-320|4.9e-324|1e-400|"
    u"0.0000001|-1e-320|&HFF|&hffff|&O777|&o17|&H|&|&O9|&HFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF|12,5|"
    u"1,2,3|,5|1.5,2|2E3|1e+2|5e-1|1e|e5|.|-|+| 1 0 0 ||  |абв|Медь|12В|пять|inf|nan|-nan|"
    u"Infinity|0x1F|1_000|½|١٢٣|１２"_qs.split(u'|') +
    QStringList{QString::number(DBL_MAX, 'f', 0)};

const char* const kLists[] = {"CmbDD", "CmbL", "CmbT", "CmbU"};
const std::pair<const char*, double> kTyped[] = {{"CmbL", 10000}, {"CmbT", 50},    {"CmbU", 100},
                                                 {"TxtU", 100},   {"TxtPp", 5000}, {"TxtPg", 100},
                                                 {"TxtK", 1000}};
const Qt::Key kR20Keys[] = {Qt::Key_7,     Qt::Key_Period,    Qt::Key_Comma,
                            Qt::Key_Minus, Qt::Key_E,         Qt::Key_Space,
                            Qt::Key_Left,  Qt::Key_Backspace, Qt::Key_Delete};
const QRegularExpression kBroken(u"inf|nan|(^|[^0-9])-0[.,]00($|[^0-9])"_qs,
                                 QRegularExpression::CaseInsensitiveOption);

}  // namespace

class SoakTest : public QObject {
  Q_OBJECT

 private slots:
  void randomActionsNeverShowAWrongNumber() {
    const int actions = FromEnvironment("LINECALC_SOAK_ACTIONS", 2000);
    const auto seed = static_cast<unsigned>(FromEnvironment("LINECALC_SOAK_SEED", 20240611));
    // The offscreen platform says, each time a list opens, that it cannot raise it.
    static const QtMessageHandler forward = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
          if (!text.startsWith(u"This plugin does not support"_qs)) {
            forward(type, context, text);
          }
        });
    ModalWatchdog watchdog;
    Window w;
    std::mt19937 rng(seed);
    int messages = 0;  // as a sign that the actions reach the window's checks
    for (int i = 0; i < actions; ++i) {
      QString action, expected, shown;  // the action, and what a field must hold after it
      const auto dice = rng() % 100;
      if (dice < 28) {
        auto* list = w.get<QComboBox>(kLists[rng() % 4]);
        expected = list->itemText(static_cast<int>(rng() % list->count()));
        action = u"choose "_qs + expected + u" in "_qs + list->objectName();
        w.choose(list->objectName(), expected);
        shown = list->currentText();
      } else if (dice < 56) {
        // Half the time a sensible value (log-uniform, so that calculations are often accepted),
        // else trouble; the field's text replaced key by key, R20 letting only digits and "." in.
        const auto& [name, upTo] = kTyped[rng() % std::size(kTyped)];
        const auto kind = static_cast<int>(rng() % 8);
        QString text = kind >= 4 ? kTrouble[static_cast<qsizetype>(rng() % kTrouble.size())] : "";
        if (kind < 4) {
          const double value = std::pow(upTo, std::uniform_real_distribution<double>(0, 1)(rng));
          text = QString::number(value, 'f', kind % 2 ? 0 : kind).prepend(rng() % 10 ? "" : "-");
        }
        action = QStringLiteral("type \"%1\" into %2").arg(text, name);
        auto* list = qobject_cast<QComboBox*>(w.get<QWidget>(name));
        QLineEdit* edit = list ? list->lineEdit() : w.get<QLineEdit>(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        TypeKeys(edit, text);
        // Every field holds at most its maximum length; keys beyond it type nothing.
        const bool r20 = QLatin1StringView(name) == "TxtU";
        expected =
            (r20 ? text.remove(QRegularExpression(u"[^0-9.]"_qs)) : text).left(edit->maxLength());
        shown = edit->text();
      } else if (dice < 66) {
        const Qt::Key key = kR20Keys[rng() % std::size(kR20Keys)];
        action = QStringLiteral("key %1 in TxtU").arg(key);
        QTest::keyClick(w.get<QLineEdit>("TxtU"), key);
      } else if (dice < 74) {
        const QString option = rng() % 2 ? u"Option1"_qs : u"Option2"_qs;
        action = u"click "_qs + option;
        QTest::mouseClick(w.get<QRadioButton>(option), Qt::LeftButton);
      } else {
        const char* button = dice < 87 ? "Command1" : "Command2";
        action = QStringLiteral("press %1 with \"%2\"").arg(button, w.texts("TxtPp TxtPg TxtK"));
        w.click(button);
      }
      const QByteArray where = (u"seed %1, action %2: "_qs.arg(seed).arg(i) + action).toUtf8();
      QVERIFY2(shown == expected, where + ": " + shown.toUtf8());
      messages += static_cast<int>(w.takeMessages().size());
      const QString fields = "LblU LblAR LblDJ LblOJ LblP LblZ LblUr LblPr LblPot Lbl15 Lbl16 TxtU";
      for (const QString& text : w.texts(fields).split(u'|') + w.report()) {
        QVERIFY2(!text.contains(kBroken), where + ": " + text.toUtf8());
      }
      // Nothing left open, and the event loop still delivers a posted call.
      QVERIFY2(!watchdog.fired(), where + ": a real message box opened");
      QVERIFY2(!QApplication::activeModalWidget() && !QApplication::activePopupWidget(), where);
      bool answered = false;
      QMetaObject::invokeMethod(
          &w.form(), [&answered] { answered = true; }, Qt::QueuedConnection);
      for (const QDeadlineTimer deadline(10'000); !answered && !deadline.hasExpired();) {
        QCoreApplication::processEvents();
      }
      QVERIFY2(answered, where);
    }
    qInfo("%d actions, seed %u: %d messages", actions, seed, messages);
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::SoakTest)
#include "soak_test.moc"

// A seeded stream of pseudo-random user actions on the real window. After every action the
// window must never show inf, NaN or "-0.00", must leave no window open and must still answer.
// LINECALC_SOAK_ACTIONS and LINECALC_SOAK_SEED set the length and the seed; a failure names the
// seed, the action and its number, so it can be replayed.
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

using Rng = std::mt19937;

int FromEnvironment(const char* name, int fallback) {
  bool ok = false;
  const int value = qEnvironmentVariableIntValue(name, &ok);
  return ok ? value : fallback;
}

// Huge, tiny and negative numbers, other radixes, commas, exponents, words and other scripts.
const QStringList kTrouble =
    u"1e308|-1e308|1e309|9.9e307|99999999999999999999|32767.5|40000|1e-320|4.9e-324|1e-400|"
    u"0.0000001|-1e-320|&HFF|&hffff|&O777|&o17|&H|&|&O9|&HFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF|12,5|"
    u"1,2,3|,5|1.5,2|2E3|1e+2|5e-1|1e|e5|.|-|+| 1 0 0 ||  |абв|Медь|12В|пять|inf|nan|-nan|"
    u"Infinity|0x1F|1_000|½|١٢٣|１２"_qs.split(u'|') +
    QStringList{QString::number(DBL_MAX, 'f', 0)};

// Something a user might type into a field whose sensible values run up to `upTo`: half the
// time such a value (log-uniform, so that calculations are often accepted), else trouble.
QString AnyText(Rng& rng, double upTo) {
  const auto dice = static_cast<int>(rng() % 8);
  if (dice >= 4) {
    return kTrouble[static_cast<qsizetype>(rng() % kTrouble.size())];
  }
  const double value = std::pow(upTo, std::uniform_real_distribution<double>(0, 1)(rng));
  const QString text = QString::number(value, 'f', dice % 2 ? 0 : dice);
  return rng() % 10 ? text : u'-' + text;
}

bool LooksBroken(const QString& shown) {
  static const QRegularExpression kBroken(u"inf|nan|(^|[^0-9])-0[.,]00($|[^0-9])"_qs,
                                          QRegularExpression::CaseInsensitiveOption);
  return shown.contains(kBroken);
}

const char* const kLists[] = {"CmbDD", "CmbL", "CmbT", "CmbU"};
const std::pair<const char*, double> kTyped[] = {{"CmbL", 10000}, {"CmbT", 50},    {"CmbU", 100},
                                                 {"TxtU", 100},   {"TxtPp", 5000}, {"TxtPg", 100},
                                                 {"TxtK", 1000}};

// The window driven at random; after each action nothing it shows may be broken and it must
// still answer.
class Soak {
 public:
  explicit Soak(unsigned seed) : rng_(seed) { check(); }

  void act() {
    const auto dice = rng_() % 100;
    if (dice < 28) {
      chooseEntry(kLists[rng_() % 4]);
    } else if (dice < 56) {
      const auto& [name, upTo] = kTyped[rng_() % std::size(kTyped)];
      typeText(name, AnyText(rng_, upTo));
    } else if (dice < 66) {
      pressR20Key();
    } else if (dice < 74) {
      const QString option = rng_() % 2 ? u"Option1"_qs : u"Option2"_qs;
      action_ = u"click "_qs + option;
      QTest::mouseClick(w_.get<QRadioButton>(option), Qt::LeftButton);
    } else {
      const char* button = dice < 87 ? "Command1" : "Command2";
      action_ =
          QStringLiteral("press %1 with \"%2\"").arg(button, w_.texts(u"TxtPp TxtPg TxtK"_qs));
      w_.click(button);
    }
    check();
  }

  const QString& lastAction() const { return action_; }
  // The messages the window showed, as a sign that the actions reach its checks.
  int messages() const { return messages_; }

 private:
  void chooseEntry(const char* name) {
    auto* list = w_.get<QComboBox>(name);
    const QString entry = list->itemText(static_cast<int>(rng_() % list->count()));
    action_ = QStringLiteral("choose %1 in %2").arg(entry, name);
    w_.choose(name, entry);
    QCOMPARE(list->currentText(), entry);
  }

  // Replaces the field's text key by key; the R20 field lets only digits and "." through.
  void typeText(const char* name, const QString& text) {
    action_ = QStringLiteral("type \"%1\" into %2").arg(text, name);
    auto* list = qobject_cast<QComboBox*>(w_.get<QWidget>(name));
    QLineEdit* edit = list ? list->lineEdit() : w_.get<QLineEdit>(name);
    const bool r20 = QLatin1StringView(name) == "TxtU";
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QString reaching;
    for (const QChar c : text) {
      TypeKeys(edit, c);
      if (!r20 || (c >= u'0' && c <= u'9') || c == u'.') {
        reaching += c;
      }
    }
    // Every field holds at most its maximum length; keys beyond it type nothing.
    QCOMPARE(edit->text(), reaching.left(edit->maxLength()));
  }

  void pressR20Key() {
    static const Qt::Key kKeys[] = {Qt::Key_7,     Qt::Key_Period,    Qt::Key_Comma,
                                    Qt::Key_Minus, Qt::Key_E,         Qt::Key_Space,
                                    Qt::Key_Left,  Qt::Key_Backspace, Qt::Key_Delete};
    const Qt::Key key = kKeys[rng_() % std::size(kKeys)];
    action_ = QStringLiteral("key %1 in TxtU").arg(key);
    QTest::keyClick(w_.get<QLineEdit>("TxtU"), key);
  }

  void check() {
    messages_ += static_cast<int>(w_.takeMessages().size());
    QStringList shown =
        w_.texts(u"LblU LblAR LblDJ LblOJ LblP LblZ LblUr LblPr LblPot Lbl15 Lbl16 TxtU"_qs)
            .split(u'|');
    shown += w_.report();
    for (const QString& text : shown) {
      QVERIFY2(!LooksBroken(text), qPrintable(text));
    }
    // Nothing left open, and the event loop still delivers a posted call.
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    bool answered = false;
    QMetaObject::invokeMethod(
        &w_.form(), [&answered] { answered = true; }, Qt::QueuedConnection);
    for (const QDeadlineTimer deadline(10'000); !answered && !deadline.hasExpired();) {
      QCoreApplication::processEvents();
    }
    QVERIFY(answered);
  }

  Rng rng_;
  Window w_;
  QString action_;
  int messages_ = 0;
};

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
    Soak soak(seed);
    for (int i = 0; i < actions && !QTest::currentTestFailed(); ++i) {
      soak.act();
      QVERIFY2(!watchdog.fired(), "a real message box opened");
      if (QTest::currentTestFailed()) {
        qWarning("seed %u, action %d: %s", seed, i, qPrintable(soak.lastAction()));
      }
    }
    qInfo("%d actions, seed %u: %d messages", actions, seed, soak.messages());
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::SoakTest)
#include "soak_test.moc"

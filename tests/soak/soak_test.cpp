// A seeded stream of pseudo-random user actions on the real window. After every action the
// window must show exactly what calc makes of its fields as they stand, never inf, NaN or
// "-0.00", and must still answer. LINECALC_SOAK_ACTIONS and LINECALC_SOAK_SEED set the length
// and the seed; a failure names the seed, the action and its number, so it can be replayed.
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>
#include <array>
#include <cfloat>
#include <cmath>
#include <optional>
#include <random>

#include "calc/load_requests.h"
#include "calc/number_format.h"
#include "calc/refresh.h"
#include "calc/startup.h"
#include "calc/tables.h"
#include "tests/ui/window_fixture.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"

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

const QString kReference = u"LblU LblAR LblDJ LblOJ LblP"_qs;
const QString kSingleLoad = u"LblZ LblUr LblPr LblPot"_qs;
const QString kTotals = u"Lbl15 Lbl16"_qs;
const char* const kLists[] = {"CmbDD", "CmbL", "CmbT", "CmbU"};
const std::pair<const char*, double> kTyped[] = {{"CmbL", 10000}, {"CmbT", 50},    {"CmbU", 100},
                                                 {"TxtU", 100},   {"TxtPp", 5000}, {"TxtPg", 100},
                                                 {"TxtK", 1000}};

// The window driven at random beside a model of what it must show: calc's own computation from
// the texts of the fields as they stand.
class Soak {
 public:
  explicit Soak(unsigned seed) : rng_(seed) {
    expectRefresh();
    check();
  }

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
      chooseMaterial(rng_() % 2 == 0);
    } else if (dice < 87) {
      pressSingleLoad();
    } else {
      pressUniformLoad();
    }
    check();
  }

  const QString& lastAction() const { return action_; }
  // Calculations accepted, refused, and stopped by a fault (their own or their refresh's).
  const std::array<int, 3>& outcomes() const { return outcomes_; }

 private:
  void chooseEntry(const char* name) {
    auto* list = w_.get<QComboBox>(name);
    const QString entry = list->itemText(static_cast<int>(rng_() % list->count()));
    action_ = QStringLiteral("choose %1 in %2").arg(entry, name);
    w_.choose(name, entry);
    QCOMPARE(list->currentText(), entry);
    chosen(list);
  }

  void chosen(QComboBox* list) {
    if (list->objectName() == u"CmbDD") {
      line_.SectionIndex = list->currentIndex();
    }
    line_.R20Edited = kFalse;
    expectRefresh();
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
    if (r20 && !reaching.isEmpty()) {
      line_.R20Edited = kTrue;
    }
    // Every field holds at most its maximum length; keys beyond it type nothing.
    QCOMPARE(edit->text(), reaching.left(edit->maxLength()));
  }

  // Typing keys and editing keys; only digits and "." mark the field as typed by the user.
  void pressR20Key() {
    static const Qt::Key kKeys[] = {Qt::Key_7,     Qt::Key_Period,    Qt::Key_Comma,
                                    Qt::Key_Minus, Qt::Key_E,         Qt::Key_Space,
                                    Qt::Key_Left,  Qt::Key_Backspace, Qt::Key_Delete};
    const Qt::Key key = kKeys[rng_() % std::size(kKeys)];
    action_ = QStringLiteral("key %1 in TxtU").arg(key);
    QTest::keyClick(w_.get<QLineEdit>("TxtU"), key);
    if (key == Qt::Key_7 || key == Qt::Key_Period) {
      line_.R20Edited = kTrue;
    }
  }

  // A click on the material already chosen changes nothing and runs nothing.
  void chooseMaterial(bool copper) {
    action_ = copper ? u"click copper"_qs : u"click aluminium"_qs;
    auto* option = w_.get<QRadioButton>(copper ? "Option1" : "Option2");
    const bool change = !option->isChecked();
    QTest::mouseClick(option, Qt::LeftButton);
    if (change) {
      copper_ = copper;
      line_.Alpha = copper ? CopperAlpha : AluminiumAlpha;
      line_.R20Edited = kFalse;
      expectRefresh();
    }
  }

  void pressSingleLoad() {
    action_ = QStringLiteral("Расчитать with \"%1\"").arg(w_.text("TxtPp"));
    const Outcome<double> pIn = AcceptInputPower(w_.text("TxtPp").toStdString());
    w_.click("Command1");
    if (!settle(pIn) || !expectRefresh()) {
      return;
    }
    const auto outcome = RunSingleLoad(std::get<double>(pIn), line_, separator_);
    if (const auto* v = settle(outcome)) {
      single_ = {ToQString(v->ZLoad), ToQString(v->URes), ToQString(v->PRes),
                 ToQString(v->LossPct)};
      ++outcomes_[0];
    }
  }

  void pressUniformLoad() {
    const std::string power = w_.text("TxtPg").toStdString();
    const std::string count = w_.text("TxtK").toStdString();
    action_ = QStringLiteral("uniform load, \"%1\" x \"%2\"").arg(power.c_str(), count.c_str());
    w_.click("Command2");
    if (!expectRefresh()) {
      return;
    }
    const auto outcome = RunUniformLoad(power, count, line_, separator_);
    if (const auto* v = settle(outcome)) {
      report_.clear();
      for (const std::string& line : v->lines) {
        report_.append(ToQString(line));
        QVERIFY2(!LooksBroken(report_.back()), qPrintable(report_.back()));
      }
      QCOMPARE(report_.size(), static_cast<qsizetype>(ReadNumber(count).value()) + 3);
      totals_ = {ToQString(v->UniformLossPct), ToQString(v->CascadeVoltage)};
      ++outcomes_[0];
    }
  }

  // The refresh as the handlers run it. A fault empties the reference values and shows the
  // fault message; the single-load results go either way.
  bool expectRefresh() {
    const std::string length = w_.text("CmbL").toStdString();
    const std::string temperature = w_.text("CmbT").toStdString();
    const std::string voltage = w_.text("CmbU").toStdString();
    const std::string r20 = w_.text("TxtU").toStdString();
    const auto refreshed = ComputeRefresh(line_, {length, temperature, voltage, r20},
                                          line_.R20Edited, copper_, separator_);
    single_ = QStringList(4);
    if (!refreshed) {
      reference_ = QStringList(5);
      messages_.append(kFaultMessage);
      ++outcomes_[2];
      return false;
    }
    const RefreshResult& r = refreshed.value();
    ApplyRefresh(line_, r);
    reference_ = {ToQString(r.R10Text), ToQString(r.RLineText), ToQString(r.JMaxText),
                  ToQString(r.JOptText), ToQString(r.PExpectedText)};
    r20_ = r.R20Text ? std::optional(ToQString(*r.R20Text)) : std::nullopt;
    return true;
  }

  template <typename View>
  const View* settle(const Outcome<View>& outcome) {
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
      messages_.append(ToQString(refusal->message));
    } else if (std::holds_alternative<Fault>(outcome)) {
      messages_.append(kFaultMessage);
    }
    outcomes_[outcome.index()] += outcome.index() == 0 ? 0 : 1;
    return std::get_if<View>(&outcome);
  }

  void check() {
    QCOMPARE(w_.takeMessages(), std::exchange(messages_, {}));
    QCOMPARE(w_.form().state().R20Edited, line_.R20Edited);
    QCOMPARE(w_.texts(kReference), reference_.join(u'|'));
    QCOMPARE(w_.texts(kSingleLoad), single_.join(u'|'));
    QCOMPARE(w_.texts(kTotals), totals_.join(u'|'));
    QCOMPARE(w_.report(), report_);
    if (r20_) {
      QCOMPARE(w_.text("TxtU"), *std::exchange(r20_, std::nullopt));
    }
    for (const QString& shown :
         w_.texts(u"LblU LblAR LblDJ LblOJ LblP LblZ LblUr LblPr LblPot Lbl15 Lbl16 TxtU"_qs)
             .split(u'|')) {
      QVERIFY2(!LooksBroken(shown), qPrintable(shown));
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
  std::string separator_ = QLocale().decimalPoint().toStdString();
  LineState line_ = MakeStartupState(separator_).state;
  bool copper_ = true;
  QString action_;
  QStringList messages_, reference_, single_, totals_{"", ""}, report_;
  std::optional<QString> r20_;  // what the last refresh wrote into TxtU
  std::array<int, 3> outcomes_{};
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
    const auto [accepted, refused, faults] = soak.outcomes();
    qInfo("%d actions, seed %u: %d calculations accepted, %d refused, %d faults", actions, seed,
          accepted, refused, faults);
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::SoakTest)
#include "soak_test.moc"

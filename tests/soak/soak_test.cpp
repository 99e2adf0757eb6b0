// A seeded stream of pseudo-random user actions on the real window. After every action the
// window must show exactly what calc makes of its fields as they stand, never inf, NaN or
// "-0.00", and must still answer. LINECALC_SOAK_ACTIONS and LINECALC_SOAK_SEED set the length
// and the seed; a failure prints the seed and the last actions, so it can be replayed.
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QtTest>
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

template <typename T, std::size_t N>
const T& OneOf(Rng& rng, const T (&options)[N]) {
  return options[rng() % N];
}

// Something a user might type into a field whose sensible values run up to `upTo`: mostly such
// values (log-uniform, so that calculations are often accepted), else every kind of trouble.
QString AnyText(Rng& rng, double upTo) {
  static const char* const kHuge[] = {
      "1e308",
      "-1e308",
      "1e309",
      "9.9e307",
      "99999999999999999999",
      "32767.5",
      "40000",
      "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955"
      "86327668781715404589535143824642343213268894641827684675467035375169860499105765512820762"
      "45490090389328944075868508455133942304583236903222948165808559332123348274797826204144723"
      "168738177180919299881250404026184124858368"};
  static const char* const kTiny[] = {"1e-320", "4.9e-324", "1e-400", "0.0000001", "-1e-320"};
  static const char* const kForms[] = {
      "&HFF",    "&hffff", "&O777", "&o17",
      "&H",      "&",      "&O9",   "&HFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF",
      "12,5",    "1,2,3",  ",5",    "1.5,2",
      "2E3",     "1e+2",   "5e-1",  "1e",
      "e5",      ".",      "-",     "+",
      " 1 0 0 ", "",       "  "};
  static const char* const kWords[] = {"абв",      "Медь", "12В",   "пять", "inf", "nan", "-nan",
                                       "Infinity", "0x1F", "1_000", "½",    "١٢٣", "１２"};
  static const QString kJumble = u"0123456789.,-+eE&HhOo xй"_qs;
  std::uniform_real_distribution<double> unit(0, 1);
  switch (rng() % 8) {
    case 0:
    case 1:
    case 2:
    case 3: {
      const double value = std::pow(upTo, unit(rng));
      const QString text = rng() % 2 ? QString::number(std::round(value))
                                     : QString::number(value, 'f', static_cast<int>(rng() % 4));
      return rng() % 10 ? text : u'-' + text;
    }
    case 4:
      return QString::fromUtf8(OneOf(rng, kHuge));
    case 5:
      return QString::fromUtf8(OneOf(rng, kTiny));
    case 6:
      return QString::fromUtf8(rng() % 2 ? OneOf(rng, kForms) : OneOf(rng, kWords));
    default: {
      QString jumble;
      for (auto n = 1 + rng() % 12; n > 0; --n) {
        jumble += kJumble[static_cast<qsizetype>(rng() % kJumble.size())];
      }
      return jumble;
    }
  }
}

// Sends one key that types `c`; QTest::keyClicks cannot type letters beyond Latin-1.
void TypeKey(QWidget* widget, QChar c) {
  if (c.unicode() < 0x80) {
    QTest::keyClick(widget, c.toLatin1());
  } else {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c),
                        Qt::NoModifier);
  }
}

bool IsR20Character(QChar c) {
  return c.isDigit() && c.unicode() < 0x80 ? true : c == u'.';
}

// Shown text that no user should ever see.
bool LooksBroken(const QString& text) {
  static const QRegularExpression kNegativeZero(u"(^|[^0-9])-0[.,]00($|[^0-9])"_qs);
  return text.contains(u"inf"_qs, Qt::CaseInsensitive) ||
         text.contains(u"nan"_qs, Qt::CaseInsensitive) || text.contains(kNegativeZero);
}

const char* const kLists[] = {"CmbDD", "CmbL", "CmbT", "CmbU"};
const char* const kReference[] = {"LblU", "LblAR", "LblDJ", "LblOJ", "LblP"};
const char* const kSingleLoad[] = {"LblZ", "LblUr", "LblPr", "LblPot"};
const char* const kProgramWritten[] = {"LblU",  "LblAR", "LblDJ",  "LblOJ", "LblP",  "LblZ",
                                       "LblUr", "LblPr", "LblPot", "Lbl15", "Lbl16", "TxtU"};
struct TypedField {
  const char* name;
  double upTo;
};
const TypedField kTyped[] = {{"CmbL", 10000}, {"CmbT", 50},   {"CmbU", 100}, {"TxtU", 100},
                             {"TxtPp", 5000}, {"TxtPg", 100}, {"TxtK", 1000}};

// The window driven at random beside a model of what it must show, which calc computes from the
// texts of the fields as they stand.
class Soak {
 public:
  explicit Soak(unsigned seed) : rng_(seed) {
    line_ = MakeStartupState(separator_).state;
    expectRefresh();
    check();
  }

  void act() {
    const auto dice = rng_() % 100;
    if (dice < 22) {
      chooseEntry(kLists[rng_() % 4]);
    } else if (dice < 30) {
      pressListKey(kLists[rng_() % 4]);
    } else if (dice < 56) {
      typeText(OneOf(rng_, kTyped));
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
  QString tally() const {
    QStringList counts;
    for (auto it = tally_.begin(); it != tally_.end(); ++it) {
      counts.append(QStringLiteral("%1 %2").arg(it.key()).arg(it.value()));
    }
    return counts.join(u", "_qs);
  }

 private:
  void chooseEntry(const char* name) {
    auto* list = w_.get<QComboBox>(name);
    const QString entry = list->itemText(static_cast<int>(rng_() % list->count()));
    action_ = QStringLiteral("choose %1 in %2").arg(entry, name);
    w_.choose(name, entry);
    QCOMPARE(list->currentText(), entry);
    chosen(list);
  }

  // Arrow keys pick the neighbouring entry; Return only ends typing in an editable list.
  void pressListKey(const char* name) {
    auto* list = w_.get<QComboBox>(name);
    const int before = list->currentIndex();
    const auto dice = rng_() % 3;
    action_ = QStringLiteral("key %1 in %2").arg(dice).arg(name);
    if (dice == 2 && list->lineEdit() != nullptr) {
      QTest::keyClick(list->lineEdit(), Qt::Key_Return);
      return;
    }
    QTest::keyClick(list, dice == 0 ? Qt::Key_Up : Qt::Key_Down);
    if (list->currentIndex() != before) {
      chosen(list);
    }
  }

  void chosen(QComboBox* list) {
    if (list->objectName() == u"CmbDD") {
      line_.SectionIndex = list->currentIndex();
    }
    line_.R20Edited = kFalse;
    expectRefresh();
  }

  void typeText(const TypedField& field) {
    const QString text = AnyText(rng_, field.upTo);
    action_ = QStringLiteral("type \"%1\" into %2").arg(text, field.name);
    QWidget* widget = w_.get<QWidget>(field.name);
    auto* list = qobject_cast<QComboBox*>(widget);
    QLineEdit* edit = list ? list->lineEdit() : qobject_cast<QLineEdit*>(widget);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QString reaching;
    for (const QChar c : text) {
      TypeKey(edit, c);
      const bool r20 = QLatin1StringView(field.name) == "TxtU";
      if (!r20 || IsR20Character(c)) {
        reaching += c;
      }
      if (r20 && IsR20Character(c)) {
        line_.R20Edited = kTrue;
      }
    }
    QCOMPARE(edit->text(), reaching);
  }

  void pressR20Key() {
    static const QChar kKeys[] = {u'7', u'0', u'.', u',', u'-', u'e', u' ', u'Ж'};
    static const Qt::Key kEditKeys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                        Qt::Key_Home, Qt::Key_End};
    auto* edit = w_.get<QLineEdit>("TxtU");
    const QString before = edit->text();
    if (rng_() % 2) {
      const QChar c = OneOf(rng_, kKeys);
      action_ = QStringLiteral("key %1 in TxtU").arg(c);
      TypeKey(edit, c);
      if (IsR20Character(c)) {
        line_.R20Edited = kTrue;
      } else {
        QCOMPARE(edit->text(), before);
      }
    } else {
      const Qt::Key key = OneOf(rng_, kEditKeys);
      action_ = QStringLiteral("edit key %1 in TxtU").arg(key);
      QTest::keyClick(edit, key);
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
    action_ = QStringLiteral("Расчитать with Рвх \"%1\"").arg(w_.text("TxtPp"));
    const Outcome<double> pIn = AcceptInputPower(w_.text("TxtPp").toStdString());
    w_.click("Command1");
    if (!settle(pIn) || !expectRefresh()) {
      return;
    }
    const auto outcome = RunSingleLoad(std::get<double>(pIn), line_, separator_);
    if (const auto* view = settle(outcome)) {
      single_ = QStringList{ToQString(view->ZLoad), ToQString(view->URes), ToQString(view->PRes),
                            ToQString(view->LossPct)};
      ++tally_[u"single loads"_qs];
    }
  }

  void pressUniformLoad() {
    const QString power = w_.text("TxtPg");
    const QString count = w_.text("TxtK");
    action_ = QStringLiteral("uniform load with \"%1\" x \"%2\"").arg(power, count);
    w_.click("Command2");
    if (!expectRefresh()) {
      return;
    }
    const auto outcome =
        RunUniformLoad(power.toStdString(), count.toStdString(), line_, separator_);
    if (const auto* view = settle(outcome)) {
      report_.clear();
      for (const std::string& line : view->lines) {
        report_.append(ToQString(line));
      }
      totals_ = QStringList{ToQString(view->UniformLossPct), ToQString(view->CascadeVoltage)};
      const double rows = ReadNumber(count.toStdString()).value();
      QCOMPARE(w_.report().size(), static_cast<qsizetype>(rows) + 3);
      for (const QString& row : w_.report()) {
        QVERIFY2(!LooksBroken(row), qPrintable(row));
      }
      ++tally_[u"uniform reports"_qs];
    }
  }

  // The refresh as the handlers run it, on the texts the window holds now; a fault keeps the
  // labels as they were and shows the fault message.
  bool expectRefresh() {
    const std::string length = w_.text("CmbL").toStdString();
    const std::string temperature = w_.text("CmbT").toStdString();
    const std::string voltage = w_.text("CmbU").toStdString();
    const std::string r20 = w_.text("TxtU").toStdString();
    const auto refreshed = ComputeRefresh(line_, {length, temperature, voltage, r20},
                                          line_.R20Edited, copper_, separator_);
    single_ = QStringList(4);
    if (!refreshed) {
      messages_.append(kFaultMessage);
      ++tally_[u"refresh faults"_qs];
      return false;
    }
    ++tally_[u"refreshes"_qs];
    const RefreshResult& r = refreshed.value();
    ApplyRefresh(line_, r);
    reference_ = QStringList{ToQString(r.R10Text), ToQString(r.RLineText), ToQString(r.JMaxText),
                             ToQString(r.JOptText), ToQString(r.PExpectedText)};
    if (r.R20Text) {
      r20_ = ToQString(*r.R20Text);
    }
    return true;
  }

  template <typename View>
  const View* settle(const Outcome<View>& outcome) {
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
      messages_.append(ToQString(refusal->message));
      ++tally_[u"refusals"_qs];
    } else if (std::holds_alternative<Fault>(outcome)) {
      messages_.append(kFaultMessage);
      ++tally_[u"calculation faults"_qs];
    }
    return std::get_if<View>(&outcome);
  }

  void check() {
    QCOMPARE(w_.takeMessages(), std::exchange(messages_, {}));
    QCOMPARE(w_.form().state().R20Edited, line_.R20Edited);
    for (std::size_t i = 0; i < std::size(kReference); ++i) {
      QCOMPARE(w_.text(kReference[i]), reference_[static_cast<qsizetype>(i)]);
    }
    for (std::size_t i = 0; i < std::size(kSingleLoad); ++i) {
      QCOMPARE(w_.text(kSingleLoad[i]), single_[static_cast<qsizetype>(i)]);
    }
    QCOMPARE(w_.report(), report_);
    QCOMPARE(QStringList({w_.text("Lbl15"), w_.text("Lbl16")}), totals_);
    if (r20_) {
      QCOMPARE(w_.text("TxtU"), *std::exchange(r20_, std::nullopt));
    }
    for (const char* shown : kProgramWritten) {
      QVERIFY2(!LooksBroken(w_.text(shown)), qPrintable(w_.text(shown)));
    }
    checkResponsive();
  }

  // No box or list left open, and the event loop still delivers a posted call.
  void checkResponsive() {
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    bool answered = false;
    QMetaObject::invokeMethod(
        &w_.form(), [&answered] { answered = true; }, Qt::QueuedConnection);
    const QDeadlineTimer deadline(10'000);
    while (!answered && !deadline.hasExpired()) {
      QCoreApplication::processEvents();
    }
    QVERIFY(answered);
  }

  Rng rng_;
  Window w_;
  std::string separator_ = QLocale().decimalPoint().toStdString();
  LineState line_;
  bool copper_ = true;
  QString action_;
  std::optional<QString> r20_;  // what a refresh of this action wrote into TxtU
  QStringList messages_, reference_, single_ = QStringList(4), report_, totals_{"", ""};
  QMap<QString, int> tally_;
};

}  // namespace

class SoakTest : public QObject {
  Q_OBJECT

 private slots:
  void randomActionsNeverShowAWrongNumber() {
    const int actions = FromEnvironment("LINECALC_SOAK_ACTIONS", 2000);
    const auto seed = static_cast<unsigned>(FromEnvironment("LINECALC_SOAK_SEED", 20240611));
    qInfo("%d actions, seed %u", actions, seed);
    // The offscreen platform cannot raise a list's popup or grab the keyboard for it, and says so
    // every time a list opens.
    static const QtMessageHandler forward = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
          if (!text.startsWith(u"This plugin does not support"_qs)) {
            forward(type, context, text);
          }
        });
    ModalWatchdog watchdog;
    Soak soak(seed);
    QStringList trail;
    for (int i = 0; i < actions && !QTest::currentTestFailed(); ++i) {
      soak.act();
      trail.append(soak.lastAction());
      if (trail.size() > 8) {
        trail.removeFirst();
      }
      QVERIFY2(!watchdog.fired(), "a real message box opened");
      if (QTest::currentTestFailed()) {
        qWarning("failed at action %d of seed %u after:\n  %s", i, seed,
                 qPrintable(trail.join(u"\n  "_qs)));
      }
    }
    qInfo("%s", qPrintable(soak.tally()));
  }
};

}  // namespace linecalc::ui::test

LINECALC_UI_TEST_MAIN(linecalc::ui::test::SoakTest)
#include "soak_test.moc"

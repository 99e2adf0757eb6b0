#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLocale>
#include <QTest>
#include <utility>

#include "ui/form1.h"
#include "ui/report_list.h"
#include "ui/russian_translation.h"

namespace linecalc::ui::test {

// Before the application exists: the offscreen platform unless one was chosen, and the locale
// LINECALC_TEST_LOCALE (e.g. "de_DE"), so that the tests also run with a decimal comma.
void PrepareEnvironment();

// `dotted` ("26.00") with the locale's decimal separator, as the window shows numbers.
inline QString Shown(const QString& dotted) {
  return QString(dotted).replace(u'.', QLocale().decimalPoint());
}

// Right-clicks `widget`, triggers the item `chosen` (as the user reads it: no "&", no shortcut)
// in the menu that opens and returns the items the menu offered, separators left out.
QStringList ThroughContextMenu(QWidget* widget, const QString& chosen = {});

// Types `text` key by key, beyond Latin-1 too (the narrow no-break space), as keyClicks cannot.
void TypeKeys(QWidget* widget, const QString& text);

// Closes any modal window that opens, so that a test fails instead of hanging on it.
class ModalWatchdog : public QObject {
 public:
  explicit ModalWatchdog(int intervalMs = 200) { startTimer(intervalMs); }
  bool fired() const { return fired_; }

 private:
  void timerEvent(QTimerEvent*) override {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      fired_ = true;
      modal->close();
    }
  }
  bool fired_ = false;
};

// Shows `window` and waits until it is active.
void Activate(QWidget* window);

// The controls of a window, found by their object names, worked as a user works them.
class Controls {
 public:
  explicit Controls(QWidget* root) : root_(root) {}

  template <typename T>
  T* get(const QString& name) {
    T* child = root_->findChild<T*>(name);
    if (child == nullptr) {
      qFatal("no control %s", qPrintable(name));
    }
    return child;
  }

  // The text a field, result field, choice list or caption shows.
  QString text(const QString& name) {
    auto* list = qobject_cast<QComboBox*>(get<QWidget>(name));
    return list ? list->currentText() : get<QWidget>(name)->property("text").toString();
  }
  // The texts of the blank-separated `names`, joined by "|".
  QString texts(const QString& names);
  // The user's keys, blank-separated: "Name:" tabs on to that control; a word that names a key
  // ("Down", "Alt+Down", "Return", "5", ",") presses it; any other word ("1000") is typed.
  void press(const QString& keys);
  // Picks `entry` from the drop-down of a choice list, as with the keyboard in the open list.
  void choose(const QString& list, const QString& entry);
  void click(const QString& button) { QTest::mouseClick(get<QWidget>(button), Qt::LeftButton); }
  QString focused() const;
  QStringList report() { return get<ReportList>("Lst")->lines(); }

 private:
  QWidget* root_;
};

// The real window, shown and active, with its messages recorded instead of shown.
class Window : public Controls {
 public:
  Window() : Controls(&form_) {
    form_.setMessageSink([this](const QString& text) { messages_.append(text); });
    Activate(&form_);
  }
  Form1& form() { return form_; }
  QStringList takeMessages() { return std::exchange(messages_, {}); }

 private:
  Form1 form_;
  QStringList messages_;
};

}  // namespace linecalc::ui::test

#define LINECALC_UI_TEST_MAIN(TestClass)            \
  int main(int argc, char** argv) {                 \
    linecalc::ui::test::PrepareEnvironment();       \
    QApplication app(argc, argv);                   \
    linecalc::ui::InstallQtRussianTranslation(app); \
    TestClass test;                                 \
    return QTest::qExec(&test, argc, argv);         \
  }

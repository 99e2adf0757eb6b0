#pragma once

#include <QApplication>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTest>
#include <memory>

#include "ui/form1.h"

namespace linecalc::ui::test {

// Forces the offscreen platform unless one was chosen, before the application exists.
void PrepareEnvironment();

// Makes LINECALC_TEST_LOCALE (e.g. "de_DE") the default locale, so that the window tests also
// run where the decimal separator is a comma.
void ApplyLocaleFromEnvironment();

// `dotted` ("26.00") with the locale's decimal separator, as the window shows numbers.
QString Shown(const QString& dotted);

// Closes any modal window that opens, so that a test fails instead of hanging on it.
class ModalWatchdog : public QObject {
 public:
  explicit ModalWatchdog(int intervalMs = 200);
  bool fired() const { return fired_; }

 private:
  bool fired_ = false;
};

// The real window, shown and active, with its messages recorded instead of shown.
class Window {
 public:
  Window();

  Form1& form() { return *form_; }
  template <typename T>
  T* get(const char* name) {
    T* child = form_->findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) {
      qFatal("no control %s", name);
    }
    return child;
  }

  // The text a field, result field or choice list shows.
  QString text(const char* name);
  // Picks `entry` from the drop-down of a choice list, as with the keyboard in the open list.
  void choose(const char* list, const QString& entry);
  // Replaces the text of a text field or of a choice list's edit field by typing `text`.
  void type(const char* field, const QString& text);
  void click(const char* button);
  QString focused() const;
  QStringList report();
  // The messages shown since the last call.
  QStringList takeMessages();

 private:
  std::unique_ptr<Form1> form_;
  QStringList messages_;
};

}  // namespace linecalc::ui::test

#define LINECALC_UI_TEST_MAIN(TestClass)              \
  int main(int argc, char** argv) {                   \
    linecalc::ui::test::PrepareEnvironment();         \
    QApplication app(argc, argv);                     \
    linecalc::ui::test::ApplyLocaleFromEnvironment(); \
    TestClass test;                                   \
    return QTest::qExec(&test, argc, argv);           \
  }

#include "tests/ui/window_fixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>
#include <QWidget>
#include <utility>

#include "ui/report_list.h"
#include "ui/static_text.h"

namespace linecalc::ui::test {

void PrepareEnvironment() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
}

void ApplyLocaleFromEnvironment() {
  const QString name = qEnvironmentVariable("LINECALC_TEST_LOCALE");
  if (!name.isEmpty()) {
    QLocale::setDefault(QLocale(name));
  }
}

QString Shown(const QString& dotted) {
  QString shown = dotted;
  return shown.replace(u'.', QLocale().decimalPoint());
}

ModalWatchdog::ModalWatchdog(int intervalMs) {
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, [this] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      fired_ = true;
      modal->close();
    }
  });
  timer->start(intervalMs);
}

Window::Window() : form_(std::make_unique<Form1>()) {
  form_->setMessageSink([this](const QString& text) { messages_.append(text); });
  form_->show();
  QApplication::setActiveWindow(form_.get());
  if (!QTest::qWaitForWindowActive(form_.get())) {
    qFatal("the window did not become active");
  }
}

QString Window::text(const char* name) {
  QWidget* widget = get<QWidget>(name);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    return edit->text();
  }
  if (auto* list = qobject_cast<QComboBox*>(widget)) {
    return list->currentText();
  }
  return get<QLabel>(name)->text();
}

void Window::choose(const char* list, const QString& entry) {
  auto* combo = get<QComboBox>(list);
  const int row = combo->findText(entry);
  if (row < 0) {
    qFatal("no entry %s", qPrintable(entry));
  }
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  view->setCurrentIndex(view->model()->index(row, combo->modelColumn()));
  QTest::keyClick(view, Qt::Key_Return);
}

void Window::type(const char* field, const QString& text) {
  QWidget* widget = get<QWidget>(field);
  auto* combo = qobject_cast<QComboBox*>(widget);
  QLineEdit* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(widget);
  if (edit == nullptr) {
    qFatal("%s has no text to type into", field);
  }
  edit->setFocus();
  edit->selectAll();
  if (text.isEmpty()) {
    QTest::keyClick(edit, Qt::Key_Delete);
  }
  QTest::keyClicks(edit, text);
}

void Window::click(const char* button) {
  QTest::mouseClick(get<QWidget>(button), Qt::LeftButton);
}

QString Window::focused() const {
  QWidget* focus = QApplication::focusWidget();
  // A choice list's edit field holds the focus on the list's behalf.
  while (focus != nullptr && focus->objectName().isEmpty()) {
    focus = focus->parentWidget();
  }
  return focus ? focus->objectName() : QString();
}

QStringList Window::report() {
  return get<ReportList>("Lst")->lines();
}

QStringList Window::takeMessages() {
  return std::exchange(messages_, {});
}

}  // namespace linecalc::ui::test

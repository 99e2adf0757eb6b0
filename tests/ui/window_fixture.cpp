#include "tests/ui/window_fixture.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

#include "tests/support/test_fonts.h"

namespace linecalc::ui::test {

void PrepareEnvironment() {
  linecalc::test::UseTestFonts();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  // Named as the program names itself, since without an organization Windows keeps no settings;
  // ctest may run the two locales side by side, each with settings of its own.
  const QString locale = qEnvironmentVariable("LINECALC_TEST_LOCALE");
  QCoreApplication::setOrganizationName(locale.isEmpty() ? u"linecalc"_qs
                                                         : u"linecalc-test-"_qs + locale);
  if (!locale.isEmpty()) {
    QLocale::setDefault(QLocale(locale));
  }
}

QStringList ThroughContextMenu(QWidget* widget, const QString& chosen) {
  QStringList offered;
  // Qt's own menus pop up and return at once; a menu of actions blocks until it closes.
  QTimer::singleShot(0, widget, [&offered, chosen] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      for (QAction* action : menu->actions()) {
        offered.append(action->text().section(u'\t', 0, 0).remove(u'&'));
        if (!action->isSeparator() && offered.back() == chosen) {
          action->trigger();
        }
      }
      offered.removeAll(QString());  // the separators
      menu->close();
    }
  });
  const QPoint inside(5, 5);
  QContextMenuEvent event(QContextMenuEvent::Mouse, inside, widget->mapToGlobal(inside));
  QApplication::sendEvent(widget, &event);
  static_cast<void>(QTest::qWaitFor([&offered] { return !offered.isEmpty(); }, 1000));
  return offered;
}

void TypeKeys(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), {});
  }
}

void Activate(QWidget* window) {
  window->show();
  QApplication::setActiveWindow(window);
  if (!QTest::qWaitForWindowActive(window)) {
    qFatal("the window did not become active");
  }
}

QString Controls::texts(const QString& names) {
  QStringList shown;
  for (const QString& name : names.split(u' ', Qt::SkipEmptyParts)) {
    shown.append(text(name));
  }
  return shown.join(u'|');
}

void Controls::press(const QString& keys) {
  for (const QString& word : keys.split(u' ', Qt::SkipEmptyParts)) {
    for (int tabs = 0; word.endsWith(u':') && focused() != word.chopped(1); ++tabs) {
      if (tabs > 20) {
        qFatal("Tab does not reach %s", qPrintable(word));
      }
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // An open drop-down takes the keys while it is open.
    QWidget* target = QApplication::activePopupWidget();
    target = target ? target->focusWidget() : QApplication::focusWidget();
    const QKeySequence key = QKeySequence::fromString(word);
    if (key.count() == 1 && key.toString() == word) {
      QTest::keySequence(target, key);
    } else if (!word.endsWith(u':')) {
      TypeKeys(target, word);
    }
  }
}

void Controls::choose(const QString& list, const QString& entry) {
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

QString Controls::focused() const {
  QWidget* focus = QApplication::focusWidget();
  // A choice list's edit field holds the focus on the list's behalf.
  while (focus != nullptr && focus->objectName().isEmpty()) {
    focus = focus->parentWidget();
  }
  return focus ? focus->objectName() : QString();
}

}  // namespace linecalc::ui::test

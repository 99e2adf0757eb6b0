#include "bench/first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace linecalc::bench {

QuitAfterFirstPaint::QuitAfterFirstPaint(QWidget* window) {
  window->installEventFilter(this);
}

bool QuitAfterFirstPaint::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() == QEvent::Paint && !quitting_) {
    quitting_ = true;
    QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
  }
  return false;
}

}  // namespace linecalc::bench

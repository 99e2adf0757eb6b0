#pragma once

#include <QObject>

class QEvent;
class QWidget;

namespace linecalc::bench {

// Quits the application as soon as `window` has been painted for the first time: the paint of
// the window and of its children completes and reaches the screen first, because the quit is
// queued behind it.
class QuitAfterFirstPaint : public QObject {
 public:
  explicit QuitAfterFirstPaint(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool quitting_ = false;
};

}  // namespace linecalc::bench

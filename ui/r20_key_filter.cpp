#include "ui/r20_key_filter.h"

#include <QKeyEvent>
#include <QWidget>

namespace linecalc::ui {

R20Key JudgeR20Key(const QKeyEvent& event) {
  const QString text = event.text();
  // Tab and Delete come with a control character but type nothing; they keep moving the
  // focus and deleting.
  const bool typesNothing = text.isEmpty() || event.key() == Qt::Key_Tab ||
                            event.key() == Qt::Key_Backtab || event.key() == Qt::Key_Delete;
  if (typesNothing || event.key() == Qt::Key_Backspace) {
    return R20Key::Pass;
  }
  if (text.size() == 1 && ((text[0] >= u'0' && text[0] <= u'9') || text[0] == u'.')) {
    return R20Key::PassTyped;
  }
  return R20Key::Swallow;
}

R20KeyFilter::R20KeyFilter(QWidget* field, std::function<void()> onTyped)
    : QObject(field), field_(field), onTyped_(std::move(onTyped)) {
  field->installEventFilter(this);
}

bool R20KeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != field_ || event->type() != QEvent::KeyPress) {
    return false;
  }
  switch (JudgeR20Key(*static_cast<QKeyEvent*>(event))) {
    case R20Key::Pass:
      return false;
    case R20Key::PassTyped:
      onTyped_();
      return false;
    case R20Key::Swallow:
      field_->setFocus();
      return true;
  }
  return false;
}

}  // namespace linecalc::ui

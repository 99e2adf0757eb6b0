#include "ui/r20_key_filter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>

namespace linecalc::ui {
namespace {

bool IsDigitOrPoint(QChar c) {
  return (c >= u'0' && c <= u'9') || c == u'.';
}

// Takes out of every change whatever is neither a digit nor a point, rather than refusing the
// change whole: a pasted "52,5 Ом" keeps "525".
class DigitsAndPoints : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int& position) const override {
    position = static_cast<int>(KeepDigitsAndPoints(input.left(position)).size());
    input = KeepDigitsAndPoints(input);
    return Acceptable;
  }
};

// Whether `now` holds characters that `before` did not: what stays the same at both ends is set
// aside, and anything left in between was put there.
bool Inserted(const QString& before, const QString& now) {
  qsizetype head = 0;
  const qsizetype shorter = std::min(before.size(), now.size());
  while (head < shorter && before[head] == now[head]) {
    ++head;
  }
  qsizetype tail = 0;
  while (tail < shorter - head && before[before.size() - 1 - tail] == now[now.size() - 1 - tail]) {
    ++tail;
  }
  return now.size() - head - tail > 0;
}

}  // namespace

R20Key JudgeR20Key(const QKeyEvent& event) {
  const QString text = event.text();
  // Tab and Delete come with a control character but type nothing; they keep moving the
  // focus and deleting.
  const bool typesNothing = text.isEmpty() || event.key() == Qt::Key_Tab ||
                            event.key() == Qt::Key_Backtab || event.key() == Qt::Key_Delete;
  if (typesNothing || event.key() == Qt::Key_Backspace) {
    return R20Key::Pass;
  }
  if (text.size() == 1 && IsDigitOrPoint(text[0])) {
    return R20Key::PassTyped;
  }
  return R20Key::Swallow;
}

QString KeepDigitsAndPoints(const QString& text) {
  QString kept;
  kept.reserve(text.size());
  for (const QChar c : text) {
    if (IsDigitOrPoint(c)) {
      kept.append(c);
    }
  }
  return kept;
}

R20KeyFilter::R20KeyFilter(QLineEdit* field, std::function<void()> onTyped)
    : QObject(field), field_(field), onTyped_(std::move(onTyped)), before_(field->text()) {
  field->installEventFilter(this);
  field->setValidator(new DigitsAndPoints(this));
  // A paste reaches the field by several ways past the key filter; each is an edit that puts
  // characters in, which deleting never does. The refresh's own writes are no edits.
  connect(field, &QLineEdit::textEdited, this, &R20KeyFilter::judgeEdit);
  connect(field, &QLineEdit::textChanged, this, [this](const QString& now) { before_ = now; });
}

void R20KeyFilter::judgeEdit(const QString& now) {
  if (Inserted(before_, now)) {
    onTyped_();
  }
  before_ = now;
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

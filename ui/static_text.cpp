#include "ui/static_text.h"

#include <QColor>
#include <QEvent>
#include <QPalette>
#include <QStringList>

namespace linecalc::ui {
namespace {

// Captions pad with long runs of spaces where a line is meant to end; shorter runs, such as
// the gaps between column names, stay as they are.
constexpr qsizetype kPaddingRun = 12;

const QColor kNavy(0, 0, 128);

struct Word {
  QString text;
  QString spacesAfter;
};

QList<Word> SplitWords(const QString& caption) {
  QList<Word> words{Word{}};
  for (const QChar c : caption) {
    if (c == u' ') {
      words.back().spacesAfter += c;
    } else {
      if (!words.back().spacesAfter.isEmpty()) {
        words.append(Word{});
      }
      words.back().text += c;
    }
  }
  return words;
}

}  // namespace

QString WrapAtSpaces(const QString& caption, const QFontMetricsF& metrics, qreal width) {
  const QList<Word> words = SplitWords(caption);
  QStringList lines;
  QString line;
  QString pending;  // the spaces between the line so far and the next word
  for (qsizetype i = 0; i < words.size(); ++i) {
    const Word& word = words[i];
    const QString joined = line + pending + word.text;
    if (!line.isEmpty() && metrics.horizontalAdvance(joined) > width) {
      lines.append(line);
      line = word.text;
    } else {
      line = joined;
    }
    const bool last = i + 1 == words.size();
    const bool overflows = metrics.horizontalAdvance(line + word.spacesAfter) > width;
    if (!last && (word.spacesAfter.size() >= kPaddingRun || overflows)) {
      lines.append(line);
      line.clear();
      pending.clear();
    } else {
      pending = word.spacesAfter;
    }
  }
  lines.append(line + pending);
  return lines.join(u'\n');
}

StaticText::StaticText(const QString& caption, QWidget* parent)
    : QLabel(parent), caption_(caption) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette navy = palette();
  navy.setColor(QPalette::WindowText, kNavy);
  setPalette(navy);
}

// Until its first resize event (at the latest when the window is shown) a caption has neither
// its final box nor its final font; that event wraps it. Wrapping is the dearest step of opening
// the window, so it is done once, not again for every font and size set along the way.
void StaticText::changeEvent(QEvent* event) {
  QLabel::changeEvent(event);
  if (event->type() == QEvent::FontChange && !testAttribute(Qt::WA_PendingResizeEvent)) {
    rewrap();
  }
}

void StaticText::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  rewrap();
}

void StaticText::rewrap() {
  setText(WrapAtSpaces(caption_, QFontMetricsF(font(), this), contentsRect().width()));
}

}  // namespace linecalc::ui

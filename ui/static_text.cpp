#include "ui/static_text.h"

#include <QColor>
#include <QEvent>
#include <QPalette>
#include <QStringList>
#include <cmath>

namespace linecalc::ui {
namespace {

// Captions pad with long runs of spaces where a line is meant to end; shorter runs, such as
// the gaps between column names, stay as they are.
constexpr qsizetype kPaddingRun = 12;

const QColor kNavy(0, 0, 128);

// Text with its width, kept as the sum of the widths of its parts. Shaping text is the costly
// part of wrapping; this way each word and each run of spaces is shaped once, not again for
// every line it is tried on.
struct Measured {
  QString text;
  qreal width = 0;

  Measured operator+(const Measured& other) const {
    return {text + other.text, width + other.width};
  }
};

// Kerning across a space can make a sum of parts differ from the whole by a fraction of a
// pixel, so a line this close to the edge is measured whole and breaks exactly where it would.
constexpr qreal kSlack = 3;

bool Overflows(const Measured& line, const QFontMetricsF& metrics, qreal width) {
  if (std::abs(line.width - width) > kSlack) {
    return line.width > width;
  }
  return metrics.horizontalAdvance(line.text) > width;
}

struct Word {
  Measured text;
  Measured spacesAfter;
};

QList<Word> SplitWords(const QString& caption, const QFontMetricsF& metrics) {
  QList<Word> words{Word{}};
  for (const QChar c : caption) {
    if (c == u' ') {
      words.back().spacesAfter.text += c;
    } else {
      if (!words.back().spacesAfter.text.isEmpty()) {
        words.append(Word{});
      }
      words.back().text.text += c;
    }
  }
  for (Word& word : words) {
    word.text.width = metrics.horizontalAdvance(word.text.text);
    word.spacesAfter.width = metrics.horizontalAdvance(word.spacesAfter.text);
  }
  return words;
}

}  // namespace

QString WrapAtSpaces(const QString& caption, const QFontMetricsF& metrics, qreal width) {
  const QList<Word> words = SplitWords(caption, metrics);
  QStringList lines;
  Measured line;
  Measured pending;  // the spaces between the line so far and the next word
  for (qsizetype i = 0; i < words.size(); ++i) {
    const Word& word = words[i];
    const Measured joined = line + pending + word.text;
    if (!line.text.isEmpty() && Overflows(joined, metrics, width)) {
      lines.append(line.text);
      line = word.text;
    } else {
      line = joined;
    }
    const bool last = i + 1 == words.size();
    const bool overflows = Overflows(line + word.spacesAfter, metrics, width);
    if (!last && (word.spacesAfter.text.size() >= kPaddingRun || overflows)) {
      lines.append(line.text);
      line = {};
      pending = {};
    } else {
      pending = word.spacesAfter;
    }
  }
  lines.append(line.text + pending.text);
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

#include "ui/tab_stop_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace linecalc::ui {
namespace {

const QStyle* StyleOf(const QStyleOptionViewItem& option) {
  return option.widget ? option.widget->style() : QApplication::style();
}

// Distance from the row's left edge to where the style starts its text.
qreal TextInset(const QStyleOptionViewItem& option) {
  QStyleOptionViewItem item = option;
  item.features |= QStyleOptionViewItem::HasDisplay;
  const QRect text = StyleOf(item)->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
  return text.left() - item.rect.left();
}

bool IsNumberedRow(const QString& line) {
  return !line.isEmpty() && line.front().isDigit();
}

bool IsRule(const QString& line) {
  return std::none_of(line.begin(), line.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

// Where each field starts: at its column, or a word space after the field before if that one is
// too wide for its column.
QList<qreal> StartsFor(const QList<qreal>& widths, const QList<qreal>& columns, qreal inset,
                       qreal space) {
  QList<qreal> starts{inset};
  for (qsizetype i = 1; i < widths.size(); ++i) {
    const qreal pushed = starts.back() + widths[i - 1] + space;
    starts.append(i - 1 < columns.size() ? std::max(columns[i - 1], pushed) : pushed);
  }
  return starts;
}

// The widths of a line's fields. A report repeats its figures many times over, so each text is
// shaped once.
class FieldWidths {
 public:
  explicit FieldWidths(const QFont& font) : metrics_(font) {}

  QList<qreal> of(const QStringList& fields) {
    QList<qreal> widths;
    widths.reserve(fields.size());
    for (const QString& field : fields) {
      auto known = cache_.constFind(field);
      if (known == cache_.constEnd()) {
        known = cache_.insert(field, metrics_.horizontalAdvance(field));
      }
      widths.append(*known);
    }
    return widths;
  }
  qreal space() const { return metrics_.horizontalAdvance(u' '); }

 private:
  QFontMetricsF metrics_;
  QHash<QString, qreal> cache_;
};

qreal ViewportWidth(const QStyleOptionViewItem& option) {
  const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
  return view ? view->viewport()->width() : option.rect.width();
}

}  // namespace

TabStopDelegate::TabStopDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void TabStopDelegate::setColumnStarts(const QList<qreal>& starts) {
  rowStarts_ = starts;
}

void TabStopDelegate::fitLines(const QStringList& lines, const QStyleOptionViewItem& option) {
  inset_ = TextInset(option);
  FieldWidths measure(option.font);
  QList<qreal> widths;  // of each column of the closing lines
  for (const QString& line : lines) {
    if (IsNumberedRow(line) || !line.contains(u'\t')) {
      continue;
    }
    const QList<qreal> fields = measure.of(line.split(u'\t'));
    widths.resize(std::max(widths.size(), fields.size()));
    for (qsizetype i = 0; i < fields.size(); ++i) {
      widths[i] = std::max(widths[i], fields[i]);
    }
  }
  // Each column starts under the heading's column where there is room, else a word space after
  // the widest field of the column before.
  closingStarts_.clear();
  qreal end = inset_ + (widths.isEmpty() ? 0 : widths.front());
  for (qsizetype i = 1; i < widths.size(); ++i) {
    const qreal heading = i - 1 < rowStarts_.size() ? rowStarts_[i - 1] : 0;
    closingStarts_.append(std::max(heading, end + measure.space()));
    end = closingStarts_.back() + widths[i];
  }
  widest_ = 0;
  for (const QString& line : lines) {
    if (!IsRule(line)) {
      const QList<qreal> fields = measure.of(line.split(u'\t'));
      const QList<qreal>& columns = IsNumberedRow(line) ? rowStarts_ : closingStarts_;
      widest_ = std::max(
          widest_, StartsFor(fields, columns, inset_, measure.space()).back() + fields.back());
    }
  }
}

QList<qreal> TabStopDelegate::fieldStarts(const QString& line, const QFont& font) const {
  FieldWidths measure(font);
  const QList<qreal>& columns = IsNumberedRow(line) ? rowStarts_ : closingStarts_;
  return StartsFor(measure.of(line.split(u'\t')), columns, inset_, measure.space());
}

qreal TabStopDelegate::lineEnd(const QString& line, const QFont& font) const {
  if (IsRule(line)) {
    return 0;
  }
  const QList<qreal> starts = fieldStarts(line, font);
  return starts.back() + QFontMetricsF(font).horizontalAdvance(line.section(u'\t', -1));
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const QString text = item.text;
  item.text.clear();
  StyleOf(item)->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

  const bool selected = item.state & QStyle::State_Selected;
  const QPalette::ColorGroup group =
      item.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
  painter->save();
  painter->setFont(item.font);
  painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  if (IsRule(text)) {
    paintRule(painter, item, text);
  } else {
    const QStringList fields = text.split(u'\t');
    const QList<qreal> starts = fieldStarts(text, item.font);
    for (qsizetype i = 0; i < fields.size(); ++i) {
      const QRectF box(item.rect.left() + starts[i], item.rect.top(), 1e6, item.rect.height());
      painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, fields[i]);
    }
  }
  painter->restore();
}

void TabStopDelegate::paintRule(QPainter* painter, const QStyleOptionViewItem& item,
                                const QString& rule) const {
  const qreal width = QFontMetricsF(item.font).horizontalAdvance(rule);
  const qreal room = ViewportWidth(item) - 2 * inset_;
  painter->translate(item.rect.left() + inset_, item.rect.top());
  if (width > room && room > 0) {
    painter->scale(room / width, 1);
  }
  const QRectF box(0, 0, width + 1, item.rect.height());
  painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, rule);
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  // Every row is as wide as the widest line, so that the list scrolls sideways exactly when
  // some line does not fit, whichever row it measures.
  size.setWidth(static_cast<int>(std::ceil(widest_)));
  return size;
}

}  // namespace linecalc::ui

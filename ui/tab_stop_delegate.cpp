#include "ui/tab_stop_delegate.h"

#include <cmath>

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

namespace linecalc::ui {
namespace {

const QStyle* StyleOf(const QStyleOptionViewItem& option) {
  return option.widget ? option.widget->style() : QApplication::style();
}

// Distance from the row's left edge to where the style starts its text.
qreal TextInset(const QStyleOptionViewItem& option) {
  const QRect text =
      StyleOf(option)->subElementRect(QStyle::SE_ItemViewItemText, &option, option.widget);
  return text.left() - option.rect.left();
}

qreal LaidOutWidth(const QString& text, const QFont& font, const QTextOption& textOption) {
  QTextLayout layout(text, font);
  layout.setTextOption(textOption);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  line.setNumColumns(static_cast<int>(text.size()));
  layout.endLayout();
  return line.naturalTextWidth();
}

}  // namespace

TabStopDelegate::TabStopDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void TabStopDelegate::setColumnStarts(const QList<qreal>& starts) {
  columnStarts_ = starts;
}

QTextOption TabStopDelegate::textOption(qreal textInset) const {
  QList<QTextOption::Tab> tabs;
  for (const qreal start : columnStarts_) {
    tabs.append(QTextOption::Tab(start - textInset, QTextOption::LeftTab));
  }
  QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
  textOption.setWrapMode(QTextOption::NoWrap);
  textOption.setTabs(tabs);
  return textOption;
}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const QString text = item.text;
  item.text.clear();
  const QStyle* style = StyleOf(item);
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

  const bool selected = item.state & QStyle::State_Selected;
  const QPalette::ColorGroup group =
      item.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
  QRectF textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget);
  painter->save();
  painter->setFont(item.font);
  painter->setPen(item.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(textRect, text, textOption(TextInset(item)));
  painter->restore();
}

QSize TabStopDelegate::sizeHint(const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  const qreal inset = TextInset(item);
  const qreal width = LaidOutWidth(item.text, item.font, textOption(inset));
  size.setWidth(static_cast<int>(std::ceil(inset * 2 + width)));
  return size;
}

}  // namespace linecalc::ui

#pragma once

#include <QList>
#include <QStyledItemDelegate>
#include <QTextOption>

namespace linecalc::ui {

// Draws a row's text with its TABs expanded to fixed column starts, so that the columns of all
// rows line up.
class TabStopDelegate : public QStyledItemDelegate {
 public:
  explicit TabStopDelegate(QObject* parent);

  // Where each column after the first starts, in pixels from the left edge of the viewport.
  void setColumnStarts(const QList<qreal>& starts);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  QTextOption textOption(qreal textInset) const;

  QList<qreal> columnStarts_;
};

}  // namespace linecalc::ui

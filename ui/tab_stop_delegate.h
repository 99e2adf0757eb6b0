#pragma once

#include <QFont>
#include <QList>
#include <QStringList>
#include <QStyledItemDelegate>

namespace linecalc::ui {

// Draws a report line's TAB-separated fields in columns. Numbered rows (a line that starts with a
// digit) start their fields at fixed column starts, those of the heading above the list; the
// other lines with TABs, the closing lines, share columns of their own, each as wide as its widest
// field there. A field too wide for its column pushes the rest of its line right by a word space
// rather than over it. A rule (a line of neither letters nor digits) is squeezed to the list's
// width, so that it never forces a sideways scroll.
class TabStopDelegate : public QStyledItemDelegate {
 public:
  explicit TabStopDelegate(QObject* parent);

  // Where each column of the numbered rows after the first starts, in pixels from the left edge
  // of the viewport.
  void setColumnStarts(const QList<qreal>& starts);

  // Lays out the columns of the closing lines among `lines` and the width every row reports,
  // that of the widest line, for the list to know whether it must scroll sideways. `option` is
  // the list's item option, for the style's text margin and the font.
  void fitLines(const QStringList& lines, const QStyleOptionViewItem& option);

  // Where each field of `line` starts, in pixels from the left edge of the viewport.
  QList<qreal> fieldStarts(const QString& line, const QFont& font) const;
  // Where `line` ends, in pixels from the left edge of the viewport; 0 for a rule.
  qreal lineEnd(const QString& line, const QFont& font) const;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  void paintRule(QPainter* painter, const QStyleOptionViewItem& item, const QString& rule) const;

  QList<qreal> rowStarts_;
  QList<qreal> closingStarts_;
  qreal inset_ = 0;
  qreal widest_ = 0;
};

}  // namespace linecalc::ui

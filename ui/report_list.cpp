#include "ui/report_list.h"

#include <QFontMetricsF>

#include "ui/tab_stop_delegate.h"

namespace linecalc::ui {

QList<qreal> HeadingColumnStarts(const QString& heading, const QFont& font) {
  const QFontMetricsF metrics(font);
  QList<qreal> starts;
  for (qsizetype i = 1; i < heading.size(); ++i) {
    if (heading[i - 1] == u' ' && heading[i] != u' ') {
      starts.append(metrics.horizontalAdvance(heading.left(i)));
    }
  }
  return starts;
}

ReportList::ReportList(QWidget* parent)
    : QListWidget(parent), delegate_(new TabStopDelegate(this)) {
  setItemDelegate(delegate_);
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // Every report line fits but the separator rule, which may be cut off like any caption.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ReportList::setColumnStarts(const QList<qreal>& starts) {
  QList<qreal> inViewport;
  for (const qreal start : starts) {
    inViewport.append(start - frameWidth());
  }
  delegate_->setColumnStarts(inViewport);
  viewport()->update();
}

void ReportList::setLines(const QStringList& lines) {
  clear();
  addItems(lines);
}

QStringList ReportList::lines() const {
  QStringList result;
  result.reserve(count());
  for (int row = 0; row < count(); ++row) {
    result.append(item(row)->text());
  }
  return result;
}

}  // namespace linecalc::ui

#include "ui/report_list.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeySequence>
#include <QStyleOptionViewItem>

#include "ui/copy_action.h"
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
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  // Every line that choices from the lists can produce fits; a figure typed beyond them scrolls
  // into view rather than being cut off.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  QAction* copy = AddCopyAction(this);
  // Ahead of the list's own Ctrl+C, which would copy the current row alone.
  copy->setShortcuts(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  connect(copy, &QAction::triggered, this, &ReportList::copyRows);
}

void ReportList::setColumnStarts(const QList<qreal>& starts) {
  QList<qreal> inViewport;
  for (const qreal start : starts) {
    inViewport.append(start - frameWidth());
  }
  delegate_->setColumnStarts(inViewport);
  viewport()->update();
}

void ReportList::setColumnNames(const QStringList& names) {
  columnNames_ = names;
}

void ReportList::setLines(const QStringList& lines) {
  clear();
  // The columns and the widest line are known before the rows are laid out.
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = QRect(0, 0, viewport()->width(), 1);
  delegate_->fitLines(lines, option);
  addItems(lines);
}

QList<qreal> ReportList::fieldStarts(int row) const {
  return delegate_->fieldStarts(item(row)->text(), font());
}

qreal ReportList::lineEnd(int row) const {
  return delegate_->lineEnd(item(row)->text(), font());
}

QStringList ReportList::lines() const {
  QStringList result;
  result.reserve(count());
  for (int row = 0; row < count(); ++row) {
    result.append(item(row)->text());
  }
  return result;
}

void ReportList::copyRows() const {
  const bool all = !selectionModel()->hasSelection();
  QString table = columnNames_.join(u'\t') + u'\n';
  for (int row = 0; row < count(); ++row) {
    if (all || item(row)->isSelected()) {
      table += item(row)->text() + u'\n';
    }
  }
  QGuiApplication::clipboard()->setText(table);
}

}  // namespace linecalc::ui

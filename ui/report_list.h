#pragma once

#include <QFont>
#include <QList>
#include <QListWidget>
#include <QString>
#include <QStringList>

namespace linecalc::ui {

class TabStopDelegate;

// Where the columns of `heading` after the first start, in pixels from its left edge: each
// column begins after a run of spaces.
QList<qreal> HeadingColumnStarts(const QString& heading, const QFont& font);

// A read-only list of TAB-separated report rows whose columns start at fixed positions. Ctrl+C
// and "Копировать" copy the selected rows, or all rows when none is selected, under a line of
// column names, so that a report pastes into a spreadsheet as a table.
class ReportList : public QListWidget {
 public:
  explicit ReportList(QWidget* parent);

  // Positions in pixels from the list's own left edge.
  void setColumnStarts(const QList<qreal>& starts);
  void setColumnNames(const QStringList& names);

  // Replaces every row at once, so that a long report is laid out a single time.
  void setLines(const QStringList& lines);
  QStringList lines() const;
  // Where the fields of `row` start and where its text ends, in pixels from the viewport's left
  // edge, as drawn.
  QList<qreal> fieldStarts(int row) const;
  qreal lineEnd(int row) const;

  void copyRows() const;

 private:
  TabStopDelegate* delegate_;
  QStringList columnNames_;
};

}  // namespace linecalc::ui

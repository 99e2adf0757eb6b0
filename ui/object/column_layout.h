#pragma once

#include <QObject>

class QHeaderView;
class QPoint;

namespace linecalc::ui {

// The order and visibility of the object table's columns. By default the inputs come first,
// then "Итог", "Потери (%)" and "Мин. сечение", then the other figures; the user moves and hides
// columns by dragging or from the header's context menu, and the layout is kept in QSettings
// between runs.
class ColumnLayout : public QObject {
  Q_OBJECT

 public:
  // Lays out `header` (whose model is set) as last kept, or by default.
  explicit ColumnLayout(QHeaderView* header);

  // The default order, every column shown.
  void restoreDefault();

 private:
  void showMenu(const QPoint& pos);
  void moveBeside(int logical, int step);
  void save() const;

  QHeaderView* header_;
};

}  // namespace linecalc::ui

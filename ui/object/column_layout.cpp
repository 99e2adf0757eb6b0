#include "ui/object/column_layout.h"

#include <QHeaderView>
#include <QMenu>
#include <QSettings>

#include "object/line_table.h"

namespace linecalc::ui {
namespace {

using object::LineColumn;

const QString kKey = QStringLiteral("objects/columns");

// What a user fills in first, then what they scan for, then the rest in the CSV's order.
constexpr LineColumn kDefaultOrder[] = {LineColumn::Name,
                                        LineColumn::Material,
                                        LineColumn::Section,
                                        LineColumn::Length,
                                        LineColumn::Temperature,
                                        LineColumn::Voltage,
                                        LineColumn::R20,
                                        LineColumn::Load,
                                        LineColumn::Power,
                                        LineColumn::Count,
                                        LineColumn::Amplifier,
                                        LineColumn::Verdict,
                                        LineColumn::LossPct,
                                        LineColumn::SmallestSection,
                                        LineColumn::RLine,
                                        LineColumn::JMax,
                                        LineColumn::JOpt,
                                        LineColumn::PExpected,
                                        LineColumn::ZLoad,
                                        LineColumn::URes,
                                        LineColumn::PRes,
                                        LineColumn::LossDb,
                                        LineColumn::VoltageDropPct,
                                        LineColumn::CascadeVoltage,
                                        LineColumn::Message};
static_assert(std::size(kDefaultOrder) == object::kLineColumnCount);

}  // namespace

ColumnLayout::ColumnLayout(QHeaderView* header) : QObject(header), header_(header) {
  header_->setSectionsMovable(true);
  header_->setContextMenuPolicy(Qt::CustomContextMenu);
  const QByteArray kept = QSettings().value(kKey).toByteArray();
  if (kept.isEmpty() || !header_->restoreState(kept) ||
      header_->count() != object::kLineColumnCount) {
    restoreDefault();
  }
  connect(header_, &QHeaderView::customContextMenuRequested, this, &ColumnLayout::showMenu);
  connect(header_, &QHeaderView::sectionMoved, this, &ColumnLayout::save);
}

void ColumnLayout::restoreDefault() {
  for (int visual = 0; visual < object::kLineColumnCount; ++visual) {
    const int logical = static_cast<int>(kDefaultOrder[visual]);
    header_->showSection(logical);
    header_->moveSection(header_->visualIndex(logical), visual);
  }
  save();
}

// Past hidden columns to the next shown one.
void ColumnLayout::moveBeside(int logical, int step) {
  const int from = header_->visualIndex(logical);
  for (int to = from + step; to >= 0 && to < header_->count(); to += step) {
    if (!header_->isSectionHidden(header_->logicalIndex(to))) {
      header_->moveSection(from, to);
      return;
    }
  }
}

void ColumnLayout::showMenu(const QPoint& pos) {
  const int logical = header_->logicalIndexAt(pos);
  QMenu menu(header_);
  menu.setAccessibleName(QStringLiteral("Столбцы"));
  if (logical >= 0) {
    const int visual = header_->visualIndex(logical);
    QAction* left = menu.addAction(QStringLiteral("Переместить столбец &влево"),
                                   [this, logical] { moveBeside(logical, -1); });
    left->setEnabled(visual > 0);
    QAction* right = menu.addAction(QStringLiteral("Переместить столбец в&право"),
                                    [this, logical] { moveBeside(logical, 1); });
    right->setEnabled(visual + 1 < header_->count());
    menu.addSeparator();
  }
  const int shown = header_->count() - header_->hiddenSectionCount();
  for (int visual = 0; visual < header_->count(); ++visual) {
    const int column = header_->logicalIndex(visual);
    const QString name = header_->model()->headerData(column, Qt::Horizontal).toString();
    QAction* item = menu.addAction(name, [this, column](bool checked) {
      header_->setSectionHidden(column, !checked);
      save();
    });
    item->setCheckable(true);
    item->setChecked(!header_->isSectionHidden(column));
    item->setEnabled(shown > 1 || header_->isSectionHidden(column));  // one stays in sight
  }
  menu.addSeparator();
  menu.addAction(QStringLiteral("&Восстановить столбцы по умолчанию"), this,
                 &ColumnLayout::restoreDefault);
  menu.exec(header_->mapToGlobal(pos));
}

void ColumnLayout::save() const {
  QSettings().setValue(kKey, header_->saveState());
}

}  // namespace linecalc::ui

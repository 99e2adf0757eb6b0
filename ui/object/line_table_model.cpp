#include "ui/object/line_table_model.h"

#include <QColor>
#include <QLocale>
#include <QUndoStack>
#include <algorithm>

#include "object/line_table.h"
#include "ui/object/line_cells.h"
#include "ui/object/line_commands.h"
#include "ui/qt_text.h"

namespace linecalc::ui {
namespace {

using object::LineColumn;

LineColumn ColumnOf(int column) {
  return static_cast<LineColumn>(column);
}

bool IsNumberColumn(LineColumn column) {
  return column != LineColumn::Name && column != LineColumn::Material &&
         column != LineColumn::Load && column != LineColumn::Verdict &&
         column != LineColumn::Message && column != LineColumn::SmallestSection &&
         column != LineColumn::Amplifier;
}

// A layout's length, rated power and loudspeaker count are its stretches' totals, edited in its
// editor, not in the cell.
bool IsLayoutFigure(const object::ObjectLine& line, LineColumn column) {
  return line.inputs.load == LoadKind::Layout &&
         (column == LineColumn::Length || column == LineColumn::Power ||
          column == LineColumn::Count);
}

}  // namespace

const QString LineTableModel::kNoAmplifier = QStringLiteral("(нет)");

LineTableModel::LineTableModel(QObject* parent)
    : QAbstractTableModel(parent), decimalSeparator_(QLocale().decimalPoint().toStdString()) {
  for (const std::string_view name : object::LineTableHeader()) {
    header_.append(ToQString(name));
  }
}

void LineTableModel::setLineObject(object::LineObject object) {
  beginResetModel();
  object_ = std::move(object);
  lossLimit_ = ReadLossLimit(object_.lossLimitPct);
  rows_.assign(object_.lines.size(), std::nullopt);
  endResetModel();
  emit titleChanged(ToQString(object_.title));
  emit lossLimitChanged(ToQString(object_.lossLimitPct));
  emit minSectionChanged(object_.minSection.value_or(-1));
  emit amplifiersChanged();
}

const LineTableModel::Row& LineTableModel::row(int index) const {
  std::optional<Row>& cached = rows_.at(static_cast<std::size_t>(index));
  if (!cached) {
    const object::ObjectLine& line = object_.lines[static_cast<std::size_t>(index)];
    Row computed{
        AssessLine(line.inputs, lossLimit_, decimalSeparator_, object_.minSection.value_or(0)), {}};
    for (const std::string& cell : object::LineTableRow(
             line, computed.assessment, lossLimit_.has_value(), decimalSeparator_)) {
      computed.cells.append(ToQString(cell));
    }
    cached = std::move(computed);
  }
  return *cached;
}

const LineAssessment& LineTableModel::assessment(int row) const {
  return this->row(row).assessment;
}

const QStringList& LineTableModel::resultCells(int row) const {
  return this->row(row).cells;
}

int LineTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(object_.lines.size());
}

int LineTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : object::kLineColumnCount;
}

QVariant LineTableModel::displayText(int row, int column) const {
  const LineColumn kind = ColumnOf(column);
  const object::ObjectLine& line = object_.lines[static_cast<std::size_t>(row)];
  // A typed R20 shows as the value the line is computed with; without a refresh, as typed.
  if (kind == LineColumn::R20 && !resultCells(row)[column].isEmpty()) {
    return resultCells(row)[column];
  }
  if (IsInputColumn(kind) && !IsLayoutFigure(line, kind)) {
    return InputText(line, kind);
  }
  return resultCells(row)[column];
}

// Exceeded and refused lines are tinted; their Итог cell says which in words as well.
QVariant LineTableModel::rowTint(int row) const {
  switch (assessment(row).verdict) {
    case Verdict::Exceeded:
      return QColor(255, 214, 214);
    case Verdict::Refused:
      return QColor(255, 236, 196);
    default:
      return {};
  }
}

// What a refused line was refused for, or that an exceeding line is above the limit.
QVariant LineTableModel::rowNote(int row) const {
  const LineAssessment& a = assessment(row);
  if (a.calculation.status != LineStatus::Computed) {
    return ToQString(a.calculation.message);
  }
  if (a.verdict == Verdict::Exceeded) {
    return QStringLiteral("Потери выше предела %1 %").arg(ToQString(object_.lossLimitPct));
  }
  return {};
}

QVariant LineTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) {
    return {};
  }
  switch (role) {
    case Qt::DisplayRole:
      return displayText(index.row(), index.column());
    case Qt::EditRole:
      return InputText(object_.lines[static_cast<std::size_t>(index.row())],
                       ColumnOf(index.column()));
    case Qt::BackgroundRole:
      return rowTint(index.row());
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
      return rowNote(index.row());
    case kChoicesRole:
      return ColumnOf(index.column()) == LineColumn::Amplifier ? amplifierChoices() : QVariant();
    case Qt::TextAlignmentRole:
      return IsNumberColumn(ColumnOf(index.column())) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                      : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant LineTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) {
    return {};
  }
  if (orientation == Qt::Vertical) {
    return section + 1;
  }
  return section >= 0 && section < header_.size() ? header_[section] : QVariant();
}

Qt::ItemFlags LineTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (!index.isValid()) {
    return flags;
  }
  const LineColumn kind = ColumnOf(index.column());
  const object::ObjectLine& line = object_.lines[static_cast<std::size_t>(index.row())];
  const bool countOfSingle = kind == LineColumn::Count && line.inputs.load == LoadKind::Single;
  if (IsInputColumn(kind) && !countOfSingle && !IsLayoutFigure(line, kind)) {
    flags |= Qt::ItemIsEditable;
  }
  return flags;
}

bool LineTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) {
    return false;
  }
  const object::ObjectLine& line = object_.lines[static_cast<std::size_t>(index.row())];
  const LineColumn column = ColumnOf(index.column());
  const QString text = value.toString();
  if (column == LineColumn::Amplifier) {
    return setAmplifier(index.row(), text);
  }
  if (!IsReadableInput(column, text)) {
    emit inputRefused(QStringLiteral("Столбец «%1»: «%2» — не число (после числа допустимы только "
                                     "пробелы). Значение не изменено.")
                          .arg(header_[index.column()], text));
    return false;
  }
  const std::optional<object::ObjectLine> edited = WithInput(line, column, text);
  if (!edited) {
    return false;
  }
  if (*edited != line) {
    editLine(index.row(), *edited, OnRow(EditText(column), index.row()));
  }
  return true;
}

QStringList LineTableModel::amplifierChoices() const {
  QStringList choices{kNoAmplifier};
  for (const object::Amplifier& amplifier : object_.amplifiers) {
    choices.append(ToQString(amplifier.name));
  }
  return choices;
}

// A line is fed by one of the object's amplifiers, or by none.
bool LineTableModel::setAmplifier(int row, const QString& text) {
  const qsizetype choice = amplifierChoices().indexOf(text);
  if (choice < 0 && !text.isEmpty()) {
    emit inputRefused(
        QStringLiteral("Усилителя «%1» нет в таблице усилителей объекта. Значение не изменено.")
            .arg(text));
    return false;
  }
  object::ObjectLine line = object_.lines[static_cast<std::size_t>(row)];
  line.amplifier =
      choice > 0 ? object_.amplifiers[static_cast<std::size_t>(choice - 1)].name : std::string();
  if (line != object_.lines[static_cast<std::size_t>(row)]) {
    editLine(row, line, OnRow(EditText(LineColumn::Amplifier), row));
  }
  return true;
}

}  // namespace linecalc::ui

#include "ui/object/amplifier_table_model.h"

#include <QColor>
#include <QLocale>
#include <algorithm>

#include "ui/object/line_table_model.h"
#include "ui/qt_text.h"

namespace linecalc::ui {
namespace {

using object::AmplifierColumn;

AmplifierColumn ColumnOf(int column) {
  return static_cast<AmplifierColumn>(column);
}

bool IsInput(AmplifierColumn column) {
  return column == AmplifierColumn::Name || column == AmplifierColumn::Power ||
         column == AmplifierColumn::Voltage;
}

bool IsText(AmplifierColumn column) {
  return column == AmplifierColumn::Name || column == AmplifierColumn::Lines ||
         column == AmplifierColumn::Verdict || column == AmplifierColumn::Message;
}

bool HasName(const std::vector<object::Amplifier>& amplifiers, const std::string& name,
             std::size_t except) {
  for (std::size_t i = 0; i < amplifiers.size(); ++i) {
    if (i != except && amplifiers[i].name == name) {
      return true;
    }
  }
  return false;
}

}  // namespace

AmplifierTableModel::AmplifierTableModel(LineTableModel* lines, QObject* parent)
    : QAbstractTableModel(parent),
      lines_(lines),
      decimalSeparator_(QLocale().decimalPoint().toStdString()),
      shownRows_(static_cast<int>(lines->lineObject().amplifiers.size())) {
  // Whatever changes a line may change what its amplifier carries.
  connect(lines_, &QAbstractItemModel::dataChanged, this, &AmplifierTableModel::refigure);
  connect(lines_, &QAbstractItemModel::rowsInserted, this, &AmplifierTableModel::refigure);
  connect(lines_, &QAbstractItemModel::rowsRemoved, this, &AmplifierTableModel::refigure);
  connect(lines_, &QAbstractItemModel::rowsMoved, this, &AmplifierTableModel::refigure);
  connect(lines_, &QAbstractItemModel::modelReset, this, &AmplifierTableModel::reshape);
  connect(lines_, &LineTableModel::amplifiersChanged, this, &AmplifierTableModel::reshape);
}

const std::vector<object::AmplifierAssessment>& AmplifierTableModel::assessments() const {
  if (!assessments_) {
    assessments_ = object::AssessAmplifiers(
        lines_->lineObject(), [this](std::size_t line) -> const LineCalculation& {
          return lines_->assessment(static_cast<int>(line)).calculation;
        });
  }
  return *assessments_;
}

const object::AmplifierAssessment& AmplifierTableModel::assessment(int row) const {
  return assessments().at(static_cast<std::size_t>(row));
}

void AmplifierTableModel::refigure() {
  // The lines of an amplifier being deleted change before the amplifiers are told of.
  if (static_cast<int>(lines_->lineObject().amplifiers.size()) != shownRows_) {
    reshape();
    return;
  }
  assessments_.reset();
  if (rowCount() > 0) {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  }
}

// Amplifiers added, deleted or renamed, or another object: the rows are laid out anew.
void AmplifierTableModel::reshape() {
  const int rows = static_cast<int>(lines_->lineObject().amplifiers.size());
  if (rows == shownRows_) {
    refigure();
    return;
  }
  beginResetModel();
  assessments_.reset();
  shownRows_ = rows;
  endResetModel();
}

int AmplifierTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int AmplifierTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : object::kAmplifierColumnCount;
}

QVariant AmplifierTableModel::tint(int row) const {
  switch (assessment(row).load.verdict) {
    case AmplifierVerdict::Overloaded:
      return QColor(255, 214, 214);
    case AmplifierVerdict::Refused:
    case AmplifierVerdict::Incompatible:
      return QColor(255, 236, 196);
    case AmplifierVerdict::Normal:
      break;
  }
  return {};
}

QVariant AmplifierTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) {
    return {};
  }
  const object::LineObject& object = lines_->lineObject();
  const auto row = static_cast<std::size_t>(index.row());
  const AmplifierColumn column = ColumnOf(index.column());
  switch (role) {
    case Qt::DisplayRole:
      return ToQString(
          object::AmplifierTableRow(object, row, assessment(index.row()),
                                    decimalSeparator_)[static_cast<std::size_t>(index.column())]);
    case Qt::EditRole: {
      const object::Amplifier& amplifier = object.amplifiers[row];
      return ToQString(column == AmplifierColumn::Name    ? amplifier.name
                       : column == AmplifierColumn::Power ? amplifier.power
                                                          : amplifier.voltage);
    }
    case Qt::BackgroundRole:
      return tint(index.row());
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
      return ToQString(assessment(index.row()).load.message);
    case Qt::TextAlignmentRole:
      return IsText(column) ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant AmplifierTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) {
    return {};
  }
  if (orientation == Qt::Vertical) {
    return section + 1;
  }
  const auto& header = object::AmplifierTableHeader();
  return section >= 0 && section < object::kAmplifierColumnCount
             ? ToQString(header[static_cast<std::size_t>(section)])
             : QVariant();
}

Qt::ItemFlags AmplifierTableModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && IsInput(ColumnOf(index.column()))) {
    flags |= Qt::ItemIsEditable;
  }
  return flags;
}

QString AmplifierTableModel::refusal(int row, AmplifierColumn column, const QString& text) const {
  const std::string typed = text.toStdString();
  switch (column) {
    case AmplifierColumn::Name:
      if (text.trimmed().isEmpty() || text == LineTableModel::kNoAmplifier) {
        return QStringLiteral("У усилителя должно быть название. Значение не изменено.");
      }
      if (HasName(lines_->lineObject().amplifiers, typed, static_cast<std::size_t>(row))) {
        return QStringLiteral("Усилитель «%1» уже есть. Значение не изменено.").arg(text);
      }
      return {};
    case AmplifierColumn::Power:
      return ReadAmplifierPower(typed)
                 ? QString()
                 : QStringLiteral(
                       "Мощность усилителя «%1» должна быть числом больше 0 и не более "
                       "10000 Вт. Значение не изменено.")
                       .arg(text);
    default:
      return ReadAmplifierVoltage(typed)
                 ? QString()
                 : QStringLiteral(
                       "Напряжение усилителя «%1» должно быть целым числом от 1 до "
                       "1000 В. Значение не изменено.")
                       .arg(text);
  }
}

bool AmplifierTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || !IsInput(ColumnOf(index.column()))) {
    return false;
  }
  const AmplifierColumn column = ColumnOf(index.column());
  const QString text = value.toString();
  const QString refused = refusal(index.row(), column, text);
  if (!refused.isEmpty()) {
    emit inputRefused(refused);
    return false;
  }
  LineTableModel::AmplifierState state = lines_->amplifierState();
  object::Amplifier& amplifier = state.amplifiers[static_cast<std::size_t>(index.row())];
  QString what = QStringLiteral("изменение напряжения усилителя");
  if (column == AmplifierColumn::Name) {
    // The lines it feeds follow it to its new name.
    std::replace(state.lineAmplifiers.begin(), state.lineAmplifiers.end(), amplifier.name,
                 text.toStdString());
    amplifier.name = text.toStdString();
    what = QStringLiteral("изменение названия усилителя");
  } else if (column == AmplifierColumn::Power) {
    amplifier.power = text.toStdString();
    what = QStringLiteral("изменение мощности усилителя");
  } else {
    amplifier.voltage = text.toStdString();
  }
  lines_->editAmplifiers(std::move(state), what);
  return true;
}

int AmplifierTableModel::addAmplifier() {
  LineTableModel::AmplifierState state = lines_->amplifierState();
  std::string name;
  for (int n = 1; name.empty() || HasName(state.amplifiers, name, state.amplifiers.size()); ++n) {
    name = "У" + std::to_string(n);
  }
  state.amplifiers.push_back({name, "240", "100"});
  lines_->editAmplifiers(std::move(state), QStringLiteral("добавление усилителя"));
  return rowCount() - 1;
}

void AmplifierTableModel::deleteAmplifier(int row) {
  LineTableModel::AmplifierState state = lines_->amplifierState();
  const std::string name = state.amplifiers.at(static_cast<std::size_t>(row)).name;
  state.amplifiers.erase(state.amplifiers.begin() + row);
  // Its lines are left without an amplifier rather than naming one that is gone.
  std::replace(state.lineAmplifiers.begin(), state.lineAmplifiers.end(), name, std::string());
  lines_->editAmplifiers(std::move(state),
                         QStringLiteral("удаление усилителя «%1»").arg(ToQString(name)));
}

}  // namespace linecalc::ui

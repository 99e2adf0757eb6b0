#include <QUndoStack>
#include <algorithm>
#include <memory>

#include "ui/object/line_commands.h"
#include "ui/object/line_table_model.h"
#include "ui/qt_text.h"

namespace linecalc::ui {

void LineTableModel::push(QUndoCommand* command) {
  if (undoStack_ != nullptr) {
    undoStack_->push(command);
    return;
  }
  command->redo();
  delete command;
}

void LineTableModel::editLine(int row, const object::ObjectLine& line, const QString& what) {
  push(new ReplaceLineCommand(this, row, line, what));
}

void LineTableModel::addLine(int row, const object::ObjectLine& line, const QString& what) {
  push(new InsertLineCommand(this, row, line, OnRow(what, row)));
}

void LineTableModel::deleteLine(int row) {
  push(new InsertLineCommand(this, row, {}, OnRow(QStringLiteral("удаление линии"), row), true));
}

void LineTableModel::moveLine(int from, int to) {
  push(new MoveLineCommand(this, from, to));
}

void LineTableModel::editTitle(const QString& title) {
  if (title.toStdString() != object_.title) {
    push(new ObjectFieldCommand(this, ObjectFieldCommand::Field::Title, title.toStdString()));
  }
}

void LineTableModel::editLossLimit(const QString& limit) {
  if (limit.toStdString() != object_.lossLimitPct) {
    push(new ObjectFieldCommand(this, ObjectFieldCommand::Field::LossLimit, limit.toStdString()));
  }
}

void LineTableModel::editMinSection(std::optional<int> section) {
  if (section != object_.minSection) {
    push(new MinSectionCommand(this, section));
  }
}

LineTableModel::SectionsApplied LineTableModel::applySmallestSections(const QList<int>& rows) {
  SectionsApplied applied;
  if (!lossLimit_) {
    return applied;
  }
  auto step = std::make_unique<QUndoCommand>();
  for (const int row : rows) {
    const object::ObjectLine& line = object_.lines.at(static_cast<std::size_t>(row));
    const std::optional<int> smallest = assessment(row).smallestSection;
    if (!smallest) {
      applied.without.append(ToQString(line.name));
      continue;
    }
    object::ObjectLine changed = line;
    changed.inputs.sectionIndex = *smallest;
    changed.inputs.r20.reset();
    if (changed != line) {
      new ReplaceLineCommand(this, row, std::move(changed), {}, step.get());
      step->setText(OnRow(QStringLiteral("применение мин. сечения"), row));
      ++applied.changed;
    }
  }
  if (applied.changed > 1) {
    step->setText(QStringLiteral("применение мин. сечения (линий: %1)").arg(applied.changed));
  }
  if (applied.changed > 0) {
    push(step.release());
  }
  return applied;
}

LineTableModel::AmplifierState LineTableModel::amplifierState() const {
  AmplifierState state{object_.amplifiers, object_.amplifierReservePct, {}};
  state.lineAmplifiers.reserve(object_.lines.size());
  for (const object::ObjectLine& line : object_.lines) {
    state.lineAmplifiers.push_back(line.amplifier);
  }
  return state;
}

void LineTableModel::editAmplifiers(AmplifierState state, const QString& what) {
  const AmplifierState before = amplifierState();
  if (state.amplifiers != before.amplifiers || state.reservePct != before.reservePct ||
      state.lineAmplifiers != before.lineAmplifiers) {
    push(new AmplifiersCommand(this, std::move(state), what));
  }
}

void LineTableModel::putAmplifiers(const AmplifierState& state) {
  object_.amplifiers = state.amplifiers;
  object_.amplifierReservePct = state.reservePct;
  for (std::size_t row = 0; row < object_.lines.size() && row < state.lineAmplifiers.size();
       ++row) {
    std::string& amplifier = object_.lines[row].amplifier;
    if (amplifier != state.lineAmplifiers[row]) {
      amplifier = state.lineAmplifiers[row];
      rows_[row].reset();
      const int r = static_cast<int>(row);
      emit dataChanged(index(r, 0), index(r, columnCount() - 1));
    }
  }
  emit amplifiersChanged();
}

void LineTableModel::putLine(int row, const object::ObjectLine& line) {
  object_.lines.at(static_cast<std::size_t>(row)) = line;
  rows_[static_cast<std::size_t>(row)].reset();
  emit dataChanged(index(row, 0), index(row, columnCount() - 1));
  emit lineTouched(row);
}

void LineTableModel::insertLine(int row, const object::ObjectLine& line) {
  beginInsertRows({}, row, row);
  object_.lines.insert(object_.lines.begin() + row, line);
  rows_.insert(rows_.begin() + row, std::nullopt);
  endInsertRows();
  emit lineTouched(row);
}

object::ObjectLine LineTableModel::takeLine(int row) {
  beginRemoveRows({}, row, row);
  object::ObjectLine line = std::move(object_.lines.at(static_cast<std::size_t>(row)));
  object_.lines.erase(object_.lines.begin() + row);
  rows_.erase(rows_.begin() + row);
  endRemoveRows();
  if (!object_.lines.empty()) {
    emit lineTouched(std::min(row, rowCount() - 1));
  }
  return line;
}

void LineTableModel::shiftLine(int from, int to) {
  // Qt names the row a moved row goes before, counted before the move.
  beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
  auto lines = object_.lines.begin();
  auto rows = rows_.begin();
  if (to > from) {
    std::rotate(lines + from, lines + from + 1, lines + to + 1);
    std::rotate(rows + from, rows + from + 1, rows + to + 1);
  } else {
    std::rotate(lines + to, lines + from, lines + from + 1);
    std::rotate(rows + to, rows + from, rows + from + 1);
  }
  endMoveRows();
  emit lineTouched(to);
}

void LineTableModel::putTitle(const std::string& title) {
  object_.title = title;
  emit titleChanged(ToQString(title));
}

void LineTableModel::putLossLimit(const std::string& limit) {
  object_.lossLimitPct = limit;
  lossLimit_ = ReadLossLimit(limit);
  forgetAll();
  emit lossLimitChanged(ToQString(limit));
}

void LineTableModel::putMinSection(std::optional<int> section) {
  object_.minSection = section;
  forgetAll();
  emit minSectionChanged(section.value_or(-1));
}

void LineTableModel::forgetAll() {
  std::fill(rows_.begin(), rows_.end(), std::nullopt);
  if (!object_.lines.empty()) {
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
  }
}

}  // namespace linecalc::ui

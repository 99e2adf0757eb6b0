#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <string>
#include <vector>

#include "object/amplifier_table.h"

namespace linecalc::ui {

class LineTableModel;

// The amplifiers of the object that `lines` holds, as a table with the columns of their CSV:
// name, power and voltage are edited in place (through the lines' model, so on its undo stack),
// the rest is computed from the lines' own calculations whenever the lines or the amplifiers
// change. An overloaded amplifier is tinted as an exceeded line, a refused or incompatible one
// as a refused line.
class AmplifierTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit AmplifierTableModel(LineTableModel* lines, QObject* parent = nullptr);

  // Appends an amplifier named uniquely ("У1", "У2", …) of 240 W at 100 V; its row.
  int addAmplifier();
  void deleteAmplifier(int row);
  // What amplifier `row` carries, computing it if it was not yet.
  const object::AmplifierAssessment& assessment(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  // A typed cell was refused and kept its old value; `message` says why.
  void inputRefused(const QString& message);

 private:
  const std::vector<object::AmplifierAssessment>& assessments() const;
  QVariant tint(int row) const;
  void refigure();
  void reshape();
  // The message when `text` may not be the cell's new value; empty when it may.
  QString refusal(int row, object::AmplifierColumn column, const QString& text) const;

  LineTableModel* lines_;
  std::string decimalSeparator_;
  int shownRows_ = 0;
  mutable std::optional<std::vector<object::AmplifierAssessment>> assessments_;
};

}  // namespace linecalc::ui

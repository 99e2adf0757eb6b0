#pragma once

#include <QWidget>
#include <optional>

#include "calc/layout_solution.h"
#include "sheet/layout_plot.h"

namespace linecalc::ui {

// The voltage or the level at each loudspeaker of a solved layout against its distance from the
// amplifier, as the sheet draws it; empty while there is no solution.
class LayoutPlot : public QWidget {
  Q_OBJECT

 public:
  explicit LayoutPlot(QWidget* parent = nullptr);

  void setSolution(std::optional<LayoutSolution> solution, double lineVoltage);
  void setQuantity(sheet::PlotQuantity quantity);
  sheet::PlotQuantity quantity() const { return quantity_; }
  QSize sizeHint() const override { return {420, 220}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<LayoutSolution> solution_;
  double lineVoltage_ = 0;
  sheet::PlotQuantity quantity_ = sheet::PlotQuantity::Voltage;
};

}  // namespace linecalc::ui

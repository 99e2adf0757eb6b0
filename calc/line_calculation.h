#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/layout_solution.h"
#include "calc/line_layout.h"
#include "calc/load_checks.h"
#include "calc/refresh.h"
#include "calc/single_load.h"
#include "calc/tables.h"
#include "calc/uniform_load.h"

namespace linecalc {

enum class Material { Copper, Aluminium };
// A layout line is solved exactly; the calculator window offers only the first two.
enum class LoadKind { Single, Uniform, Layout };

// One line as a user enters it into the window: the material and section chosen, every other
// input as the text typed.
struct LineInputs {
  Material material = Material::Copper;
  int sectionIndex = DefaultSectionIndex;  // row of SectionList
  std::string length{DefaultLengthText};
  std::string temperature{DefaultTemperatureText};
  std::string voltage{DefaultVoltageText};
  // An R20 the user typed, which the refresh keeps; absent: the table's 2 × R10.
  std::optional<std::string> r20;
  LoadKind load = LoadKind::Single;
  std::string power;  // Рвх for the single load, Pгр for the uniform load, W
  std::string count;  // loudspeaker count, uniform load only
  // Layout load only: the stretches, whose total length stands for `length`.
  LineLayout layout{};
  friend bool operator==(const LineInputs&, const LineInputs&) = default;
};

enum class LineStatus { Computed, Refused, Faulted };

// Everything the window would show for one line after the matching button, as numbers.
struct LineCalculation {
  LineInputs inputs;
  LineStatus status = LineStatus::Faulted;
  // The refusal's text or the calculation-error message; empty when computed.
  std::string message;
  // Where a refusal sends the focus.
  FocusTarget focus = FocusTarget::Stay;
  // The refresh came before the outcome: false only when the input power was refused or could
  // not be read, which is checked first and leaves the line as it stood.
  bool refreshRan = false;
  // The refresh, when it succeeded (it may have, even when the load was refused).
  std::optional<RefreshResult> reference;
  double r20 = 0;  // Ohm per km, the R20 the line resistance was computed with
  // Only when computed:
  double power = 0;      // Рвх, Pгр for the uniform load, the rated total of a layout, W
  double count = 0;      // uniform load and layout only
  double requested = 0;  // Рвх, Pгр × count or the rated total, as the load check takes it, W
  std::optional<SingleLoadResult> single;
  std::optional<UniformLoadResult> uniform;
  std::optional<LayoutSolution> layout;
  // The stretch a layout's own check refused; empty when it concerns the whole line.
  StretchPath refusedStretch;
  double farVoltage = 0;                 // URes, the "Остается" U, or a layout's lowest, V
  double farPower = 0;                   // PRes, or the "Остается" P, or delivered, W
  double lossPct = 0;                    // LossPct, or UniformLossPct
  std::optional<double> lossDb;          // absent when not finite
  std::optional<double> voltageDropPct;  // absent when not finite
};

// Computes `inputs` exactly as the window does after the user picks those entries, types that
// R20 and presses the button of the load kind: the same refresh, checks, messages and figures.
// Reference texts use `decimalSeparator`.
LineCalculation CalculateLine(const LineInputs& inputs, std::string_view decimalSeparator);

// Loss in decibels, 10 · lg(requested ÷ delivered); absent when not finite.
std::optional<double> LossDecibels(double requested, double delivered);

// Voltage drop in per cent of the line voltage, (U − far) × 100 ÷ U; absent when not finite.
std::optional<double> VoltageDropPercent(double lineVoltage, double farVoltage);

}  // namespace linecalc

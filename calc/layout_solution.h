#pragma once

#include <vector>

#include "calc/checked.h"
#include "calc/line_layout.h"

namespace linecalc {

// One loudspeaker as solved.
struct LayoutSpeaker {
  double distanceM = 0;  // m from the amplifier along the cable
  double tapPower = 0;   // W at the nominal line voltage
  double voltage = 0;    // V across it
  double power = 0;      // W it takes, V² / Z
  double levelDb = 0;    // dB against the nominal voltage, 20 · lg(V / U); −∞ at 0 V
};

// The exact solution of a layout line.
struct LayoutSolution {
  // One entry per loudspeaker, a group's loudspeakers one after another, in depth-first order:
  // a stretch, its loudspeakers, its branches, then the stretch after it.
  std::vector<LayoutSpeaker> speakers;
  double totalLengthM = 0;    // m of cable, every stretch counted out
  double ratedW = 0;          // Σ count × tap power
  double deliveredW = 0;      // Σ V² / Z
  double drawnW = 0;          // U · I taken from the amplifier
  double lostW = 0;           // drawn − delivered: in the wires
  double lossPct = 0;         // 100 − delivered × 100 / rated
  double lowestVoltage = 0;   // V at the loudspeaker with the least
  double lowestLevelDb = 0;   // dB there
  double inputImpedance = 0;  // Ohm, U / I
  double inputCurrent = 0;    // A
};

// The cable every stretch of a line is made of: a stretch of ℓ metres has the resistance
// r20 × bracket / 1.08 × ℓ / 1000 (two conductors), the line resistance of the refresh for
// that length. `bracket` is 1 + α × (t + 5).
struct LayoutCable {
  double r20 = 0;      // Ohm per km at 20 °C, both conductors
  double bracket = 1;  // temperature factor
};

// Solves the resistor tree of `network` fed at `lineVoltage` volts: every loudspeaker a constant
// impedance U² / P, one sweep from the far ends inwards for the impedances and one outwards for
// the voltages. A non-finite value is a fault.
Checked<LayoutSolution> SolveLayout(const LayoutNetwork& network, const LayoutCable& cable,
                                    double lineVoltage);

}  // namespace linecalc

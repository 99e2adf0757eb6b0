#include "calc/layout_solution.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "calc/decibels.h"
#include "calc/verify.h"

namespace linecalc {
namespace {

using detail::Verify;

constexpr std::array<double, 12> kOddReciprocals = [] {
  std::array<double, 12> r{};
  for (std::size_t k = 0; k < r.size(); ++k) {
    r[k] = 1.0 / static_cast<double>(2 * k + 1);
  }
  return r;
}();

// 20 · lg x for a loudspeaker's voltage ratio. TenLog10 rounds exactly but costs a microsecond,
// a thousand of them twenty times the whole solution; plain doubles, each operation rounded as
// IEEE prescribes, give the same bits on every platform within a few units in the last place:
// x = m · 2^e with m in [√½, √2), ln m = 2 · atanh s with s = (m − 1) / (m + 1), |s| <= 0.1716,
// whose twelfth term is below 2^-58 of the first.
double LevelDb(double x) {
  if (!(x > 0) || std::isinf(x)) {
    return 2 * TenLog10(x);
  }
  int e = 0;
  double m = std::frexp(x, &e);
  if (m < 0x1.6a09e667f3bcdp-1) {  // √½ rounded up
    m *= 2;
    --e;
  }
  const double s = (m - 1) / (m + 1);
  const double s2 = s * s;
  double sum = 0;
  for (std::size_t k = kOddReciprocals.size(); k-- > 0;) {
    sum = kOddReciprocals[k] + sum * s2;
  }
  constexpr double kLn2 = 0x1.62e42fefa39efp-1;
  constexpr double kTwentyOverLn10 = 8.6858896380650365530;
  return (static_cast<double>(e) * kLn2 + 2 * s * sum) * kTwentyOverLn10;
}

// The admittance of everything hanging at each node's far end: its loudspeakers and the pieces
// of cable that start there, each with all beyond it. Nodes come after their parents, so one pass
// from the last node back meets every child before its parent. Returns the line's input
// admittance.
double SweepInwards(const LayoutNetwork& network, const std::vector<double>& resistance,
                    double lineVoltage, std::vector<double>& farAdmittance) {
  const double squared = Verify(lineVoltage * lineVoltage, "U²");
  for (std::size_t i = 0; i < network.nodes.size(); ++i) {
    const LayoutNode& node = network.nodes[i];
    double y = 0;
    for (int g = node.firstGroup; g < node.firstGroup + node.groupCount; ++g) {
      const LayoutGroup& group = network.groups[static_cast<std::size_t>(g)];
      const double impedance = Verify(squared / group.power, "Z = U² / P");
      y = Verify(y + group.count / impedance, "Σ count / Z");
    }
    farAdmittance[i] = y;
  }
  double input = 0;
  for (std::size_t i = network.nodes.size(); i-- > 0;) {
    // The stretch in series with its far end: Y / (1 + R × Y), which is 0 for an open end.
    const double y = farAdmittance[i];
    const double through = Verify(y / Verify(1 + resistance[i] * y, "1 + R × Y"), "Y / (1 + R Y)");
    const int parent = network.nodes[i].parent;
    double& into = parent < 0 ? input : farAdmittance[static_cast<std::size_t>(parent)];
    into = Verify(into + through, "ΣY");
  }
  return input;
}

// The voltage at each node's far end: the divider of the stretch and what hangs beyond it.
void SweepOutwards(const LayoutNetwork& network, const std::vector<double>& resistance,
                   const std::vector<double>& farAdmittance, double lineVoltage,
                   std::vector<double>& voltage) {
  for (std::size_t i = 0; i < network.nodes.size(); ++i) {
    const int parent = network.nodes[i].parent;
    const double start = parent < 0 ? lineVoltage : voltage[static_cast<std::size_t>(parent)];
    voltage[i] = Verify(start / (1 + resistance[i] * farAdmittance[i]), "V = V0 / (1 + R Y)");
  }
}

void Speakers(const LayoutNetwork& network, const std::vector<double>& voltage, double lineVoltage,
              LayoutSolution& out) {
  const double squared = lineVoltage * lineVoltage;
  out.speakers.reserve(static_cast<std::size_t>(network.speakerCount));
  out.lowestVoltage = lineVoltage;
  for (std::size_t i = 0; i < network.nodes.size(); ++i) {
    const LayoutNode& node = network.nodes[i];
    if (node.groupCount == 0) {
      continue;
    }
    const double v = voltage[i];
    const double level = Verify(LevelDb(v / lineVoltage), "20 lg(V / U)");
    for (int g = node.firstGroup; g < node.firstGroup + node.groupCount; ++g) {
      const LayoutGroup& group = network.groups[static_cast<std::size_t>(g)];
      const double power = Verify(v * v / (squared / group.power), "V² / Z");
      out.deliveredW = Verify(out.deliveredW + group.count * power, "Σ V² / Z");
      out.speakers.insert(out.speakers.end(), static_cast<std::size_t>(group.count),
                          LayoutSpeaker{node.distanceM, group.power, v, power, level});
    }
    out.lowestVoltage = std::min(out.lowestVoltage, v);
  }
  out.lowestLevelDb = Verify(LevelDb(out.lowestVoltage / lineVoltage), "20 lg(Vmin / U)");
}

LayoutSolution Solve(const LayoutNetwork& network, const LayoutCable& cable, double lineVoltage) {
  const std::size_t n = network.nodes.size();
  const double perKm = Verify(Verify(cable.r20 * cable.bracket, "R20 × bracket") / 1.08, "/ 1.08");
  std::vector<double> resistance(n);
  for (std::size_t i = 0; i < n; ++i) {
    resistance[i] = Verify(perKm * network.nodes[i].lengthM / 1000, "Rл of a stretch");
  }
  std::vector<double> farAdmittance(n);
  const double input = SweepInwards(network, resistance, lineVoltage, farAdmittance);
  std::vector<double> voltage(n);
  SweepOutwards(network, resistance, farAdmittance, lineVoltage, voltage);
  LayoutSolution out;
  out.totalLengthM = network.totalLengthM;
  out.ratedW = network.ratedW;
  Speakers(network, voltage, lineVoltage, out);
  out.inputCurrent = Verify(lineVoltage * input, "I = U × Y");
  out.inputImpedance = Verify(lineVoltage / out.inputCurrent, "U / I");
  out.drawnW = Verify(lineVoltage * out.inputCurrent, "U × I");
  out.lostW = Verify(out.drawnW - out.deliveredW, "drawn − delivered");
  out.lossPct = Verify(100 - Verify(out.deliveredW * 100 / out.ratedW, "delivered %"), "loss %");
  return out;
}

}  // namespace

Checked<LayoutSolution> SolveLayout(const LayoutNetwork& network, const LayoutCable& cable,
                                    double lineVoltage) {
  return detail::Trapping([&] { return Solve(network, cable, lineVoltage); });
}

}  // namespace linecalc

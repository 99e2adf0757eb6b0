#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "calc/line_calculation.h"
#include "calc/line_layout.h"

namespace linecalc {
namespace {

Stretch At(std::string length, std::vector<SpeakerGroup> speakers, std::string repeat = "",
           std::vector<StretchList> branches = {}) {
  return Stretch{std::move(length), std::move(repeat), std::move(speakers), std::move(branches)};
}

// A copper line at 100 V whose cable has exactly 0.1 Ohm per metre: the typed R20 108 at
// -5 °C, where the bracket 1 + α × (t + 5) is 1, gives 108 / 1.08 = 100 Ohm per km.
LineInputs LayoutLine(StretchList stretches) {
  LineInputs in;
  in.temperature = "-5";
  in.r20 = "108";
  in.load = LoadKind::Layout;
  in.layout.stretches = std::move(stretches);
  return in;
}

LineCalculation Computed(StretchList stretches) {
  LineCalculation c = CalculateLine(LayoutLine(std::move(stretches)), ".");
  EXPECT_EQ(c.status, LineStatus::Computed) << c.message;
  return c;
}

// Worked by hand. Stretch 1: 40 m = 4 Ohm, a 100 W tap (Z1 = 100² / 100 = 100 Ohm) at its end;
// stretch 2: 20 m = 2 Ohm, a 50 W tap (Z2 = 200 Ohm).
//   beyond the first loudspeaker: 2 + 200 = 202 Ohm; with Z1: 100 × 202 / 302 = 10100/151 Ohm
//   input: Zin = 4 + 10100/151 = 10704/151 = 70.887417… Ohm; I = 100 / Zin = 3775/2676 A
//   V1 = 100 × 10100 / 10704 = 63125/669 = 94.357249… V; V2 = V1 × 200 / 202 = 93.423019… V
//   P1 = V1² / 100 = 89.032905… W, P2 = V2² / 200 = 43.639302… W, delivered 132.672208… W
//   drawn U × I = 141.068759… W, lost 8.396550… W; loss 100 − 132.672208 × 100 / 150 = 11.551861 %
//   10 lg(150 / 132.672208) = 0.533113 dB; at V2: drop 6.576980 %, 20 lg 0.93423019 = −0.590922 dB
TEST(LayoutSolution, TwoLoudspeakersByHandAndALadderInClosedForm) {
  const LineCalculation c = Computed({At("40", {{"1", "100"}}), At("20", {{"1", "50"}})});
  const LayoutSolution& s = c.layout.value();
  const LayoutSpeaker &a = s.speakers.at(0), &b = s.speakers.at(1);
  // clang-format off
  const std::pair<double, double> figures[] = {
      {static_cast<double>(s.speakers.size()), 2}, {a.distanceM, 40}, {b.distanceM, 60},
      {a.voltage, 94.357249626307922}, {b.voltage, 93.423019431988043},
      {a.power, 89.032905570413860}, {b.power, 43.639302798948070}, {a.levelDb, -0.504494532822107},
      {s.lowestLevelDb, -0.5909220084749579}, {s.inputImpedance, 70.887417218543050},
      {s.drawnW, 141.06875934230195}, {s.lostW, 8.396550972940002}, {c.reference->LengthM, 60},
      {c.requested, 150}, {c.count, 2}, {c.farPower, 132.67220836936195},
      {c.farVoltage, 93.423019431988043}, {c.lossPct, 11.551861087092039},
      {*c.lossDb, 0.533113008928434}, {*c.voltageDropPct, 6.576980568011958}};
  // clang-format on
  for (std::size_t i = 0; i < std::size(figures); ++i) {
    EXPECT_NEAR(figures[i].first, figures[i].second, 1e-9) << i;
  }
  // A corridor of N = 1000 equal loudspeakers (Z = 10000 Ohm) each behind R = 0.5 Ohm of cable
  // is the uniform ladder whose node voltages solve V(k+1) − (2 + R/Z) V(k) + V(k−1) = 0 with
  // V(0) = U and no current past the last node: V(k) = U ch((N + ½ − k) θ) / ch((N + ½) θ),
  // ch θ = 1 + R / (2 Z).
  const LineCalculation corridor = Computed({At("5", {{"1", "1"}}, "1000")});
  const LayoutSolution& ladder = corridor.layout.value();
  const double theta = std::acosh(1 + 0.5 / (2 * 10000)), n = 1000.5;  // θ and N + ½
  const auto v = [&](int k) { return 100 * std::cosh((n - k) * theta) / std::cosh(n * theta); };
  double delivered = 0;
  for (int k = 1; k <= 1000; ++k) {
    EXPECT_NEAR(ladder.speakers.at(static_cast<std::size_t>(k - 1)).voltage / v(k), 1, 1e-9) << k;
    delivered += v(k) * v(k) / 10000;
  }
  EXPECT_NEAR(ladder.deliveredW / delivered, 1, 1e-9);
  EXPECT_NEAR(ladder.inputImpedance / (100 * 0.5 / (100 - v(1))), 1, 1e-9);
  EXPECT_NEAR(ladder.lowestVoltage / v(1000), 1, 1e-9);
  EXPECT_DOUBLE_EQ(corridor.reference->LengthM, 5000);
}

// One circuit written differently is solved to the same bits: a repeat laid out, a branch for
// the stretch after, a group split over a 0 m stretch. Branches leave in the order written, after
// their stretch's loudspeakers and before the stretch after; a repeat repeats its branches.
TEST(LayoutSolution, WritingsLoudspeakerOrderAndTheUniformLoadAsALayout) {
  const Stretch tap = At("6", {{"1", "3"}});
  const std::pair<StretchList, StretchList> cases[] = {
      {{At("6", {{"1", "3"}}, "3")}, {tap, tap, tap}},
      {{tap, At("12", {{"2", "6"}})}, {At("6", {{"1", "3"}}, "", {{At("12", {{"2", "6"}})}})}},
      {{At("10", {{"2", "6"}})}, {At("10", {{"1", "6"}}), At("0", {{"1", "6"}})}}};
  for (const auto& [a, b] : cases) {
    const LayoutSolution x = Computed(a).layout.value(), y = Computed(b).layout.value();
    EXPECT_EQ(std::tuple(x.deliveredW, x.inputImpedance, x.speakers.back().voltage),
              std::tuple(y.deliveredW, y.inputImpedance, y.speakers.back().voltage));
  }
  const LineCalculation c =
      Computed({At("10", {{"1", "1"}}, "2", {{At("3", {{"1", "2"}})}, {At("4", {{"1", "3"}})}}),
                At("5", {{"2", "4"}})});
  std::vector<std::pair<double, double>> order;
  for (const LayoutSpeaker& speaker : c.layout.value().speakers) {
    order.emplace_back(speaker.distanceM, speaker.tapPower);
  }
  EXPECT_EQ(order, (std::vector<std::pair<double, double>>{
                       {10, 1}, {13, 2}, {14, 3}, {20, 1}, {23, 2}, {24, 3}, {25, 4}, {25, 4}}));
  EXPECT_DOUBLE_EQ(c.reference->LengthM, 39);
  EXPECT_EQ(UniformAsLayout("100", "6", "8"), LineLayout{{At("12.5", {{"1", "6"}}, "8")}});
  EXPECT_FALSE(UniformAsLayout("100", "6", "2.5") || UniformAsLayout("-1", "6", "2"));
}

constexpr std::string_view kLength = "Введите длину участка от 0 до 10000 м";
constexpr std::string_view kLarge =
    "Схема линии слишком велика: не более 1000 громкоговорителей и 2000 участков";
constexpr std::string_view kNone = "В схеме линии нет ни одного громкоговорителя";

// The layout's own checks, in their order, before the refresh: no reference figures. After them
// the line runs as the window runs the others; a fault there leaves no reference figures.
TEST(CalculateLine, LayoutRefusalsThenTheLineChecks) {
  StretchList deep{At("1", {{"1", "1"}})};  // eight branches deep
  for (int d = 0; d < 8; ++d) {
    deep = {At("1", {}, "", {deep})};
  }
  // clang-format off
  const std::tuple<const char*, StretchList, std::string_view, StretchPath> cases[] = {
      {"power 0", {At("1", {{"1", "0"}})}, MsgSpeakerPowerRange, {0}},
      {"power first, in a branch", {At("-1", {{"0.5", "1"}}), At("1", {{"1", "6"}}, "",
       {{At("1", {}), At("1", {{"1", "100.5"}})}})}, MsgSpeakerPowerRange, {1, 0, 1}},
      {"power text", {At("1", {{"1", "abc"}})}, MsgSpeakerPowerRange, {0}},
      {"count before length", {At("-1", {}), At("1", {{"2.5", "6"}})}, MsgSpeakerCountWhole, {1}},
      {"count 1001", {At("1", {{"1001", "6"}})}, MsgSpeakerCountWhole, {0}},
      {"repeat 0", {At("1", {{"1", "6"}}, "0")}, MsgSpeakerCountWhole, {0}},
      {"length negative", {At("1", {{"1", "6"}}), At("-0.1", {})}, kLength, {1}},
      {"length above", {At("10000.01", {{"1", "6"}})}, kLength, {0}},
      {"1001 loudspeakers", {At("1", {{"500", "1"}, {"501", "1"}})}, kLarge, {}},
      {"repeats multiply", {At("1", {{"1", "1"}}, "1000", {{At("1", {}, "2")}})}, kLarge, {}},
      {"nine deep", {At("1", {}, "", {deep})}, kLarge, {}},
      {"no loudspeaker", {At("10", {}, "", {{At("5", {})}})}, kNone, {}},
      {"no stretch", {}, kNone, {}}};
  // clang-format on
  for (const auto& [name, stretches, message, where] : cases) {
    const LineCalculation r = CalculateLine(LayoutLine(stretches), ".");
    EXPECT_EQ(std::tie(r.message, r.refusedStretch), std::tie(message, where)) << name;
    EXPECT_TRUE(r.status == LineStatus::Refused && !r.reference && !r.refreshRan) << name;
  }
  EXPECT_EQ(StretchPlaceText({1, 0, 2}), "участок 2, ответвление 1, участок 3");
  EXPECT_EQ(Computed(deep).count, 1);
  const std::tuple<std::string LineInputs::*, const char*, const char*, std::string_view> checks[] =
      {{&LineInputs::voltage, "100", "100", MsgOverload},
       {&LineInputs::temperature, "-300", "1", MsgNegativeLineResistance},
       {&LineInputs::voltage, "40000", "1", MsgCalculationFault}};
  for (const auto& [field, value, power, message] : checks) {
    LineInputs in = LayoutLine({At("10", {{"20", power}})});
    in.*field = value;
    const LineCalculation r = CalculateLine(in, ".");
    const bool faulted = message == MsgCalculationFault;
    EXPECT_EQ(std::tie(r.status, r.message, r.refreshRan),
              std::tuple(faulted ? LineStatus::Faulted : LineStatus::Refused, message, true));
    EXPECT_EQ(r.reference.has_value(), !faulted) << message;
  }
}

}  // namespace
}  // namespace linecalc

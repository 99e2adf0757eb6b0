#include <gtest/gtest.h>

#include <cmath>

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
LineInputs LayoutLine(StretchList stretches, int section = 3) {
  LineInputs in;
  in.sectionIndex = section;
  in.temperature = "-5";
  in.r20 = "108";
  in.load = LoadKind::Layout;
  in.layout.stretches = std::move(stretches);
  return in;
}

LineCalculation Computed(const LineInputs& in) {
  LineCalculation c = CalculateLine(in, ".");
  EXPECT_EQ(c.status, LineStatus::Computed) << c.message;
  return c;
}

// Worked by hand. Stretch 1: 40 m = 4 Ohm, a 100 W tap (Z1 = 100² / 100 = 100 Ohm) at its end;
// stretch 2: 20 m = 2 Ohm, a 50 W tap (Z2 = 200 Ohm).
//   beyond the first loudspeaker: 2 + 200 = 202 Ohm; with Z1: 100 × 202 / 302 = 10100/151 Ohm
//   input: Zin = 4 + 10100/151 = 10704/151 = 70.887417… Ohm; I = 100 / Zin = 3775/2676 A
//   V1 = 100 × (10100/151) / (10704/151) = 63125/669 = 94.357249… V
//   V2 = V1 × 200 / 202 = 93.423019… V
//   P1 = V1² / 100 = 89.032905… W, P2 = V2² / 200 = 43.639302… W, delivered 132.672208… W
//   drawn U × I = 141.068759… W, lost 8.396550… W; loss 100 − 132.672208 × 100 / 150 = 11.551861 %
//   10 lg(150 / 132.672208) = 0.533113 dB; drop at V2 6.576980 %; level there
//   20 lg(0.93423019) = −0.590922 dB.
TEST(LayoutSolution, TwoLoudspeakersByHand) {
  const LineCalculation c =
      Computed(LayoutLine({At("40", {{"1", "100"}}), At("20", {{"1", "50"}})}));
  ASSERT_TRUE(c.layout);
  const LayoutSolution& s = *c.layout;
  ASSERT_EQ(s.speakers.size(), 2u);
  // clang-format off
  const std::pair<double, double> figures[] = {
      {s.speakers[0].distanceM, 40}, {s.speakers[1].distanceM, 60},
      {s.speakers[0].voltage, 94.357249626307922}, {s.speakers[1].voltage, 93.423019431988043},
      {s.speakers[0].power, 89.032905570413860}, {s.speakers[1].power, 43.639302798948070},
      {s.speakers[0].levelDb, -0.504494532822107}, {s.lowestLevelDb, -0.5909220084749579},
      {s.inputImpedance, 70.887417218543050}, {s.drawnW, 141.06875934230195}, {s.lostW, 8.396550972940002},
      {c.reference->LengthM, 60}, {c.requested, 150}, {c.count, 2}, {c.farPower, 132.67220836936195},
      {c.farVoltage, 93.423019431988043}, {c.lossPct, 11.551861087092039}, {*c.lossDb, 0.533113008928434},
      {*c.voltageDropPct, 6.576980568011958},
  };
  // clang-format on
  for (std::size_t i = 0; i < std::size(figures); ++i) {
    EXPECT_NEAR(figures[i].first, figures[i].second, 1e-9) << i;
  }
}

// A corridor of N = 1000 equal loudspeakers (Z = 10000 Ohm) each behind R = 0.5 Ohm of cable is
// the uniform ladder whose node voltages solve V(k+1) − (2 + R/Z) V(k) + V(k−1) = 0 with
// V(0) = U and no current past the last node: V(k) = U ch((N + ½ − k) θ) / ch((N + ½) θ),
// ch θ = 1 + R / (2 Z).
TEST(LayoutSolution, UniformLadderClosedForm) {
  const LineCalculation c = Computed(LayoutLine({At("5", {{"1", "1"}}, "1000")}, 10));
  ASSERT_TRUE(c.layout);
  const double theta = std::acosh(1 + 0.5 / (2 * 10000));
  const auto v = [theta](int k) {
    return 100 * std::cosh((1000.5 - k) * theta) / std::cosh(1000.5 * theta);
  };
  ASSERT_EQ(c.layout->speakers.size(), 1000u);
  double delivered = 0;
  for (int k = 1; k <= 1000; ++k) {
    const LayoutSpeaker& speaker = c.layout->speakers[static_cast<std::size_t>(k - 1)];
    EXPECT_NEAR(speaker.voltage / v(k), 1, 1e-9) << k;
    EXPECT_DOUBLE_EQ(speaker.distanceM, 5.0 * k);
    delivered += v(k) * v(k) / 10000;
  }
  EXPECT_NEAR(c.layout->deliveredW / delivered, 1, 1e-9);
  EXPECT_NEAR(c.layout->inputImpedance / (100 * 0.5 / (100 - v(1))), 1, 1e-9);
  EXPECT_NEAR(c.layout->lowestVoltage / v(1000), 1, 1e-9);
  EXPECT_DOUBLE_EQ(c.reference->LengthM, 5000);
}

// The same circuit written in different ways is solved to the same bits: a repeat laid out,
// a branch in place of the stretch after, a group split over a stretch of 0 m.
TEST(LayoutSolution, EquivalentWritings) {
  const Stretch tap = At("6", {{"1", "3"}});
  const std::pair<StretchList, StretchList> cases[] = {
      {{At("6", {{"1", "3"}}, "3")}, {tap, tap, tap}},
      {{tap, At("12", {{"2", "6"}})}, {At("6", {{"1", "3"}}, "", {{At("12", {{"2", "6"}})}})}},
      {{At("10", {{"2", "6"}})}, {At("10", {{"1", "6"}}), At("0", {{"1", "6"}})}},
  };
  for (const auto& [a, b] : cases) {
    const LayoutSolution x = Computed(LayoutLine(a)).layout.value();
    const LayoutSolution y = Computed(LayoutLine(b)).layout.value();
    EXPECT_EQ(x.deliveredW, y.deliveredW);
    EXPECT_EQ(x.inputImpedance, y.inputImpedance);
    EXPECT_EQ(x.speakers.back().voltage, y.speakers.back().voltage);
  }
}

// Branches leave in the order written, after the loudspeakers of their stretch and before the
// stretch that follows; a repeat repeats its branches.
TEST(LayoutSolution, LoudspeakerOrderIsDepthFirst) {
  const LineCalculation c = Computed(
      LayoutLine({At("10", {{"1", "1"}}, "2", {{At("3", {{"1", "2"}})}, {At("4", {{"1", "3"}})}}),
                  At("5", {{"2", "4"}})}));
  std::vector<std::pair<double, double>> order;
  for (const LayoutSpeaker& s : c.layout->speakers) {
    order.emplace_back(s.distanceM, s.tapPower);
  }
  const std::vector<std::pair<double, double>> expected{{10, 1}, {13, 2}, {14, 3}, {20, 1},
                                                        {23, 2}, {24, 3}, {25, 4}, {25, 4}};
  EXPECT_EQ(order, expected);
  EXPECT_DOUBLE_EQ(c.reference->LengthM, 39);
}

StretchList Nested(int depth) {
  StretchList list{At("1", {{"1", "1"}})};
  for (int d = 0; d < depth; ++d) {
    list = {At("1", {}, "", {list})};
  }
  return list;
}

constexpr std::string_view kPower = "Введите значение мощности в диапазоне от 1 до 100 Вт";
constexpr std::string_view kCount = "Введите целое кол-во гр в диапазоне от 1 до 1000";
constexpr std::string_view kLength = "Введите длину участка от 0 до 10000 м";
constexpr std::string_view kLarge =
    "Схема линии слишком велика: не более 1000 громкоговорителей и 2000 участков";
constexpr std::string_view kNone = "В схеме линии нет ни одного громкоговорителя";

// The layout's own checks, in their order, before the refresh: no reference figures.
TEST(CalculateLine, LayoutRefusals) {
  struct Case {
    const char* name;
    StretchList stretches;
    std::string_view message;
    StretchPath where;
  };
  // clang-format off
  const Case cases[] = {
      {"power 0", {At("1", {{"1", "0"}})}, kPower, {0}},
      {"power first, in a branch", {At("-1", {{"0.5", "1"}}), At("1", {{"1", "6"}}, "", {{At("1", {}), At("1", {{"1", "100.5"}})}})}, kPower, {1, 0, 1}},
      {"power text", {At("1", {{"1", "abc"}})}, kPower, {0}},
      {"count fraction before length", {At("-1", {}), At("1", {{"2.5", "6"}})}, kCount, {1}},
      {"count 1001", {At("1", {{"1001", "6"}})}, kCount, {0}},
      {"repeat 0", {At("1", {{"1", "6"}}, "0")}, kCount, {0}},
      {"length negative", {At("1", {{"1", "6"}}), At("-0.1", {})}, kLength, {1}},
      {"length above", {At("10000.01", {{"1", "6"}})}, kLength, {0}},
      {"1001 loudspeakers", {At("1", {{"500", "1"}, {"501", "1"}})}, kLarge, {}},
      {"repeats multiply", {At("1", {{"1", "1"}}, "1000", {{At("1", {}, "2")}})}, kLarge, {}},
      {"nine deep", Nested(9), kLarge, {}},
      {"no loudspeaker", {At("10", {}, "", {{At("5", {})}})}, kNone, {}},
      {"no stretch", {}, kNone, {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    const LineCalculation r = CalculateLine(LayoutLine(c.stretches), ".");
    EXPECT_EQ(r.status, LineStatus::Refused) << c.name;
    EXPECT_EQ(r.message, c.message) << c.name;
    EXPECT_EQ(r.refusedStretch, c.where) << c.name;
    EXPECT_FALSE(r.reference || r.refreshRan) << c.name;
  }
  EXPECT_EQ(StretchPlaceText({1, 0, 2}), "участок 2, ответвление 1, участок 3");
  EXPECT_EQ(Computed(LayoutLine(Nested(8))).count, 1);
}

// After the layout's own checks the line runs as the window runs the others.
TEST(CalculateLine, LayoutLineChecks) {
  struct Case {
    const char* voltage;
    std::optional<std::string> r20;
    const char* power;
    LineStatus status;
    std::string_view message;
  };
  // clang-format off
  const Case cases[] = {
      {"100", std::nullopt, "100", LineStatus::Refused, "Расчетная мощность превышает допустимую для данного провода, выберите провод большего диаметра"},
      {"100", "-5", "1", LineStatus::Refused, "Сопротивление линии отрицательное: проверьте длину кабеля, температуру и R20"},
      {"40000", std::nullopt, "1", LineStatus::Faulted, "Ошибка вычисления: недопустимое значение. Проверьте введенные данные."},
  };
  // clang-format on
  for (const Case& c : cases) {
    LineInputs in = LayoutLine({At("10", {{"20", c.power}})});
    in.voltage = c.voltage;
    in.r20 = c.r20;
    const LineCalculation r = CalculateLine(in, ".");
    EXPECT_EQ(r.status, c.status) << c.message;
    EXPECT_EQ(r.message, c.message);
    EXPECT_TRUE(r.refreshRan) << c.message;
    EXPECT_EQ(r.reference.has_value(), c.status == LineStatus::Refused) << c.message;
  }
}

TEST(UniformAsLayout, StretchesOfEqualLength) {
  const std::optional<LineLayout> layout = UniformAsLayout("100", "6", "8");
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->stretches, StretchList{At("12.5", {{"1", "6"}}, "8")});
  EXPECT_FALSE(UniformAsLayout("100", "6", "2.5"));
  EXPECT_FALSE(UniformAsLayout("-1", "6", "2"));
}

}  // namespace
}  // namespace linecalc

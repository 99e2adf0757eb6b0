#include "calc/amplifier_load.h"

#include <gtest/gtest.h>

#include <tuple>

namespace linecalc {
namespace {

// A line as its calculation leaves it: computed with a rated power, or not computed.
LineCalculation Line(double rated, const char* voltage = "100",
                     LineStatus status = LineStatus::Computed) {
  LineCalculation calculation;
  calculation.status = status;
  calculation.requested = rated;
  calculation.inputs.voltage = voltage;
  return calculation;
}

// Load is 100 × rated ÷ power throughout; an absent reserve compares as −1000 %, below any.
TEST(LoadAmplifier, EveryVerdict) {
  using enum AmplifierVerdict;
  const LineCalculation at100 = Line(100), at200 = Line(200), just = Line(200.01);
  const LineCalculation at70 = Line(50, "70,4"), at30 = Line(50, " 30 ");
  const LineCalculation refused = Line(0, "100", LineStatus::Refused);
  const LineCalculation faulted = Line(0, "100", LineStatus::Faulted);
  // clang-format off
  const std::tuple<const char*, double, int, double, std::vector<FedLine>, AmplifierVerdict,
                   const char*, double, std::optional<double>> cases[] = {
      // name, power W, voltage V, reserve %, lines, verdict, message, rated load W, reserve left %
      {"NoLines", 240, 100, 20, {}, Normal, "", 0, std::nullopt},
      {"TwoLinesWithRoom", 240, 100, 20, {{"a", &at100}, {"b", &at100}}, Normal, "", 200, 20},
      // 200 W × 1.2 is exactly the 240 W shown, though not in binary.
      {"ReserveExactlyKept", 240, 100, 20, {{"a", &at200}}, Normal, "", 200, 20},
      {"ReserveShortByACent", 240, 100, 20, {{"a", &just}}, Overloaded, "", 200.01,
       100 * (240 / 200.01 - 1)},
      {"NoReserveFullPower", 200, 100, 0, {{"a", &at200}}, Normal, "", 200, 0},
      {"OverPowerWithoutReserve", 150, 100, 0, {{"a", &at200}}, Overloaded, "", 200, -25},
      // A refusal comes first even after a line of another voltage; only computed lines load.
      {"RefusalFirst", 240, 100, 20, {{"x", &at70}, {"Зал", &refused}, {"y", &faulted}},
       Refused, "Линия «Зал» не рассчитана", 50, 380},
      {"FaultedIsRefused", 240, 100, 20, {{"a", &at100}, {"Двор", &faulted}}, Refused,
       "Линия «Двор» не рассчитана", 100, 140},
      {"IncompatibleBeforeOverload", 60, 100, 20, {{"a", &at100}, {"Холл", &at70}, {"c", &at30}},
       Incompatible, "Линия «Холл»: напряжение линии 70 В, выход усилителя 100 В", 200, -70},
      {"SeventyVoltAmplifier", 120, 70, 20, {{"x", &at70}}, Normal, "", 50, 140}};
  // clang-format on
  for (const auto& [name, power, voltage, reserve, lines, verdict, message, rated, left] : cases) {
    const AmplifierLoad load = LoadAmplifier(power, voltage, reserve, lines);
    EXPECT_EQ(std::tie(load.verdict, load.message), std::tie(verdict, message)) << name;
    EXPECT_DOUBLE_EQ(load.ratedLoad, rated) << name;
    EXPECT_DOUBLE_EQ(load.loadPct, 100 * rated / power) << name;
    EXPECT_NEAR(load.reservePct.value_or(-1000), left.value_or(-1000), 1e-12) << name;
  }
}

TEST(ReadAmplifierTexts, Ranges) {
  constexpr std::nullopt_t no = std::nullopt;
  // clang-format off
  const std::tuple<const char*, std::optional<double>, std::optional<int>, std::optional<double>>
      cases[] = {
      // text         power  voltage reserve     text        power  voltage reserve
      {"",            no,    no,     20},        {" \t",       no,    no,     20},
      {"0",           no,    no,     0},         {"1",         1,     1,      1},
      {"0,5",         0.5,   no,     0.5},       {" 100 ",     100,   100,    100},
      {"100.5",       100.5, no,     no},        {"1e3",       1000,  1000,   no},
      {"1001",        1001,  no,     no},        {"10000",     10000, no,     no},
      {"10000.01",    no,    no,     no},        {"-5",        no,    no,     no},
      {"abc",         no,    no,     no},        {"1e400",     no,    no,     no},
      {"12О",         no,    no,     no}};  // a Cyrillic О after the number
  // clang-format on
  for (const auto& [text, power, voltage, reserve] : cases) {
    EXPECT_EQ(ReadAmplifierPower(text), power) << text;
    EXPECT_EQ(ReadAmplifierVoltage(text), voltage) << text;
    EXPECT_EQ(ReadAmplifierReserve(text), reserve) << text;
  }
}

}  // namespace
}  // namespace linecalc

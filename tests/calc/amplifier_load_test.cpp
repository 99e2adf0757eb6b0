#include "calc/amplifier_load.h"

#include <gtest/gtest.h>

namespace linecalc {
namespace {

// A line as its calculation leaves it: computed with a rated power, or not computed.
LineCalculation Line(LineStatus status, double requested, const char* voltage = "100") {
  LineCalculation calculation;
  calculation.status = status;
  calculation.requested = requested;
  calculation.inputs.voltage = voltage;
  return calculation;
}

TEST(LoadAmplifier, EveryVerdict) {
  const LineCalculation computed100 = Line(LineStatus::Computed, 100);
  const LineCalculation computed200 = Line(LineStatus::Computed, 200);
  const LineCalculation just = Line(LineStatus::Computed, 200.01);
  const LineCalculation refused = Line(LineStatus::Refused, 0);
  const LineCalculation faulted = Line(LineStatus::Faulted, 0);
  const LineCalculation at70 = Line(LineStatus::Computed, 50, "70,4");
  const LineCalculation at30 = Line(LineStatus::Computed, 50, " 30 ");
  struct Case {
    const char* name;
    double power;
    int voltage;
    double reserve;
    std::vector<FedLine> lines;
    AmplifierVerdict verdict;
    const char* message;
    double rated;
    double loadPct;
    std::optional<double> reservePct;
  };
  // clang-format off
  const Case cases[] = {
      {"NoLines", 240, 100, 20, {}, AmplifierVerdict::Normal, "", 0, 0, std::nullopt},
      {"TwoLinesWithRoom", 240, 100, 20, {{"a", &computed100}, {"b", &computed100}}, AmplifierVerdict::Normal, "", 200, 200.0 / 2.4, 20},
      // 200 W × 1.2 is exactly the 240 W shown, though not in binary.
      {"ReserveExactlyKept", 240, 100, 20, {{"a", &computed200}}, AmplifierVerdict::Normal, "", 200, 200.0 / 2.4, 20},
      {"ReserveShortByACent", 240, 100, 20, {{"a", &just}}, AmplifierVerdict::Overloaded, "", 200.01, 200.01 / 2.4, 100 * (240 / 200.01 - 1)},
      {"NoReserveFullPower", 200, 100, 0, {{"a", &computed200}}, AmplifierVerdict::Normal, "", 200, 100, 0},
      {"OverPowerWithoutReserve", 150, 100, 0, {{"a", &computed200}}, AmplifierVerdict::Overloaded, "", 200, 200.0 / 1.5, 100 * (150.0 / 200 - 1)},
      // A refusal comes first even after a line of another voltage; only computed lines load.
      {"RefusedBeforeIncompatible", 240, 100, 20, {{"x", &at70}, {"Зал", &refused}, {"y", &faulted}}, AmplifierVerdict::Refused, "Линия «Зал» не рассчитана", 50, 50 / 2.4, 100 * (240.0 / 50 - 1)},
      {"FaultedIsRefused", 240, 100, 20, {{"a", &computed100}, {"Двор", &faulted}}, AmplifierVerdict::Refused, "Линия «Двор» не рассчитана", 100, 100 / 2.4, 140},
      {"IncompatibleBeforeOverload", 60, 100, 20, {{"a", &computed100}, {"Холл", &at70}, {"c", &at30}}, AmplifierVerdict::Incompatible, "Линия «Холл»: напряжение линии 70 В, выход усилителя 100 В", 200, 20000.0 / 60, -70},
      {"SeventyVoltAmplifier", 120, 70, 20, {{"x", &at70}}, AmplifierVerdict::Normal, "", 50, 50 / 1.2, 140},
  };
  // clang-format on
  for (const Case& c : cases) {
    const AmplifierLoad load = LoadAmplifier(c.power, c.voltage, c.reserve, c.lines);
    EXPECT_EQ(load.verdict, c.verdict) << c.name;
    EXPECT_EQ(load.message, c.message) << c.name;
    EXPECT_DOUBLE_EQ(load.ratedLoad, c.rated) << c.name;
    EXPECT_DOUBLE_EQ(load.loadPct, c.loadPct) << c.name;
    ASSERT_EQ(load.reservePct.has_value(), c.reservePct.has_value()) << c.name;
    if (c.reservePct) {
      EXPECT_NEAR(*load.reservePct, *c.reservePct, 1e-12) << c.name;
    }
  }
}

TEST(ReadAmplifierTexts, Ranges) {
  struct Case {
    const char* text;
    std::optional<double> power;
    std::optional<int> voltage;
    std::optional<double> reserve;
  };
  const Case cases[] = {
      {"", std::nullopt, std::nullopt, 20},
      {" \t", std::nullopt, std::nullopt, 20},
      {"0", std::nullopt, std::nullopt, 0},
      {"1", 1, 1, 1},
      {"0,5", 0.5, std::nullopt, 0.5},
      {" 100 ", 100, 100, 100},
      {"100.5", 100.5, std::nullopt, std::nullopt},
      {"1e3", 1000, 1000, std::nullopt},
      {"1001", 1001, std::nullopt, std::nullopt},
      {"10000", 10000, std::nullopt, std::nullopt},
      {"10000.01", std::nullopt, std::nullopt, std::nullopt},
      {"-5", std::nullopt, std::nullopt, std::nullopt},
      {"12О", std::nullopt, std::nullopt, std::nullopt},  // a Cyrillic О after the number
      {"abc", std::nullopt, std::nullopt, std::nullopt},
      {"1e400", std::nullopt, std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadAmplifierPower(c.text), c.power) << c.text;
    EXPECT_EQ(ReadAmplifierVoltage(c.text), c.voltage) << c.text;
    EXPECT_EQ(ReadAmplifierReserve(c.text), c.reserve) << c.text;
  }
}

}  // namespace
}  // namespace linecalc

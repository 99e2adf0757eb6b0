#include "calc/amplifier_load.h"

#include <cmath>

#include "calc/number_format.h"

namespace linecalc {
namespace {

// The number `text` holds whole (blanks aside), by the number input rule.
std::optional<double> WholeNumber(std::string_view text) {
  if (!HasNumber(text, true)) {
    return std::nullopt;
  }
  const Checked<double> value = ReadNumber(text);
  return value.ok() ? std::optional<double>(value.value()) : std::nullopt;
}

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::optional<long long> LineVoltage(const LineCalculation& calculation) {
  const Checked<double> voltage = ReadNumber(calculation.inputs.voltage);
  if (!voltage.ok() || !std::isfinite(voltage.value()) || std::fabs(voltage.value()) > 1e15) {
    return std::nullopt;
  }
  return std::llround(voltage.value());
}

// The first line that is not computed, then the first of another voltage: the verdict and its
// message; absent when every line is computed at the amplifier's voltage.
struct LineFault {
  AmplifierVerdict verdict;
  std::string message;
};

std::optional<LineFault> FirstFault(int voltageV, const std::vector<FedLine>& lines) {
  for (const FedLine& line : lines) {
    if (line.calculation->status != LineStatus::Computed) {
      return LineFault{AmplifierVerdict::Refused,
                       "Линия «" + std::string(line.name) + "» не рассчитана"};
    }
  }
  for (const FedLine& line : lines) {
    const std::optional<long long> voltage = LineVoltage(*line.calculation);
    if (voltage != voltageV) {
      return LineFault{AmplifierVerdict::Incompatible,
                       "Линия «" + std::string(line.name) + "»: напряжение линии " +
                           (voltage ? FormatInteger(*voltage) : line.calculation->inputs.voltage) +
                           " В, выход усилителя " + FormatInteger(voltageV) + " В"};
    }
  }
  return std::nullopt;
}

}  // namespace

std::string_view AmplifierVerdictText(AmplifierVerdict verdict) {
  switch (verdict) {
    case AmplifierVerdict::Refused:
      return "отказ";
    case AmplifierVerdict::Incompatible:
      return "несовместимо";
    case AmplifierVerdict::Overloaded:
      return "перегрузка";
    case AmplifierVerdict::Normal:
      break;
  }
  return "норма";
}

std::optional<double> ReadAmplifierPower(std::string_view text) {
  const std::optional<double> power = WholeNumber(text);
  return power && *power > 0 && *power <= 10000 ? power : std::nullopt;
}

std::optional<int> ReadAmplifierVoltage(std::string_view text) {
  const std::optional<double> voltage = WholeNumber(text);
  if (!voltage || *voltage != std::floor(*voltage) || *voltage < 1 || *voltage > 1000) {
    return std::nullopt;
  }
  return static_cast<int>(*voltage);
}

std::optional<double> ReadAmplifierReserve(std::string_view text) {
  if (IsBlank(text)) {
    return kDefaultAmplifierReservePct;
  }
  const std::optional<double> reserve = WholeNumber(text);
  return reserve && *reserve >= 0 && *reserve <= 100 ? reserve : std::nullopt;
}

AmplifierLoad LoadAmplifier(double powerW, int voltageV, double reservePct,
                            const std::vector<FedLine>& lines) {
  AmplifierLoad load;
  for (const FedLine& line : lines) {
    if (line.calculation->status == LineStatus::Computed) {
      load.ratedLoad += line.calculation->requested;
    }
  }
  load.loadPct = 100 * load.ratedLoad / powerW;
  if (load.ratedLoad > 0) {
    load.reservePct = 100 * (powerW / load.ratedLoad - 1);
  }
  if (std::optional<LineFault> fault = FirstFault(voltageV, lines)) {
    load.verdict = fault->verdict;
    load.message = std::move(fault->message);
  } else if (RoundAsDisplayed(load.ratedLoad * (100 + reservePct) / 100) >
             RoundAsDisplayed(powerW)) {
    // As shown: 200 W with 20 % needs exactly the 240 W an amplifier shows, not 240.0000001.
    load.verdict = AmplifierVerdict::Overloaded;
  }
  return load;
}

}  // namespace linecalc

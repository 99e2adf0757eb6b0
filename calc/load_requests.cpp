#include "calc/load_requests.h"

#include "calc/number_format.h"
#include "calc/report.h"

namespace linecalc {

Outcome<double> AcceptInputPower(std::string_view text) {
  const Checked<double> pIn = ReadNumber(text);
  if (!pIn) {
    return Fault{"PIn"};
  }
  if (auto refusal = CheckInputPower(pIn.value())) {
    return *refusal;
  }
  return pIn.value();
}

Outcome<SingleLoadResult> SolveSingleLoad(double pIn, const LineState& state) {
  if (auto refusal = CheckLineResistance(state.RLine)) {
    return *refusal;
  }
  if (auto refusal = CheckLoad(pIn, state.PExpected)) {
    return *refusal;
  }
  Checked<SingleLoadResult> r = CalculateSingleLoad(state.LineVoltage, state.RLine, pIn);
  if (!r) {
    return r.fault();
  }
  return std::move(r).value();
}

Outcome<SingleLoadView> RunSingleLoad(double pIn, const LineState& state,
                                      std::string_view decimalSeparator) {
  const Outcome<SingleLoadResult> solved = SolveSingleLoad(pIn, state);
  if (const auto* refusal = std::get_if<Refusal>(&solved)) {
    return *refusal;
  }
  if (const auto* fault = std::get_if<Fault>(&solved)) {
    return *fault;
  }
  const SingleLoadResult& v = std::get<SingleLoadResult>(solved);
  return SingleLoadView{
      FormatNumber(v.ZLoad, decimalSeparator), FormatNumber(v.URes, decimalSeparator),
      FormatNumber(v.PRes, decimalSeparator), FormatNumber(v.LossPct, decimalSeparator)};
}

namespace {

// Power and count as read, in the order the checks run: the power first, then the count.
Outcome<std::pair<double, double>> AcceptSpeakers(std::string_view powerText,
                                                  std::string_view countText) {
  const Checked<double> power = ReadNumber(powerText);
  if (!power) {
    return Fault{"SpeakerPower"};
  }
  if (auto refusal = CheckSpeakerPower(power.value())) {
    return *refusal;
  }
  const Checked<double> count = ReadNumber(countText);
  if (!count) {
    return Fault{"SpeakerCount"};
  }
  if (auto refusal = CheckSpeakerCount(count.value())) {
    return *refusal;
  }
  return std::pair{power.value(), count.value()};
}

}  // namespace

Outcome<UniformLoadSolution> SolveUniformLoad(std::string_view powerText,
                                              std::string_view countText, const LineState& state) {
  const auto speakers = AcceptSpeakers(powerText, countText);
  if (const auto* refusal = std::get_if<Refusal>(&speakers)) {
    return *refusal;
  }
  if (const auto* fault = std::get_if<Fault>(&speakers)) {
    return *fault;
  }
  const auto [power, count] = std::get<0>(speakers);
  if (auto refusal = CheckLineResistance(state.RLine)) {
    return *refusal;
  }
  if (auto refusal = CheckLoad(power * count, state.PExpected)) {
    return *refusal;
  }
  Checked<UniformLoadResult> r = CalculateUniformLoad(state.LineVoltage, state.RLine, power, count);
  if (!r) {
    return r.fault();
  }
  return UniformLoadSolution{power, count, std::move(r).value()};
}

Outcome<UniformLoadView> RunUniformLoad(std::string_view powerText, std::string_view countText,
                                        const LineState& state, std::string_view decimalSeparator) {
  const Outcome<UniformLoadSolution> solved = SolveUniformLoad(powerText, countText, state);
  if (const auto* refusal = std::get_if<Refusal>(&solved)) {
    return *refusal;
  }
  if (const auto* fault = std::get_if<Fault>(&solved)) {
    return *fault;
  }
  const UniformLoadResult& r = std::get<UniformLoadSolution>(solved).result;
  return UniformLoadView{FormatReportLines(r, decimalSeparator),
                         FormatNumber(r.UniformLossPct, decimalSeparator),
                         FormatNumber(r.CascadeVoltage, decimalSeparator)};
}

}  // namespace linecalc

#include "calc/load_requests.h"

#include "calc/number_format.h"
#include "calc/report.h"
#include "calc/single_load.h"
#include "calc/uniform_load.h"

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

Outcome<SingleLoadView> RunSingleLoad(double pIn, const LineState& state,
                                      std::string_view decimalSeparator) {
  if (auto refusal = CheckLoad(pIn, state.PExpected)) {
    return *refusal;
  }
  const Checked<SingleLoadResult> r = CalculateSingleLoad(state.LineVoltage, state.RLine, pIn);
  if (!r) {
    return r.fault();
  }
  const SingleLoadResult& v = r.value();
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

Outcome<UniformLoadView> RunUniformLoad(std::string_view powerText, std::string_view countText,
                                        const LineState& state, std::string_view decimalSeparator) {
  const auto speakers = AcceptSpeakers(powerText, countText);
  if (const auto* refusal = std::get_if<Refusal>(&speakers)) {
    return *refusal;
  }
  if (const auto* fault = std::get_if<Fault>(&speakers)) {
    return *fault;
  }
  const auto [power, count] = std::get<0>(speakers);
  if (auto refusal = CheckLoad(power * count, state.PExpected)) {
    return *refusal;
  }
  const Checked<UniformLoadResult> r =
      CalculateUniformLoad(state.LineVoltage, state.RLine, power, count);
  if (!r) {
    return r.fault();
  }
  return UniformLoadView{FormatReportLines(r.value(), decimalSeparator),
                         FormatNumber(r.value().UniformLossPct, decimalSeparator),
                         FormatNumber(r.value().CascadeVoltage, decimalSeparator)};
}

}  // namespace linecalc

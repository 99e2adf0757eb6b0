#include "calc/line_calculation.h"

#include <cmath>
#include <variant>

#include "calc/decibels.h"
#include "calc/load_requests.h"
#include "calc/number_format.h"
#include "calc/startup.h"

namespace linecalc {
namespace {

std::optional<double> Finite(double value) {
  return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// The state after the user picks the material and section of `in`; the refresh is still to run.
LineState ChosenLine(const LineInputs& in) {
  LineState state = MakeStartupState(".").state;
  state.SectionIndex = in.sectionIndex;
  state.Alpha = in.material == Material::Copper ? CopperAlpha : AluminiumAlpha;
  return state;
}

void Refuse(LineCalculation& out, const Refusal& refusal) {
  out.status = LineStatus::Refused;
  out.message = refusal.message;
  out.focus = refusal.focus;
}

void Fail(LineCalculation& out) {
  out.status = LineStatus::Faulted;
  out.message = MsgCalculationFault;
}

// Settles a refusal or a fault into `out`; returns the solution when there is one.
template <typename T>
const T* Settle(LineCalculation& out, const std::variant<T, Refusal, Fault>& outcome) {
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    Refuse(out, *refusal);
    return nullptr;
  }
  if (std::holds_alternative<Fault>(outcome)) {
    Fail(out);
    return nullptr;
  }
  return &std::get<T>(outcome);
}

void Conclude(LineCalculation& out, std::int16_t lineVoltage) {
  out.status = LineStatus::Computed;
  out.lossDb = LossDecibels(out.requested, out.farPower);
  out.voltageDropPct = VoltageDropPercent(static_cast<double>(lineVoltage), out.farVoltage);
}

void SolveSingle(LineCalculation& out, double pIn, const LineState& state) {
  const Outcome<SingleLoadResult> solved = SolveSingleLoad(pIn, state);
  const SingleLoadResult* r = Settle(out, solved);
  if (r == nullptr) {
    return;
  }
  out.power = pIn;
  out.requested = pIn;
  out.single = *r;
  out.farVoltage = r->URes;
  out.farPower = r->PRes;
  out.lossPct = r->LossPct;
  Conclude(out, state.LineVoltage);
}

void SolveUniform(LineCalculation& out, const LineState& state) {
  const Outcome<UniformLoadSolution> solved =
      SolveUniformLoad(out.inputs.power, out.inputs.count, state);
  const UniformLoadSolution* s = Settle(out, solved);
  if (s == nullptr) {
    return;
  }
  out.power = s->speakerPower;
  out.count = s->speakerCount;
  out.requested = s->speakerPower * s->speakerCount;
  out.uniform = s->result;
  out.farVoltage = s->result.EndVoltage;
  out.farPower = s->result.DeliveredPower;
  out.lossPct = s->result.UniformLossPct;
  Conclude(out, state.LineVoltage);
}

// Runs the refresh of `inputs` with the cable length `length` into `out` and `state`.
void Refresh(LineCalculation& out, LineState& state, std::string_view length,
             std::string_view decimalSeparator) {
  const LineInputs& inputs = out.inputs;
  const std::string_view r20Text = inputs.r20 ? std::string_view(*inputs.r20) : "";
  Checked<RefreshResult> refreshed =
      ComputeRefresh(state, {length, inputs.temperature, inputs.voltage, r20Text},
                     inputs.r20.has_value(), inputs.material == Material::Copper, decimalSeparator);
  if (refreshed) {
    ApplyRefresh(state, refreshed.value());
    const Checked<double> r20 = ReadNumber(inputs.r20 ? r20Text : *refreshed.value().R20Text);
    out.r20 = r20 ? r20.value() : 0;
    out.reference = std::move(refreshed).value();
  }
}

void SolveNetwork(LineCalculation& out, const LayoutNetwork& network, const LineState& state) {
  if (auto refusal = CheckLineResistance(state.RLine)) {
    Refuse(out, *refusal);
    return;
  }
  if (auto refusal = CheckLoad(network.ratedW, state.PExpected)) {
    Refuse(out, *refusal);
    return;
  }
  // TempC holds the ambient temperature plus the conductor's own 5 °C after the refresh.
  const LayoutCable cable{out.r20, state.Alpha * state.TempC + 1};
  Checked<LayoutSolution> solved =
      SolveLayout(network, cable, static_cast<double>(state.LineVoltage));
  if (!solved) {
    Fail(out);
    return;
  }
  const LayoutSolution& s = solved.value();
  out.power = s.ratedW;
  out.count = network.speakerCount;
  out.requested = s.ratedW;
  out.farVoltage = s.lowestVoltage;
  out.farPower = s.deliveredW;
  out.lossPct = s.lossPct;
  out.layout = std::move(solved).value();
  Conclude(out, state.LineVoltage);
}

// The layout's own checks come first: a layout refused by them has no length to refresh with.
void CalculateLayout(LineCalculation& out, LineState& state, std::string_view decimalSeparator) {
  const auto read = ReadLayout(out.inputs.layout);
  if (const auto* refusal = std::get_if<LayoutRefusal>(&read)) {
    Refuse(out, refusal->refusal);
    out.refusedStretch = refusal->where;
    return;
  }
  const LayoutNetwork& network = std::get<LayoutNetwork>(read);
  Refresh(out, state, ShortestDecimal(network.totalLengthM, Notation::Plain), decimalSeparator);
  out.refreshRan = true;
  if (!out.reference) {
    Fail(out);
    return;
  }
  SolveNetwork(out, network, state);
}

}  // namespace

LineCalculation CalculateLine(const LineInputs& inputs, std::string_view decimalSeparator) {
  LineCalculation out;
  out.inputs = inputs;
  LineState state = ChosenLine(inputs);
  if (inputs.load == LoadKind::Layout) {
    CalculateLayout(out, state, decimalSeparator);
    return out;
  }
  Refresh(out, state, inputs.length, decimalSeparator);
  if (inputs.load == LoadKind::Single) {
    // The input power is checked before the refresh runs, so its refusal comes first.
    const Outcome<double> accepted = AcceptInputPower(inputs.power);
    const double* pIn = Settle(out, accepted);
    if (pIn == nullptr) {
      return out;
    }
    out.refreshRan = true;
    if (!out.reference) {
      Fail(out);
      return out;
    }
    SolveSingle(out, *pIn, state);
    return out;
  }
  out.refreshRan = true;
  if (!out.reference) {
    Fail(out);
    return out;
  }
  SolveUniform(out, state);
  return out;
}

std::optional<double> LossDecibels(double requested, double delivered) {
  const double r = requested / delivered;
  return Finite(TenLog10(r));
}

std::optional<double> VoltageDropPercent(double lineVoltage, double farVoltage) {
  return Finite((lineVoltage - farVoltage) * 100 / lineVoltage);
}

}  // namespace linecalc

// Both calculations behind their input checks, on arbitrary texts of the power and count fields
// and arbitrary line values: any 16-bit line voltage, any finite RLine and PExpected.

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calc/load_checks.h"
#include "calc/load_requests.h"
#include "calc/number_format.h"
#include "calc/report.h"
#include "calc/single_load.h"
#include "calc/startup.h"
#include "calc/uniform_load.h"
#include "fuzz/properties.h"

namespace linecalc::fuzz {
namespace {

struct Input {
  std::string_view separator;
  LineState line;
  std::string inputPower, speakerPower, speakerCount;
};

// A finite double, either bit for bit from the input or read from a text, so that the fuzzer
// reaches both every bit pattern and the plain figures a refresh leaves ("0.05", "1060.5").
std::optional<double> ConsumeFinite(FuzzedDataProvider& in, bool asText) {
  if (!asText) {
    const double value = std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
    return std::isfinite(value) ? std::optional(value) : std::nullopt;
  }
  const Checked<double> value = ReadNumber(in.ConsumeRandomLengthString());
  return value.ok() ? std::optional(value.value()) : std::nullopt;
}

std::optional<Input> Split(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  Input input;
  // The choices come from the end of the input, the texts from its start.
  input.separator = kSeparators[in.ConsumeIntegralInRange<std::size_t>(0, 2)];
  input.line = MakeStartupState(input.separator).state;
  input.line.LineVoltage = in.ConsumeIntegral<std::int16_t>();
  const bool rLineAsText = in.ConsumeBool();
  const bool pExpectedAsText = in.ConsumeBool();
  const std::optional<double> rLine = ConsumeFinite(in, rLineAsText);
  const std::optional<double> pExpected = ConsumeFinite(in, pExpectedAsText);
  if (!rLine || !pExpected) {
    return std::nullopt;
  }
  input.line.RLine = *rLine;
  input.line.PExpected = *pExpected;
  input.inputPower = in.ConsumeRandomLengthString();
  input.speakerPower = in.ConsumeRandomLengthString();
  input.speakerCount = in.ConsumeRemainingBytesAsString();
  return input;
}

// A line that loses power rather than makes it: losses are shown from 0.00 to 100.00 %.
bool IsPassiveLine(const LineState& line) {
  return line.RLine >= 0 && line.LineVoltage > 0;
}

void RequireLossShownAsShare(const LineState& line, double lossPct, std::string_view what) {
  if (IsPassiveLine(line)) {
    const double shown = RoundAsDisplayed(lossPct);
    Require(shown >= 0 && shown <= 100, what, FormatNumber(lossPct, "."));
  }
}

void CheckSingleView(const SingleLoadView& view, double pIn, const Input& input) {
  const LineState& line = input.line;
  Require(!CheckLineResistance(line.RLine) && !CheckLoad(pIn, line.PExpected),
          "a refused load is never computed");
  const Checked<SingleLoadResult> r = CalculateSingleLoad(line.LineVoltage, line.RLine, pIn);
  Require(r.ok(), "a shown single load computes without a fault");
  const SingleLoadResult& v = r.value();
  for (double value : {v.ZLoad, v.ILoad, v.URes, v.PRes, v.LossPct}) {
    Require(std::isfinite(value), "every single-load value is finite", std::to_string(value));
  }
  for (const std::string* text : {&view.ZLoad, &view.URes, &view.PRes, &view.LossPct}) {
    RequireShown(*text, input.separator, "a single-load label shows a finite number");
  }
  Require(view.LossPct == FormatNumber(v.LossPct, input.separator) &&
              view.ZLoad == FormatNumber(v.ZLoad, input.separator),
          "the labels show the computed values");
  RequireLossShownAsShare(line, v.LossPct, "single-load losses lie between 0 and 100 %");
}

void CheckSingleLoad(const Input& input) {
  const Outcome<double> accepted = AcceptInputPower(input.inputPower);
  if (const auto* refusal = std::get_if<Refusal>(&accepted)) {
    Require(*refusal == Refusal{MsgInputPowerRange, FocusTarget::InputPower},
            "an input power is refused only with its range message", input.inputPower);
    return;
  }
  if (std::holds_alternative<Fault>(accepted)) {
    Require(!ReadNumber(input.inputPower).ok(), "only an unreadable input power is a fault",
            input.inputPower);
    return;
  }
  const double pIn = std::get<double>(accepted);
  Require(pIn > 0 && pIn < 5000, "an accepted input power lies in its range", input.inputPower);

  const Outcome<SingleLoadView> outcome = RunSingleLoad(pIn, input.line, input.separator);
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    // The line is checked first, then the load.
    const bool negativeLine = input.line.RLine < 0;
    const Refusal expected = negativeLine ? Refusal{MsgNegativeLineResistance, FocusTarget::Stay}
                                          : Refusal{MsgOverload, FocusTarget::Stay};
    Require(*refusal == expected, "a computed load is refused only for its line or as an overload");
    Require(negativeLine || CheckLoad(pIn, input.line.PExpected).has_value(),
            "an overload is refused as shown");
  } else if (const auto* view = std::get_if<SingleLoadView>(&outcome)) {
    CheckSingleView(*view, pIn, input);
  } else {
    Require(!CalculateSingleLoad(input.line.LineVoltage, input.line.RLine, pIn).ok(),
            "a single-load fault comes from the calculation");
  }
}

// Each row starts with its number, then come the separator and the two closing lines.
void CheckReportShape(const std::vector<std::string>& lines, std::size_t rows) {
  Require(lines.size() == rows + 3, "the report holds RowCount + 3 lines");
  for (std::size_t i = 0; i < rows; ++i) {
    Require(lines[i].starts_with(std::to_string(i + 1) + "\t"), "rows are numbered from 1",
            lines[i]);
  }
  Require(lines[rows] == ReportSeparator, "the separator follows the rows", lines[rows]);
  Require(lines[rows + 1].starts_with("На проводах\t"), "then the wires line", lines[rows + 1]);
  Require(lines[rows + 2].starts_with("Остается\tU="), "then the remains line", lines[rows + 2]);
}

void CheckUniformView(const UniformLoadView& view, double power, double count, const Input& input) {
  const LineState& line = input.line;
  Require(!CheckSpeakerPower(power) && !CheckSpeakerCount(count) &&
              !CheckLineResistance(line.RLine) && !CheckLoad(power * count, line.PExpected),
          "a refused uniform load is never computed");
  const Checked<UniformLoadResult> r =
      CalculateUniformLoad(line.LineVoltage, line.RLine, power, count);
  Require(r.ok(), "a shown uniform load computes without a fault");
  const UniformLoadResult& v = r.value();
  Require(v.Rows.size() == static_cast<std::size_t>(count), "one row per loudspeaker");
  for (const SpeakerRow& row : v.Rows) {
    Require(std::isfinite(row.SegmentDrop) && std::isfinite(row.NodePower),
            "every row value is finite");
  }
  for (double value : {v.DropTotal, v.LostPower, v.EndVoltage, v.DeliveredPower, v.UniformLossPct,
                       v.CascadeVoltage}) {
    Require(std::isfinite(value), "every uniform-load total is finite", std::to_string(value));
  }
  CheckReportShape(view.lines, v.Rows.size());
  Require(view.lines == FormatReportLines(v, input.separator), "the report shows the result");
  for (const std::string& text : view.lines) {
    RequireShown(text, input.separator, "a report line shows finite numbers");
  }
  RequireShown(view.UniformLossPct, input.separator, "Lbl15 shows a finite number");
  RequireShown(view.CascadeVoltage, input.separator, "Lbl16 shows a finite number");
  RequireLossShownAsShare(line, v.UniformLossPct, "uniform-load losses lie between 0 and 100 %");
}

void CheckUniformLoad(const Input& input) {
  const Checked<double> power = ReadNumber(input.speakerPower);
  const Checked<double> count = ReadNumber(input.speakerCount);
  const Outcome<UniformLoadView> outcome =
      RunUniformLoad(input.speakerPower, input.speakerCount, input.line, input.separator);
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    // The power is checked first, then the count, then the line, then the load.
    const bool powerRefused = power.ok() && CheckSpeakerPower(power.value());
    const bool countRefused =
        !powerRefused && power.ok() && count.ok() && CheckSpeakerCount(count.value());
    const bool lineRefused =
        !powerRefused && !countRefused && power.ok() && count.ok() && input.line.RLine < 0;
    const bool loadRefused = !powerRefused && !countRefused && !lineRefused && power.ok() &&
                             count.ok() &&
                             CheckLoad(power.value() * count.value(), input.line.PExpected);
    Require(powerRefused || countRefused || lineRefused || loadRefused,
            "a refusal has a failed check");
    const Refusal expected = powerRefused ? Refusal{MsgSpeakerPowerRange, FocusTarget::SpeakerPower}
                             : countRefused ? *CheckSpeakerCount(count.value())
                             : lineRefused  ? Refusal{MsgNegativeLineResistance, FocusTarget::Stay}
                                            : Refusal{MsgOverload, FocusTarget::Stay};
    Require(*refusal == expected, "the first failed check gives its message and focus");
  } else if (const auto* view = std::get_if<UniformLoadView>(&outcome)) {
    Require(power.ok() && count.ok(), "a shown uniform load read both fields");
    CheckUniformView(*view, power.value(), count.value(), input);
  } else {
    const bool calculationFails = power.ok() && count.ok() &&
                                  !CalculateUniformLoad(input.line.LineVoltage, input.line.RLine,
                                                        power.value(), count.value())
                                       .ok();
    Require(!power.ok() || !count.ok() || calculationFails,
            "a uniform-load fault comes from a field or the calculation");
  }
}

}  // namespace
}  // namespace linecalc::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<linecalc::fuzz::Input> input = linecalc::fuzz::Split(data, size);
  if (input) {
    linecalc::fuzz::CheckSingleLoad(*input);
    linecalc::fuzz::CheckUniformLoad(*input);
  }
  return 0;
}

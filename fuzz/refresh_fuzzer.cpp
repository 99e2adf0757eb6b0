// The refresh on arbitrary texts of the length, temperature, voltage and R20 fields, with any
// section row, either material, either Alpha and either state of the R20 flag.

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calc/number_format.h"
#include "calc/refresh.h"
#include "calc/startup.h"
#include "calc/tables.h"
#include "fuzz/properties.h"

namespace linecalc::fuzz {
namespace {

struct Input {
  std::string_view separator;
  int section = 0;
  bool keepR20 = false;
  bool copper = true;
  double alpha = CopperAlpha;
  std::string length, temperature, voltage, r20;
};

Input Split(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  Input input;
  // The choices come from the end of the input, the texts from its start.
  input.separator = kSeparators[in.ConsumeIntegralInRange<std::size_t>(0, 2)];
  input.section = in.ConsumeIntegralInRange<int>(0, kSectionCount - 1);
  const auto flags = in.ConsumeIntegral<std::uint8_t>();
  input.keepR20 = (flags & 1) != 0;
  input.copper = (flags & 2) != 0;
  input.alpha = (flags & 4) != 0 ? AluminiumAlpha : CopperAlpha;
  input.length = in.ConsumeRandomLengthString();
  input.temperature = in.ConsumeRandomLengthString();
  input.voltage = in.ConsumeRandomLengthString();
  input.r20 = in.ConsumeRemainingBytesAsString();
  return input;
}

LineState StateFor(const Input& input) {
  LineState state = MakeStartupState(input.separator).state;
  state.SectionIndex = input.section;
  state.Alpha = input.alpha;
  return state;
}

Checked<RefreshResult> Refresh(const LineState& state, const Input& input,
                               std::string_view separator, std::string_view r20) {
  return ComputeRefresh(state, {input.length, input.temperature, input.voltage, r20}, input.keepR20,
                        input.copper, separator);
}

bool SameValues(const RefreshResult& a, const RefreshResult& b) {
  return a.R10 == b.R10 && a.RLine == b.RLine && a.TempC == b.TempC && a.LengthM == b.LengthM &&
         a.JMax == b.JMax && a.JOpt == b.JOpt && a.LineVoltage == b.LineVoltage &&
         a.PExpected == b.PExpected && a.R20Text == b.R20Text;
}

bool SameTexts(const RefreshResult& a, const RefreshResult& b) {
  return a.R10Text == b.R10Text && a.RLineText == b.RLineText && a.JMaxText == b.JMaxText &&
         a.JOptText == b.JOptText && a.PExpectedText == b.PExpectedText;
}

void CheckShown(const RefreshResult& r, std::string_view separator) {
  for (double value : {r.R10, r.RLine, r.TempC, r.LengthM, r.JMax, r.JOpt, r.PExpected}) {
    Require(std::isfinite(value), "every refreshed value is finite", std::to_string(value));
  }
  for (const std::string* text :
       {&r.R10Text, &r.RLineText, &r.JMaxText, &r.JOptText, &r.PExpectedText}) {
    RequireShown(*text, separator, "a reference label shows a finite number");
  }
}

// The R20 field is written with "." and read back by the input rule: it must give back exactly
// R10 + R10 as shown, whatever the separator of the labels.
void CheckR20Field(const RefreshResult& r, bool keepR20) {
  Require(r.R20Text.has_value() == !keepR20,
          "the R20 field is written exactly when no typed value is kept");
  if (!r.R20Text) {
    return;
  }
  RequireShown(*r.R20Text, ".", "the R20 field shows a finite number");
  const Checked<double> readBack = ReadNumber(*r.R20Text);
  Require(readBack.ok() && readBack.value() == RoundAsDisplayed(r.R10 + r.R10),
          "the R20 field reads back as R10 + R10 shown", *r.R20Text);
}

void CheckRefresh(const Input& input) {
  const LineState state = StateFor(input);
  const Checked<RefreshResult> result = Refresh(state, input, input.separator, input.r20);
  if (!result.ok()) {
    Require(!result.fault().step.empty(), "a fault names its step");
    return;
  }
  const RefreshResult& r = result.value();
  CheckShown(r, input.separator);
  CheckR20Field(r, input.keepR20);

  // The separator of the labels changes the texts only, never a value or the R20 field.
  const Checked<RefreshResult> point = Refresh(state, input, ".", input.r20);
  Require(point.ok() && SameValues(point.value(), r), "the separator changes no value");

  // Without the flag a typed R20 is overwritten before it is read, so it cannot matter.
  if (!input.keepR20) {
    const Checked<RefreshResult> other = Refresh(state, input, input.separator, "999");
    Require(other.ok() && SameValues(other.value(), r), "an overwritten R20 text is not used");
  }

  // A second refresh of the same fields gives the same line: TempC gains its 5 degrees once.
  LineState applied = state;
  ApplyRefresh(applied, r);
  const Checked<RefreshResult> again = Refresh(applied, input, input.separator, input.r20);
  Require(again.ok() && SameValues(again.value(), r) && SameTexts(again.value(), r),
          "a second refresh changes nothing");
}

}  // namespace
}  // namespace linecalc::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  linecalc::fuzz::CheckRefresh(linecalc::fuzz::Split(data, size));
  return 0;
}

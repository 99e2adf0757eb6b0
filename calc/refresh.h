#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calc/checked.h"
#include "calc/line_state.h"

namespace linecalc {

// The texts of the fields the refresh reads, as they stand.
struct LineTexts {
  std::string_view length;       // CmbL, metres
  std::string_view temperature;  // CmbT, °C
  std::string_view voltage;      // CmbU, volts
  std::string_view r20;          // TxtU, Ohm per km
};

// New values of the fields the refresh writes, with their display texts.
struct RefreshResult {
  double R10 = 0;
  double RLine = 0;
  double TempC = 0;
  double LengthM = 0;
  double JMax = 0;
  double JOpt = 0;
  std::int16_t LineVoltage = 0;
  double PExpected = 0;
  std::string R10Text;        // LblU
  std::string RLineText;      // LblAR
  std::string JMaxText;       // LblDJ
  std::string JOptText;       // LblOJ
  std::string PExpectedText;  // LblP
  // Text to write into the R20 field, always with "." so that it reads back as shown; absent
  // when the field holds a typed value that the refresh keeps.
  std::optional<std::string> R20Text;
};

// Recomputes the reference values of the line from the field texts, the section row and the
// material in `state`, without changing `state`. `keepR20` is true when the R20 field holds a typed
// value, which is then used; otherwise 2 × R10 as shown. A value out of range is a fault naming its
// step.
Checked<RefreshResult> ComputeRefresh(const LineState& state, const LineTexts& texts, bool keepR20,
                                      bool copper, std::string_view decimalSeparator);

// Stores the new field values of a refresh into `state`.
void ApplyRefresh(LineState& state, const RefreshResult& result);

}  // namespace linecalc

#pragma once

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/checked.h"

namespace linecalc::fuzz {

// The decimal separators a window may pass: the point, the comma, and a multi-byte one.
inline constexpr std::string_view kSeparators[] = {".", ",", "\xD9\xAB"};

// A broken property is a finding: name it, show what broke it, and abort so that libFuzzer keeps
// the input that led there.
inline void Require(bool holds, std::string_view property, std::string_view detail = {}) {
  if (holds) {
    return;
  }
  std::fprintf(stderr, "\nproperty broken: %.*s\n  %.*s\n", static_cast<int>(property.size()),
               property.data(), static_cast<int>(detail.size()), detail.data());
  std::abort();
}

// What a user may see: no "inf" or "nan" in any letter case, and no negative zero with either
// the given separator or the point.
inline bool ShowsOnlyFiniteNumbers(std::string_view text, std::string_view separator) {
  std::string lower(text);
  for (char& c : lower) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  const std::string negativeZero = "-0" + std::string(separator) + "00";
  return lower.find("inf") == std::string::npos && lower.find("nan") == std::string::npos &&
         lower.find("-0.00") == std::string::npos && lower.find(negativeZero) == std::string::npos;
}

inline void RequireShown(std::string_view text, std::string_view separator, std::string_view what) {
  Require(ShowsOnlyFiniteNumbers(text, separator), what, text);
}

// Two readings agree when both fail, or both succeed with the same value bit for bit (so that a
// negative zero never passes for a zero).
inline bool SameReading(const Checked<double>& a, const Checked<double>& b) {
  if (a.ok() != b.ok()) {
    return false;
  }
  return !a.ok() || (a.value() == b.value() && std::signbit(a.value()) == std::signbit(b.value()));
}

}  // namespace linecalc::fuzz

// Arbitrary bytes through the number input rule, and every value it reads through the display
// rule and the whole-number rounding.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>

#include "calc/number_format.h"
#include "fuzz/properties.h"
#include "tests/support/shown_on_paper.h"

namespace linecalc::fuzz {
namespace {

using testing_support::ShownOnPaper;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

bool MayStartNumber(char c) {
  return (c >= '0' && c <= '9') || std::string_view("+-.,&").find(c) != std::string_view::npos;
}

// The first byte that is neither a blank nor part of a no-break space (U+00A0, U+202F, which
// count once the blanks are gone), or 0 when there is none.
char FirstNonBlank(std::string_view text) {
  std::string rest;
  std::copy_if(text.begin(), text.end(), std::back_inserter(rest),
               [](char c) { return !IsBlank(c); });
  std::string_view s = rest;
  while (s.starts_with("\xC2\xA0") || s.starts_with("\xE2\x80\xAF")) {
    s.remove_prefix(s.starts_with("\xC2") ? 2 : 3);
  }
  return s.empty() ? 0 : s.front();
}

void CheckReading(std::string_view text, const Checked<double>& value) {
  if (value.ok()) {
    Require(std::isfinite(value.value()), "a number read is finite", text);
    Require(!(value.value() == 0 && std::signbit(value.value())), "no negative zero is read", text);
  }
  const char first = FirstNonBlank(text);
  if (first == 0 || !MayStartNumber(first)) {
    Require(value.ok() && value.value() == 0, "a text without a leading number reads as 0", text);
  }
}

// Nothing after a character that cannot continue a number counts, and blanks count nowhere.
void CheckWhatFollows(std::string_view text, const Checked<double>& value, size_t cut) {
  for (std::string_view stop : {"#", "x", "\r", "\xD0\xB2"}) {
    Require(SameReading(ReadNumber(std::string(text) + std::string(stop)), value),
            "a character that cannot continue a number changes nothing", text);
    const std::string split =
        std::string(text.substr(0, cut)) + std::string(stop) + std::string(text.substr(cut));
    Require(SameReading(ReadNumber(split), ReadNumber(text.substr(0, cut))),
            "what follows a character that cannot continue a number is not read", split);
  }
  for (char blank : {' ', '\t', '\n'}) {
    Require(SameReading(ReadNumber(std::string(text) + blank), value),
            "an appended blank changes nothing", text);
    std::string inserted(text);
    inserted.insert(cut, 1, blank);
    Require(SameReading(ReadNumber(inserted), value), "a blank anywhere changes nothing", inserted);
  }
}

// A sign in front of a decimal number that has none only sets the sign.
void CheckSign(std::string_view text, const Checked<double>& value) {
  const char first = FirstNonBlank(text);
  if (!((first >= '0' && first <= '9') || first == '.' || first == ',')) {
    return;
  }
  const Checked<double> plus = ReadNumber("+" + std::string(text));
  Require(SameReading(plus, value), "a plus sign keeps the value", text);
  const Checked<double> minus = ReadNumber("-" + std::string(text));
  Require(minus.ok() == value.ok(), "a minus sign neither makes nor mends a fault", text);
  if (value.ok()) {
    Require(minus.value() == -value.value() || (value.value() == 0 && minus.value() == 0),
            "a minus sign negates the value", text);
  }
}

// "-123.45": an optional minus, whole digits without a leading zero, the separator, two digits.
bool IsDisplayForm(std::string_view shown, std::string_view separator) {
  if (!shown.empty() && shown[0] == '-') {
    shown.remove_prefix(1);
  }
  const size_t at = shown.find(separator);
  if (at == std::string_view::npos || at == 0 || shown.size() != at + separator.size() + 2) {
    return false;
  }
  const std::string_view whole = shown.substr(0, at);
  const std::string_view cents = shown.substr(at + separator.size());
  auto digits = [](std::string_view s) {
    return s.find_first_not_of("0123456789") == std::string_view::npos;
  };
  return digits(whole) && digits(cents) && (whole.size() == 1 || whole[0] != '0');
}

void CheckDisplay(double value) {
  const std::string detail = FormatNumber(value, ".") + " from " + std::to_string(value);
  for (std::string_view separator : kSeparators) {
    const std::string shown = FormatNumber(value, separator);
    RequireShown(shown, separator, "a shown number is finite and never a negative zero");
    Require(IsDisplayForm(shown, separator), "a shown number has two decimals", shown);
  }
  Require(FormatNumber(value, ".") == ShownOnPaper(value), "a number is shown as on paper",
          detail + " on paper " + ShownOnPaper(value));
  const double rounded = RoundAsDisplayed(value);
  Require(std::isfinite(rounded), "the value as shown is finite", detail);
  // Fifteen digits round the largest doubles up past the range: the shown text then reads as an
  // overflow, and the double nearest to it is the largest one.
  const Checked<double> readBack = ReadNumber(FormatNumber(value, "."));
  Require(readBack.ok() ? SameReading(readBack, rounded)
                        : std::fabs(rounded) == std::numeric_limits<double>::max(),
          "the value as shown is what the shown text reads as", detail);
  // Two decimals move the value by at most half a cent; fifteen significant digits by a few
  // parts in 10^15 of its size.
  Require(std::fabs(rounded - value) <= 0.0050001 + std::fabs(value) * 1e-14,
          "the value as shown is the value rounded to cents", detail);
  Require(FormatNumber(rounded, ".") == FormatNumber(value, "."),
          "showing the shown value again changes nothing", detail);
}

void CheckWholeRounding(double value) {
  const Checked<std::int16_t> whole = RoundToInt16(value, "fuzz");
  // -32768.5 goes to the even -32768 and fits; 32767.5 goes to 32768 and does not.
  const bool fits = value >= -32768.5 && value < 32767.5;
  Require(whole.ok() == fits, "only a value beyond 16 bits is a fault", std::to_string(value));
  if (!whole.ok()) {
    return;
  }
  const double distance = std::fabs(value - whole.value());
  Require(distance <= 0.5, "rounding goes to the nearest whole number", std::to_string(value));
  Require(distance < 0.5 || whole.value() % 2 == 0, "a half goes to the even neighbour",
          std::to_string(value));
}

}  // namespace
}  // namespace linecalc::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace linecalc;
  using namespace linecalc::fuzz;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Checked<double> value = ReadNumber(text);
  CheckReading(text, value);
  CheckWhatFollows(text, value, size == 0 ? 0 : data[0] % (size + 1));
  CheckSign(text, value);
  if (value.ok()) {
    CheckDisplay(value.value());
    CheckWholeRounding(value.value());
  }
  // The same bytes taken as a double reach every bit pattern, which no text of a few bytes does.
  double bits = 0;
  if (size >= sizeof bits) {
    std::memcpy(&bits, data, sizeof bits);
    if (std::isfinite(bits)) {
      CheckDisplay(bits);
      CheckWholeRounding(bits);
    }
  }
  return 0;
}

#include "calc/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace linecalc {
namespace {

constexpr std::string_view kReadStep = "reading a number";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The text without the blanks that reading ignores wherever they stand.
std::string WithoutBlanks(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (char c : text) {
    if (!IsBlank(c)) {
      compact.push_back(c);
    }
  }
  return compact;
}

int DigitValue(char c, int base) {
  int value = 99;
  if (IsDigit(c)) {
    value = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  }
  return value < base ? value : -1;
}

// "&H…" and "&O…": a non-negative whole number in base 16 or 8; "&" alone reads as 0.
Checked<double> ReadRadixNumber(std::string_view digits, int base) {
  double value = 0;
  for (char c : digits) {
    const int d = DigitValue(c, base);
    if (d < 0) {
      break;
    }
    value = value * base + d;
    if (!std::isfinite(value)) {
      return Fault{kReadStep};
    }
  }
  return value;
}

// The parts of a leading decimal number, with "," already taken as the decimal point.
struct DecimalParts {
  bool negative = false;
  std::string_view whole;     // digits before the separator
  std::string_view fraction;  // digits after it
  bool exponentNegative = false;
  std::string_view exponent;  // digits after E and its sign; empty when there is no exponent
};

std::string_view TakeDigits(std::string_view text, size_t& pos) {
  const size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos])) {
    ++pos;
  }
  return text.substr(start, pos - start);
}

void TakeExponent(std::string_view text, size_t pos, DecimalParts& parts) {
  if (pos >= text.size() || (text[pos] != 'e' && text[pos] != 'E')) {
    return;
  }
  ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  parts.exponent = TakeDigits(text, pos);
  parts.exponentNegative = negative;
}

DecimalParts SplitDecimal(std::string_view text) {
  DecimalParts parts;
  size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    parts.negative = text[pos] == '-';
    ++pos;
  }
  parts.whole = TakeDigits(text, pos);
  if (pos < text.size() && (text[pos] == '.' || text[pos] == ',')) {
    ++pos;
    parts.fraction = TakeDigits(text, pos);
  }
  if (!parts.whole.empty() || !parts.fraction.empty()) {
    TakeExponent(text, pos, parts);
  }
  return parts;
}

// Decimal exponent of the leading significant digit, or a large negative number for zero;
// used only to tell an overflow from an underflow. Saturates long exponents.
long long Magnitude(const DecimalParts& parts) {
  long long exponent = 0;
  for (char c : parts.exponent) {
    exponent = std::min<long long>(exponent * 10 + (c - '0'), 1'000'000'000);
  }
  if (parts.exponentNegative) {
    exponent = -exponent;
  }
  const size_t firstWhole = parts.whole.find_first_not_of('0');
  if (firstWhole != std::string_view::npos) {
    return exponent + static_cast<long long>(parts.whole.size() - firstWhole) - 1;
  }
  const size_t firstFraction = parts.fraction.find_first_not_of('0');
  if (firstFraction != std::string_view::npos) {
    return exponent - static_cast<long long>(firstFraction) - 1;
  }
  return std::numeric_limits<long long>::min() / 2;
}

Checked<double> ConvertDecimal(const DecimalParts& parts) {
  std::string canonical;
  canonical.reserve(parts.whole.size() + parts.fraction.size() + parts.exponent.size() + 5);
  canonical.append(parts.whole.empty() ? std::string_view("0") : parts.whole);
  canonical.push_back('.');
  canonical.append(parts.fraction.empty() ? std::string_view("0") : parts.fraction);
  if (!parts.exponent.empty()) {
    canonical.append(parts.exponentNegative ? "e-" : "e");
    canonical.append(parts.exponent);
  }
  double value = 0;
  const auto [end, error] = std::from_chars(canonical.data(), canonical.data() + canonical.size(),
                                            value, std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    if (Magnitude(parts) > 0) {
      return Fault{kReadStep};
    }
    value = 0;  // too small for a double: as good as nothing
  } else if (error != std::errc() || end != canonical.data() + canonical.size()) {
    return Fault{kReadStep};
  }
  if (value == 0) {
    return 0.0;  // never a negative zero
  }
  return parts.negative ? -value : value;
}

}  // namespace

Checked<double> ReadNumber(std::string_view text) {
  const std::string compact = WithoutBlanks(text);
  const std::string_view s = compact;
  if (!s.empty() && s[0] == '&') {
    if (s.size() >= 2 && (s[1] == 'H' || s[1] == 'h')) {
      return ReadRadixNumber(s.substr(2), 16);
    }
    if (s.size() >= 2 && (s[1] == 'O' || s[1] == 'o')) {
      return ReadRadixNumber(s.substr(2), 8);
    }
    return 0.0;
  }
  const DecimalParts parts = SplitDecimal(s);
  if (parts.whole.empty() && parts.fraction.empty()) {
    return 0.0;
  }
  return ConvertDecimal(parts);
}

namespace {

// The digits of |value| from its highest place down to hundredths, rounded half away from zero
// at the thousandths of its 15-significant-digit decimal form. Returns the digit count written
// into `cents` (at least three).
size_t RoundedCents(double magnitude, std::array<char, 330>& cents) {
  // "d.dddddddddddddde±XXX": the 15 significant digits and the exponent of the first.
  std::array<char, 32> sci{};
  const auto result = std::to_chars(sci.data(), sci.data() + sci.size(), magnitude,
                                    std::chars_format::scientific, 14);
  std::array<char, 15> digits{};
  digits[0] = sci[0];
  std::copy_n(sci.data() + 2, 14, digits.data() + 1);
  int exponent = 0;
  const char* expText = sci.data() + 17;  // past "d.dddddddddddddde"
  std::from_chars(expText[0] == '+' ? expText + 1 : expText, result.ptr, exponent);

  // Place p (10^p) holds digit index exponent - p of the 15 significant digits.
  auto digitAt = [&](int place) {
    const int index = exponent - place;
    return index >= 0 && index < 15 ? digits[index] : '0';
  };
  const int highest = std::max(exponent, 0);
  size_t count = 0;
  for (int place = highest; place >= -2; --place) {
    cents[count++] = digitAt(place);
  }
  if (digitAt(-3) >= '5') {
    size_t i = count;
    while (i > 0 && cents[i - 1] == '9') {
      cents[--i] = '0';
    }
    if (i == 0) {
      std::copy_backward(cents.data(), cents.data() + count, cents.data() + count + 1);
      cents[0] = '1';
      ++count;
    } else {
      ++cents[i - 1];
    }
  }
  return count;
}

}  // namespace

void AppendNumber(std::string& out, double value, std::string_view decimalSeparator) {
  std::array<char, 330> cents{};
  const size_t count = RoundedCents(std::fabs(value), cents);
  const std::string_view all(cents.data(), count);
  const size_t firstNonZero = all.find_first_not_of('0');
  if (firstNonZero == std::string_view::npos) {
    out.append("0").append(decimalSeparator).append("00");
    return;
  }
  if (value < 0) {
    out.push_back('-');
  }
  const size_t wholeEnd = count - 2;
  const size_t wholeStart = std::min(firstNonZero, wholeEnd - 1);
  out.append(all.substr(wholeStart, wholeEnd - wholeStart));
  out.append(decimalSeparator);
  out.append(all.substr(wholeEnd));
}

std::string FormatNumber(double value, std::string_view decimalSeparator) {
  std::string text;
  AppendNumber(text, value, decimalSeparator);
  return text;
}

double RoundAsDisplayed(double value) {
  const std::string text = FormatNumber(value, ".");
  double rounded = 0;
  std::from_chars(text.data(), text.data() + text.size(), rounded);
  return rounded;
}

Checked<std::int16_t> RoundToInt16(double value, std::string_view step) {
  if (!std::isfinite(value)) {
    return Fault{step};
  }
  double whole = std::floor(value);
  const double rest = value - whole;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0)) {
    whole += 1;
  }
  if (whole < std::numeric_limits<std::int16_t>::min() ||
      whole > std::numeric_limits<std::int16_t>::max()) {
    return Fault{step};
  }
  return static_cast<std::int16_t>(whole);
}

std::string FormatInteger(long long value) {
  return std::to_string(value);
}

}  // namespace linecalc

#include "calc/number_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <compare>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

#include "calc/radix_number.h"

namespace linecalc {
namespace {

constexpr std::string_view kReadStep = "reading a number";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The no-break spaces that group thousands in Russian texts ("1 000"), U+00A0 and U+202F, in
// UTF-8.
constexpr std::string_view kNoBreakSpaces[] = {"\xC2\xA0", "\xE2\x80\xAF"};

size_t NoBreakSpaceAt(std::string_view text, size_t pos) {
  for (std::string_view space : kNoBreakSpaces) {
    if (text.substr(pos).starts_with(space)) {
      return space.size();
    }
  }
  return 0;
}

// The text without the blanks that reading ignores wherever they stand. The no-break spaces go
// after the others, so that a blank amid the bytes of one is ignored too.
std::string WithoutBlanks(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (char c : text) {
    if (!IsBlank(c)) {
      compact.push_back(c);
    }
  }
  size_t kept = 0;
  for (size_t pos = 0; pos < compact.size();) {
    if (const size_t skip = NoBreakSpaceAt(compact, pos)) {
      pos += skip;
    } else {
      compact[kept++] = compact[pos++];
    }
  }
  compact.resize(kept);
  return compact;
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

// The length of the number at the start of the blank-free `s`, 0 when there is none.
size_t LeadingNumberLength(std::string_view s) {
  if (s.size() >= 2 && s[0] == '&' && std::strchr("HhOo", s[1]) != nullptr) {
    const bool hex = s[1] == 'H' || s[1] == 'h';
    size_t pos = 2;
    while (pos < s.size() && (hex ? std::isxdigit(static_cast<unsigned char>(s[pos])) != 0
                                  : s[pos] >= '0' && s[pos] <= '7')) {
      ++pos;
    }
    return pos > 2 ? pos : 0;
  }
  const DecimalParts parts = SplitDecimal(s);
  if (parts.whole.empty() && parts.fraction.empty()) {
    return 0;
  }
  // The exponent's digits are the last part taken; without them, the last is the fraction, the
  // point or the whole digits.
  const std::string_view last = !parts.exponent.empty()
                                    ? parts.exponent
                                    : (!parts.fraction.empty() ? parts.fraction : parts.whole);
  size_t end = static_cast<size_t>(last.data() + last.size() - s.data());
  if (parts.exponent.empty() && parts.fraction.empty() && end < s.size() &&
      (s[end] == '.' || s[end] == ',')) {
    ++end;  // "5." is whole
  }
  return end;
}

}  // namespace

bool HasNumber(std::string_view text, bool whole) {
  const std::string compact = WithoutBlanks(text);
  const size_t length = LeadingNumberLength(compact);
  return length > 0 && (!whole || length == compact.size());
}

std::string ShortestDecimal(double value, Notation notation) {
  // A fixed form of the largest doubles has 309 digits; shortest digits need no more room.
  std::array<char, 400> text;
  const auto result =
      notation == Notation::Plain
          ? std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed)
          : std::to_chars(text.data(), text.data() + text.size(), value);
  return std::string(text.data(), result.ptr);
}

Checked<double> ReadNumber(std::string_view text) {
  const std::string compact = WithoutBlanks(text);
  const std::string_view s = compact;
  if (!s.empty() && s[0] == '&') {
    if (s.size() >= 2 && (s[1] == 'H' || s[1] == 'h')) {
      return ReadRadixWhole(s.substr(2), 16, kReadStep);
    }
    if (s.size() >= 2 && (s[1] == 'O' || s[1] == 'o')) {
      return ReadRadixWhole(s.substr(2), 8, kReadStep);
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

// The value's decimal form taken to 15 significant digits (exactly rounded): digit[i] stands at
// the place 10^(exponent - i).
struct FifteenDigits {
  std::array<char, 15> digit;
  int exponent;
};

FifteenDigits ToFifteenDigits(double magnitude) {
  // "d.dddddddddddddde±x…"
  std::array<char, 32> text;
  const char* end = std::to_chars(text.data(), text.data() + text.size(), magnitude,
                                  std::chars_format::scientific, 14)
                        .ptr;
  FifteenDigits f;
  f.digit[0] = text[0];
  std::copy_n(text.data() + 2, 14, f.digit.data() + 1);
  int exponent = 0;
  for (const char* p = text.data() + 18; p < end; ++p) {
    exponent = exponent * 10 + (*p - '0');
  }
  f.exponent = text[17] == '-' ? -exponent : exponent;
  return f;
}

// A whole number below 2^128 as two 64-bit halves, in standard C++ for every compiler.
struct Wide {
  std::uint64_t high;
  std::uint64_t low;
  friend auto operator<=>(const Wide&, const Wide&) = default;  // high half first: by value
};

// a × b exactly, from four 32-bit partial products.
Wide MultiplyWide(std::uint64_t a, std::uint64_t b) {
  constexpr std::uint64_t kLow32 = 0xFFFF'FFFF;
  const std::uint64_t lowLow = (a & kLow32) * (b & kLow32);
  const std::uint64_t lowHigh = (a & kLow32) * (b >> 32);
  const std::uint64_t highLow = (a >> 32) * (b & kLow32);
  const std::uint64_t highHigh = (a >> 32) * (b >> 32);
  const std::uint64_t middle = (lowLow >> 32) + (lowHigh & kLow32) + (highLow & kLow32);
  return {highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
          (middle << 32) | (lowLow & kLow32)};
}

// The low 64 bits of w ÷ 2^shift, for 0 < shift < 128.
std::uint64_t ShiftedDown(Wide w, int shift) {
  if (shift >= 64) {
    return w.high >> (shift - 64);
  }
  return (w.low >> shift) | (w.high << (64 - shift));
}

// The part of w below 2^shift, for 0 < shift < 128.
Wide BitsBelow(Wide w, int shift) {
  if (shift >= 64) {
    return {w.high & ((std::uint64_t{1} << (shift - 64)) - 1), w.low};
  }
  return {0, w.low & ((std::uint64_t{1} << shift) - 1)};
}

// 2^k, for 0 <= k < 128.
Wide PowerOfTwo(int k) {
  return k >= 64 ? Wide{std::uint64_t{1} << (k - 64), 0} : Wide{0, std::uint64_t{1} << k};
}

constexpr std::array<std::uint64_t, 20> kPow10 = [] {
  std::array<std::uint64_t, 20> p{};
  p[0] = 1;
  for (size_t i = 1; i < p.size(); ++i) {
    p[i] = p[i - 1] * 10;
  }
  return p;
}();

// |value| × 100 as shown, for the magnitudes that the window meets every time, computed
// exactly in integers; empty outside [1e-5, 1e14), where the general route takes over.
// The 15 significant digits are the binary value m × 2^-shift times 10^(14 - e), rounded
// half to even as an exact decimal conversion rounds.
std::optional<std::uint64_t> FastCents(double magnitude) {
  if (!(magnitude >= 1e-5 && magnitude < 1e14)) {
    return std::nullopt;
  }
  // A normal double: m × 2^-shift with the 53-bit significand m.
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biased = static_cast<int>(bits >> 52);
  const std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int shift = 1075 - biased;  // 6..69 in this range
  // Decimal exponent of the leading digit, guessed from the binary one and corrected below.
  int e = ((biased - 1023) * 1233) >> 12;
  std::uint64_t digits = 0;
  for (;;) {
    const int p = 14 - e;
    if (p < 0 || p >= static_cast<int>(kPow10.size())) {
      return std::nullopt;
    }
    const Wide product = MultiplyWide(m, kPow10[p]);
    std::uint64_t q = ShiftedDown(product, shift);
    if (q >= kPow10[15]) {
      ++e;
      continue;
    }
    if (q < kPow10[14]) {
      --e;
      continue;
    }
    const Wide rest = BitsBelow(product, shift);
    const Wide half = PowerOfTwo(shift - 1);
    if (rest > half || (rest == half && (q & 1) != 0)) {
      ++q;
    }
    if (q == kPow10[15]) {  // 999…9.5 rounded up to the next power of ten
      q = kPow10[14];
      ++e;
    }
    digits = q;
    break;
  }
  if (e >= 12) {
    return digits * kPow10[e - 12];
  }
  const int dropped = 11 - e;  // places below the thousandths
  const std::uint64_t thousandths = dropped < 20 ? digits / kPow10[dropped] : 0;
  return (thousandths + 5) / 10;
}

void AppendCents(std::string& out, bool negative, std::uint64_t cents,
                 std::string_view decimalSeparator) {
  if (negative && cents != 0) {
    out.push_back('-');
  }
  std::array<char, 24> whole;
  char* end = std::to_chars(whole.data(), whole.data() + whole.size(), cents / 100).ptr;
  out.append(whole.data(), end);
  out.append(decimalSeparator);
  const auto hundredths = static_cast<unsigned>(cents % 100);
  out.push_back(static_cast<char>('0' + hundredths / 10));
  out.push_back(static_cast<char>('0' + hundredths % 10));
}

// Adds one hundredth to the digits in [first, last), carrying leftwards; returns the new first,
// which moves one place left when the carry runs out of digits.
char* AddOneHundredth(char* first, char* last) {
  char* p = last;
  while (p != first && *(p - 1) == '9') {
    *--p = '0';
  }
  if (p == first) {
    *--first = '1';
  } else {
    ++*(p - 1);
  }
  return first;
}

}  // namespace

void AppendNumber(std::string& out, double value, std::string_view decimalSeparator) {
  if (const std::optional<std::uint64_t> cents = FastCents(std::fabs(value))) {
    AppendCents(out, value < 0, *cents, decimalSeparator);
    return;
  }
  const FifteenDigits f = ToFifteenDigits(std::fabs(value));
  auto digitAt = [&f](int place) {
    const int index = f.exponent - place;
    return index >= 0 && index < 15 ? f.digit[index] : '0';
  };
  // Every place from the highest (at least the units) down to the hundredths, with room in
  // front for a carry. The largest double has 309 places before the point.
  std::array<char, 320> buffer;
  char* const last = buffer.data() + buffer.size();
  char* first = last;
  for (int place = -2; place <= std::max(f.exponent, 0); ++place) {
    *--first = digitAt(place);
  }
  if (digitAt(-3) >= '5') {
    first = AddOneHundredth(first, last);
  }
  while (last - first > 3 && *first == '0') {
    ++first;  // no leading zeros before the units
  }
  const bool zero = std::all_of(first, last, [](char c) { return c == '0'; });
  if (value < 0 && !zero) {
    out.push_back('-');
  }
  out.append(first, last - 2);
  out.append(decimalSeparator);
  out.append(last - 2, last);
}

std::string FormatNumber(double value, std::string_view decimalSeparator) {
  std::string text;
  AppendNumber(text, value, decimalSeparator);
  return text;
}

double RoundAsDisplayed(double value) {
  const std::string text = FormatNumber(value, ".");
  double rounded = 0;
  if (std::from_chars(text.data(), text.data() + text.size(), rounded).ec ==
      std::errc::result_out_of_range) {
    // Fifteen digits round the largest doubles up past the range ("179769313486232…"), and
    // from_chars then leaves `rounded` at 0; the double nearest to the text is the largest one.
    return std::copysign(std::numeric_limits<double>::max(), value);
  }
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

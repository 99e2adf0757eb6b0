#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "calc/checked.h"

namespace linecalc {

// Reads the longest leading number of the UTF-8 `text`. Blanks, tabs, line feeds and the no-break
// spaces U+00A0 and U+202F anywhere are ignored; a number is an optional sign, digits with at
// most one decimal separator ("." or ","), and an optional exponent (E, optional sign, digits).
// "&H…" and "&O…" read as non-negative hexadecimal and octal whole numbers, exactly, then rounded
// once to the nearest double. A text without a leading number reads as 0. A number beyond the
// range of a double is a fault; one too small for it reads as 0.
Checked<double> ReadNumber(std::string_view text);

// True when `text`, blanks ignored as ReadNumber ignores them, starts with a number that
// ReadNumber reads (not merely a text that reads as 0 for want of one). With `whole`, nothing
// may follow that number: "1О" (a Cyrillic О) starts with one but is not one whole.
bool HasNumber(std::string_view text, bool whole);

// How ShortestDecimal may write a number.
enum class Notation {
  Any,    // an exponent when that is shorter ("1e+300")
  Plain,  // digits and "." only ("1000…0", "0.0001")
};

// The shortest text that ReadNumber reads as exactly `value` (finite), with "." as the decimal
// separator: "16.2", "20", "-1", "0.1".
std::string ShortestDecimal(double value, Notation notation);

// Shows `value` (finite) with two decimals and `decimalSeparator`: at least one digit before the
// separator, "-" when negative, no grouping. Rounds as a person rounds the value's decimal form:
// the double is taken to 15 significant digits, then a half at the third decimal goes away from
// zero. A value that rounds to zero is "0.00", never "-0.00".
std::string FormatNumber(double value, std::string_view decimalSeparator);

// Appends FormatNumber(value, decimalSeparator) to `out` without a temporary string.
void AppendNumber(std::string& out, double value, std::string_view decimalSeparator);

// The value exactly as FormatNumber shows it, as the nearest double ("1060.50" -> 1060.5).
double RoundAsDisplayed(double value);

// Rounds to the nearest whole number, an exact half to the even neighbour (2.5 -> 2, 3.5 -> 4).
// A result outside -32768..32767, or a value that is not finite, is a fault named `step`.
Checked<std::int16_t> RoundToInt16(double value, std::string_view step);

// Plain decimal digits with a leading "-" when negative ("1", "1000", "-7").
std::string FormatInteger(long long value);

}  // namespace linecalc

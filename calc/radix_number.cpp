#include "calc/radix_number.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace linecalc {
namespace {

int DigitValue(char c, int base) {
  int value = 99;
  if (c >= '0' && c <= '9') {
    value = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    value = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    value = c - 'A' + 10;
  }
  return value < base ? value : -1;
}

// A whole number taken bit by bit, most significant first: its leading 64 bits exactly and
// whether any bit below them is set, which is all that rounding to 53 bits needs. Adding each
// digit in floating point instead would round at every digit past 2^53.
class WholeBits {
 public:
  void push(bool bit) {
    if (length_ == 0 && !bit) {
      return;  // a leading zero
    }
    if (length_ < 64) {
      top_ = (top_ << 1) | (bit ? 1 : 0);
    } else {
      below_ = below_ || bit;
    }
    ++length_;
  }

  // The nearest double, a tie to the even one; infinity past the range.
  double nearest() const {
    constexpr int kDigits = std::numeric_limits<double>::digits;
    if (length_ > static_cast<std::uint64_t>(std::numeric_limits<double>::max_exponent)) {
      return std::numeric_limits<double>::infinity();
    }
    if (length_ <= kDigits) {
      return static_cast<double>(top_);
    }
    const int dropped = static_cast<int>(std::min<std::uint64_t>(length_, 64)) - kDigits;
    std::uint64_t kept = top_ >> dropped;
    const std::uint64_t rest = top_ & ((std::uint64_t{1} << dropped) - 1);
    const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
    if (rest > half || (rest == half && (below_ || (kept & 1) != 0))) {
      ++kept;  // may reach 2^53, which a double holds exactly
    }
    return std::ldexp(static_cast<double>(kept), static_cast<int>(length_) - kDigits);
  }

 private:
  std::uint64_t top_ = 0;
  std::uint64_t length_ = 0;  // bits from the leading one down
  bool below_ = false;        // a set bit beyond the leading 64
};

}  // namespace

Checked<double> ReadRadixWhole(std::string_view digits, int base, std::string_view step) {
  const int width = base == 16 ? 4 : 3;
  WholeBits bits;
  for (char c : digits) {
    const int d = DigitValue(c, base);
    if (d < 0) {
      break;
    }
    for (int b = width - 1; b >= 0; --b) {
      bits.push(((d >> b) & 1) != 0);
    }
  }
  const double value = bits.nearest();
  if (!std::isfinite(value)) {
    return Fault{step};
  }
  return value;
}

}  // namespace linecalc

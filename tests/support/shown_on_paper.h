#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace linecalc::testing_support {

// The display rule done the slow way, as on paper: the 15 significant digits that printf gives
// exactly, written out place by place, then a half at the thousandths rounded up by hand. It
// shares nothing with the library's routes, so a wrong cent there shows up as a difference.
inline std::string ShownOnPaper(double value) {
  std::array<char, 48> sci{};  // "d.dddddddddddddde±xx"
  std::snprintf(sci.data(), sci.size(), "%.14e", std::fabs(value));
  const std::string digits = sci[0] + std::string(sci.data() + 2, 14);
  const int exponent = std::atoi(sci.data() + 17);
  std::string places;  // from the highest place, at least the units, down to the thousandths
  for (int place = std::max(exponent, 0); place >= -3; --place) {
    const int index = exponent - place;
    places.push_back(index >= 0 && index < 15 ? digits[index] : '0');
  }
  const bool roundUp = places.back() >= '5';
  places.pop_back();
  if (roundUp) {
    size_t i = places.size();
    while (i > 0 && places[i - 1] == '9') {
      places[--i] = '0';
    }
    if (i == 0) {
      places.insert(0, "1");
    } else {
      ++places[i - 1];
    }
  }
  const size_t start = std::min(places.find_first_not_of('0'), places.size() - 3);
  places.erase(0, start);
  const bool zero = places.find_first_not_of('0') == std::string::npos;
  return (value < 0 && !zero ? "-" : "") + places.substr(0, places.size() - 2) + "." +
         places.substr(places.size() - 2);
}

}  // namespace linecalc::testing_support

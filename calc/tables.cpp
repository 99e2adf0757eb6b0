#include "calc/tables.h"

namespace linecalc {
namespace {

std::vector<std::string> GenerateLengthList() {
  std::vector<std::string> list{"1"};
  list.reserve(191);
  int previous = 0;
  for (int counter = 1; counter <= 190; ++counter) {
    previous = previous < 1000 ? counter * 10 : previous + 100;
    list.push_back(std::to_string(previous));
  }
  return list;
}

}  // namespace

const std::vector<std::string>& LengthList() {
  static const std::vector<std::string> list = GenerateLengthList();
  return list;
}

}  // namespace linecalc

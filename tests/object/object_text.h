#pragma once

#include <gtest/gtest.h>

#include <string>

namespace linecalc::testing_support {

// `text` with the first occurrence of `from` replaced by `to`; a `from` not found fails the test.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

}  // namespace linecalc::testing_support

#pragma once

#include <gtest/gtest.h>

#include <string>

#include "object/line_table.h"

namespace linecalc::testing_support {

// `text` with the first occurrence of `from` replaced by `to`; a `from` not found fails the test.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The cells of the table's row of `in`, named "Линия" and fed by amplifier "У1", joined by "|".
inline std::string RowOf(const LineInputs& in, const char* limit, const char* separator = ".") {
  const std::optional<double> lossLimit = ReadLossLimit(limit);
  std::string joined;
  for (const std::string& cell :
       object::LineTableRow({"Линия", in, "У1"}, AssessLine(in, lossLimit, separator),
                            lossLimit.has_value(), separator)) {
    joined.append(joined.empty() ? "" : "|").append(cell);
  }
  return joined;
}

}  // namespace linecalc::testing_support

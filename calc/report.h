#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calc/uniform_load.h"

namespace linecalc {

inline constexpr std::string_view ReportSeparator =
    "===============================================";

// The report list's lines: one TAB-separated row per loudspeaker, the separator, the
// "На проводах" line and the "Остается" line; Rows.size() + 3 lines in all.
std::vector<std::string> FormatReportLines(const UniformLoadResult& result,
                                           std::string_view decimalSeparator);

}  // namespace linecalc

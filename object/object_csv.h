#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "calc/smallest_section.h"
#include "object/line_object.h"

namespace linecalc::object {

// Every line of `object` computed and judged against the object's loss limit, in file order.
std::vector<LineAssessment> AssessObject(const LineObject& object,
                                         std::string_view decimalSeparator);

// Appends one CSV record (RFC 4180): cells separated by commas, a cell quoted when it holds a
// comma, a quote or a line break (quotes inside doubled), the record ended by CRLF.
void AppendCsvRecord(std::string& out, const std::vector<std::string_view>& cells);

// The object's table as CSV: the header row, then one row per line in file order; UTF-8 without
// a byte-order mark, numbers with ".". Lines are computed one at a time, so that a large object
// does not hold every calculation at once.
std::string ObjectCsv(const LineObject& object);

// Writes ObjectCsv(object) to `path` in full or not at all; an empty string on success, otherwise
// the Russian message naming the path and the reason.
QString WriteObjectCsv(const QString& path, const LineObject& object);

}  // namespace linecalc::object

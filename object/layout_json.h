#pragma once

#include <variant>

#include <QByteArray>
#include <QJsonArray>
#include <QString>

#include "calc/line_layout.h"

namespace linecalc::object {

// Reads the "stretches" array of a layout load: each stretch {"length", optional "repeat",
// optional "speakers": [{"count", "power"}], optional "branches": [[stretch, …], …]}, every value
// a text. The error names the stretch ("участок 2, ответвление 1, участок 3: …"), without a
// final full stop.
std::variant<LineLayout, QString> ReadLayoutStretches(const QJsonArray& stretches);

// Appends `"stretches": [...]` for `layout`: one line per stretch of the line itself, each after
// a line break and `indent`, with its branches on that line, and the closing bracket on a line
// of its own after `closingIndent`; keys in a fixed order, "repeat" and "branches" only when
// there are any.
void AppendLayoutStretches(QByteArray& out, const LineLayout& layout, const char* indent,
                           const char* closingIndent);

}  // namespace linecalc::object

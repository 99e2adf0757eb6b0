#pragma once

#include <QByteArray>
#include <QString>

#include "object/line_object.h"
#include "object/object_json.h"

namespace linecalc::object {

// The suffix of object files, without the dot.
inline constexpr char kObjectFileSuffix[] = "linecalc";

// Object files larger than this are refused before they are read.
inline constexpr qint64 kMaxObjectFileBytes = 16 * 1024 * 1024;

// Reads the object file at `path`. Every failure (missing, unreadable, too large, not JSON, not
// an object file, newer, a missing or mistyped key, an unknown material or section) is a Russian
// message naming the file and the problem.
ObjectLoad ReadObjectFile(const QString& path);

// Writes `object` to `path` in full or not at all. Returns an empty string on success, otherwise
// the Russian message naming the path and the reason.
QString WriteObjectFile(const QString& path, const LineObject& object);

}  // namespace linecalc::object

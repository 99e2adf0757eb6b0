#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "object/line_object.h"

namespace linecalc::object {

// What reading an object gives: the object, or the Russian message that names the file and the
// problem.
struct ObjectLoad {
  std::optional<LineObject> object;
  QString error;
};

// The newest version of the object file this program reads and writes.
inline constexpr int kObjectFormatVersion = 2;

// The oldest version that holds everything of `object`: 2 once it uses a key version 1 lacks
// ("minSection", the amplifiers and their reserve, a line's amplifier) or a layout line, otherwise
// 1, so that older programs still read what they can.
int ObjectFormatVersion(const LineObject& object);

// Reads the JSON text of an object file (version 1 or 2). `fileName` names the file in messages.
// Keys its version does not know are ignored. An R20 of "" or blanks is read as null (the
// table's R20): an empty field means nothing was typed.
ObjectLoad ParseObject(const QByteArray& bytes, const QString& fileName);

// The JSON text of `object` (UTF-8, keys in a fixed order, two-space indents, one line per load).
QByteArray SerializeObject(const LineObject& object);

}  // namespace linecalc::object

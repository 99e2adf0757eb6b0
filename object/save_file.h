#pragma once

#include <QByteArray>
#include <QString>

namespace linecalc::object {

// Writes `bytes` to `path` in full or not at all: through a temporary file beside it that is
// renamed over it, so that on failure an existing file stays as it was. A device or a pipe
// (/dev/stdout) is written directly. Returns an empty string on success, otherwise the Russian
// message naming the path and the reason.
QString SaveFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace linecalc::object

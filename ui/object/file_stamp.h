#pragma once

#include <QDateTime>
#include <QString>

namespace linecalc::ui {

// What shows that a file was written since it was last looked at: whether it exists, when it
// was last modified and how long it is.
struct FileStamp {
  bool exists = false;
  QDateTime modified;
  qint64 size = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file at `path` as it is now.
FileStamp StampOf(const QString& path);

// True when the file at `path` exists and is not the one `seen` stamped: another program wrote
// it since. A file gone since is no change worth asking about; writing it loses nothing.
bool ChangedSince(const QString& path, const FileStamp& seen);

}  // namespace linecalc::ui

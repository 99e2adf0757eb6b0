#include "ui/object/file_stamp.h"

#include <QFileInfo>

namespace linecalc::ui {

FileStamp StampOf(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) {
    return {};
  }
  return {true, info.lastModified(), info.size()};
}

bool ChangedSince(const QString& path, const FileStamp& seen) {
  const FileStamp now = StampOf(path);
  return now.exists && now != seen;
}

}  // namespace linecalc::ui

#include "ui/object/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace linecalc::ui {
namespace {

const QString kKey = QStringLiteral("objects/recentFiles");

void Store(QStringList files) {
  while (files.size() > kMaxRecentFiles) {
    files.removeLast();
  }
  QSettings().setValue(kKey, files);
}

}  // namespace

QStringList RecentFiles() {
  QStringList files = QSettings().value(kKey).toStringList();
  while (files.size() > kMaxRecentFiles) {
    files.removeLast();
  }
  return files;
}

void RememberRecentFile(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList files = RecentFiles();
  files.removeAll(absolute);
  files.prepend(absolute);
  Store(files);
}

void ForgetRecentFile(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(QFileInfo(path).absoluteFilePath());
  Store(files);
}

}  // namespace linecalc::ui

#include "ui/object/file_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace linecalc::ui {
namespace {

const QString kKey = QStringLiteral("objects/lastFolder");
constexpr qsizetype kMaxNameLength = 100;

}  // namespace

QString LastFileFolder() {
  const QString kept = QSettings().value(kKey).toString();
  if (!kept.isEmpty() && QFileInfo(kept).isDir()) {
    return kept;
  }
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return documents.isEmpty() ? QDir::homePath() : documents;
}

void RememberFileFolder(const QString& filePath) {
  QSettings().setValue(kKey, QFileInfo(filePath).absolutePath());
}

QString SuggestedPath(const QString& title, const QString& filePath, const QString& suffix) {
  QString name;
  for (const QChar c : title) {
    // Refused on Windows or anywhere (the separator), or invisible in a file list.
    const bool refused =
        c.category() == QChar::Other_Control || QStringView(u"/\\:*?\"<>|").contains(c);
    name.append(refused ? QChar(u' ') : c);
  }
  name = name.simplified().left(kMaxNameLength).trimmed();
  while (name.endsWith(u'.')) {
    name.chop(1);  // Windows drops a trailing dot
  }
  if (name.isEmpty()) {
    name = filePath.isEmpty() ? QStringLiteral("объект") : QFileInfo(filePath).completeBaseName();
  }
  return QDir(LastFileFolder()).filePath(name + u'.' + suffix);
}

}  // namespace linecalc::ui

#include "object/save_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace linecalc::object {
namespace {

// Why writing `path` failed, as far as the file system tells.
QString Reason(const QString& path, QFileDevice::FileError error) {
  const QFileInfo info(path);
  const QString folder = QDir::toNativeSeparators(info.absolutePath());
  if (info.isSymLink() && !info.exists()) {
    return QStringLiteral("это ссылка на несуществующий файл «%1», который не удается создать")
        .arg(QDir::toNativeSeparators(info.symLinkTarget()));
  }
  if (info.isDir()) {
    return QStringLiteral("это папка");
  }
  if (!QFileInfo(info.absolutePath()).isDir()) {
    return QStringLiteral("папка «%1» не существует").arg(folder);
  }
  if (info.exists() && !info.isWritable()) {
    return QStringLiteral("нет прав на запись в файл");
  }
  if (!QFileInfo(info.absolutePath()).isWritable()) {
    return QStringLiteral("нет прав на запись в папку «%1»").arg(folder);
  }
  switch (error) {
    case QFileDevice::ResourceError:  // what Qt makes of ENOSPC
      return QStringLiteral("нет места на диске");
    case QFileDevice::WriteError:
      return QStringLiteral("ошибка записи (возможно, нет места на диске)");
    case QFileDevice::RenameError:
      return QStringLiteral("не удается заменить прежний файл");
    default:
      return QStringLiteral("ошибка ввода-вывода");
  }
}

QString Failure(const QString& path, QFileDevice::FileError error) {
  return QStringLiteral("Не удается записать файл «%1»: %2.")
      .arg(QDir::toNativeSeparators(path), Reason(path, error));
}

bool IsDeviceOrPipe(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && !info.isFile() && !info.isDir();
}

QString WriteDirectly(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
    return Failure(path, file.error());
  }
  return QString();
}

}  // namespace

QString SaveFileAtomically(const QString& path, const QByteArray& bytes) {
  if (IsDeviceOrPipe(path)) {
    return WriteDirectly(path, bytes);
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return Failure(path, file.error());
  }
  if (file.write(bytes) != bytes.size()) {
    const QFileDevice::FileError error = file.error();
    file.cancelWriting();
    return Failure(path, error);
  }
  if (!file.commit()) {
    return Failure(path, file.error());
  }
  return QString();
}

}  // namespace linecalc::object

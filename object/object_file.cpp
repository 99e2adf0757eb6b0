#include "object/object_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "object/save_file.h"

namespace linecalc::object {
namespace {

ObjectLoad Refuse(const QString& shownName, const QString& problem) {
  return {std::nullopt, QStringLiteral("Файл «%1» %2.").arg(shownName, problem)};
}

QString TooLarge(qint64 size) {
  return QStringLiteral("слишком велик (%1 байт): допускается не более %2 байт")
      .arg(size)
      .arg(kMaxObjectFileBytes);
}

QString DanglingLink(const QFileInfo& link) {
  return QStringLiteral("не найден: это ссылка на несуществующий файл «%1»")
      .arg(QDir::toNativeSeparators(link.symLinkTarget()));
}

}  // namespace

ObjectLoad ReadObjectFile(const QString& path) {
  const QString shownName = QDir::toNativeSeparators(path);
  const QFileInfo info(path);
  if (!info.exists()) {
    return Refuse(shownName, info.isSymLink() ? DanglingLink(info) : QStringLiteral("не найден"));
  }
  if (info.isDir()) {
    return Refuse(shownName, QStringLiteral("не удается прочитать: это папка"));
  }
  // A pipe with no writer would block reading for ever, and a device may never end.
  if (!info.isFile()) {
    return Refuse(shownName, QStringLiteral("не удается прочитать: это не обычный файл, а канал, "
                                            "сокет или устройство"));
  }
  if (info.size() > kMaxObjectFileBytes) {
    return Refuse(shownName, TooLarge(info.size()));
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return Refuse(shownName, info.isReadable()
                                 ? QStringLiteral("не удается открыть для чтения")
                                 : QStringLiteral("не удается прочитать: нет прав на чтение"));
  }
  // The file may have grown since its size was taken; read one byte past the limit to notice it.
  const QByteArray bytes = file.read(kMaxObjectFileBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    return Refuse(shownName, QStringLiteral("не удается прочитать: ошибка чтения"));
  }
  if (bytes.size() > kMaxObjectFileBytes) {
    return Refuse(
        shownName,
        QStringLiteral("слишком велик: допускается не более %1 байт").arg(kMaxObjectFileBytes));
  }
  return ParseObject(bytes, shownName);
}

QString WriteObjectFile(const QString& path, const LineObject& object) {
  return SaveFileAtomically(path, SerializeObject(object));
}

}  // namespace linecalc::object

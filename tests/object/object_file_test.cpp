#include "object/object_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringConverter>
#include <QTemporaryDir>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace linecalc::object {
namespace {

QByteArray ObjectWithLimit(const QByteArray& limit, const QByteArray& version = "1") {
  return "{\"format\": \"linecalc-object\", \"version\": " + version +
         ", \"title\": \"Т\", \"lossLimitPct\": \"" + limit + "\", \"lines\": []}";
}

// Every file that cannot be an object is refused at once with a message that says why in the
// user's words, and nothing waits on a file that never ends.
TEST(ReadObjectFile, RefusalsSayWhy) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // The message of reading `name`, its path replaced by "<>".
  const auto refusal = [&dir](const QString& name) {
    const QString path = dir.filePath(name);
    ObjectLoad load = ReadObjectFile(path);
    EXPECT_FALSE(load.object.has_value()) << name.toStdString();
    return load.error.replace(QDir::toNativeSeparators(path), QStringLiteral("<>")).toStdString();
  };
  auto utf16 = QStringEncoder(QStringConverter::Utf16, QStringConverter::Flag::WriteBom);
  std::vector<std::pair<QByteArray, std::string>> files = {
      {ObjectWithLimit("5", "1e308"),
       ": файл создан более новой версией программы (версия формата 1e+308, эта программа читает "
       "версию 2)."},
      {utf16(QString::fromUtf8(ObjectWithLimit("5"))),
       " записан не в кодировке UTF-8 (возможно, в UTF-16); сохраните его в UTF-8."},
  };
  for (const char* limit : {"1e400", "-1", "101", "abc"}) {
    files.emplace_back(ObjectWithLimit(limit), std::string(": предел потерь «") + limit +
                                                   "» (ключ «lossLimitPct») должен быть числом от "
                                                   "0 до 100 %.");
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    const QString name = QString::number(i) + QStringLiteral(".linecalc");
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(files[i].first);
    file.close();
    EXPECT_EQ(refusal(name), "Файл «<>»" + files[i].second);
  }
#ifndef _WIN32
  // A pipe, a device and a link as a POSIX system has them.
  const QString gone = dir.filePath(QStringLiteral("gone.linecalc"));
  ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(gone, dir.filePath(QStringLiteral("link.linecalc"))));
  EXPECT_EQ(refusal(QStringLiteral("pipe")),
            "Файл «<>» не удается прочитать: это не обычный файл, а канал, сокет или устройство.");
  EXPECT_EQ(refusal(QStringLiteral("link.linecalc")),
            "Файл «<>» не найден: это ссылка на несуществующий файл «" + gone.toStdString() + "».");
  EXPECT_EQ(ReadObjectFile("/dev/zero").error.toStdString(),
            "Файл «/dev/zero» не удается прочитать: это не обычный файл, а канал, сокет или "
            "устройство.");
  EXPECT_EQ(WriteObjectFile("/dev/full", {}).toStdString(),
            "Не удается записать файл «/dev/full»: нет места на диске.");
  const QString out = dir.filePath(QStringLiteral("out.linecalc"));
  ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("missing/x.linecalc")), out));
  EXPECT_EQ(WriteObjectFile(out, {}), "Не удается записать файл «" + out +
                                          "»: это ссылка на несуществующий файл «" +
                                          dir.filePath(QStringLiteral("missing/x.linecalc")) +
                                          "», который не удается создать.");
#endif
}

}  // namespace
}  // namespace linecalc::object

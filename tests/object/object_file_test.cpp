#include "object/object_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringConverter>
#include <QTemporaryDir>
#include <functional>
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
  const auto path = [&dir](const char* name) { return dir.filePath(QString::fromUtf8(name)); };
  const auto write = [&path](const char* name, const QByteArray& bytes) {
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  };
  struct Case {
    const char* name;
    std::function<void()> make;
    QString message;  // after "Файл «<path>»"
  };
  std::vector<Case> cases = {
      {"limit.linecalc", [&] { write("limit.linecalc", ObjectWithLimit("1e400")); },
       ": предел потерь «1e400» (ключ «lossLimitPct») должен быть числом от 0 до 100 %."},
      {"negative.linecalc", [&] { write("negative.linecalc", ObjectWithLimit("-1")); },
       ": предел потерь «-1» (ключ «lossLimitPct») должен быть числом от 0 до 100 %."},
      {"over.linecalc", [&] { write("over.linecalc", ObjectWithLimit("101")); },
       ": предел потерь «101» (ключ «lossLimitPct») должен быть числом от 0 до 100 %."},
      {"word.linecalc", [&] { write("word.linecalc", ObjectWithLimit("abc")); },
       ": предел потерь «abc» (ключ «lossLimitPct») должен быть числом от 0 до 100 %."},
      {"version.linecalc", [&] { write("version.linecalc", ObjectWithLimit("5", "1e308")); },
       QString(": файл создан более новой версией программы (версия формата 1e+308, эта "
               "программа читает версию %1).")
           .arg(kObjectFormatVersion)},
      {"utf16.linecalc",
       [&] {
         auto encode = QStringEncoder(QStringConverter::Utf16, QStringConverter::Flag::WriteBom);
         write("utf16.linecalc", encode(QString::fromUtf8(ObjectWithLimit("5"))));
       },
       " записан не в кодировке UTF-8 (возможно, в UTF-16); сохраните его в UTF-8."},
  };
#ifndef _WIN32
  // A pipe, a device and a link as a POSIX system has them.
  cases.insert(
      cases.end(),
      {
          {"pipe", [&] { ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0); },
           " не удается прочитать: это не обычный файл, а канал, сокет или устройство."},
          {"link.linecalc",
           [&] { ASSERT_TRUE(QFile::link(path("gone.linecalc"), path("link.linecalc"))); },
           " не найден: это ссылка на несуществующий файл «" + path("gone.linecalc") + "»."},
      });
#endif
  for (const Case& c : cases) {
    c.make();
    const ObjectLoad load = ReadObjectFile(path(c.name));
    EXPECT_FALSE(load.object.has_value()) << c.name;
    EXPECT_EQ(load.error.toStdString(),
              ("Файл «" + QDir::toNativeSeparators(path(c.name)) + "»" + c.message).toStdString());
  }
#ifndef _WIN32
  EXPECT_EQ(ReadObjectFile("/dev/zero").error.toStdString(),
            "Файл «/dev/zero» не удается прочитать: это не обычный файл, а канал, сокет или "
            "устройство.");
  EXPECT_EQ(WriteObjectFile("/dev/full", {}).toStdString(),
            "Не удается записать файл «/dev/full»: нет места на диске.");
  ASSERT_TRUE(QFile::link(path("missing/x.linecalc"), path("out.linecalc")));
  EXPECT_EQ(WriteObjectFile(path("out.linecalc"), {}),
            "Не удается записать файл «" + path("out.linecalc") +
                "»: это ссылка на несуществующий файл «" + path("missing/x.linecalc") +
                "», который не удается создать.");
#endif
}

}  // namespace
}  // namespace linecalc::object

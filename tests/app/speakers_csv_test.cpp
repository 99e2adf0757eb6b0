// Runs the built program's --speakers-csv as a user would, with no display.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// The two taps worked by hand in the calculation's tests (4 Ohm of cable to 100 W, 2 Ohm more to
// 50 W, here two taps of 25 W, at 100 V), a uniform line, which has no loudspeaker rows, and a
// layout refused for its half loudspeaker, which has none either.
constexpr char kObject[] = R"({"format": "linecalc-object", "version": 2, "title": "Т",
  "lossLimitPct": "", "lines": [
  {"name": "Коридор, 1 этаж", "material": "copper", "section": "0.75", "length": "", "temperature": "-5",
   "voltage": "100", "r20": "108", "load": {"kind": "layout", "stretches": [
     {"length": "40", "speakers": [{"count": "1", "power": "100"}]},
     {"length": "20", "speakers": [{"count": "2", "power": "25"}]}]}},
  {"name": "Зал", "material": "copper", "section": "1.5", "length": "120", "temperature": "20",
   "voltage": "100", "r20": null, "load": {"kind": "uniform", "speakerPower": "6", "count": "10"}},
  {"name": "Склад", "material": "copper", "section": "1.5", "length": "", "temperature": "20",
   "voltage": "100", "r20": null, "load": {"kind": "layout", "stretches": [
     {"length": "10", "speakers": [{"count": "0.5", "power": "6"}]}]}}]})";

constexpr char kFormer[] = "прежнее содержимое\n";

class SpeakersCsv : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    Write("school.linecalc", kObject);
    Write("broken.linecalc", QByteArray(kObject).replace(R"("length": "20")", R"("length": 20)"));
    Write("out.csv", kFormer);
  }

  void Write(const char* name, const QByteArray& bytes) const {
    QFile file(dir_.filePath(QString::fromUtf8(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QByteArray Read(const char* name) const {
    QFile file(dir_.filePath(QString::fromUtf8(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  // Exit status and standard error of linecalc run in the folder without a display.
  std::pair<int, std::string> Linecalc(const QStringList& arguments) const {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      environment.remove(QString::fromLatin1(name));
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir_.path());
    process.start(QStringLiteral(LINECALC_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), process.readAllStandardError().toStdString()};
  }

  QTemporaryDir dir_;
};

TEST_F(SpeakersCsv, OneRowPerLoudspeaker) {
  EXPECT_EQ(Linecalc({"--speakers-csv", "out.csv", "school.linecalc"}),
            std::pair(0, std::string()));
  EXPECT_EQ(Read("out.csv").toStdString(),
            "Линия,№,Расстояние (м),Мощность отвода (Вт),Напряжение (В),Мощность (Вт),"
            "Уровень (дБ)\r\n"
            "\"Коридор, 1 этаж\",1,40.00,100.00,94.36,89.03,-0.50\r\n"
            "\"Коридор, 1 этаж\",2,60.00,25.00,93.42,21.82,-0.59\r\n"
            "\"Коридор, 1 этаж\",3,60.00,25.00,93.42,21.82,-0.59\r\n");
}

TEST_F(SpeakersCsv, RefusedFileLeavesOutputUntouched) {
  EXPECT_EQ(Linecalc({"--speakers-csv", "out.csv", "broken.linecalc"}),
            std::pair(2, std::string("linecalc: Файл «broken.linecalc», линия 1 «Коридор, 1 "
                                     "этаж»: участок 2: ключ «length» должен быть строкой.\n")));
  EXPECT_EQ(Read("out.csv"), kFormer);
  const auto help = [this] {
    QProcess process;
    process.start(QStringLiteral(LINECALC_PROGRAM), {QStringLiteral("--help")});
    process.waitForFinished(30000);
    return process.readAllStandardOutput();
  }();
  EXPECT_TRUE(help.contains("--speakers-csv <вывод>")) << help.toStdString();
}

}  // namespace

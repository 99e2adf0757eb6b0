// Runs the built program's --amplifiers-csv as a user would, with no display.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// У1 carries 60 + 100 W with room to spare; У2 carries 100 W, which with the reserve of 20 %
// needs 120 W of its 100.
constexpr char kObject[] = R"({"format": "linecalc-object", "version": 2, "title": "Т",
  "lossLimitPct": "", "amplifiers": [{"name": "У1", "power": "240", "voltage": "100"},
                                     {"name": "У2", "power": "100", "voltage": "100"}],
  "lines": [
  {"name": "Зал", "material": "copper", "section": "1.5", "length": "120", "temperature": "20",
   "voltage": "100", "r20": null, "amplifier": "У1",
   "load": {"kind": "uniform", "speakerPower": "6", "count": "10"}},
  {"name": "Двор", "material": "copper", "section": "1.5", "length": "120", "temperature": "20",
   "voltage": "100", "r20": null, "amplifier": "У2", "load": {"kind": "single", "power": "100"}},
  {"name": "Холл", "material": "copper", "section": "1.5", "length": "120", "temperature": "20",
   "voltage": "100", "r20": null, "amplifier": "У1", "load": {"kind": "single", "power": "100"}},
  {"name": "Склад", "material": "copper", "section": "1.5", "length": "120", "temperature": "20",
   "voltage": "100", "r20": null, "load": {"kind": "single", "power": "10"}}]})";

constexpr char kFormer[] = "прежнее содержимое\n";

class AmplifiersCsv : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    Write("school.linecalc", kObject);
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

  struct Run {
    int status;
    std::string out;
    std::string err;
  };
  // linecalc run in the folder without a display.
  Run Linecalc(const QStringList& arguments) const {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
      environment.remove(QString::fromLatin1(name));
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir_.path());
    process.start(QStringLiteral(LINECALC_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
  }

  QTemporaryDir dir_;
};

TEST_F(AmplifiersCsv, WritesTheTableAndTheLinesColumn) {
  const Run run = Linecalc({"--amplifiers-csv", "out.csv", "--csv", "-", "school.linecalc"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Read("out.csv").toStdString(),
            "Усилитель,Мощность (Вт),Напряжение (В),Линии,Номинальная нагрузка (Вт),Загрузка (%),"
            "Запас (%),Итог,Сообщение\r\n"
            "У1,240.00,100,Зал; Холл,160.00,66.67,50.00,норма,\r\n"
            "У2,100.00,100,Двор,100.00,100.00,0.00,перегрузка,\r\n");
  // The lines' table names each line's amplifier last, and nothing for a line without one.
  EXPECT_TRUE(run.out.find(",Сообщение,Усилитель\r\n") != std::string::npos) << run.out;
  EXPECT_TRUE(run.out.find("равномерная,6.00,10,,98.92,59.09,1.51,0.07,1.08,98.72,,,,У1\r\n") !=
              std::string::npos)
      << run.out;
  EXPECT_TRUE(run.out.ends_with(",,,,\r\n")) << run.out;
}

// A file error (each is pinned with the file's reading) writes nothing.
TEST_F(AmplifiersCsv, FileErrorLeavesOutputUntouched) {
  Write("bad.linecalc",
        QByteArray(kObject).replace(R"("amplifier": "У2")", R"("amplifier": "У9")"));
  const Run run = Linecalc({"--amplifiers-csv", "out.csv", "bad.linecalc"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(
      run.err,
      "linecalc: Файл «bad.linecalc», линия 2 «Двор»: нет усилителя «У9» (ключ «amplifier»).\n");
  EXPECT_EQ(Read("out.csv"), kFormer);
}

}  // namespace

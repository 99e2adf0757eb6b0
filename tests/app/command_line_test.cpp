// Runs the built program as a user would, with no display: exit status, standard error and the
// output file, which stays untouched whenever the program fails.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <vector>

namespace {

constexpr char kValid[] = R"({"format": "linecalc-object", "version": 1, "title": "Т",
  "lossLimitPct": "10", "lines": [{"name": "Зал", "material": "copper", "section": "1.5",
  "length": "120", "temperature": "20", "voltage": "100", "r20": null,
  "load": {"kind": "uniform", "speakerPower": "6", "count": "10"}}]})";

// Two taps worked by hand in the calculation's tests (4 Ohm of cable to 100 W, 2 Ohm more to
// 50 W, here two taps of 25 W, at 100 V), and a uniform line, which has no loudspeaker rows.
constexpr char kLayout[] = R"({"format": "linecalc-object", "version": 2, "title": "Т",
  "lossLimitPct": "", "lines": [{"name": "Коридор, 1 этаж", "material": "copper",
   "section": "0.75", "length": "", "temperature": "-5", "voltage": "100", "r20": "108",
   "load": {"kind": "layout", "stretches": [
     {"length": "40", "speakers": [{"count": "1", "power": "100"}]},
     {"length": "20", "speakers": [{"count": "2", "power": "25"}]}]}},
  {"name": "Зал", "material": "copper", "section": "1.5", "length": "120", "temperature": "20",
   "voltage": "100", "r20": null,
   "load": {"kind": "uniform", "speakerPower": "6", "count": "10"}}]})";

// У1 carries 60 + 100 W with room to spare; У2 carries 100 W, which with the reserve of 20 %
// needs 120 W of its 100; Склад has no amplifier.
constexpr char kAmplified[] = R"({"format": "linecalc-object", "version": 2, "title": "Т",
  "lossLimitPct": "", "amplifiers": [{"name": "У1", "power": "240", "voltage": "100"},
  {"name": "У2", "power": "100", "voltage": "100"}], "lines": [
  {"name": "Зал", "material": "copper", "section": "1.5", "length": "120", "temperature": "20",
   "voltage": "100", "r20": null, "amplifier": "У1",
   "load": {"kind": "uniform", "speakerPower": "6", "count": "10"}},
  {"name": "Двор", "material": "copper", "section": "1.5", "length": "120", "temperature": "20",
   "voltage": "100", "r20": null, "amplifier": "У2", "load": {"kind": "single", "power": "100"}},
  {"name": "Холл", "material": "copper", "section": "1.5", "length": "120", "temperature": "20",
   "voltage": "100", "r20": null, "amplifier": "У1", "load": {"kind": "single", "power": "100"}},
  {"name": "Склад", "material": "copper", "section": "1.5", "length": "120", "temperature": "20",
   "voltage": "100", "r20": null, "load": {"kind": "single", "power": "10"}}]})";

constexpr char kFormerOutput[] = "прежнее содержимое\n";

struct Finished {
  int status = -1;
  QByteArray out;
  QString err;
};

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    Write("school.linecalc", kValid);
    Write("layout.linecalc", kLayout);
    Write("amplified.linecalc", kAmplified);
    Write("out.csv", kFormerOutput);
  }

  void Write(const QString& name, const QByteArray& bytes) const {
    QFile file(dir_.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QByteArray Read(const QString& name) const {
    QFile file(dir_.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(нет файла)");
  }

  // Runs linecalc in the temporary folder with no display, no platform, a decimal-comma locale
  // (the tables keep "."); it must end with `status`, a success with nothing on standard error.
  Finished Linecalc(const QStringList& arguments, int status = 0) const {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"}) {
      environment.remove(QString::fromLatin1(name));
    }
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("de_DE.UTF-8"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(dir_.path());
    process.start(QStringLiteral(LINECALC_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    const Finished run{process.exitCode(), process.readAllStandardOutput(),
                       QString::fromUtf8(process.readAllStandardError())};
    EXPECT_EQ(run.status, status) << arguments.join(u' ').toStdString();
    EXPECT_TRUE(status != 0 || run.err.isEmpty()) << run.err.toStdString();
    return run;
  }

  QTemporaryDir dir_;
};

TEST_F(CommandLine, FailuresLeaveOutputUntouchedSuccessesWriteEveryTable) {
  Write("huge.linecalc", QByteArray(16 * 1024 * 1024 + 1, ' '));
  Write("long.linecalc", QByteArray(kValid).replace("\"Т\"", "\"" + QByteArray(32768, 'T') + "\""));
  Write("bad.linecalc", QByteArray(kLayout).replace(R"("length": "20")", R"("length": 20)"));
  QDir(dir_.path()).mkdir(QStringLiteral("folder"));
  const QString one = "укажите один файл объекта (linecalc --help — справка).";
  // Arguments separated by spaces, and the message after "linecalc: ", empty for any message.
  // clang-format off
  std::vector<std::pair<const char*, QString>> cases = {
      {"--csv out.csv none.linecalc", "Файл «none.linecalc» не найден."},
      {"--csv out.csv huge.linecalc", "Файл «huge.linecalc» слишком велик (16777217 байт): "
       "допускается не более 16777216 байт."},
      {"--csv out.csv folder", "Файл «folder» не удается прочитать: это папка."},
      {"--csv missing/out.csv school.linecalc",
       QString("Не удается записать файл «%1»: папка «%2» не существует.")
           .arg(QDir::toNativeSeparators("missing/out.csv"),
                QDir::toNativeSeparators(dir_.filePath("missing")))},
      {"--csv folder school.linecalc", "Не удается записать файл «folder»: это папка."},
      {"--csv school.linecalc school.linecalc",
       "файл «school.linecalc» — это файл объекта; результат в него не записан."},
      {"--csv out.csv", one}, {"--csv out.csv school.linecalc school.linecalc", one},
      {"school.linecalc --csv", ""}, {"--bogus school.linecalc", ""},
      {"--xlsx - --csv out.csv school.linecalc",
       "--xlsx не пишет в стандартный вывод («-»): укажите имя файла."},
      {"--xlsx out.csv long.linecalc", "Не удается построить книгу Excel: в ячейке B1 больше 32767 "
       "знаков — больше, чем вмещает ячейка.\nlinecalc: не удалось построить «out.csv»; файл не "
       "записан."},
      {"--speakers-csv out.csv bad.linecalc", "Файл «bad.linecalc», линия 1 «Коридор, 1 этаж»: "
       "участок 2: ключ «length» должен быть строкой."},
      {"--csv out.csv --csv - school.linecalc", "параметр --csv указан более одного раза; укажите "
       "его один раз (linecalc --help — справка)."},
  };
#ifndef _WIN32  // Windows always has a desktop to open the window on.
  cases.emplace_back("school.linecalc",
       "не удается открыть окно: нет графического дисплея (не заданы DISPLAY и WAYLAND_DISPLAY "
       "или к дисплею нельзя подключиться). Без окна работают --csv, --amplifiers-csv, "
       "--speakers-csv, --pdf и --xlsx (linecalc --help — справка).");
#endif
  // clang-format on
  for (const auto& [arguments, message] : cases) {
    const Finished run = Linecalc(QString(arguments).split(u' '), 2);
    EXPECT_TRUE(message.isEmpty() ? run.err.startsWith("linecalc: ")
                                  : run.err == "linecalc: " + message + "\n")
        << arguments << ": " << run.err.toStdString();
    EXPECT_EQ(run.out, "") << arguments;
    EXPECT_EQ(Read("out.csv"), kFormerOutput) << arguments;
    EXPECT_EQ(Read("school.linecalc"), kValid) << arguments;
  }
  Finished run = Linecalc({"--csv=-", "school.linecalc"});
  EXPECT_TRUE(run.out.startsWith("Линия,Материал,Сечение (мм²),") && run.out.count("\r\n") == 2);
  EXPECT_EQ(Read("out.csv"), kFormerOutput);
  run = Linecalc({"--xlsx", "out.xlsx", "--csv", "out.csv", "school.linecalc"});
  EXPECT_TRUE(Read("out.xlsx").startsWith("PK\x03\x04"));
  const QByteArray csv = Read("out.csv");
  EXPECT_TRUE(csv.startsWith("Линия,Материал,Сечение (мм²),") &&
              csv.endsWith("\r\nЗал,медь,1.5,120,20,100,26.60,3.27,23.00,16.26,1626.10,равномерная,"
                           "6.00,10,,98.92,59.09,1.51,0.07,1.08,98.72,0.2,норма,,\r\n"))
      << csv.toStdString();
  run = Linecalc({"--speakers-csv", "out.csv", "layout.linecalc"});
  EXPECT_EQ(Read("out.csv").toStdString(),
            "Линия,№,Расстояние (м),Мощность отвода (Вт),Напряжение (В),Мощность (Вт),"
            "Уровень (дБ)\r\n"
            "\"Коридор, 1 этаж\",1,40.00,100.00,94.36,89.03,-0.50\r\n"
            "\"Коридор, 1 этаж\",2,60.00,25.00,93.42,21.82,-0.59\r\n"
            "\"Коридор, 1 этаж\",3,60.00,25.00,93.42,21.82,-0.59\r\n");
  run = Linecalc({"--amplifiers-csv", "out.csv", "--csv", "-", "amplified.linecalc"});
  EXPECT_EQ(Read("out.csv").toStdString(),
            "Усилитель,Мощность (Вт),Напряжение (В),Линии,Номинальная нагрузка (Вт),Загрузка (%),"
            "Запас (%),Итог,Сообщение\r\n"
            "У1,240.00,100,Зал; Холл,160.00,66.67,50.00,норма,\r\n"
            "У2,100.00,100,Двор,100.00,100.00,0.00,перегрузка,\r\n");
  // The lines' table names each line's amplifier last, and nothing for a line without one.
  EXPECT_TRUE(run.out.contains(",Сообщение,Усилитель\r\n") && run.out.endsWith(",,,,\r\n") &&
              run.out.contains("равномерная,6.00,10,,98.92,59.09,1.51,0.07,1.08,98.72,,,,У1\r\n"))
      << run.out.toStdString();
  run = Linecalc({"--help"});
  for (const char* text : {"--csv <вывод>", "Записать таблицу объекта в файл CSV", "--xlsx <вывод>",
                           "--speakers-csv <вывод>", "--amplifiers-csv <вывод>"}) {
    EXPECT_TRUE(run.out.contains(text)) << run.out.toStdString();
  }
  EXPECT_EQ(Linecalc({"--version"}).out, "linecalc 1.0.0\n");
}

}  // namespace

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
  "lossLimitPct": "", "lines": [
  {"name": "Коридор, 1 этаж", "material": "copper", "section": "0.75", "length": "", "temperature": "-5",
   "voltage": "100", "r20": "108", "load": {"kind": "layout", "stretches": [
     {"length": "40", "speakers": [{"count": "1", "power": "100"}]},
     {"length": "20", "speakers": [{"count": "2", "power": "25"}]}]}},
  {"name": "Зал", "material": "copper", "section": "1.5", "length": "120", "temperature": "20",
   "voltage": "100", "r20": null, "load": {"kind": "uniform", "speakerPower": "6", "count": "10"}}]})";

// У1 carries 60 + 100 W with room to spare; У2 carries 100 W, which with the reserve of 20 %
// needs 120 W of its 100; Склад has no amplifier.
constexpr char kAmplified[] = R"({"format": "linecalc-object", "version": 2, "title": "Т",
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

constexpr char kCsvHeaderStart[] = "Линия,Материал,Сечение (мм²),";
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
    Write("out.csv", kFormerOutput);
  }

  QString Path(const QString& name) const { return dir_.filePath(name); }

  void Write(const QString& name, const QByteArray& bytes) const {
    QFile file(Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QByteArray Read(const QString& name) const {
    QFile file(Path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(нет файла)");
  }

  // Runs linecalc in the temporary folder with no display and no platform chosen.
  Finished Linecalc(const QStringList& arguments) const {
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
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
  }

  QTemporaryDir dir_;
};

TEST_F(CommandLine, WritesCsvAndXlsx) {
  const Finished run = Linecalc({"--xlsx", "out.xlsx", "--csv", "out.csv", "school.linecalc"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(Read("out.xlsx").startsWith("PK\x03\x04"));
  const QByteArray csv = Read("out.csv");
  EXPECT_TRUE(csv.startsWith(kCsvHeaderStart)) << csv.toStdString();
  // Numbers with "." whatever the locale.
  EXPECT_TRUE(
      csv.endsWith("\r\nЗал,медь,1.5,120,20,100,26.60,3.27,23.00,16.26,1626.10,"
                   "равномерная,6.00,10,,98.92,59.09,1.51,0.07,1.08,98.72,0.2,норма,,\r\n"))
      << csv.toStdString();
}

TEST_F(CommandLine, DashIsStandardOutput) {
  const Finished run = Linecalc({"--csv=-", "school.linecalc"});
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.out.startsWith(kCsvHeaderStart));
  EXPECT_EQ(run.out.count("\r\n"), 2);
  EXPECT_EQ(Read("out.csv"), kFormerOutput);
}

TEST_F(CommandLine, SpeakersCsvOneRowPerLoudspeaker) {
  Write("layout.linecalc", kLayout);
  const Finished run = Linecalc({"--speakers-csv", "out.csv", "layout.linecalc"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Read("out.csv").toStdString(),
            "Линия,№,Расстояние (м),Мощность отвода (Вт),Напряжение (В),Мощность (Вт),"
            "Уровень (дБ)\r\n"
            "\"Коридор, 1 этаж\",1,40.00,100.00,94.36,89.03,-0.50\r\n"
            "\"Коридор, 1 этаж\",2,60.00,25.00,93.42,21.82,-0.59\r\n"
            "\"Коридор, 1 этаж\",3,60.00,25.00,93.42,21.82,-0.59\r\n");
}

TEST_F(CommandLine, AmplifiersCsvAndTheLinesColumn) {
  Write("amplified.linecalc", kAmplified);
  const Finished run =
      Linecalc({"--amplifiers-csv", "out.csv", "--csv", "-", "amplified.linecalc"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(Read("out.csv").toStdString(),
            "Усилитель,Мощность (Вт),Напряжение (В),Линии,Номинальная нагрузка (Вт),Загрузка (%),"
            "Запас (%),Итог,Сообщение\r\n"
            "У1,240.00,100,Зал; Холл,160.00,66.67,50.00,норма,\r\n"
            "У2,100.00,100,Двор,100.00,100.00,0.00,перегрузка,\r\n");
  // The lines' table names each line's amplifier last, and nothing for a line without one.
  const std::string out = run.out.toStdString();
  EXPECT_NE(out.find(",Сообщение,Усилитель\r\n"), std::string::npos) << out;
  EXPECT_NE(out.find("равномерная,6.00,10,,98.92,59.09,1.51,0.07,1.08,98.72,,,,У1\r\n"),
            std::string::npos)
      << out;
  EXPECT_TRUE(out.ends_with(",,,,\r\n")) << out;
}

TEST_F(CommandLine, FailuresLeaveOutputUntouched) {
  Write("broken.linecalc", "{\n  \"format\": \"linecalc-object\"\n  \"version\": 1\n}");
  Write("huge.linecalc", QByteArray(16 * 1024 * 1024 + 1, ' '));
  Write("limit.linecalc", QByteArray(kValid).replace("\"10\", \"lines", "\"1e400\", \"lines"));
  Write("long.linecalc", QByteArray(kValid).replace("\"Т\"", "\"" + QByteArray(32768, 'T') + "\""));
  Write("layout.linecalc", QByteArray(kLayout).replace(R"("length": "20")", R"("length": 20)"));
  Write("amplified.linecalc",
        QByteArray(kAmplified).replace(R"("amplifier": "У2")", R"("amplifier": "У9")"));
  QDir(dir_.path()).mkdir(QStringLiteral("folder"));
  struct Case {
    const char* name;
    const char* arguments;  // separated by spaces
    QString message;        // after "linecalc: "; empty: any message
  };
  // clang-format off
  std::vector<Case> cases = {
      {"MissingFile", "--csv out.csv none.linecalc", "Файл «none.linecalc» не найден."},
      {"NotJson", "--csv out.csv broken.linecalc",
       "Файл «broken.linecalc» не является правильным файлом JSON: ожидается «,» или «}» "
       "(строка 3, столбец 4)."},
      {"TooLarge", "--csv out.csv huge.linecalc",
       "Файл «huge.linecalc» слишком велик (16777217 байт): допускается не более 16777216 байт."},
      {"FolderAsFile", "--csv out.csv folder", "Файл «folder» не удается прочитать: это папка."},
      {"OutputInMissingFolder", "--csv missing/out.csv school.linecalc",
       QString("Не удается записать файл «%1»: папка «%2» не существует.")
           .arg(QDir::toNativeSeparators(QStringLiteral("missing/out.csv")),
                QDir::toNativeSeparators(Path("missing")))},
      {"OutputIsFolder", "--csv folder school.linecalc",
       "Не удается записать файл «folder»: это папка."},
      {"OutputIsTheObject", "--csv school.linecalc school.linecalc",
       "файл «school.linecalc» — это файл объекта; результат в него не записан."},
      {"NoFile", "--csv out.csv", "укажите один файл объекта (linecalc --help — справка)."},
      {"TwoFiles", "--csv out.csv school.linecalc school.linecalc",
       "укажите один файл объекта (linecalc --help — справка)."},
      {"NoOutput", "school.linecalc --csv", ""},
      {"XlsxToStandardOutput", "--xlsx - --csv out.csv school.linecalc",
       "--xlsx не пишет в стандартный вывод («-»): укажите имя файла."},
      {"XlsxTitleTooLong", "--xlsx out.csv long.linecalc",
       "Не удается построить книгу Excel: в ячейке B1 больше 32767 знаков — больше, чем вмещает "
       "ячейка.\nlinecalc: не удалось построить «out.csv»; файл не записан."},
      {"UnknownOption", "--bogus school.linecalc", ""},
      {"LimitOutOfRange", "--csv out.csv limit.linecalc",
       "Файл «limit.linecalc»: предел потерь «1e400» (ключ «lossLimitPct») должен быть числом "
       "от 0 до 100 %."},
      {"SpeakersOfABrokenLayout", "--speakers-csv out.csv layout.linecalc",
       "Файл «layout.linecalc», линия 1 «Коридор, 1 этаж»: участок 2: ключ «length» должен быть строкой."},
      {"UnknownAmplifier", "--amplifiers-csv out.csv amplified.linecalc",
       "Файл «amplified.linecalc», линия 2 «Двор»: нет усилителя «У9» (ключ «amplifier»)."},
      {"RepeatedOption", "--csv out.csv --csv - school.linecalc",
       "параметр --csv указан более одного раза; укажите его один раз (linecalc --help — "
       "справка)."},
  };
#ifndef _WIN32  // Windows always has a desktop to open the window on.
  cases.push_back(
      {"NoDisplay", "school.linecalc",
       "не удается открыть окно: нет графического дисплея (не заданы DISPLAY и WAYLAND_DISPLAY "
       "или к дисплею нельзя подключиться). Без окна работают --csv, --amplifiers-csv, "
       "--speakers-csv, --pdf и --xlsx (linecalc --help — справка)."});
#endif
  // clang-format on
  for (const Case& c : cases) {
    const Finished run = Linecalc(QString(c.arguments).split(u' '));
    EXPECT_EQ(run.status, 2) << c.name;
    if (!c.message.isEmpty()) {
      EXPECT_EQ(run.err.toStdString(), ("linecalc: " + c.message + "\n").toStdString()) << c.name;
    } else {
      EXPECT_TRUE(run.err.startsWith("linecalc: ")) << c.name << run.err.toStdString();
    }
    EXPECT_EQ(run.out, "") << c.name;
    EXPECT_EQ(Read("out.csv"), kFormerOutput) << c.name;
    EXPECT_EQ(Read("school.linecalc"), kValid) << c.name;
  }
}

TEST_F(CommandLine, HelpAndVersion) {
  const Finished help = Linecalc({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.contains("--csv <вывод>")) << help.out.toStdString();
  EXPECT_TRUE(help.out.contains("Записать таблицу объекта в файл CSV")) << help.out.toStdString();
  for (const char* option :
       {"--xlsx <вывод>", "--speakers-csv <вывод>", "--amplifiers-csv <вывод>"}) {
    EXPECT_TRUE(help.out.contains(option)) << help.out.toStdString();
  }
  const Finished version = Linecalc({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "linecalc 1.0.0\n");
}

}  // namespace

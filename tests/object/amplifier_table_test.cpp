#include "object/amplifier_table.h"

#include <gtest/gtest.h>

#include "object/object_json.h"
#include "tests/object/object_text.h"
#include "tests/object/test_lines.h"

namespace linecalc::object {
namespace {

using testing_support::LineOfResistance;
using testing_support::TableLine;

// Two amplifiers, the first feeding the one line.
constexpr char kFile[] = R"({
  "format": "linecalc-object",
  "version": 2,
  "title": "Т",
  "lossLimitPct": "",
  "amplifierReservePct": "25",
  "amplifiers": [
    {"name": "У1", "power": "240", "voltage": "100"},
    {"name": "У2", "power": "60", "voltage": "70"}
  ],
  "lines": [
    {
      "name": "Зал",
      "material": "copper",
      "section": "1.5",
      "length": "120",
      "temperature": "20",
      "voltage": "100",
      "r20": null,
      "amplifier": "У1",
      "load": {"kind": "uniform", "speakerPower": "6", "count": "10"}
    }
  ]
}
)";

std::string FileWith(const std::string& from, const std::string& to) {
  return testing_support::Replaced(kFile, from, to);
}

ObjectLoad Parse(const std::string& text) {
  return ParseObject(QByteArray::fromStdString(text), QStringLiteral("т.linecalc"));
}

TEST(ParseObject, AmplifiersRoundTrip) {
  const ObjectLoad load = Parse(kFile);
  ASSERT_TRUE(load.object) << load.error.toStdString();
  const LineObject& object = *load.object;
  EXPECT_EQ(object.amplifierReservePct, "25");
  EXPECT_EQ(object.amplifiers, (std::vector<Amplifier>{{"У1", "240", "100"}, {"У2", "60", "70"}}));
  EXPECT_EQ(object.lines.at(0).amplifier, "У1");
  EXPECT_EQ(SerializeObject(object).toStdString(), kFile);
}

TEST(ParseObject, AmplifierErrors) {
  struct Case {
    const char* name;
    std::string text;
    const char* error;
  };
  const std::string first = R"({"name": "У1", "power": "240", "voltage": "100"})";
  const auto amplifier = [&first](const std::string& replacement) {
    return FileWith(first, replacement);
  };
  const Case cases[] = {
      {"AmplifiersNotArray", FileWith(R"("amplifiers": [)", R"("amplifiers": "У1", "x": [)"),
       "Файл «т.linecalc»: ключ «amplifiers» должен быть массивом."},
      {"NoName", amplifier(R"({"name": " ", "power": "240", "voltage": "100"})"),
       "Файл «т.linecalc», усилитель 1: у усилителя нет названия (ключ «name»)."},
      {"Duplicate", FileWith(R"("name": "У2")", R"("name": "У1")"),
       "Файл «т.linecalc», усилитель 2 «У1»: усилитель с таким названием уже есть."},
      {"PowerZero", amplifier(R"({"name": "У1", "power": "0", "voltage": "100"})"),
       "Файл «т.linecalc», усилитель 1 «У1»: мощность «0» (ключ «power») должна быть числом "
       "больше 0 и не более 10000 Вт."},
      {"PowerNotString", amplifier(R"({"name": "У1", "power": 240, "voltage": "100"})"),
       "Файл «т.linecalc», усилитель 1 «У1»: ключ «power» должен быть строкой."},
      {"VoltageFraction", amplifier(R"({"name": "У1", "power": "240", "voltage": "100.5"})"),
       "Файл «т.linecalc», усилитель 1 «У1»: напряжение «100.5» (ключ «voltage») должно быть "
       "целым числом от 1 до 1000 В."},
      {"NotAnObject", amplifier(R"("У1")"), "Файл «т.linecalc», усилитель 1: ожидается объект."},
      {"UnknownAmplifier", FileWith(R"("amplifier": "У1")", R"("amplifier": "У9")"),
       "Файл «т.linecalc», линия 1 «Зал»: нет усилителя «У9» (ключ «amplifier»)."},
      {"LineAmplifierNotString", FileWith(R"("amplifier": "У1")", R"("amplifier": 1)"),
       "Файл «т.linecalc», линия 1 «Зал»: ключ «amplifier» должен быть строкой."},
      {"ReserveOutOfRange",
       FileWith(R"("amplifierReservePct": "25")", R"("amplifierReservePct": "101")"),
       "Файл «т.linecalc»: запас мощности усилителей «101» (ключ «amplifierReservePct») должен "
       "быть числом от 0 до 100 %."},
      {"ReserveNotString",
       FileWith(R"("amplifierReservePct": "25")", R"("amplifierReservePct": 25)"),
       "Файл «т.linecalc»: ключ «amplifierReservePct» должен быть строкой."},
  };
  for (const Case& c : cases) {
    const ObjectLoad load = Parse(c.text);
    EXPECT_FALSE(load.object) << c.name;
    EXPECT_EQ(load.error.toStdString(), c.error) << c.name;
  }
}

TEST(ObjectFormatVersion, AmplifiersNeedVersionTwo) {
  const ObjectLine line{"a", LineOfResistance("2.16", LoadKind::Single, "100"), ""};
  ObjectLine fed = line;
  fed.amplifier = "У1";
  struct Case {
    const char* name;
    LineObject object;
    int version;
  };
  const Case cases[] = {
      {"None", {"т", "", std::nullopt, {line}, {}, ""}, 1},
      {"AmplifierUnused", {"т", "", std::nullopt, {line}, {{"У1", "240", "100"}}, ""}, 2},
      {"ReserveOnly", {"т", "", std::nullopt, {line}, {}, "20"}, 2},
      {"LineFed", {"т", "", std::nullopt, {fed}, {{"У1", "240", "100"}}, ""}, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ObjectFormatVersion(c.object), c.version) << c.name;
    EXPECT_TRUE(SerializeObject(c.object).contains(QByteArray("\"version\": ") +
                                                   QByteArray::number(c.version)))
        << c.name;
  }
  // A version 1 file knows no amplifiers: its keys are ignored, as any unknown key.
  const ObjectLoad old = Parse(FileWith(R"("version": 2)", R"("version": 1)"));
  ASSERT_TRUE(old.object) << old.error.toStdString();
  EXPECT_TRUE(old.object->amplifiers.empty());
  EXPECT_EQ(old.object->amplifierReservePct, "");
  EXPECT_EQ(old.object->lines.at(0).amplifier, "");
}

TEST(AmplifierCsv, EveryVerdict) {
  LineObject object;
  object.amplifiers = {{"У1", "240", "100"},   {"У2", "120", "100"}, {"У3", "150", "100"},
                       {"У4", "500", "70"},    {"У5", "100", "100"}, {"У6", "1e4", "100"},
                       {"У7", "5e-324", "100"}};
  const auto fed = [](const char* name, LineInputs inputs, const char* amplifier) {
    return ObjectLine{name, std::move(inputs), amplifier};
  };
  object.lines = {
      fed("Зал, сцена", LineOfResistance("2.16", LoadKind::Single, "100"), "У1"),
      fed("c", LineOfResistance("2.16", LoadKind::Single, "100"), "У2"),
      fed("b", LineOfResistance("2.16", LoadKind::Uniform, "6", "10"), "У1"),
      fed("e", LineOfResistance("2.16", LoadKind::Single, "130"), "У3"),
      fed("free", LineOfResistance("2.16", LoadKind::Single, "100"), ""),
      fed("f", LineOfResistance("2.16", LoadKind::Single, "100"), "У4"),
      fed("g", TableLine(Material::Copper, 0, "1", LoadKind::Single, "3000"), "У5"),
      fed("h", LineOfResistance("2.16", LoadKind::Single, "100"), "У7"),
      fed("lay", LineOfResistance("2.16", LoadKind::Layout, ""), "У6"),
  };
  // The taps' total of a layout: 15 W, then twice 2 × 3 W.
  object.lines.back().inputs.layout.stretches = {{"40", "", {{"1", "15"}}, {}},
                                                 {"6", "2", {{"2", "3"}}, {}}};
  EXPECT_EQ(AmplifierCsv(object),
            "Усилитель,Мощность (Вт),Напряжение (В),Линии,Номинальная нагрузка (Вт),Загрузка (%),"
            "Запас (%),Итог,Сообщение\r\n"
            "У1,240.00,100,\"Зал, сцена; b\",160.00,66.67,50.00,норма,\r\n"
            "У2,120.00,100,c,100.00,83.33,20.00,норма,\r\n"
            "У3,150.00,100,e,130.00,86.67,15.38,перегрузка,\r\n"
            "У4,500.00,70,f,100.00,20.00,400.00,несовместимо,\"Линия «f»: напряжение линии 100 В, "
            "выход усилителя 70 В\"\r\n"
            "У5,100.00,100,g,0.00,0.00,,отказ,Линия «g» не рассчитана\r\n"
            "У6,10000.00,100,lay,27.00,0.27,36937.04,норма,\r\n"
            // A power too small to divide by loads it beyond any number: no figure is shown.
            "У7,0.00,100,h,100.00,,-100.00,перегрузка,\r\n");
  object.amplifierReservePct = "0";  // the same lines with no reserve: У3 carries its 130 W
  EXPECT_NE(AmplifierCsv(object).find("У3,150.00,100,e,130.00,86.67,15.38,норма,"),
            std::string::npos);
}

}  // namespace
}  // namespace linecalc::object

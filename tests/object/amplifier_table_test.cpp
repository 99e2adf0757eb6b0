#include "object/amplifier_table.h"

#include <gtest/gtest.h>

#include "object/object_json.h"
#include "tests/object/object_text.h"
#include "tests/object/test_lines.h"

namespace linecalc::object {
namespace {

using testing_support::LineOfResistance;

// Two amplifiers, the first feeding the one line.
constexpr char kFile[] =
    R"({"format": "linecalc-object", "version": 2, "title": "Т", "lossLimitPct": "",
 "amplifierReservePct": "25", "amplifiers": [{"name": "У1", "power": "240", "voltage": "100"},
 {"name": "У2", "power": "60", "voltage": "70"}], "lines": [{"name": "Зал", "material": "copper",
 "section": "1.5", "length": "120", "temperature": "20", "voltage": "100", "r20": null,
 "amplifier": "У1", "load": {"kind": "uniform", "speakerPower": "6", "count": "10"}}]})";

std::string FileWith(const std::string& from, const std::string& to) {
  return testing_support::Replaced(kFile, from, to);
}

// Reading `text`: the error after "Файл «т.linecalc»", or reserve | amplifiers | line's one.
std::string Read(const std::string& text) {
  const ObjectLoad load = ParseObject(QByteArray::fromStdString(text), "т.linecalc");
  const std::string error = load.error.toStdString(), file = "Файл «т.linecalc»";
  if (!load.object) {
    return error.starts_with(file) ? error.substr(file.size()) : "?" + error;
  }
  std::string read = "read " + load.object->amplifierReservePct + error;
  for (const Amplifier& a : load.object->amplifiers) {
    read += " | " + a.name + " " + a.power + " " + a.voltage;
  }
  return read + " | " + load.object->lines.at(0).amplifier;
}

TEST(ParseObject, Amplifiers) {
  // Written, the amplifiers follow the limit one a line, and a line's amplifier follows its R20.
  const QByteArray written = SerializeObject(*ParseObject(kFile, "т").object);
  EXPECT_TRUE(written.contains(
      "  \"lossLimitPct\": \"\",\n  \"amplifierReservePct\": \"25\",\n  \"amplifiers\": [\n"
      "    {\"name\": \"У1\", \"power\": \"240\", \"voltage\": \"100\"},\n"
      "    {\"name\": \"У2\", \"power\": \"60\", \"voltage\": \"70\"}\n  ],\n  \"lines\": [\n"))
      << written.toStdString();
  EXPECT_TRUE(written.contains("\"r20\": null,\n      \"amplifier\": \"У1\",\n      \"load\""));
  // clang-format off
  const std::pair<std::string, const char*> cases[] = {
      {kFile, "read 25 | У1 240 100 | У2 60 70 | У1"},
      // A version 1 file knows no amplifiers: its keys are ignored, as any unknown key.
      {FileWith(R"("version": 2)", R"("version": 1)"), "read  | "},
      {FileWith(R"("amplifiers": [)", R"("amplifiers": "У1", "x": [)"),
       ": ключ «amplifiers» должен быть массивом."},
      {FileWith(R"("name": "У1")", R"("name": " ")"),
       ", усилитель 1: у усилителя нет названия (ключ «name»)."},
      {FileWith(R"("name": "У2")", R"("name": "У1")"),
       ", усилитель 2 «У1»: усилитель с таким названием уже есть."},
      {FileWith(R"("power": "240")", R"("power": "0")"),
       ", усилитель 1 «У1»: мощность «0» (ключ «power») должна быть числом больше 0 и не более "
       "10000 Вт."},
      {FileWith(R"("power": "240")", R"("power": 240)"),
       ", усилитель 1 «У1»: ключ «power» должен быть строкой."},
      {FileWith(R"("voltage": "100"})", R"("voltage": "100.5"})"),
       ", усилитель 1 «У1»: напряжение «100.5» (ключ «voltage») должно быть целым числом от 1 до "
       "1000 В."},
      {FileWith(R"({"name": "У1", "power": "240", "voltage": "100"})", R"("У1")"),
       ", усилитель 1: ожидается объект."},
      {FileWith(R"("amplifier": "У1")", R"("amplifier": "У9")"),
       ", линия 1 «Зал»: нет усилителя «У9» (ключ «amplifier»)."},
      {FileWith(R"("amplifier": "У1")", R"("amplifier": 1)"),
       ", линия 1 «Зал»: ключ «amplifier» должен быть строкой."},
      {FileWith(R"("25")", R"("101")"),
       ": запас мощности усилителей «101» (ключ «amplifierReservePct») должен быть числом от 0 до "
       "100 %."},
      {FileWith(R"("25")", "25"), ": ключ «amplifierReservePct» должен быть строкой."},
  };
  // clang-format on
  for (const auto& [text, read] : cases) {
    EXPECT_EQ(Read(text), read) << text;
  }
}

// None; an amplifier unused; a reserve alone; a line fed.
TEST(ObjectFormatVersion, AmplifiersNeedVersionTwo) {
  const LineInputs in = LineOfResistance("2.16", LoadKind::Single, "100");
  const std::vector<Amplifier> one{{"У1", "240", "100"}};
  EXPECT_EQ(ObjectFormatVersion({"т", "", std::nullopt, {{"a", in}}, {}, ""}), 1);
  EXPECT_EQ(ObjectFormatVersion({"т", "", std::nullopt, {{"a", in}}, one, ""}), 2);
  EXPECT_EQ(ObjectFormatVersion({"т", "", std::nullopt, {{"a", in}}, {}, "20"}), 2);
  EXPECT_EQ(ObjectFormatVersion({"т", "", std::nullopt, {{"a", in, "У1"}}, one, ""}), 2);
}

TEST(AmplifierCsv, EveryVerdict) {
  LineObject object;
  object.amplifiers = {{"У1", "240", "100"},   {"У2", "120", "100"}, {"У3", "150", "100"},
                       {"У4", "500", "70"},    {"У5", "100", "100"}, {"У6", "1e4", "100"},
                       {"У7", "5e-324", "100"}};
  const LineInputs single = LineOfResistance("2.16", LoadKind::Single, "100");
  // clang-format off
  object.lines = {
      {"Зал, сцена", single, "У1"}, {"c", single, "У2"}, {"free", single, ""}, {"f", single, "У4"},
      {"h", single, "У7"}, {"b", LineOfResistance("2.16", LoadKind::Uniform, "6", "10"), "У1"},
      {"e", LineOfResistance("2.16", LoadKind::Single, "130"), "У3"},
      {"g", testing_support::TableLine(Material::Copper, 0, "1", LoadKind::Single, "3000"), "У5"},
      {"lay", LineOfResistance("2.16", LoadKind::Layout, ""), "У6"}};
  // clang-format on
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

#include "object/object_json.h"

#include <gtest/gtest.h>

#include "tests/object/object_text.h"

namespace linecalc::object {
namespace {

// The object of the file format's description, written as a user would.
constexpr char kSchool[] = R"({
  "format": "linecalc-object",
  "version": 1,
  "title": "Школа № 5, корпус А",
  "lossLimitPct": "10",
  "lines": [
    {
      "name": "1 этаж, зона А",
      "material": "copper",
      "section": "1.5",
      "length": "120",
      "temperature": "20",
      "voltage": "100",
      "r20": null,
      "load": {"kind": "uniform", "speakerPower": "6", "count": "10"}
    },
    {
      "name": "Улица",
      "material": "aluminium",
      "section": "2.5",
      "length": "300",
      "temperature": "0",
      "voltage": "100",
      "r20": "24.6",
      "load": {"kind": "single", "power": "120"}
    }
  ]
})";

LineObject SchoolObject() {
  LineInputs floor{Material::Copper,  6,   "120", "20", "100", std::nullopt,
                   LoadKind::Uniform, "6", "10"};
  LineInputs street{Material::Aluminium, 7, "300", "0", "100", "24.6", LoadKind::Single, "120", ""};
  const std::vector<ObjectLine> lines{{"1 этаж, зона А", floor}, {"Улица", street}};
  return {"Школа № 5, корпус А", "10", std::nullopt, lines, {}, ""};
}

// kSchool with the first occurrence of `from` replaced by `to`.
std::string SchoolWith(const std::string& from, const std::string& to) {
  return testing_support::Replaced(kSchool, from, to);
}

// What reading `text` gives: the error after "Файл «школа.linecalc»", or of the object read its
// limit, its second line's R20 and its thinnest section allowed.
std::string Read(const std::string& text) {
  const ObjectLoad load = ParseObject(QByteArray::fromStdString(text), "школа.linecalc");
  const std::string error = load.error.toStdString(), file = "Файл «школа.linecalc»";
  if (!load.object) {
    return error.starts_with(file) ? error.substr(file.size()) : "?" + error;
  }
  const std::optional<std::string>& r20 = load.object->lines.at(1).inputs.r20;
  const std::optional<int>& min = load.object->minSection;
  return "read " + load.object->lossLimitPct + " " + r20.value_or("null") + " " +
         (min ? std::to_string(*min) : "-") + error;
}

TEST(ParseObject, TheExampleBothWays) {
  EXPECT_EQ(ParseObject(kSchool, "школа.linecalc").object, SchoolObject());
  EXPECT_EQ(SerializeObject(SchoolObject()).toStdString(), std::string(kSchool) + "\n");
}

// Each message once; "read limit R20 min" for a file read.
TEST(ParseObject, LeniencyErrorsAndVersions) {
  const auto Versioned = [](const char* keys) { return SchoolWith(R"("version": 1,)", keys); };
  // clang-format off
  const std::pair<std::string, const char*> cases[] = {
      {kSchool, "read 10 24.6 -"},
      {"", " пуст."},
      {"{} x",
       " не является правильным файлом JSON: лишний текст после конца документа (строка 1, столбец "
       "4)."},
      {SchoolWith(R"("voltage": "100",)", R"("voltage": "100")"),
       " не является правильным файлом JSON: ожидается «,» или «}» (строка 14, столбец 8)."},
      // The column counts characters, not bytes.
      {"{\"title\": \"Школа\" 1}",
       " не является правильным файлом JSON: ожидается «,» или «}» (строка 1, столбец 20)."},
      {"[1, 2]", ": это не файл объекта: ожидается объект JSON."},
      {SchoolWith("linecalc-object", "project"),
       ": это не файл объекта: ключ «format» равен «project», ожидается «linecalc-object»."},
      {SchoolWith(R"("version": 1)", R"("version": 3)"),
       ": файл создан более новой версией программы (версия формата 3, эта программа читает версию "
       "2)."},
      {SchoolWith(R"("version": 1)", R"("version": "1")"),
       ": ключ «version» должен быть целым числом от 1."},
      {SchoolWith(R"("version": 1,)", ""), ": нет ключа «version»."},
      {SchoolWith(R"("lines": [)", R"("lines": {"a": [)") + "}",
       ": ключ «lines» должен быть массивом."},
      {SchoolWith(R"("10")", "10"), ": ключ «lossLimitPct» должен быть строкой."},
      {SchoolWith(R"("lines": [)", R"("lines": [7, )"), ", линия 1: ожидается объект."},
      {SchoolWith(R"("name": "Улица",)", ""), ", линия 2: нет ключа «name»."},
      {SchoolWith(R"("r20": null,)", ""), ", линия 1 «1 этаж, зона А»: нет ключа «r20»."},
      {SchoolWith(R"("24.6")", "24.6"),
       ", линия 2 «Улица»: ключ «r20» должен быть строкой или null."},
      {SchoolWith("aluminium", "steel"),
       ", линия 2 «Улица»: неизвестный материал «steel» (ожидается copper или aluminium)."},
      {SchoolWith(R"("2.5")", R"("2,5")"),
       ", линия 2 «Улица»: неизвестное сечение «2,5» (ожидается одно из: 0.2, 0.35, 0.5, 0.75, "
       "1.0, 1.2, 1.5, 2.5, 4.0, 6.0, 10.0)."},
      {SchoolWith(R"({"kind": "single", "power": "120"})", R"("120")"),
       ", линия 2 «Улица»: ключ «load» должен быть объектом."},
      {SchoolWith(R"("kind": "single")", R"("kind": "double")"),
       ", линия 2 «Улица»: неизвестный вид нагрузки «double» (ожидается single, uniform или "
       "layout)."},
      {SchoolWith(R"(, "count": "10")", ""), ", линия 1 «1 этаж, зона А»: нет ключа «load.count»."},
      {SchoolWith(R"("power": "120")", R"("power": 120)"),
       ", линия 2 «Улица»: ключ «load.power» должен быть строкой."},
      // Keys it does not know, a blank R20 and a byte order mark are no errors.
      {SchoolWith(R"("version": 1,)", R"("version": 1, "author": {"x": [1]}, "colour": 3,)"),
       "read 10 24.6 -"},
      {SchoolWith(R"("lossLimitPct": "10",)", ""), "read  24.6 -"},
      {SchoolWith(R"("lossLimitPct": "10",)", R"("lossLimitPct": null,)"), "read  24.6 -"},
      {SchoolWith(R"("24.6")", R"(" 	")"), "read 10 null -"},
      {"\xEF\xBB\xBF" + std::string(kSchool), "read 10 24.6 -"},
      // The thinnest section allowed is a key of version 2; a version 1 file reads as before.
      {Versioned(R"("version": 2, "minSection": "1.5",)"), "read 10 24.6 6"},
      {Versioned(R"("version": 2, "minSection": "",)"), "read 10 24.6 -"},
      {Versioned(R"("version": 2,)"), "read 10 24.6 -"},
      {Versioned(R"("version": 1, "minSection": "1.5",)"), "read 10 24.6 -"},
      {Versioned(R"("version": 2, "minSection": "1,5",)"),
       ": неизвестное мин. допустимое сечение «1,5» (ожидается одно из: 0.2, 0.35, 0.5, 0.75, 1.0, "
       "1.2, 1.5, 2.5, 4.0, 6.0, 10.0)."},
      {Versioned(R"("version": 2, "minSection": 1.5,)"),
       ": ключ «minSection» должен быть строкой."},
  };
  // clang-format on
  for (const auto& [text, read] : cases) {
    EXPECT_EQ(Read(text), read) << text;
  }
}

// Every character comes back, and the text written again is the same. A minimum makes a version
// 2 file; without one it stays version 1 (the example above), which older programs read.
TEST(SerializeObject, RoundTrip) {
  LineObject object = SchoolObject();
  object.title = "Кавычки \" и \\ обратная черта, \t табуляция, \r\n перевод строки, \x01, 😀";
  object.lossLimitPct = " 2,5 % ";
  object.minSection = 7;
  object.lines.push_back({"", {Material::Copper, 10, "", "", "", "x", LoadKind::Single, "", ""}});
  object.lines.push_back({"Имя, с запятой \"и кавычками\"\nи строкой", object.lines[0].inputs});
  object.lines.back().inputs.count = "&H10 ";
  const QByteArray text = SerializeObject(object);
  EXPECT_TRUE(text.contains("\n  \"version\": 2,\n")) << text.toStdString();
  EXPECT_TRUE(text.contains("  \"lossLimitPct\": \" 2,5 % \",\n  \"minSection\": \"2.5\",\n"));
  const ObjectLoad load = ParseObject(text, QStringLiteral("x"));
  ASSERT_EQ(load.object, object) << load.error.toStdString();
  EXPECT_EQ(SerializeObject(*load.object), text);
}

}  // namespace
}  // namespace linecalc::object

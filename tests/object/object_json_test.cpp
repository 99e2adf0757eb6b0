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
  LineObject object;
  object.title = "Школа № 5, корпус А";
  object.lossLimitPct = "10";
  LineInputs floor{Material::Copper,  6,   "120", "20", "100", std::nullopt,
                   LoadKind::Uniform, "6", "10"};
  LineInputs street{Material::Aluminium, 7, "300", "0", "100", "24.6", LoadKind::Single, "120", ""};
  object.lines = {{"1 этаж, зона А", floor}, {"Улица", street}};
  return object;
}

ObjectLoad Parse(const std::string& text) {
  return ParseObject(QByteArray::fromStdString(text), QStringLiteral("школа.linecalc"));
}

// kSchool with the first occurrence of `from` replaced by `to`.
std::string SchoolWith(const std::string& from, const std::string& to) {
  return testing_support::Replaced(kSchool, from, to);
}

TEST(ParseObject, ReadsTheExample) {
  const ObjectLoad load = Parse(kSchool);
  ASSERT_TRUE(load.object.has_value()) << load.error.toStdString();
  EXPECT_EQ(*load.object, SchoolObject());
  EXPECT_TRUE(load.error.isEmpty());
}

TEST(ParseObject, Leniencies) {
  struct Case {
    const char* name;
    std::string text;
    const char* limit;
    std::optional<std::string> streetR20;
  };
  const Case cases[] = {
      {"UnknownKeysIgnored",
       SchoolWith(R"("version": 1,)", R"("version": 1, "author": {"x": [1]}, "colour": 3,)"), "10",
       "24.6"},
      {"NoLimitKey", SchoolWith(R"("lossLimitPct": "10",)", ""), "", "24.6"},
      {"NullLimit", SchoolWith(R"("lossLimitPct": "10",)", R"("lossLimitPct": null,)"), "", "24.6"},
      {"BlankR20IsNull", SchoolWith(R"("24.6")", R"(" 	")"), "10", std::nullopt},
      {"ByteOrderMark", "\xEF\xBB\xBF" + std::string(kSchool), "10", "24.6"},
  };
  for (const Case& c : cases) {
    const ObjectLoad load = Parse(c.text);
    ASSERT_TRUE(load.object.has_value()) << c.name << ": " << load.error.toStdString();
    EXPECT_EQ(load.object->lossLimitPct, c.limit) << c.name;
    EXPECT_EQ(load.object->lines.at(1).inputs.r20, c.streetR20) << c.name;
  }
}

TEST(ParseObject, Errors) {
  struct Case {
    const char* name;
    std::string text;
    const char* message;  // after "Файл «школа.linecalc»"
  };
  // clang-format off
  const Case cases[] = {
      {"Empty", "", " пуст."},
      {"TextAfterTheEnd", "{} x",
       " не является правильным файлом JSON: лишний текст после конца документа (строка 1, столбец "
       "4)."},
      {"SyntaxWithLineAndColumn", SchoolWith(R"("voltage": "100",)", R"("voltage": "100")"),
       " не является правильным файлом JSON: ожидается «,» или «}» (строка 14, столбец 8)."},
      {"ColumnCountsCharacters", "{\"title\": \"Школа\" 1}",
       " не является правильным файлом JSON: ожидается «,» или «}» (строка 1, столбец 20)."},
      {"NotAnObject", "[1, 2]", ": это не файл объекта: ожидается объект JSON."},
      {"OtherFormat", SchoolWith("linecalc-object", "project"),
       ": это не файл объекта: ключ «format» равен «project», ожидается «linecalc-object»."},
      {"NewerVersion", SchoolWith(R"("version": 1)", R"("version": 3)"),
       ": файл создан более новой версией программы (версия формата 3, эта программа читает версию "
       "2)."},
      {"VersionAsText", SchoolWith(R"("version": 1)", R"("version": "1")"),
       ": ключ «version» должен быть целым числом от 1."},
      {"MissingVersion", SchoolWith(R"("version": 1,)", ""), ": нет ключа «version»."},
      {"LinesNotArray", SchoolWith(R"("lines": [)", R"("lines": {"a": [)") + "}",
       ": ключ «lines» должен быть массивом."},
      {"LimitAsNumber", SchoolWith(R"("10")", "10"), ": ключ «lossLimitPct» должен быть строкой."},
      {"LineNotObject", SchoolWith(R"("lines": [)", R"("lines": [7, )"),
       ", линия 1: ожидается объект."},
      {"MissingName", SchoolWith(R"("name": "Улица",)", ""), ", линия 2: нет ключа «name»."},
      {"MissingR20", SchoolWith(R"("r20": null,)", ""),
       ", линия 1 «1 этаж, зона А»: нет ключа «r20»."},
      {"R20AsNumber", SchoolWith(R"("24.6")", "24.6"),
       ", линия 2 «Улица»: ключ «r20» должен быть строкой или null."},
      {"UnknownMaterial", SchoolWith("aluminium", "steel"),
       ", линия 2 «Улица»: неизвестный материал «steel» (ожидается copper или aluminium)."},
      {"UnknownSection", SchoolWith(R"("2.5")", R"("2,5")"),
       ", линия 2 «Улица»: неизвестное сечение «2,5» (ожидается одно из: 0.2, 0.35, 0.5, 0.75, "
       "1.0, 1.2, 1.5, 2.5, 4.0, 6.0, 10.0)."},
      {"LoadNotObject", SchoolWith(R"({"kind": "single", "power": "120"})", R"("120")"),
       ", линия 2 «Улица»: ключ «load» должен быть объектом."},
      {"UnknownLoadKind", SchoolWith(R"("kind": "single")", R"("kind": "double")"),
       ", линия 2 «Улица»: неизвестный вид нагрузки «double» (ожидается single, uniform или layout)."},
      {"MissingCount", SchoolWith(R"(, "count": "10")", ""),
       ", линия 1 «1 этаж, зона А»: нет ключа «load.count»."},
      {"PowerAsNumber", SchoolWith(R"("power": "120")", R"("power": 120)"),
       ", линия 2 «Улица»: ключ «load.power» должен быть строкой."},
  };
  // clang-format on
  for (const Case& c : cases) {
    const ObjectLoad load = Parse(c.text);
    EXPECT_FALSE(load.object.has_value()) << c.name;
    EXPECT_EQ(load.error.toStdString(), std::string("Файл «школа.linecalc»") + c.message) << c.name;
  }
}

// The thinnest section allowed is a key of version 2; a version 1 file reads as before.
TEST(ParseObject, MinSection) {
  struct Case {
    const char* name;
    const char* version;  // replaces "version": 1,
    std::optional<int> minSection;
    const char* error;  // after "Файл «школа.linecalc»"; empty: read
  };
  // clang-format off
  const Case cases[] = {
      {"Version2", R"("version": 2, "minSection": "1.5",)", 6, ""},
      {"Version2Empty", R"("version": 2, "minSection": "",)", std::nullopt, ""},
      {"Version2Without", R"("version": 2,)", std::nullopt, ""},
      {"Version1Ignores", R"("version": 1, "minSection": "1.5",)", std::nullopt, ""},
      {"NotInTheList", R"("version": 2, "minSection": "1,5",)", std::nullopt,
       ": неизвестное мин. допустимое сечение «1,5» (ожидается одно из: 0.2, 0.35, 0.5, 0.75, 1.0, "
       "1.2, 1.5, 2.5, 4.0, 6.0, 10.0)."},
      {"AsNumber", R"("version": 2, "minSection": 1.5,)", std::nullopt,
       ": ключ «minSection» должен быть строкой."},
  };
  // clang-format on
  for (const Case& c : cases) {
    const ObjectLoad load = Parse(SchoolWith(R"("version": 1,)", c.version));
    EXPECT_EQ(load.error.toStdString(),
              *c.error != '\0' ? std::string("Файл «школа.linecalc»") + c.error : "")
        << c.name;
    EXPECT_EQ(load.object.has_value() ? load.object->minSection : std::nullopt, c.minSection)
        << c.name;
  }
}

// An object with a minimum is written as version 2 and read back the same; without one it stays
// version 1 (the example above), which older programs read.
TEST(SerializeObject, MinSectionNeedsVersion2) {
  LineObject object = SchoolObject();
  object.minSection = 7;
  const std::string text = SerializeObject(object).toStdString();
  EXPECT_NE(text.find("  \"version\": 2,\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  \"lossLimitPct\": \"10\",\n  \"minSection\": \"2.5\",\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(ParseObject(QByteArray::fromStdString(text), QStringLiteral("x")).object, object);
}

TEST(SerializeObject, RoundTripKeepsEveryCharacter) {
  LineObject object = SchoolObject();
  object.title = "Кавычки \" и \\ обратная черта, \t табуляция, \r\n перевод строки, \x01, 😀";
  object.lossLimitPct = " 2,5 % ";
  object.lines.push_back({"", {Material::Copper, 10, "", "", "", "x", LoadKind::Single, "", ""}});
  object.lines.push_back({"Имя, с запятой \"и кавычками\"\nи строкой", object.lines[0].inputs});
  object.lines.back().inputs.count = "&H10 ";
  const ObjectLoad load = ParseObject(SerializeObject(object), QStringLiteral("x"));
  ASSERT_TRUE(load.object.has_value()) << load.error.toStdString();
  EXPECT_EQ(*load.object, object);
  // Written and read again, the text is the same.
  EXPECT_EQ(SerializeObject(*load.object), SerializeObject(object));
}

TEST(SerializeObject, WritesTheExampleAsDescribed) {
  EXPECT_EQ(SerializeObject(SchoolObject()).toStdString(), std::string(kSchool) + "\n");
}

}  // namespace
}  // namespace linecalc::object

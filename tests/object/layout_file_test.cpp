#include <gtest/gtest.h>

#include "object/line_table.h"
#include "object/object_json.h"
#include "tests/object/object_text.h"

namespace linecalc::object {
namespace {

// A corridor as the file holds it: a feed cable to a horn, ten 3 W loudspeakers 6 m apart with a
// room of two 6 W loudspeakers off each, and a stretch without loudspeakers at the end.
constexpr char kCorridor[] = R"({
  "format": "linecalc-object",
  "version": 2,
  "title": "Школа",
  "lossLimitPct": "",
  "lines": [
    {
      "name": "Коридор",
      "material": "copper",
      "section": "1.5",
      "length": "",
      "temperature": "20",
      "voltage": "100",
      "r20": null,
      "load": {"kind": "layout", "stretches": [
        {"length": "40", "speakers": [{"count": "1", "power": "15"}]},
        {"length": "6", "repeat": "10", "speakers": [{"count": "1", "power": "3"}], "branches": [[{"length": "12", "speakers": [{"count": "2", "power": "6"}]}]]},
        {"length": "0.5", "speakers": []}
      ]}
    }
  ]
}
)";

Stretch At(std::string length, std::vector<SpeakerGroup> speakers, std::string repeat = "",
           std::vector<StretchList> branches = {}) {
  return Stretch{std::move(length), std::move(repeat), std::move(speakers), std::move(branches)};
}

LineObject Corridor() {
  LineInputs in{Material::Copper, 6, "", "20", "100", std::nullopt, LoadKind::Layout, "", ""};
  in.layout.stretches = {At("40", {{"1", "15"}}),
                         At("6", {{"1", "3"}}, "10", {{At("12", {{"2", "6"}})}}), At("0.5", {})};
  LineObject object;
  object.title = "Школа";
  object.lines = {{"Коридор", in}};
  return object;
}

ObjectLoad Parse(const std::string& text) {
  return ParseObject(QByteArray::fromStdString(text), QStringLiteral("школа.linecalc"));
}

std::string CorridorWith(const std::string& from, const std::string& to) {
  return testing_support::Replaced(kCorridor, from, to);
}

TEST(LayoutFile, ReadsAndWritesVersion2) {
  const ObjectLoad load = Parse(kCorridor);
  ASSERT_TRUE(load.object) << load.error.toStdString();
  EXPECT_EQ(*load.object, Corridor());
  EXPECT_EQ(SerializeObject(Corridor()).toStdString(), kCorridor);
  // Without its layout line the object is a version 1 file again.
  LineObject plain = Corridor();
  plain.lines[0].inputs.load = LoadKind::Single;
  EXPECT_EQ(ObjectFormatVersion(plain), 1);
  EXPECT_EQ(ObjectFormatVersion(Corridor()), 2);
}

TEST(LayoutFile, Errors) {
  struct Case {
    const char* name;
    std::string text;
    const char* message;  // after "Файл «школа.linecalc», линия 1 «Коридор»: "
  };
  // clang-format off
  const Case cases[] = {
      {"NoStretches", CorridorWith(R"("stretches": [)", R"("stretch": [)"), "нет ключа «load.stretches»."},
      {"StretchNotObject", CorridorWith(R"({"length": "40")", R"(7, {"length": "40")"), "участок 1: ожидается объект."},
      {"NoLength", CorridorWith(R"("length": "12", )", ""), "участок 2, ответвление 1, участок 1: нет ключа «length»."},
      {"CountAsNumber", CorridorWith(R"("count": "2")", R"("count": 2)"), "участок 2, ответвление 1, участок 1: ключ «speakers[1].count» должен быть строкой."},
      {"NoPower", CorridorWith(R"(, "power": "15")", ""), "участок 1: нет ключа «speakers[1].power»."},
      {"SpeakersNotArray", CorridorWith(R"("speakers": [])", R"("speakers": {})"), "участок 3: ключ «speakers» должен быть массивом."},
      {"BranchNotArray", CorridorWith(R"("branches": [[)", R"("branches": [{"a": 1}, [)"), "участок 2: ответвление 1 должно быть массивом участков."},
  };
  // clang-format on
  for (const Case& c : cases) {
    const ObjectLoad load = Parse(c.text);
    EXPECT_FALSE(load.object) << c.name;
    EXPECT_EQ(load.error.toStdString(),
              std::string("Файл «школа.linecalc», линия 1 «Коридор»: ") + c.message)
        << c.name;
  }
}

// The table's cells of a layout line, "|"-joined, up to the message.
std::string RowOf(const LineInputs& in, const char* limit) {
  const std::optional<double> lossLimit = ReadLossLimit(limit);
  const std::vector<std::string> row =
      LineTableRow({"Коридор", in}, AssessLine(in, lossLimit, "."), lossLimit.has_value(), ".");
  std::string joined;
  for (int c = 0; c <= static_cast<int>(LineColumn::Message); ++c) {
    joined.append(c == 0 ? "" : "|").append(row[static_cast<std::size_t>(c)]);
  }
  return joined;
}

TEST(LayoutFile, TableRow) {
  // The two loudspeakers worked by hand in the calculation's tests: 4 Ohm to 100 W, 2 Ohm more
  // to 50 W, at 100 V. With the table's R20 at -5 °C (Rл = R20 / 1.08 × L) the loss is 10.57 %
  // on 0.35 mm² (R20 98) and 7.94 % on 0.5 mm² (R20 72), so 0.5 is the smallest for 10 %.
  LineInputs twoTaps{Material::Copper, 3, "", "-5", "100", "108", LoadKind::Layout, "", ""};
  twoTaps.layout.stretches = {At("40", {{"1", "100"}}), At("20", {{"1", "50"}})};
  LineInputs refused = twoTaps;
  refused.layout.stretches[1].speakers[0].count = "1.5";
  // clang-format off
  EXPECT_EQ(RowOf(twoTaps, ""),
            "Коридор|медь|0.75|60.00|-5|100|108.00|6.00|15.00|10.61|1060.50|схема|150.00|2|70.89|"
            "93.42|132.67|11.55|0.53|6.58||||");
  EXPECT_EQ(RowOf(twoTaps, "10"),
            "Коридор|медь|0.75|60.00|-5|100|108.00|6.00|15.00|10.61|1060.50|схема|150.00|2|70.89|"
            "93.42|132.67|11.55|0.53|6.58||0.5|превышение|");
  EXPECT_EQ(RowOf(refused, "10"),
            "Коридор|медь|0.75||-5|100||||||схема||||||||||нет|отказ|"
            "Введите целое кол-во гр в диапазоне от 1 до 1000");
  // clang-format on
}

}  // namespace
}  // namespace linecalc::object

#include <gtest/gtest.h>

#include "object/object_json.h"
#include "tests/object/object_text.h"

namespace linecalc::object {
namespace {

using testing_support::RowOf;

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

LineObject Corridor() {
  LineInputs in{Material::Copper, 6, "", "20", "100", std::nullopt, LoadKind::Layout, "", ""};
  const Stretch room{"12", "", {{"2", "6"}}, {}};
  in.layout.stretches = {
      {"40", "", {{"1", "15"}}, {}}, {"6", "10", {{"1", "3"}}, {{room}}}, {"0.5", "", {}, {}}};
  return {"Школа", "", std::nullopt, {{"Коридор", in}}, {}, ""};
}

TEST(LayoutFile, ReadsAndWritesVersion2) {
  EXPECT_EQ(ParseObject(kCorridor, "школа.linecalc").object, Corridor());
  EXPECT_EQ(SerializeObject(Corridor()).toStdString(), kCorridor);
  // Without its layout line the object is a version 1 file again.
  LineObject plain = Corridor();
  plain.lines[0].inputs.load = LoadKind::Single;
  EXPECT_EQ(ObjectFormatVersion(plain), 1);
  EXPECT_EQ(ObjectFormatVersion(Corridor()), 2);
  const auto With = [](const std::string& from, const std::string& to) {
    return testing_support::Replaced(kCorridor, from, to);
  };
  // After "Файл «школа.linecalc», линия 1 «Коридор»: ".
  // clang-format off
  const std::pair<std::string, const char*> errors[] = {
      {With(R"("stretches": [)", R"("stretch": [)"), "нет ключа «load.stretches»."},
      {With(R"({"length": "40")", R"(7, {"length": "40")"), "участок 1: ожидается объект."},
      {With(R"("length": "12", )", ""), "участок 2, ответвление 1, участок 1: нет ключа «length»."},
      {With(R"("count": "2")", R"("count": 2)"),
       "участок 2, ответвление 1, участок 1: ключ «speakers[1].count» должен быть строкой."},
      {With(R"(, "power": "15")", ""), "участок 1: нет ключа «speakers[1].power»."},
      {With(R"("speakers": [])", R"("speakers": {})"),
       "участок 3: ключ «speakers» должен быть массивом."},
      {With(R"("branches": [[)", R"("branches": [{"a": 1}, [)"),
       "участок 2: ответвление 1 должно быть массивом участков."},
  };
  // clang-format on
  for (const auto& [text, message] : errors) {
    const ObjectLoad load = ParseObject(QByteArray::fromStdString(text), "школа.linecalc");
    EXPECT_EQ(load.object ? "read" : load.error.toStdString(),
              std::string("Файл «школа.linecalc», линия 1 «Коридор»: ") + message);
  }
}

TEST(LayoutFile, TableRow) {
  // The two loudspeakers worked by hand in the calculation's tests: 4 Ohm to 100 W, 2 Ohm more
  // to 50 W, at 100 V. With the table's R20 at -5 °C (Rл = R20 / 1.08 × L) the loss is 10.57 %
  // on 0.35 mm² (R20 98) and 7.94 % on 0.5 mm² (R20 72), so 0.5 is the smallest for 10 %.
  LineInputs twoTaps{Material::Copper, 3, "", "-5", "100", "108", LoadKind::Layout, "", ""};
  twoTaps.layout.stretches = {{"40", "", {{"1", "100"}}, {}}, {"20", "", {{"1", "50"}}, {}}};
  LineInputs refused = twoTaps;
  refused.layout.stretches[1].speakers[0].count = "1.5";
  EXPECT_EQ(RowOf(twoTaps, ""),
            "Линия|медь|0.75|60.00|-5|100|108.00|6.00|15.00|10.61|1060.50|схема|150.00|2|70.89|"
            "93.42|132.67|11.55|0.53|6.58|||||У1");
  EXPECT_EQ(RowOf(twoTaps, "10"),
            "Линия|медь|0.75|60.00|-5|100|108.00|6.00|15.00|10.61|1060.50|схема|150.00|2|70.89|"
            "93.42|132.67|11.55|0.53|6.58||0.5|превышение||У1");
  EXPECT_EQ(RowOf(refused, "10"),
            "Линия|медь|0.75||-5|100||||||схема||||||||||нет|отказ|"
            "Введите целое кол-во гр в диапазоне от 1 до 1000|У1");
}

}  // namespace
}  // namespace linecalc::object

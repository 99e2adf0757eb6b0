#include "object/object_csv.h"

#include <gtest/gtest.h>

#include "tests/object/test_lines.h"

namespace linecalc::object {
namespace {

using testing_support::LineOfResistance;
using testing_support::TableLine;

constexpr char kHeader[] =
    "Линия,Материал,Сечение (мм²),Длина (м),Температура (°C),Напряжение (В),R20 (Ом/км),Rл (Ом),"
    "Jмакс (А),Jопт (А),Рож (Вт),Нагрузка,Мощность (Вт),Кол-во гр,Zнагр (Ом),Uрез (В),Ррез (Вт),"
    "Потери (%),Потери (дБ),Падение напряжения (%),Каскадное напряжение (В),Мин. сечение,Итог,"
    "Сообщение,Усилитель\r\n";

TEST(AppendCsvRecord, QuotesOnlyWhereNeeded) {
  const std::pair<std::vector<std::string_view>, const char*> cases[] = {
      {{"a", "", "b c"}, "a,,b c\r\n"},
      {{"1,5", "say \"hi\"", "two\nlines", "cr\r"},
       "\"1,5\",\"say \"\"hi\"\"\",\"two\nlines\",\"cr\r\"\r\n"},
      {{"\""}, "\"\"\"\"\r\n"},
      {{}, "\r\n"}};
  for (const auto& [cells, expected] : cases) {
    std::string out = "x\r\n";
    AppendCsvRecord(out, cells);
    EXPECT_EQ(out, "x\r\n" + std::string(expected));
  }
}

TEST(ObjectCsv, WholeTable) {
  LineObject object{"Школа", "5", std::nullopt, {}, {}, ""};
  object.lines = {{"Зал, \"большой\"\nсцена", LineOfResistance("2.16", LoadKind::Single, "100")},
                  {"Двор", TableLine(Material::Copper, 0, "1", LoadKind::Single, "3000")}};
  EXPECT_EQ(ObjectCsv(object),
            std::string(kHeader) +
                "\"Зал, \"\"большой\"\"\nсцена\",медь,0.75,1000,-5,100,2.16,2.00,15.00,10.61,"
                "1060.50,в конце линии,100.00,,100.00,98.04,96.12,3.88,0.17,1.96,,нет,норма,,\r\n"
                "Двор,медь,0.2,1,20,100,170.00,0.17,6.00,4.24,424.20,в конце линии,,,,,,,,,,6.0,"
                "отказ,\"Расчетная мощность превышает допустимую для данного провода, выберите "
                "провод большего диаметра\",\r\n");
}

TEST(AssessObject, EveryLineInOrderWithTheObjectsLimit) {
  const std::vector<ObjectLine> lines{{"a", LineOfResistance("2.16", LoadKind::Single, "100")},
                                      {"b", LineOfResistance("2.16", LoadKind::Single, "100,5")}};
  const LineObject object{"", "3,88", std::nullopt, lines, {}, ""};
  const std::vector<LineAssessment> all = AssessObject(object, ",");
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].verdict, Verdict::Within);
  EXPECT_EQ(all[1].calculation.inputs.power, "100,5");
  EXPECT_EQ(all[1].calculation.reference->RLineText, "2,00");
}

}  // namespace
}  // namespace linecalc::object

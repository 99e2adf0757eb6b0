#include "object/line_table.h"

#include <gtest/gtest.h>

#include "tests/object/object_text.h"
#include "tests/object/test_lines.h"

namespace linecalc::object {
namespace {

using testing_support::LineOfResistance;
using testing_support::RowOf;
using testing_support::TableLine;

TEST(LineTableRow, WorkedExamples) {
  struct Case {
    LineInputs in;
    const char* limit;
    const char* separator;
    const char* expected;
  };
  // clang-format off
  const Case cases[] = {
      {LineOfResistance("2.16", LoadKind::Single, "100"), "", ".",
       "Линия|медь|0.75|1000|-5|100|2.16|2.00|15.00|10.61|1060.50|в конце линии|100.00||100.00|"
       "98.04|96.12|3.88|0.17|1.96|||||У1"},
      {LineOfResistance("4.32", LoadKind::Uniform, "10", "2"), "", ".",
       "Линия|медь|0.75|1000|-5|100|4.32|4.00|15.00|10.61|1060.50|равномерная|10.00|2||99.40|"
       "19.80|0.99|0.04|0.60|99.00||||У1"},
      // Texts as typed with "," read by the input rule; the locale's separator in the figures.
      {LineOfResistance("2,16", LoadKind::Uniform, "10,0", "2,0"), "1,5", ",",
       "Линия|медь|0.75|1000|-5|100|2,16|2,00|15,00|10,61|1060,50|равномерная|10,00|2||99,70|"
       "19,90|0,50|0,02|0,30|99,50|10.0|норма||У1"},
      // Refused for its load, the line keeps its reference values; for its input, no section helps.
      {TableLine(Material::Copper, 0, "1", LoadKind::Single, "3000"), "10", ".",
       "Линия|медь|0.2|1|20|100|170.00|0.17|6.00|4.24|424.20|в конце линии||||||||||6.0|отказ|"
       "Расчетная мощность превышает допустимую для данного провода, выберите провод большего "
       "диаметра|У1"},
      {TableLine(Material::Aluminium, 7, "300", LoadKind::Single, "0"), "10", ".",
       "Линия|алюминий|2.5|300|20|100|25.54|7.84|24.00|16.97|1696.80|в конце линии||||||||||нет|"
       "отказ|Введите значение мощности в диапазоне от 1 до 5000 Вт|У1"},
      // A voltage beyond a 16-bit integer stops the refresh itself: no reference value is shown.
      {{Material::Copper, 3, "100", "20", "40000", std::nullopt, LoadKind::Single, "100", ""},
       "", ".",
       "Линия|медь|0.75|100|20|40000||||||в конце линии||||||||||||Ошибка вычисления: "
       "недопустимое значение. Проверьте введенные данные.|У1"},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(RowOf(c.in, c.limit, c.separator), c.expected);
  }
}

}  // namespace
}  // namespace linecalc::object

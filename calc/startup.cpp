#include "calc/startup.h"

#include "calc/number_format.h"
#include "calc/tables.h"

namespace linecalc {

StartupState MakeStartupState(std::string_view decimalSeparator) {
  LineState s;
  s.SectionIndex = DefaultSectionIndex;
  s.R10 = R10CopperTable[DefaultSectionIndex];
  s.LineVoltage = 100;
  s.TempC = ReadNumber(DefaultTemperatureText).value();
  s.LengthM = 1;
  s.Alpha = CopperAlpha;
  return {s, FormatNumber(s.R10, decimalSeparator), FormatNumber(s.R10 + s.R10, ".")};
}

}  // namespace linecalc

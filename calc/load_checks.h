#pragma once

#include <optional>
#include <string_view>

namespace linecalc {

inline constexpr std::string_view MsgInputPowerRange =
    "Введите значение мощности в диапазоне от 1 до 5000 Вт";
inline constexpr std::string_view MsgSpeakerPowerRange =
    "Введите значение мощности в диапазоне от 1 до 100 Вт";
inline constexpr std::string_view MsgSpeakerCountRange =
    "Введите кол-во гр в диапазоне от 1 до 1000";
inline constexpr std::string_view MsgSpeakerCountWhole =
    "Введите целое кол-во гр в диапазоне от 1 до 1000";
inline constexpr std::string_view MsgNegativeLineResistance =
    "Сопротивление линии отрицательное: проверьте длину кабеля, температуру и R20";
inline constexpr std::string_view MsgOverload =
    "Расчетная мощность превышает допустимую для данного провода, выберите провод большего "
    "диаметра";
// Shown when a calculation stops on an arithmetic fault or an out-of-range value.
inline constexpr std::string_view MsgCalculationFault =
    "Ошибка вычисления: недопустимое значение. Проверьте введенные данные.";

// The field that takes the keyboard focus after a refusal.
enum class FocusTarget { Stay, InputPower, SpeakerPower, SpeakerCount };

struct Refusal {
  std::string_view message;
  FocusTarget focus = FocusTarget::Stay;
  friend bool operator==(const Refusal&, const Refusal&) = default;
};

// Input power of the single load, W: accepted when 0 < pIn < 5000.
std::optional<Refusal> CheckInputPower(double pIn);

// Loudspeaker power, W: accepted when 0 < power <= 100.
std::optional<Refusal> CheckSpeakerPower(double power);

// Loudspeaker count: accepted when a whole number from 1 to 1000. A fraction between 0 and 1000
// is asked to be made whole; any other count gets the range message.
std::optional<Refusal> CheckSpeakerCount(double count);

// Line resistance, Ohm: refused when negative (a negative length, R20 or temperature bracket);
// 0 is a valid line.
std::optional<Refusal> CheckLineResistance(double rLine);

// Refuses a requested power above the expected power, both compared as the window shows them,
// and every power when the expected power shows as 0.00 or less.
std::optional<Refusal> CheckLoad(double requested, double pExpected);

}  // namespace linecalc

#include "ui/layout.h"

#include <algorithm>
#include <cstdlib>

namespace linecalc::ui {
namespace {

using enum ControlKind;

// clang-format off
constexpr ControlEntry kControls[] = {
    {"Frame1", GroupFrame, "Материал провода", nullptr, {240, 240, 4095, 855}, {8.25, false}},
    {"Option1", RadioButton, "Медь", "Frame1", {240, 240, 1095, 495}, {8.25, false}},
    {"Option2", RadioButton, "Алюминий", "Frame1", {2280, 240, 1575, 495}, {8.25, false}},
    {"Lbel1", StaticText, "Длина кабеля, L (м): ", nullptr, {360, 1320, 2175, 255}, {8.25, false}},
    {"CmbL", ChoiceList, "", nullptr, {3000, 1320, 1335, 330}, {9, true}},
    {"Lbel3", StaticText, "Сечение провода, S (мм.кв):", nullptr, {360, 1800, 2655, 255}, {8.25, false}},
    {"CmbDD", PickList, "", nullptr, {3240, 1800, 1095, 330}, {9, true}},
    {"Lbel12", StaticText, "Температура окружающей среды, t (°С):", nullptr, {360, 2280, 2655, 495}, {8.25, false}},
    {"CmbT", ChoiceList, "", nullptr, {3240, 2280, 1095, 330}, {9, true}},
    {"Label2", StaticText, "Электрическое сопротивление кабеля (2-х жил провода) на 1Км (при 20 гр.С), R20=R10х2", nullptr, {360, 2880, 2655, 855}, {8.25, false}},
    {"TxtU", TextField, "", nullptr, {3240, 3120, 855, 315}, {8.25, true}},
    {"Label6", StaticText, "ПРИМЕЧАНИЕ:                                                  а - температурный коэффициент для  Меди    а= 0,0043, для Алюминия а=0,0042", nullptr, {240, 4200, 4215, 735}, {8.25, false}},
    {"Lbel19", StaticText, "Табличное сопротивление провода на 1Км (при 20 гр.С), (R20)", nullptr, {4920, 360, 3135, 495}, {8.25, false}},
    {"LblU", ResultField, "", nullptr, {8280, 360, 1215, 375}, {9.75, true}},
    {"Label11_6", StaticText, "R10 (Ом)", nullptr, {9600, 360, 855, 255}, {8.25, false}},
    {"Label1", StaticText, "Активное сопротивление линии: Rл=R20(1+at)/1.08*L, где:               а - температурный коэф сопротивления, t - температура окр среды + 5гр на нагрев, L - длина кабеля", nullptr, {4920, 1080, 3255, 1215}, {8.25, false}},
    {"LblAR", ResultField, "", nullptr, {8280, 1440, 1215, 375}, {9.75, true}},
    {"Label11_7", StaticText, "Rл (Ом)", nullptr, {9600, 1440, 855, 255}, {8.25, false}},
    {"Label4", StaticText, "Максимально-допустимая (табличная) сила тока Jмакс:", nullptr, {4920, 2640, 3135, 495}, {8.25, false}},
    {"LblDJ", ResultField, "", nullptr, {8280, 2640, 1215, 375}, {9.75, true}},
    {"Label11_9", StaticText, "Jмакс (А)", nullptr, {9600, 2640, 855, 255}, {8.25, false}},
    {"Label3", StaticText, "Оптимальная сила тока: Jопт=0,707*Jмакс", nullptr, {4920, 3600, 3135, 375}, {8.25, false}},
    {"LblOJ", ResultField, "", nullptr, {8280, 3600, 1215, 375}, {9.75, true}},
    {"Label11_10", StaticText, "Jопт (А)", nullptr, {9600, 3600, 855, 255}, {8.25, false}},
    {"Label8", StaticText, "Ожидаемая мощность нагрузки Рож=U*Jопт:", nullptr, {4920, 4440, 3135, 375}, {8.25, false}},
    {"LblP", ResultField, "", nullptr, {8280, 4440, 1215, 375}, {9.75, true}},
    {"Label11_11", StaticText, "Рож(Вт)", nullptr, {9600, 4440, 855, 255}, {8.25, false}},
    {"Label5", StaticText, "Укажите напряжение в линии U:", nullptr, {360, 5520, 2655, 375}, {8.25, true}},
    {"CmbU", ChoiceList, "", nullptr, {3120, 5520, 1215, 330}, {9, true}},
    {"Label9", StaticText, "Введите значение мощности для которой необходимо расчитать потери (Рвх)", nullptr, {360, 6360, 2655, 1095}, {8.25, true}},
    {"TxtPp", TextField, "", nullptr, {3120, 6360, 1215, 315}, {8.25, true}},
    {"Command1", PushButton, "Расчитать", nullptr, {3120, 6960, 1455, 855}, {9.75, true}},
    {"Label7", StaticText, "Нагрузочный импеданс Zнагр=U^2/Pвх:", nullptr, {4920, 5520, 3135, 375}, {8.25, true}},
    {"LblZ", ResultField, "", nullptr, {8280, 5520, 1215, 375}, {9.75, true}},
    {"Label11_13", StaticText, "Zнагр (Ом)", nullptr, {9600, 5520, 1095, 255}, {8.25, true}},
    {"Label14", StaticText, "Результирующее напряжение, с учетом потерь в линии:", nullptr, {4920, 6000, 3135, 375}, {8.25, true}},
    {"LblUr", ResultField, "", nullptr, {8280, 6120, 1215, 375}, {9.75, true}},
    {"Label11_5", StaticText, "Uрез (В)", nullptr, {9600, 6120, 1095, 255}, {8.25, true}},
    {"Label13", StaticText, "Результирующая мощность, с учетом потерь в линии:", nullptr, {4920, 6600, 3135, 375}, {8.25, true}},
    {"LblPr", ResultField, "", nullptr, {8280, 6720, 1215, 375}, {9.75, true}},
    {"Label11_0", StaticText, "Ррез (Вт)", nullptr, {9600, 6720, 1095, 255}, {8.25, true}},
    {"Label12", StaticText, "ПОТЕРИ П=(100-((Ррез/Ввх)*100):", nullptr, {4920, 7320, 3255, 375}, {8.25, true}},
    {"LblPot", ResultField, "", nullptr, {8280, 7320, 1215, 375}, {9.75, true}},
    {"Label11_3", StaticText, "П (%)", nullptr, {9600, 7320, 1095, 255}, {9.75, true}},
    {"Label10", StaticText, "№           Url(В)          Pгр(Вт)", nullptr, {10920, 240, 3495, 375}, {8.25, false}},
    {"Lst", ReportList, "", nullptr, {10920, 600, 3855, 4380}, {9.75, false}},
    {"Command2", PushButton, "Расчет с учетом равномерной нагрузки", nullptr, {10920, 5160, 3855, 615}, {9.75, true}},
    {"Label16", StaticText, "Мощность громкоговорителя (гр)", nullptr, {10920, 6000, 2295, 615}, {8.25, true}},
    {"TxtPg", TextField, "6", nullptr, {13320, 6120, 975, 315}, {8.25, true}},
    {"Label17", StaticText, "Количество громкоговорителей", nullptr, {10920, 6600, 2295, 615}, {8.25, true}},
    {"TxtK", TextField, "10", nullptr, {13320, 6720, 975, 315}, {8.25, true}},
    {"Label11_1", StaticText, "Потери (%)", nullptr, {11160, 7440, 1455, 255}, {9.75, true}},
    {"Lbl15", ResultField, "", nullptr, {13080, 7320, 1215, 375}, {9.75, true}},
    {"Lbl16", ResultField, "", nullptr, {13080, 7680, 1215, 375}, {9.75, true}},
};

constexpr RuleEntry kLines[] = {
    {"Line11", 120, 120, 14400, 120},
    {"Line12", 120, 120, 120, 7920},
    {"Line13", 10800, 120, 10800, 7920},
    {"Line16", 120, 7920, 10800, 7920},
    {"Line5", 4680, 120, 4680, 5040},
    {"Line9", 4680, 5160, 4680, 7920},
    {"Line6", 120, 5040, 10800, 5040},
    {"Line1", 120, 5160, 10800, 5160},
    {"Line2", 4680, 960, 10800, 960},
    {"Line3", 4680, 2400, 10800, 2400},
    {"Line4", 4680, 3360, 10800, 3360},
    {"Line8", 4680, 4200, 10800, 4200},
};
// clang-format on

int Pixels(int twips) {
  return twips / kTwipsPerPixel;
}

}  // namespace

std::span<const ControlEntry> ControlTable() {
  return kControls;
}

std::span<const RuleEntry> LineTable() {
  return kLines;
}

QRect ToPixels(const TwipsBox& box) {
  return {Pixels(box.left), Pixels(box.top), Pixels(box.width), Pixels(box.height)};
}

QRect ToPixels(const RuleEntry& line) {
  const int left = Pixels(std::min(line.x1, line.x2));
  const int top = Pixels(std::min(line.y1, line.y2));
  const int width = Pixels(std::abs(line.x2 - line.x1)) + 1;
  const int height = Pixels(std::abs(line.y2 - line.y1)) + 1;
  return {left, top, width, height};
}

}  // namespace linecalc::ui

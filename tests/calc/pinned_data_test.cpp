// The reference data and the message texts written out once by hand, so that a change of any
// table value, list entry or letter of a message fails here rather than passing unseen.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "calc/line_calculation.h"
#include "calc/load_checks.h"
#include "calc/number_format.h"
#include "calc/tables.h"

namespace linecalc {
namespace {

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) {
    words.push_back(word);
  }
  return words;
}

template <typename List>
std::vector<std::string> Texts(const List& list) {
  return std::vector<std::string>(std::begin(list), std::end(list));
}

TEST(PinnedLists, EveryEntryInOrder) {
  EXPECT_EQ(Texts(SectionList), Words("0.2 0.35 0.5 0.75 1.0 1.2 1.5 2.5 4.0 6.0 10.0"));
  EXPECT_EQ(Texts(TemperatureList), Words("0 5 10 15 18 20 25 30 35 40 45 50"));
  EXPECT_EQ(Texts(VoltageList), Words("100 70 50 30 24 12"));
  EXPECT_EQ(LengthList(),
            Words("1 10 20 30 40 50 60 70 80 90 100 110 120 130 140 150 160 170 180 190 200 210 "
                  "220 230 240 250 260 270 280 290 300 310 320 330 340 350 360 370 380 390 400 "
                  "410 420 430 440 450 460 470 480 490 500 510 520 530 540 550 560 570 580 590 "
                  "600 610 620 630 640 650 660 670 680 690 700 710 720 730 740 750 760 770 780 "
                  "790 800 810 820 830 840 850 860 870 880 890 900 910 920 930 940 950 960 970 "
                  "980 990 1000 1100 1200 1300 1400 1500 1600 1700 1800 1900 2000 2100 2200 2300 "
                  "2400 2500 2600 2700 2800 2900 3000 3100 3200 3300 3400 3500 3600 3700 3800 "
                  "3900 4000 4100 4200 4300 4400 4500 4600 4700 4800 4900 5000 5100 5200 5300 "
                  "5400 5500 5600 5700 5800 5900 6000 6100 6200 6300 6400 6500 6600 6700 6800 "
                  "6900 7000 7100 7200 7300 7400 7500 7600 7700 7800 7900 8000 8100 8200 8300 "
                  "8400 8500 8600 8700 8800 8900 9000 9100 9200 9300 9400 9500 9600 9700 9800 "
                  "9900 10000"));
  const std::string_view defaults[] = {DefaultSectionText,      DefaultTemperatureText,
                                       DefaultLengthText,       DefaultVoltageText,
                                       DefaultSpeakerPowerText, DefaultSpeakerCountText};
  EXPECT_EQ(Texts(defaults), Words("0.75 20 1 100 6 10"));
  EXPECT_EQ(SectionList[DefaultSectionIndex], "0.75");
  EXPECT_EQ(CopperAlpha, 0.0043);
  EXPECT_EQ(AluminiumAlpha, 0.0042);
}

// What the six reference fields show for every section, copper then aluminium, at 1 m, 20 °С
// and 100 V. Physics rather than a transcription as well: aluminium's resistivity is 0.028
// Ohm·mm²/m and copper's 0.0175, so whatever copper's R10 is, aluminium's shows 1.6 times it.
TEST(PinnedReferenceValues, EverySectionAtTheDefaultLengthTemperatureAndVoltage) {
  const char* const rows[] = {// section  R10      R20      Rл     Jмакс   Jопт    Рож
                              "0.2        85.00    170.00   0.17   6.00    4.24    424.20",
                              "0.35       49.00    98.00    0.10   8.00    5.66    565.60",
                              "0.5        36.00    72.00    0.07   11.00   7.78    777.70",
                              "0.75       26.00    52.00    0.05   15.00   10.61   1060.50",
                              "1.0        19.50    39.00    0.04   17.00   12.02   1201.90",
                              "1.2        15.00    30.00    0.03   20.00   14.14   1414.00",
                              "1.5        13.30    26.60    0.03   23.00   16.26   1626.10",
                              "2.5        7.98     15.96    0.02   30.00   21.21   2121.00",
                              "4.0        4.95     9.90     0.01   41.00   28.99   2898.70",
                              "6.0        3.30     6.60     0.01   50.00   35.35   3535.00",
                              "10.0       1.91     3.82     0.00   80.00   56.56   5656.00",
                              "0.2        136.00   272.00   0.28   6.00    4.24    424.20",
                              "0.35       78.40    156.80   0.16   8.00    5.66    565.60",
                              "0.5        57.60    115.20   0.12   11.00   7.78    777.70",
                              "0.75       41.60    83.20    0.09   15.00   10.61   1060.50",
                              "1.0        31.20    62.40    0.06   17.00   12.02   1201.90",
                              "1.2        24.00    48.00    0.05   20.00   14.14   1414.00",
                              "1.5        21.28    42.56    0.04   23.00   16.26   1626.10",
                              "2.5        12.77    25.54    0.03   24.00   16.97   1696.80",
                              "4.0        7.92     15.84    0.02   32.00   22.62   2262.40",
                              "6.0        5.28     10.56    0.01   39.00   27.57   2757.30",
                              "10.0       3.06     6.11     0.01   60.00   42.42   4242.00"};
  double copperR10[kSectionCount] = {};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    LineInputs in;
    in.material = i < kSectionCount ? Material::Copper : Material::Aluminium;
    in.sectionIndex = static_cast<int>(i % kSectionCount);
    in.power = "1";
    const RefreshResult r = CalculateLine(in, ".").reference.value();
    EXPECT_EQ(Words(std::string(SectionList[i % kSectionCount]) + " " + r.R10Text + " " +
                    r.R20Text.value_or("-") + " " + r.RLineText + " " + r.JMaxText + " " +
                    r.JOptText + " " + r.PExpectedText),
              Words(rows[i]));
    if (i < kSectionCount) {
      copperR10[i] = r.R10;
    } else {
      EXPECT_EQ(r.R10Text, FormatNumber(copperR10[i % kSectionCount] * 0.028 / 0.0175, "."));
    }
  }
}

void Uniform(LineInputs& in) {
  in.load = LoadKind::Uniform;
  in.power = "6";
}

// Every message as a user reaches it: the inputs of one line and the button pressed.
TEST(PinnedMessages, TextAndTheInputThatShowsIt) {
  const char* const negative =
      "Сопротивление линии отрицательное: проверьте длину кабеля, температуру и R20";
  const char* const overload =
      "Расчетная мощность превышает допустимую для данного провода, выберите провод большего "
      "диаметра";
  const struct {
    std::string_view constant;
    void (*enter)(LineInputs&);
    const char* text;
  } messages[] = {
      {MsgInputPowerRange, [](LineInputs& in) { in.power = "5000"; },
       "Введите значение мощности в диапазоне от 1 до 5000 Вт"},
      {MsgSpeakerPowerRange, [](LineInputs& in) { Uniform(in), in.power = "100.01"; },
       "Введите значение мощности в диапазоне от 1 до 100 Вт"},
      {MsgSpeakerCountRange, [](LineInputs& in) { Uniform(in), in.count = "1000.5"; },
       "Введите кол-во гр в диапазоне от 1 до 1000"},
      {MsgSpeakerCountWhole, [](LineInputs& in) { Uniform(in), in.count = "2.5"; },
       "Введите целое кол-во гр в диапазоне от 1 до 1000"},
      {MsgNegativeLineResistance, [](LineInputs& in) { in.temperature = "-300"; }, negative},
      {MsgNegativeLineResistance, [](LineInputs& in) { Uniform(in), in.length = "-5"; }, negative},
      {MsgOverload, [](LineInputs& in) { in.power = "1060.51"; }, overload},
      {MsgOverload, [](LineInputs& in) { in.voltage = "0", in.power = "0.004"; }, overload},
      {MsgCalculationFault, [](LineInputs& in) { in.voltage = "40000"; },
       "Ошибка вычисления: недопустимое значение. Проверьте введенные данные."},
      {"", [](LineInputs& in) { in.length = "0"; }, ""}};
  for (const auto& m : messages) {
    EXPECT_EQ(m.constant, m.text);
    LineInputs in;
    in.power = "500";
    in.count = "10";
    m.enter(in);
    const LineCalculation line = CalculateLine(in, ".");
    EXPECT_EQ(line.status == LineStatus::Computed, std::string_view(m.text).empty()) << m.text;
    EXPECT_EQ(line.message, m.text);
  }
}

}  // namespace
}  // namespace linecalc

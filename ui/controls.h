#pragma once

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace linecalc::ui {

class ChoiceList;
class ReportList;
class ResultField;
class StaticText;

// The controls the window's handlers read and write, each named as on screen.
struct Form1Controls {
  QGroupBox* Frame1;
  QRadioButton* Option1;
  QRadioButton* Option2;
  ChoiceList* CmbDD;
  ChoiceList* CmbL;
  ChoiceList* CmbT;
  ChoiceList* CmbU;
  QLineEdit* TxtU;
  QLineEdit* TxtPp;
  QLineEdit* TxtPg;
  QLineEdit* TxtK;
  QPushButton* Command1;
  QPushButton* Command2;
  ReportList* Lst;
  StaticText* Label10;
  ResultField* LblU;
  ResultField* LblAR;
  ResultField* LblDJ;
  ResultField* LblOJ;
  ResultField* LblP;
  ResultField* LblZ;
  ResultField* LblUr;
  ResultField* LblPr;
  ResultField* LblPot;
  ResultField* Lbl15;
  ResultField* Lbl16;
};

// Creates every control and rule of the layout on `window`, placed, with its font, colours and
// caption, and sets the tab order.
Form1Controls CreateControls(QWidget* window);

}  // namespace linecalc::ui

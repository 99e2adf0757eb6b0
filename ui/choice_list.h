#pragma once

#include <QComboBox>

namespace linecalc::ui {

// A drop-down list that reports a choice of one of its entries, and never typing.
class ChoiceList : public QComboBox {
  Q_OBJECT

 public:
  enum class Typing { Allowed, Refused };

  ChoiceList(Typing typing, QWidget* parent);

 signals:
  // An entry was picked from the list (mouse, arrow keys, wheel), at position `index`.
  void chosen(int index);

 private:
  void makeEditable();

  bool finishingEdit_ = false;
};

}  // namespace linecalc::ui

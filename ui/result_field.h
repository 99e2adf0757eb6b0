#pragma once

#include <QLabel>

namespace linecalc::ui {

// A value the program writes and the user only reads: a thin sunken frame, never focused.
class ResultField : public QLabel {
 public:
  explicit ResultField(QWidget* parent);
};

}  // namespace linecalc::ui

#include "ui/result_field.h"

namespace linecalc::ui {

ResultField::ResultField(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setIndent(4);
  setFocusPolicy(Qt::NoFocus);
}

}  // namespace linecalc::ui

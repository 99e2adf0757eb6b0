#pragma once

#include <QGroupBox>

namespace linecalc::ui {

// A titled frame drawn where its box is: an etched border from the box's top, its title on the
// top edge in the highlight colour. The style's own group box would put the title above a
// separate pale panel lower down, and that panel hardly stands out from the window.
class GroupFrame : public QGroupBox {
 public:
  GroupFrame(const QString& title, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace linecalc::ui

#include "ui/message_box.h"

#include <QMessageBox>
#include <QWidget>

namespace linecalc::ui {

void ShowMessageBox(QWidget* owner, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, owner->window()->windowTitle(), text, QMessageBox::Ok,
                  owner);
  box.exec();
}

}  // namespace linecalc::ui

#include "ui/window_icon.h"

#include <QPixmap>

namespace linecalc::ui {
namespace {
#include "ui/icon/linecalc_icon_16.xpm"
#include "ui/icon/linecalc_icon_32.xpm"
}  // namespace

QIcon WindowIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap(linecalc_icon_32));
  icon.addPixmap(QPixmap(linecalc_icon_16));
  return icon;
}

}  // namespace linecalc::ui

#include "ui/window_font.h"

#include <QFontDatabase>
#include <QList>
#include <QStringList>

namespace linecalc::ui {

QString WindowFontFamily() {
  static const QString family = [] {
    const QString preferred = QStringLiteral("Verdana");
    // families() lists installed fonts only; hasFamily() would also accept a fontconfig alias
    // that silently maps to another font.
    const bool installed =
        QFontDatabase::families().contains(preferred) &&
        QFontDatabase::writingSystems(preferred).contains(QFontDatabase::Cyrillic);
    return installed ? preferred : QStringLiteral("DejaVu Sans");
  }();
  return family;
}

QFont WindowFont(const FontStyle& style) {
  QFont font(WindowFontFamily());
  font.setPointSizeF(style.points);
  font.setBold(style.bold);
  return font;
}

}  // namespace linecalc::ui

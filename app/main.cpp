#include <QApplication>

#include "ui/form1.h"
#include "ui/russian_translation.h"

int main(int argc, char* argv[]) {
  // Lets Wayland docks match the window to its menu entry.
  QGuiApplication::setDesktopFileName(QStringLiteral("ru.linecalc.linecalc"));
  QApplication app(argc, argv);
  linecalc::ui::InstallQtRussianTranslation(app);
  linecalc::ui::Form1 window;
  window.show();
  return QApplication::exec();
}

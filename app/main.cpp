#include <QGuiApplication>

#include "app/command_line.h"
#include "app/platform.h"
#include "ui/russian_translation.h"

int main(int argc, char* argv[]) {
  linecalc::app::PrepareStandardStreams();
  // Lets Wayland docks match the window to its menu entry.
  QGuiApplication::setDesktopFileName(QStringLiteral("ru.linecalc.linecalc"));
  const std::unique_ptr<QCoreApplication> app = linecalc::app::CreateApplication(argc, argv);
  linecalc::ui::InstallQtRussianTranslation(*app);
  return linecalc::app::Run(*app);
}

#include "ui/russian_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace linecalc::ui {

bool InstallQtRussianTranslation(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  // By file name rather than by QLocale: the window is Russian on an English or German system
  // too, and the catalogue must be found there.
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(QStringLiteral("qtbase_ru"), folder)) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace linecalc::ui

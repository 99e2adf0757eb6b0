#include "ui/russian_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace linecalc::ui {

bool InstallQtRussianTranslation(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  // By file name rather than by QLocale: the window is Russian on an English or German system
  // too, and the catalogue must be found there.
  // The Windows program carries its own copy, since Windows has no shared folder of Qt's
  // catalogues; elsewhere it is the one of the Qt the program runs with.
  const QString name = QStringLiteral("qtbase_ru");
  if (!translator->load(name, QStringLiteral(":/translations")) &&
      !translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace linecalc::ui

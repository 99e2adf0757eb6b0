#pragma once

class QCoreApplication;

namespace linecalc::ui {

// Makes Qt's own texts (the edit fields' context menus, dialog buttons, file dialogs) Russian
// whatever the system locale, from Qt's catalogue qtbase_ru.qm. Call it once, right after the
// application object exists, on every path that shows a window or prints Qt's texts. Returns
// false, leaving Qt's English texts, where the catalogue is not installed.
bool InstallQtRussianTranslation(QCoreApplication& app);

}  // namespace linecalc::ui

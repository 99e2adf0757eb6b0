#pragma once

#include <QString>

namespace linecalc::ui {

// The folder the object window's file dialogs open in: the one used last, and the user's
// documents folder the first time.
QString LastFileFolder();

// Keeps the folder of `filePath`, chosen in a file dialog, for the next one.
void RememberFileFolder(const QString& filePath);

// The path a save dialog offers for the object titled `title`, kept in `filePath` (empty: not
// yet saved): in LastFileFolder(), named by the title without the characters file systems refuse
// (at most 100 characters), else by the file's name, else "объект"; ending in ".suffix".
QString SuggestedPath(const QString& title, const QString& filePath, const QString& suffix);

}  // namespace linecalc::ui

#pragma once

#include <QString>
#include <QStringList>

namespace linecalc::ui {

// The object files opened or saved last, newest first, at most kMaxRecentFiles, kept in the
// program's QSettings.
inline constexpr int kMaxRecentFiles = 5;

QStringList RecentFiles();

// Puts `path` first, dropping an older mention of it and any beyond the fifth.
void RememberRecentFile(const QString& path);

// Drops `path` (a file that could not be opened).
void ForgetRecentFile(const QString& path);

}  // namespace linecalc::ui

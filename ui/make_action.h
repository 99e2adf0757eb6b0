#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

class QAction;
class QObject;

namespace linecalc::ui {

// A command as every menu of the program makes it: `name` for scripts and tests, `text` with its
// "&" mnemonic (a screen reader reads a menu item by that text), `keys` (the first is the one the
// menu shows; none when empty) and `tip`, shown in the status bar and as the tool tip.
QAction* MakeAction(QObject* owner, const QString& name, const QString& text,
                    const QList<QKeySequence>& keys, const QString& tip);

// The same with UTF-8 literals for the texts.
QAction* MakeAction(QObject* owner, const char* name, const char* text,
                    const QList<QKeySequence>& keys, const char* tip);

// The platform's keys for `standard`, with `promised` in front when the platform's own lack it:
// some schemes give Quit or Save As no key at all, and the program's keys must work everywhere.
QList<QKeySequence> StandardKeys(QKeySequence::StandardKey standard,
                                 const QKeySequence& promised = {});

}  // namespace linecalc::ui

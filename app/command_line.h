#pragma once

#include <memory>

#include <QCoreApplication>

namespace linecalc::app {

// The application object the arguments need: a bare QCoreApplication when they ask for no window
// (an export, the help, the version), so that those run where there is no display; otherwise a
// QApplication. `argc` must outlive the application.
std::unique_ptr<QCoreApplication> CreateApplication(int& argc, char** argv);

// Does what the command line of `app` asks: writes the exports of an object file (exit status 0,
// or 2 with a message on standard error), prints the help or the version, or opens the window
// and runs its event loop.
int Run(QCoreApplication& app);

}  // namespace linecalc::app

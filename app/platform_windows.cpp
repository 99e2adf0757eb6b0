#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "app/platform.h"

namespace linecalc::app {

void PrepareStandardStreams() {
  // A window program has no console of its own: started from cmd or PowerShell without a
  // redirection, it writes its help, version and messages to the console it was started from,
  // in UTF-8 like everything else it writes.
  if (GetStdHandle(STD_OUTPUT_HANDLE) == nullptr && AttachConsole(ATTACH_PARENT_PROCESS)) {
    SetConsoleOutputCP(CP_UTF8);
    if (std::freopen("CONOUT$", "w", stdout) == nullptr ||
        std::freopen("CONOUT$", "w", stderr) == nullptr) {
      return;
    }
  }
  // Text mode would write every "\n" as "\r\n": a CSV would differ from the one written on
  // Linux, and a PDF written to standard output would be corrupt.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

// The offscreen platform reads fonts only from a folder of Qt's own on Windows and would paint
// the PDF without text; the minimal one, with fonts enabled, reads the system's fonts as a
// window does.
const char* HeadlessPlatform() {
  return "minimal:enable_fonts";
}

// The registry keeps no settings of a program without an organization: recent files, columns and
// the performer's name would be forgotten at every start.
const char* SettingsOrganization() {
  return "linecalc";
}

}  // namespace linecalc::app

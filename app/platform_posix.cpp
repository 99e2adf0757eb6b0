#include "app/platform.h"

namespace linecalc::app {

// The streams already carry bytes unchanged and reach the terminal the program was started from.
void PrepareStandardStreams() {}

// Needs no display server; its fonts come from fontconfig like a window's.
const char* HeadlessPlatform() {
  return "offscreen";
}

// None: the settings stay in the file they have always been kept in.
const char* SettingsOrganization() {
  return "";
}

}  // namespace linecalc::app

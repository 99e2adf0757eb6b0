#pragma once

// What differs between the systems the program runs on; each system's source file gives its own.
namespace linecalc::app {

// Readies standard output and standard error for the program's exports and messages before
// anything is written: the bytes written are the bytes that arrive, on every system.
void PrepareStandardStreams();

// The Qt platform (QT_QPA_PLATFORM) for painting without a window, as --pdf does: it must still
// find the system's fonts.
const char* HeadlessPlatform();

// The organization QSettings files the program's settings under.
const char* SettingsOrganization();

}  // namespace linecalc::app

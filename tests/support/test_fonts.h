#pragma once

#include <QtGlobal>

namespace linecalc::test {

// Before the application exists. Wine hands a Windows program none of the QT_ variables of its
// environment, so the Windows tests name the folder of the fonts Qt's offscreen platform is to
// read (QT_QPA_FONTDIR) as LINECALC_TEST_FONTDIR.
inline void UseTestFonts() {
  const QByteArray folder = qgetenv("LINECALC_TEST_FONTDIR");
  if (!folder.isEmpty()) {
    qputenv("QT_QPA_FONTDIR", folder);
  }
}

}  // namespace linecalc::test

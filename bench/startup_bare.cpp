// The floor for start-up: an empty Qt window of the calculator's size, ending after its first
// frame.
#include <QApplication>
#include <QWidget>

#include "bench/first_paint.h"
#include "ui/layout.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  using namespace linecalc::ui;
  window.setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
  linecalc::bench::QuitAfterFirstPaint quit(&window);
  window.show();
  return QApplication::exec();
}

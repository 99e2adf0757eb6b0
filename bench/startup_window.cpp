// The program's own start-up, exactly as main() runs it, ending after the first frame.
#include <QApplication>

#include "bench/first_paint.h"
#include "ui/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  linecalc::ui::MainWindow window;
  linecalc::bench::QuitAfterFirstPaint quit(&window);
  window.show();
  return QApplication::exec();
}

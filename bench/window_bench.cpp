// The window's handlers on the offscreen platform, as the user sets them off, without painting:
// the window is shown, but no event is processed while the clock runs.
#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "bench/qt_benchmark_main.h"
#include "ui/form1.h"

namespace {

using linecalc::ui::Form1;

template <typename T>
T* Child(Form1& form, const char* name) {
  return form.findChild<T*>(QString::fromLatin1(name));
}

// A shown window whose messages would stop the benchmark.
class BenchWindow {
 public:
  BenchWindow() {
    form_.setMessageSink([](const QString& text) { qFatal("message: %s", qPrintable(text)); });
    form_.show();
    QApplication::processEvents();
  }
  ~BenchWindow() { QApplication::processEvents(); }
  Form1& form() { return form_; }

 private:
  Form1 form_;
};

// Picks one of two lengths in turn, as from the open list: the refresh and its labels.
void BM_ListChoice(benchmark::State& state) {
  BenchWindow window;
  auto* list = Child<QComboBox>(window.form(), "CmbL");
  const int entries[] = {list->findText("1000"), list->findText("500")};
  int turn = 0;
  for (auto _ : state) {
    const int entry = entries[turn ^= 1];
    list->setCurrentIndex(entry);
    emit list->activated(entry);
  }
  const double length = window.form().state().LengthM;
  if (length != 1000 && length != 500) {
    state.SkipWithError("the choice ran no refresh");
  }
}
BENCHMARK(BM_ListChoice)->Unit(benchmark::kMicrosecond);

// "Расчет с учетом равномерной нагрузки" for 1000 loudspeakers of 1 W: the refresh, the checks,
// the calculation, 1003 report rows and the two labels. Counts how often the report list is
// told of new rows per press: once, not once per row.
void UniformLoad(benchmark::State& state, bool withEventLoop) {
  BenchWindow window;
  Child<QLineEdit>(window.form(), "TxtPg")->setText("1");
  Child<QLineEdit>(window.form(), "TxtK")->setText("1000");
  auto* button = Child<QPushButton>(window.form(), "Command2");
  auto* report = Child<QListWidget>(window.form(), "Lst");
  int insertions = 0;
  QObject::connect(report->model(), &QAbstractItemModel::rowsInserted, [&] { ++insertions; });
  for (auto _ : state) {
    button->click();
    if (withEventLoop) {
      QApplication::processEvents();
    }
  }
  state.counters["row_insertions_per_press"] =
      static_cast<double>(insertions) / static_cast<double>(state.iterations());
  state.counters["rows"] = report->count();
}

void BM_UniformLoad1000(benchmark::State& state) {
  UniformLoad(state, false);
}
BENCHMARK(BM_UniformLoad1000)->Unit(benchmark::kMicrosecond);

// The same, then the event loop lays the list out once and paints what is on view offscreen.
void BM_UniformLoad1000ThenEventLoop(benchmark::State& state) {
  UniformLoad(state, true);
}
BENCHMARK(BM_UniformLoad1000ThenEventLoop)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return linecalc::bench::RunQtBenchmarks<QApplication>(argc, argv);
}

// The object window on the offscreen platform: opening a large object until its first rows are
// painted, and one edited cell until its row is recomputed and painted again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "bench/qt_benchmark_main.h"
#include "object/line_table.h"
#include "object/object_file.h"
#include "ui/object/line_table_model.h"
#include "ui/object/object_window.h"

namespace {

using linecalc::object::LineColumn;
using linecalc::object::LineObject;
using linecalc::ui::ObjectWindow;

// `count` uniform lines of 100 loudspeakers each, with a loss limit, so that every line is
// assessed with its smallest section.
LineObject LargeObject(int count) {
  LineObject object;
  object.title = "Бенчмарк";
  object.lossLimitPct = "10";
  for (int i = 0; i < count; ++i) {
    linecalc::object::ObjectLine line;
    line.name = "Линия " + std::to_string(i + 1);
    line.inputs.sectionIndex = i % 11;
    line.inputs.length = std::to_string(100 + i % 900);
    line.inputs.load = linecalc::LoadKind::Uniform;
    line.inputs.power = "1";
    line.inputs.count = "100";
    object.lines.push_back(line);
  }
  return object;
}

// A shown object window whose messages would stop the benchmark.
struct BenchWindow {
  BenchWindow() {
    linecalc::ui::ObjectDialogs dialogs;
    dialogs.message = [](const QString& text) { qFatal("message: %s", qPrintable(text)); };
    window.setDialogs(dialogs);
    window.show();
    QApplication::processEvents();
  }
  ObjectWindow window;
};

void BM_Open10000Lines(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath("large.linecalc");
  if (!linecalc::object::WriteObjectFile(path, LargeObject(10000)).isEmpty()) {
    state.SkipWithError("cannot write the object");
    return;
  }
  BenchWindow bench;
  for (auto _ : state) {
    if (!bench.window.openFile(path)) {
      state.SkipWithError("cannot open the object");
      return;
    }
    QApplication::processEvents();
  }
  state.counters["lines"] = bench.window.model().rowCount();
}
BENCHMARK(BM_Open10000Lines)->Unit(benchmark::kMillisecond)->Iterations(5);

// Two lengths in turn on one line of the 10,000: the undoable edit, the line's assessment with
// its smallest section, and the repaint.
void BM_EditOneRow(benchmark::State& state) {
  BenchWindow bench;
  bench.window.model().setLineObject(LargeObject(10000));
  QApplication::processEvents();
  const QModelIndex length = bench.window.model().index(3, static_cast<int>(LineColumn::Length));
  bool longer = false;
  for (auto _ : state) {
    longer = !longer;
    bench.window.model().setData(length, longer ? "950" : "450", Qt::EditRole);
    benchmark::DoNotOptimize(bench.window.model().resultCells(3));
    QApplication::processEvents();
  }
}
BENCHMARK(BM_EditOneRow)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  QStandardPaths::setTestModeEnabled(true);  // the recent files stay out of the user's settings
  return linecalc::bench::RunQtBenchmarks<QApplication>(argc, argv);
}

// The 1000-loudspeaker calculation sheet: building its document, and writing it as a PDF.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>

#include "bench/qt_benchmark_main.h"
#include "calc/line_calculation.h"
#include "sheet/calculation_sheet.h"
#include "sheet/sheet_output.h"

namespace {

linecalc::sheet::SheetContent ThousandLoudspeakers() {
  linecalc::LineInputs in;
  in.sectionIndex = 7;  // 2.5 mm²
  in.length = "100";
  in.load = linecalc::LoadKind::Uniform;
  in.power = "1";
  in.count = "1000";
  linecalc::sheet::SheetContent content;
  content.when = QDateTime::currentDateTime();
  content.uniform = linecalc::CalculateLine(in, ".");
  content.current = content.uniform;
  return content;
}

void BM_BuildSheet(benchmark::State& state) {
  const linecalc::sheet::SheetContent content = ThousandLoudspeakers();
  for (auto _ : state) {
    benchmark::DoNotOptimize(linecalc::sheet::BuildCalculationSheet(content));
  }
}
BENCHMARK(BM_BuildSheet)->Unit(benchmark::kMillisecond);

// What the user waits for after choosing the file: the sheet built, laid out and written.
void BM_SheetToPdf(benchmark::State& state) {
  const linecalc::sheet::SheetContent content = ThousandLoudspeakers();
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
  for (auto _ : state) {
    const std::unique_ptr<QTextDocument> document = linecalc::sheet::BuildCalculationSheet(content);
    if (!linecalc::sheet::SaveSheetPdf(*document, path).isEmpty()) {
      state.SkipWithError("the PDF was not written");
    }
  }
}
BENCHMARK(BM_SheetToPdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return linecalc::bench::RunQtBenchmarks<QGuiApplication>(argc, argv);
}

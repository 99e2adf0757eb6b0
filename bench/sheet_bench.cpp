// The 1000-loudspeaker calculation sheet: building its document, and writing it as a PDF.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>
#include <string>

#include "bench/qt_benchmark_main.h"
#include "calc/line_calculation.h"
#include "sheet/calculation_sheet.h"
#include "sheet/object_document.h"
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

// An object of `count` lines, a third with a load at the end, the rest with 5 to 24 loudspeakers
// of 6 W, over the four most common sections of both materials.
linecalc::object::LineObject ObjectOf(int count) {
  linecalc::object::LineObject object;
  object.title = "Бизнес-центр";
  object.lossLimitPct = "10";
  for (int i = 0; i < count; ++i) {
    linecalc::LineInputs in;
    in.material = i % 4 == 0 ? linecalc::Material::Aluminium : linecalc::Material::Copper;
    in.sectionIndex = 3 + 2 * (i % 4);
    in.length = std::to_string(50 + 10 * (i % 40));
    in.load = i % 3 == 0 ? linecalc::LoadKind::Single : linecalc::LoadKind::Uniform;
    in.power = i % 3 == 0 ? std::to_string(20 + i % 50) : "6";
    in.count = std::to_string(5 + i % 20);
    object.lines.push_back({"Линия " + std::to_string(i + 1), in});
  }
  return object;
}

// The object printed to a PDF: summary, one sheet per line; the time must grow with the count.
void BM_ObjectToPdf(benchmark::State& state) {
  const linecalc::object::LineObject object = ObjectOf(static_cast<int>(state.range(0)));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("object.pdf"));
  const linecalc::sheet::ObjectPaper paper{QDateTime::currentDateTime(), QStringLiteral(","), {}};
  for (auto _ : state) {
    if (!linecalc::sheet::SaveObjectPdf(object, paper, path).isEmpty()) {
      state.SkipWithError("the PDF was not written");
    }
  }
}
BENCHMARK(BM_ObjectToPdf)->Arg(100)->Arg(1000)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  return linecalc::bench::RunQtBenchmarks<QGuiApplication>(argc, argv);
}

// An object of 10,000 uniform lines of 100 loudspeakers each with a loss limit: read from its
// file, every line computed with its smallest sufficient section, the table written as CSV.
// Peak memory of the whole route is measured on the program itself (README: "Speed").
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include "bench/object_bench_common.h"
#include "calc/tables.h"
#include "object/object_csv.h"
#include "object/object_file.h"

namespace {

constexpr int kLines = 10000;

// Copper and aluminium of every section, 10 m to 1000 m, 100 loudspeakers of 1 W to 4 W.
linecalc::object::LineObject LargeObject() {
  linecalc::object::LineObject object;
  object.title = "10 000 линий";
  object.lossLimitPct = "5";
  object.lines.reserve(kLines);
  for (int i = 0; i < kLines; ++i) {
    linecalc::LineInputs in;
    in.material = i % 2 == 0 ? linecalc::Material::Copper : linecalc::Material::Aluminium;
    in.sectionIndex = i % linecalc::kSectionCount;
    in.length = std::to_string(10 + (i * 10) % 1000);
    in.temperature = "20";
    in.voltage = "100";
    in.load = linecalc::LoadKind::Uniform;
    in.power = std::to_string(1 + i % 4);
    in.count = "100";
    object.lines.push_back({"Линия " + std::to_string(i + 1), in});
  }
  return object;
}

// From the bytes of the file to the bytes of the CSV, in memory.
void BM_ObjectBytesToCsv(benchmark::State& state) {
  linecalc::bench::BytesToCsv(state, LargeObject());
  state.counters["lines"] = kLines;
}
BENCHMARK(BM_ObjectBytesToCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same from a file on disk to a CSV file on disk, as `linecalc --csv` does it.
void BM_ObjectFileToCsvFile(benchmark::State& state) {
  QTemporaryDir dir;
  const QString in = dir.filePath(QStringLiteral("big.linecalc"));
  const QString out = dir.filePath(QStringLiteral("big.csv"));
  if (!linecalc::object::WriteObjectFile(in, LargeObject()).isEmpty()) {
    state.SkipWithError("cannot write the object file");
    return;
  }
  for (auto _ : state) {
    const linecalc::object::ObjectLoad load = linecalc::object::ReadObjectFile(in);
    const QString error = linecalc::object::WriteObjectCsv(out, *load.object);
    benchmark::DoNotOptimize(error);
  }
}
BENCHMARK(BM_ObjectFileToCsvFile)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  return linecalc::bench::RunObjectBenchmarks(argc, argv, LargeObject);
}

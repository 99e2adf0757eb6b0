#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <string>
#include <string_view>

#include "object/line_object.h"
#include "object/object_csv.h"
#include "object/object_file.h"
#include "object/object_json.h"

namespace linecalc::bench {

// From the bytes of `measured`'s file to the bytes of its CSV, in memory.
inline void BytesToCsv(benchmark::State& state, const object::LineObject& measured) {
  const QByteArray file = object::SerializeObject(measured);
  for (auto _ : state) {
    const object::ObjectLoad load = object::ParseObject(file, QStringLiteral("bench"));
    std::string csv = object::ObjectCsv(*load.object);
    benchmark::DoNotOptimize(csv);
  }
}

// `PROGRAM --write-object=PATH` writes the object `measured` gives to PATH and exits, so that
// `linecalc --csv` itself can be timed on it; otherwise runs the registered benchmarks.
inline int RunObjectBenchmarks(int argc, char** argv, object::LineObject (*measured)()) {
  constexpr std::string_view kWrite = "--write-object=";
  if (argc == 2 && std::string_view(argv[1]).starts_with(kWrite)) {
    const QString path = QString::fromLocal8Bit(argv[1] + kWrite.size());
    const QString error = object::WriteObjectFile(path, measured());
    std::fputs(qUtf8Printable(error), stderr);
    return error.isEmpty() ? 0 : 2;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace linecalc::bench

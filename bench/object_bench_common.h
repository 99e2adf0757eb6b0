#pragma once

#include <benchmark/benchmark.h>

#include <QString>
#include <cstdio>
#include <string_view>

#include "object/line_object.h"
#include "object/object_file.h"

namespace linecalc::bench {

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

// Layout lines: one of 1000 loudspeakers solved, and the object of 10,000 lines with a fifth of
// them layouts of 100 loudspeakers, from the bytes of its file to those of its CSV.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <variant>

#include <QString>

#include "bench/object_bench_common.h"
#include "calc/line_calculation.h"
#include "calc/tables.h"
#include "object/line_object.h"

namespace {

using linecalc::LineInputs;
using linecalc::Stretch;

// 100 stretches of 6 m with a 3 W loudspeaker each and a branch of nine 3 m stretches with a
// 1 W loudspeaker each: 1000 loudspeakers on 1000 stretches, every one written out.
LineInputs ThousandSpeakers() {
  LineInputs in;
  in.sectionIndex = 6;
  in.load = linecalc::LoadKind::Layout;
  for (int i = 0; i < 100; ++i) {
    Stretch riser{
        "6", "", {{"1", "3"}}, {linecalc::StretchList(9, Stretch{"3", "", {{"1", "1"}}, {}})}};
    in.layout.stretches.push_back(std::move(riser));
  }
  return in;
}

void BM_SolveLayout1000(benchmark::State& state) {
  const auto network =
      std::get<linecalc::LayoutNetwork>(linecalc::ReadLayout(ThousandSpeakers().layout));
  const linecalc::LayoutCable cable{26.6, 1.1075};
  for (auto _ : state) {
    auto solved = linecalc::SolveLayout(network, cable, 100);
    benchmark::DoNotOptimize(solved);
  }
}
BENCHMARK(BM_SolveLayout1000)->Unit(benchmark::kMicrosecond);

// Reading the texts, the checks, the refresh and the solution, as a line of an object.
void BM_CalculateLayoutLine1000(benchmark::State& state) {
  const LineInputs in = ThousandSpeakers();
  for (auto _ : state) {
    auto line = linecalc::CalculateLine(in, ".");
    benchmark::DoNotOptimize(line);
  }
}
BENCHMARK(BM_CalculateLayoutLine1000)->Unit(benchmark::kMicrosecond);

// A feed of 15 m to a 15 W horn, then nine classrooms 6 m apart along a corridor, each a 3 W
// corridor loudspeaker and a branch of six 1 W and five 2 W loudspeakers: 100 loudspeakers.
linecalc::LineLayout HundredSpeakers() {
  Stretch room{"8", "", {{"6", "1"}}, {}};
  Stretch back{"5", "", {{"5", "2"}}, {}};
  return {{Stretch{"15", "", {{"1", "15"}}, {}},
           Stretch{"6", "9", {{"1", "3"}}, {linecalc::StretchList{room, back}}}}};
}

// The object of object_bench (10,000 lines, a 5 % limit) with every fifth line a layout.
linecalc::object::LineObject LargeObject() {
  linecalc::object::LineObject object;
  object.title = "10 000 линий";
  object.lossLimitPct = "5";
  for (int i = 0; i < 10000; ++i) {
    LineInputs in;
    in.material = i % 2 == 0 ? linecalc::Material::Copper : linecalc::Material::Aluminium;
    in.sectionIndex = i % linecalc::kSectionCount;
    in.length = std::to_string(10 + (i * 10) % 1000);
    if (i % 5 == 0) {
      in.load = linecalc::LoadKind::Layout;
      in.layout = HundredSpeakers();
    } else {
      in.load = linecalc::LoadKind::Uniform;
      in.power = std::to_string(1 + i % 4);
      in.count = "100";
    }
    object.lines.push_back({"Линия " + std::to_string(i + 1), in});
  }
  return object;
}

void BM_ObjectWithLayoutsToCsv(benchmark::State& state) {
  linecalc::bench::BytesToCsv(state, LargeObject());
}
BENCHMARK(BM_ObjectWithLayoutsToCsv)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  return linecalc::bench::RunObjectBenchmarks(argc, argv, LargeObject);
}

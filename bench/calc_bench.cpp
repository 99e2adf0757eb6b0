// The uniform-load calculation and its report for 1000 loudspeakers, beside the floor: the same
// chain of operations with nothing else around it.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "calc/report.h"
#include "calc/uniform_load.h"

namespace {

std::size_t allocations = 0;

// A line as long as a report's 1000 loudspeakers of 1 W each need: 100 V, 0.75 mm², 100 m.
constexpr std::int16_t kVoltage = 100;
constexpr double kLineResistance = 5.3324;
constexpr double kSpeakerPower = 1;
constexpr double kSpeakerCount = 1000;
constexpr int kRows = 1000;

// Every operation of the calculation's walk in the same order, without the checks, the rows and
// the totals. The critical path runs through two divisions per loudspeaker.
void BM_UniformLoadFloor(benchmark::State& state) {
  double u = kVoltage;
  double rLine = kLineResistance;
  double power = kSpeakerPower;
  double count = kSpeakerCount;
  for (auto _ : state) {
    benchmark::DoNotOptimize(u);
    benchmark::DoNotOptimize(rLine);
    benchmark::DoNotOptimize(power);
    benchmark::DoNotOptimize(count);
    const double speakerImpedance = u * u / power;
    const double segmentResistance = rLine / count;
    double nodeVoltage = u;
    double remainingPower = power * count;
    double dropTotal = 0;
    double deliveredPower = 0;
    for (int index = 1; index <= kRows; ++index) {
      const double remainingImpedance = nodeVoltage * nodeVoltage / remainingPower;
      const double segmentCurrent = nodeVoltage / (segmentResistance + remainingImpedance);
      const double segmentDrop = segmentCurrent * segmentResistance;
      dropTotal += segmentDrop;
      remainingPower -= power;
      nodeVoltage -= segmentDrop;
      deliveredPower += nodeVoltage * nodeVoltage / speakerImpedance;
    }
    benchmark::DoNotOptimize(dropTotal);
    benchmark::DoNotOptimize(deliveredPower);
    benchmark::DoNotOptimize(nodeVoltage);
  }
}
BENCHMARK(BM_UniformLoadFloor)->Unit(benchmark::kMicrosecond);

void BM_CalculateUniformLoad(benchmark::State& state) {
  for (auto _ : state) {
    auto result =
        linecalc::CalculateUniformLoad(kVoltage, kLineResistance, kSpeakerPower, kSpeakerCount);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_CalculateUniformLoad)->Unit(benchmark::kMicrosecond);

void BM_FormatReportLines(benchmark::State& state) {
  const linecalc::UniformLoadResult result =
      linecalc::CalculateUniformLoad(kVoltage, kLineResistance, kSpeakerPower, kSpeakerCount)
          .value();
  const std::size_t before = allocations;
  const std::size_t lines = linecalc::FormatReportLines(result, ".").size();
  state.counters["allocations_per_line"] =
      static_cast<double>(allocations - before) / static_cast<double>(lines);
  for (auto _ : state) {
    auto report = linecalc::FormatReportLines(result, ".");
    benchmark::DoNotOptimize(report);
  }
}
BENCHMARK(BM_FormatReportLines)->Unit(benchmark::kMicrosecond);

void BM_CalculateUniformLoadWithReport(benchmark::State& state) {
  for (auto _ : state) {
    const auto result =
        linecalc::CalculateUniformLoad(kVoltage, kLineResistance, kSpeakerPower, kSpeakerCount);
    auto report = linecalc::FormatReportLines(result.value(), ".");
    benchmark::DoNotOptimize(report);
  }
}
BENCHMARK(BM_CalculateUniformLoadWithReport)->Unit(benchmark::kMicrosecond);

}  // namespace

// Counts the heap allocations, to hold the report to at most one per line. GCC cannot see that
// the replaced new and delete below pair malloc with free.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) {
    return p;
  }
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t /*size*/) noexcept {
  std::free(p);
}

BENCHMARK_MAIN();

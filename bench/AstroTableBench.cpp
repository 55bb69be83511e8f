#include "calendar/AstroTable.h"
#include "model/DeviceSettings.h"

#include <benchmark/benchmark.h>

using namespace zendrik;

namespace {

// One astro table: 366 days, a sunrise and a sunset search per day.
void BM_AstroTable(benchmark::State& state)
{
    const AstroLocation berlin{-13.5f, 52.5f, -60, 0, 0};
    for (auto _ : state) {
        const AstroYear table = ComputeAstroYear(berlin, kFamily738, 2024);
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_AstroTable)->Unit(benchmark::kMicrosecond);

} // namespace

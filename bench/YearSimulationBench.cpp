#include "calendar/YearSimulation.h"
#include "tests/calendar/NaiveYearSimulation.h"
#include "tests/calendar/RandomSimulationProgram.h"

#include <benchmark/benchmark.h>

using namespace zendrik;

namespace {

constexpr int kRow731 = 4;  // four channels, 324 entries
constexpr int kRow738 = 20; // sixteen channels, 500 entries, astro on channels 1..4
constexpr int kYear = 2026;

// Full memory: 264 switching times and 60 priority times on the four-channel
// switch; 440 switching times on all sixteen channels and 60 priority times
// on the bus device.
ProgramModel Full731()
{
    return test::RandomSimulationProgram(kRow731, 11, 264, 60, 4);
}

ProgramModel Full738()
{
    return test::RandomSimulationProgram(kRow738, 12, 440, 60, 16);
}

// Time per channel-year, as a counter in seconds.
void PerChannelYear(benchmark::State& state, int channels)
{
    state.counters["per_channel_year"] =
        benchmark::Counter(static_cast<double>(channels), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// "Jahresbetriebsstunden berechnen" for every channel: the view is built
// once for the year, then each channel runs through its days.
void YearOperatingHours(benchmark::State& state, const ProgramModel& model, int channels)
{
    for (auto _ : state) {
        const YearSimulation sim(model, kYear);
        int total = 0;
        for (int c = 0; c < channels; ++c)
            total += sim.Jahresbetriebsminuten(c);
        benchmark::DoNotOptimize(total);
    }
    PerChannelYear(state, channels);
}

// The year graph: the day profile of every day of the year, one by one.
void YearOfDayProfiles(benchmark::State& state, const ProgramModel& model, int channels)
{
    for (auto _ : state) {
        const YearSimulation sim(model, kYear);
        std::size_t segments = 0;
        for (int c = 0; c < channels; ++c) {
            for (int d = 1; d <= sim.Tage(); ++d)
                segments += sim.Rechne_SzGrafik(c, d).segments.size();
        }
        benchmark::DoNotOptimize(segments);
    }
    PerChannelYear(state, channels);
}

// The baseline: the table copied, given the day's astro times and sorted
// again for every day, then walked entry by entry.
void ReSortEveryDay(benchmark::State& state, const ProgramModel& model, int channels)
{
    for (auto _ : state) {
        test::NaiveYearSimulation naive(model, kYear);
        int total = 0;
        for (int c = 0; c < channels; ++c)
            total += naive.YearMinutes(c);
        benchmark::DoNotOptimize(total);
    }
    PerChannelYear(state, channels);
}

void BM_YearOperatingHours731(benchmark::State& state)
{
    YearOperatingHours(state, Full731(), 4);
}

void BM_YearOperatingHours738(benchmark::State& state)
{
    YearOperatingHours(state, Full738(), 16);
}

void BM_YearOfDayProfiles731(benchmark::State& state)
{
    YearOfDayProfiles(state, Full731(), 4);
}

void BM_YearOfDayProfiles738(benchmark::State& state)
{
    YearOfDayProfiles(state, Full738(), 16);
}

void BM_Baseline_ReSortEveryDay731(benchmark::State& state)
{
    ReSortEveryDay(state, Full731(), 4);
}

void BM_Baseline_ReSortEveryDay738(benchmark::State& state)
{
    // The four astro channels and four plain ones.
    ReSortEveryDay(state, Full738(), 8);
}

} // namespace

BENCHMARK(BM_YearOperatingHours731)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearOperatingHours738)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearOfDayProfiles731)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearOfDayProfiles738)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_ReSortEveryDay731)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_ReSortEveryDay738)->Unit(benchmark::kMillisecond);

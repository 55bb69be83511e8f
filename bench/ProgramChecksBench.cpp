#include "bench/BenchPrograms.h"
#include "editing/checks/ProgramChecks.h"
#include "editing/checks/ProgramDiff.h"
#include "language/TextTable.h"

#include <benchmark/benchmark.h>

using namespace zendrik;

namespace {

constexpr int kYear = 2026;

// The bus device at full memory: 440 switching times and 60 priority times,
// a summer/winter table and astro tables on its four astro channels.
const ProgramModel& Full738()
{
    static const ProgramModel model = bench::completeProgram(bench::kRow738, 440, 60);
    return model;
}

const TextTable& German()
{
    static const TextTable texts = [] {
        TextTable t;
        t.LoadGerman();
        return t;
    }();
    return texts;
}

// Every check over one simulated year, as the check dock runs them after an
// edit. Target: under 20 ms.
void AllChecksOfAFullProgram(benchmark::State& state)
{
    const ProgramModel& model = Full738();
    std::size_t findings = 0;
    for (auto _ : state) {
        findings = RunAllChecks(model, German(), kYear).size();
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = static_cast<double>(findings);
}
BENCHMARK(AllChecksOfAFullProgram)->Unit(benchmark::kMillisecond);

// Two full programs that differ in a few entries and the description: the
// window after a read or "compare with file". Target: under 1 ms.
void ComparisonOfTwoFullPrograms(benchmark::State& state)
{
    const ProgramModel& a = Full738();
    ProgramModel b = a;
    ProgramSlot& s = b.program();
    s.Eintrag[3].b[2] ^= 0x01;
    s.Eintrag[100].b[1] ^= 0x04;
    std::swap(s.Eintrag[200], s.Eintrag[7]);
    s.Verwendung = QStringLiteral("geändert");
    std::size_t differences = 0;
    for (auto _ : state) {
        const ProgramDiff diff = DiffPrograms(a, kProgramSlot, b, kProgramSlot);
        differences = diff.entries.size() + diff.header.size();
        benchmark::DoNotOptimize(differences);
    }
    state.counters["differences"] = static_cast<double>(differences);
}
BENCHMARK(ComparisonOfTwoFullPrograms)->Unit(benchmark::kMicrosecond);

// The same program compared with itself: every entry matched byte for byte.
void ComparisonOfAFullProgramWithItself(benchmark::State& state)
{
    const ProgramModel& a = Full738();
    const ProgramModel b = a;
    for (auto _ : state)
        benchmark::DoNotOptimize(DiffPrograms(a, kProgramSlot, b, kProgramSlot).empty());
}
BENCHMARK(ComparisonOfAFullProgramWithItself)->Unit(benchmark::kMicrosecond);

} // namespace

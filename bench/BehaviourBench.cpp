#include "calendar/BehaviourComparison.h"
#include "calendar/SwitchingYearExport.h"
#include "calendar/YearSimulation.h"
#include "language/TextTable.h"
#include "tests/calendar/RandomSimulationProgram.h"

#include <benchmark/benchmark.h>

using namespace zendrik;

namespace {

constexpr int kRow738 = 20; // sixteen channels, 500 entries, astro on channels 1..4
constexpr int kYear = 2027;

// Two full bus-device programs: 440 switching times on all sixteen channels
// and 60 priority times each, grown from different seeds.
const ProgramModel& First()
{
    static const ProgramModel m = test::RandomSimulationProgram(kRow738, 12, 440, 60, 16);
    return m;
}

const ProgramModel& Second()
{
    static const ProgramModel m = test::RandomSimulationProgram(kRow738, 13, 440, 60, 16);
    return m;
}

// Both programs simulated through the year and compared on every channel.
void BM_BehaviourComparison(benchmark::State& state)
{
    for (auto _ : state) {
        const YearSimulation a(First(), kYear);
        const YearSimulation b(Second(), kYear);
        const BehaviourComparison cmp = CompareBehaviour(a, b);
        benchmark::DoNotOptimize(cmp.channels.data());
    }
}
BENCHMARK(BM_BehaviourComparison)->Unit(benchmark::kMillisecond);

// The switching year of all sixteen channels as a calendar.
void BM_CalendarExport(benchmark::State& state)
{
    TextTable texts;
    texts.LoadGerman();
    std::vector<int> channels;
    for (int c = 0; c < 16; ++c)
        channels.push_back(c);
    CalendarOptions options;
    options.zone = QStringLiteral("Europe/Berlin");
    options.stamp = QDateTime::fromSecsSinceEpoch(0, Qt::UTC);
    options.uidDomain = QStringLiteral("zendrik");
    std::size_t events = 0;
    for (auto _ : state) {
        const YearSimulation sim(First(), kYear);
        const std::vector<SwitchingPeriod> periods = SwitchingPeriods(First(), sim, channels, texts);
        QByteArray calendar;
        SwitchingYearCalendar(periods, options, texts, &calendar);
        events = periods.size();
        benchmark::DoNotOptimize(calendar.data());
    }
    state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_CalendarExport)->Unit(benchmark::kMillisecond);

} // namespace

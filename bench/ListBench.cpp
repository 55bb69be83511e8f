#include "calendar/ListFilter.h"
#include "model/EntryBuilder.h"
#include "editing/ProgramList.h"
#include "model/ProgramSort.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "model/ProgramSetup.h"

#include <benchmark/benchmark.h>

#include <QDateTime>

#include <random>

using namespace zendrik;

namespace {

constexpr int kRow731 = 4;
constexpr int kRow738 = 20;

// A full program of the device type: mixed weekly and dated switching times
// in random order, then priority times, as a grown installation has them.
ProgramModel fullProgram(int row, int switching, int priority)
{
    ProgramModel model;
    StartNewProgram(model, row, QStringLiteral("unbekannt"), QStringLiteral("FULL.zpg"));
    model.clock = [] { return QDateTime(QDate(2024, 5, 10), QTime(9, 30)); };
    const bool bus = model.device.Uhrentyp == kFamily738;
    std::mt19937 random(4711);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    ProgramSlot& s = model.program();
    int i = 0;
    for (int n = 0; n < switching; ++n) {
        const int channels = bus ? pick(0, 15) : pick(1, 15);
        const int minute = pick(0, 1439);
        s.Eintrag[static_cast<std::size_t>(i++)] =
            n % 5 == 0 ? BuildDatedEntry(minute, pick(1, 28), pick(1, 12), channels, pick(0, 1), 0, n % 2 == 0)
                       : BuildWeeklyEntry(minute, pick(1, 127), channels, pick(0, 1), n % 7 == 0 ? pick(1, 59) : 0,
                                          pick(0, 9));
    }
    for (int n = 0; n < priority; ++n) {
        const int channels = bus ? pick(0, 15) : pick(1, 15);
        s.Eintrag[static_cast<std::size_t>(i++)] =
            BuildPriorityEntry(pick(1, 28), pick(1, 12), pick(1, 28), pick(1, 12), n % 3 == 0 ? pick(60, 120) : 0,
                               n % 3 == 0, pick(1, 10), channels, pick(0, 1));
    }
    s.AnzSz = switching;
    s.AnzPz = priority;
    s.AnzEintrag = i;
    return model;
}

void sortProgram(benchmark::State& state, int row, int switching, int priority)
{
    ProgramModel model = fullProgram(row, switching, priority);
    const auto unsorted = model.program().Eintrag;
    for (auto _ : state) {
        model.program().Eintrag = unsorted;
        SortProgram(model, 1, kProgramSlot);
        benchmark::DoNotOptimize(model.program().Eintrag.data());
    }
}

void buildList(benchmark::State& state, int row, int switching, int priority, int ansicht, bool filtered)
{
    const ProgramModel model = fullProgram(row, switching, priority);
    const TextTable texts;
    ListFilter filter;
    if (filtered) {
        filter.FilterAktiv = -1;
        filter.FilterMonatVon = 3;
        filter.FilterMonatBis = 9;
        filter.FilterWochentag = 0b0011111;
    }
    for (auto _ : state) {
        ProgramList list = ProgramList::Build(model, texts, filter, ansicht, kProgramSlot);
        benchmark::DoNotOptimize(list.rows.data());
    }
}

void BM_Sort738Full(benchmark::State& s) { sortProgram(s, kRow738, 400, 100); }
void BM_Sort731Full(benchmark::State& s) { sortProgram(s, kRow731, 260, 64); }
void BM_List738Switching(benchmark::State& s) { buildList(s, kRow738, 400, 100, AnsichtSchaltzeiten, false); }
void BM_List738Priority(benchmark::State& s) { buildList(s, kRow738, 400, 100, AnsichtPrioritaetszeiten, false); }
void BM_List738SwitchingOnly(benchmark::State& s) { buildList(s, kRow738, 500, 0, AnsichtSchaltzeiten, false); }
void BM_List738Filtered(benchmark::State& s) { buildList(s, kRow738, 400, 100, AnsichtSchaltzeiten, true); }
void BM_List731Switching(benchmark::State& s) { buildList(s, kRow731, 260, 64, AnsichtSchaltzeiten, false); }
void BM_List731SwitchingOnly(benchmark::State& s) { buildList(s, kRow731, 324, 0, AnsichtSchaltzeiten, false); }
void BM_List731Priority(benchmark::State& s) { buildList(s, kRow731, 0, 324, AnsichtPrioritaetszeiten, false); }

} // namespace

BENCHMARK(BM_Sort738Full)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sort731Full)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_List738Switching)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_List738Priority)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_List738SwitchingOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_List738Filtered)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_List731Switching)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_List731SwitchingOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_List731Priority)->Unit(benchmark::kMicrosecond);

#include "bench/BenchPrograms.h"
#include "editing/ListFilter.h"
#include "editing/ProgramList.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "model/ProgramSort.h"

#include <benchmark/benchmark.h>

using namespace zendrik;
using namespace zendrik::bench;

namespace {

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

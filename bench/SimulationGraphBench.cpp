// The simulation window after an edit: the year of one channel of a full
// bus-device program recomputed and its year graph painted, the hover
// lookup of what decided a minute, and the PNG export of a channel-year.
#include "bench/BenchPrograms.h"
#include "calendar/YearSimulation.h"
#include "language/TextTable.h"
#include "paint/YearGraphPainter.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>

#include <random>

using namespace zendrik;
using namespace zendrik::bench;

namespace {

constexpr int kYear = 2026;
constexpr int kAstroChannel = 0; // channel 1: astro times, weekly and dated entries

// 500 entries (440 switching times on all sixteen channels, 60 priority
// times), astro tables on channels 1..4, a summer/winter table.
const ProgramModel& Full738()
{
    static const ProgramModel model = completeProgram(kRow738, 440, 60);
    return model;
}

// The same memory filled with switching times only: every day runs the base
// program with its astro times, the busiest year graph.
const ProgramModel& Switching738()
{
    static const ProgramModel model = completeProgram(kRow738, 500, 0);
    return model;
}

const ProgramModel& Program(const benchmark::State& state)
{
    return state.range(0) == 0 ? Switching738() : Full738();
}

// One frame after an edit: the simulation built from the program, the year
// graph of the shown channel painted at 1200 x 800.
void BM_RecomputeAndPaintYearGraph(benchmark::State& state)
{
    const TextTable texts;
    QImage image(1200, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        const YearSimulation sim(Program(state), kYear);
        image.fill(Qt::white);
        QPainter painter(&image);
        const YearGraphLayout layout(image.rect(), sim.Tage(), SimulationGraphFont(), &image, texts);
        PaintYearGraph(painter, layout, sim, kAstroChannel, texts);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    // What a year of the channel holds: stretches painted, hours ON.
    const YearSimulation sim(Program(state), kYear);
    std::size_t segments = 0;
    for (int d = 1; d <= sim.Tage(); ++d)
        segments += sim.Rechne_SzGrafik(kAstroChannel, d).segments.size();
    state.counters["stretches"] = static_cast<double>(segments);
    state.counters["hours_on"] = sim.Jahresbetriebsminuten(kAstroChannel) / 60;
}

// The pointer over the graphs: what decided a minute of a day, for points
// spread over the year.
void BM_HoverLookup(benchmark::State& state)
{
    const YearSimulation sim(Program(state), kYear);
    std::mt19937 random(17);
    std::uniform_int_distribution<int> day(1, sim.Tage());
    std::uniform_int_distribution<int> minute(0, kMinutesOfDay - 1);
    for (auto _ : state) {
        const SimulationCause cause = sim.Explain(kAstroChannel, day(random), minute(random));
        benchmark::DoNotOptimize(cause.entry);
    }
}

// The worst hover: a channel nothing switches looks back through two years.
void BM_HoverLookupUnswitchedChannel(benchmark::State& state)
{
    const YearSimulation sim(fullProgram(kRow738, 0, 0), kYear);
    for (auto _ : state) {
        const SimulationCause cause = sim.Explain(15, sim.Tage(), kMinutesOfDay - 1);
        benchmark::DoNotOptimize(cause.kind);
    }
}

// "simulate --png" and the window's picture export: simulate, paint, encode, write.
void BM_PngExport(benchmark::State& state)
{
    const TextTable texts;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("year.png"));
    for (auto _ : state) {
        const YearSimulation sim(Program(state), kYear);
        QString error;
        const bool written = WriteYearGraphPng(RenderYearGraph(sim, kAstroChannel, texts, QSize(1200, 800)), path, &error);
        benchmark::DoNotOptimize(written);
    }
}

} // namespace

// Argument: the number of priority times beside the switching times (60 or none).
BENCHMARK(BM_RecomputeAndPaintYearGraph)->Arg(60)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HoverLookup)->Arg(60)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverLookupUnswitchedChannel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PngExport)->Arg(60)->Arg(0)->Unit(benchmark::kMillisecond);

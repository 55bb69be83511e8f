#include "model/EntryBuilder.h"
#include "model/ProgramFile.h"
#include "model/ProgramSetup.h"
#include "model/ProgramSort.h"
#include "model/UserInteraction.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zendrik;

namespace {

// A full 738 program: 500 entries on 16 channels, a summer/winter table and
// four astro channels.
ProgramModel fullProgram738()
{
    ProgramModel m;
    m.clock = [] { return QDateTime(QDate(2026, 12, 6), QTime(10, 0)); };
    StartNewProgram(m, 20, QStringLiteral("unbekannt"), QStringLiteral("SzTab1.zpg"));
    ProgramSlot& s = m.program();
    for (int i = 0; i < 450; ++i) {
        s.Eintrag[static_cast<std::size_t>(i)] =
            i % 3 ? BuildWeeklyEntry((i * 37) % 1440, 1 + i % 127, i % 16, i % 2, i % 7, i % 10)
                  : BuildDatedEntry((i * 53) % 1440, 1 + i % 28, 1 + i % 12, i % 16, i % 2, 0, i % 2);
    }
    for (int i = 450; i < 500; ++i)
        s.Eintrag[static_cast<std::size_t>(i)] = BuildPriorityEntry(1 + i % 28, 1 + i % 12, 1 + (i + 5) % 28,
                                                                    1 + (i + 1) % 12, 0, false, 1 + i % 10, i % 16, 1);
    s.AnzSz = 450;
    s.AnzPz = 50;
    s.AnzEintrag = 500;
    for (int c = 0; c < 4; ++c) {
        s.astro.AstroAktiv[static_cast<std::size_t>(c + 1)] = -1;
        for (int d = 0; d < 366; ++d)
            s.astro.AstroTab[static_cast<std::size_t>(c)][static_cast<std::size_t>(d)] = AstroDay{300 + d, 1000 + d, 0, -1};
    }
    return m;
}

void SaveFull738(benchmark::State& state)
{
    QTemporaryDir dir;
    ProgramModel m = fullProgram738();
    m.program().Dateiname = dir.filePath(QStringLiteral("full.zpg"));
    auto ui = ScriptedInteraction::answering(true);
    for (auto _ : state) {
        const SaveOutcome outcome = SaveProgram(m, ui);
        benchmark::DoNotOptimize(outcome.result);
    }
}
BENCHMARK(SaveFull738)->Unit(benchmark::kMicrosecond);

// The save without the disk: sort, header, image, nibble swap, checksum and
// the file text. SaveFull738 adds writing it durably (fsync and rename).
void EncodeFull738(benchmark::State& state)
{
    ProgramModel m = fullProgram738();
    auto ui = ScriptedInteraction::answering(true);
    for (auto _ : state) {
        SortProgram(m, 0, 0);
        BuildHeader(m, ui);
        const Image stored = BuildStoredImage(m);
        const QByteArray text = ProgramFileText(stored, m.device.MaxEintrag, m.program().Verwendung,
                                                m.program().Kanalname);
        SortProgram(m, 1, 0);
        benchmark::DoNotOptimize(text.size());
    }
}
BENCHMARK(EncodeFull738)->Unit(benchmark::kMicrosecond);

void LoadFull738(benchmark::State& state)
{
    QTemporaryDir dir;
    ProgramModel m = fullProgram738();
    const QString path = dir.filePath(QStringLiteral("full.zpg"));
    m.program().Dateiname = path;
    auto ui = ScriptedInteraction::answering(true);
    SaveProgram(m, ui);
    ProgramModel target = fullProgram738();
    for (auto _ : state) {
        const int result = LoadProgram(target, path, 0);
        if (result != LoadOk)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(target.program().AnzEintrag);
    }
}
BENCHMARK(LoadFull738)->Unit(benchmark::kMicrosecond);

} // namespace

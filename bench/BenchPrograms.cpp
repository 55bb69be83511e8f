#include "bench/BenchPrograms.h"

#include "calendar/AstroTable.h"
#include "calendar/SommerzeitTage.h"
#include "model/DstRowCodec.h"
#include "model/EntryBuilder.h"
#include "model/ProgramSetup.h"

#include <QDateTime>

#include <random>

namespace zendrik::bench {

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

ProgramModel completeProgram(int row, int switching, int priority)
{
    ProgramModel model = fullProgram(row, switching, priority);
    ProgramSlot& s = model.program();
    for (int r = 0; r < kDstRows; ++r)
        s.SoWiTab[static_cast<std::size_t>(r)] = EncodeDstRow({{25 + r % 7, 3, 2, 1}, {25 + r % 7, 10, 3, 1}});
    s.AnzSoWi = kDstRows;
    // The table's first year, kept as years after 1996; the rule follows it.
    s.SoWiJahr = 2024 - 1996;
    model.device.SwRegel = SwTabelle;
    const int astroChannels = model.device.Uhrentyp == kFamily738 ? kAstroChannels
        : model.device.Uhrentyp == kFamily752                     ? 1
                                                                  : 0;
    for (int c = 0; c < astroChannels; ++c) {
        AstroSettings settings;
        settings.location = {-10.0f, 50.0f, -60, 0, 0};
        StoreAstroProgram(model, settings, c);
    }
    return model;
}

} // namespace zendrik::bench

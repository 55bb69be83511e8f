#include "tests/calendar/RandomSimulationProgram.h"

#include "calendar/AstroTable.h"
#include "calendar/SommerzeitTage.h"
#include "model/DeviceProperties.h"
#include "model/DeviceTypes.h"
#include "model/DstRowCodec.h"
#include "model/EntryBuilder.h"
#include "model/HeaderFields.h"
#include "model/ProgramSetup.h"
#include "model/ProgramSort.h"
#include "util/CalendarMath.h"

#include <algorithm>
#include <bit>
#include <random>
#include <tuple>

namespace zendrik::test {

// Weekly switching times of the base program and of a few priority programs,
// with pulses; dated switching times, some once only; priority times of every
// kind, over the year end, bound to the years around the simulated one,
// permanent ON and OFF. On the astro families the astro channels get tables
// with limits, times near midnight and polar days.
ProgramModel RandomSimulationProgram(int row, int seed, int switching, int priority, int busChannels)
{
    ProgramModel m;
    m.clock = [] { return QDateTime(QDate(2026, 5, 10), QTime(9, 30)); };
    StartNewProgram(m, row, QStringLiteral("unbekannt"), QStringLiteral("VOLL.zpg"));
    std::mt19937 random(static_cast<unsigned>(seed));
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const bool bus = m.device.Uhrentyp == kFamily738;
    const int channels = bus ? busChannels : m.device.Kanalzahl;
    auto channelField = [&] { return bus ? pick(0, channels - 1) : pick(1, (1 << channels) - 1); };
    auto minute = [&] { return pick(0, 3) == 0 ? pick(0, 1439) : 15 * pick(0, 95); }; // few minutes: entries meet
    const int programs[] = {0, 0, 0, 0, 1, 2, 3, 9}, priorities[] = {1, 2, 3, 9, 10, 4};
    ProgramSlot& s = m.program();
    auto& entries = s.Eintrag;
    std::size_t n = 0;
    for (int i = 0; i < switching; ++i) {
        const int state = pick(0, 1);
        const int pulse = pick(0, 6) == 0 ? pick(1, 59) : 0;
        if (pick(0, 4) == 0)
            entries[n++] = BuildDatedEntry(minute(), pick(1, 28), pick(1, 12), channelField(), state, pulse, pick(0, 3) == 0);
        else
            entries[n++] = BuildWeeklyEntry(minute(), pick(1, 127), channelField(), state, pulse, programs[pick(0, 7)]);
    }
    for (int i = 0; i < priority; ++i) {
        const int kind = pick(0, 3);
        const int yearCode = kind == 3 ? pick(2025, 2028) - 1936 : 0;
        const int from = pick(0, 7) == 0 ? pick(355, 365) : pick(1, 365); // one to ten days, some over the year end
        const CalendarDate begin = DateOfDayOfYear(from, 2023), end = DateOfDayOfYear(from + pick(0, 9), 2023);
        Entry& e = entries[n++] = BuildPriorityEntry(std::min(begin.day, 28), begin.month, std::min(end.day, 28), end.month, yearCode,
                                                     kind >= 2, priorities[pick(0, 5)], channelField(), pick(0, 1));
        if (kind == 1) { // movable: a distance from Easter Sunday
            const int offset = pick(-60, 70) + kEasterOffsetBias;
            e.b[0] = kEasterMarker;
            e.b[1] = static_cast<Byte>((offset & 0xF0) | (e.b[1] & 0x0F));
            e.b[3] = 0;
            e.b[5] = static_cast<Byte>(((offset & 0x0F) << 4) | (e.b[5] & 0x01));
        }
    }
    s.AnzSz = switching;
    s.AnzPz = priority;
    s.AnzEintrag = static_cast<int>(n);
    m.device.SwRegel = pick(0, 1) ? SwEuropa : SwTabelle;
    s.SoWiJahr = 2024 - 1996;
    s.SoWiInfo = 1;
    for (std::size_t r = 0; r < 6; ++r)
        s.SoWiTab[r] = EncodeDstRow(DstEntry{{pick(1, 28), pick(1, 12), 2, 1}, {pick(1, 28), pick(1, 12), 3, 1}});
    s.AnzSoWi = 6;

    const std::size_t astroChannels = bus ? 4 : m.device.Uhrentyp == kFamily752 ? 1
                                                                                : 0;
    m.device.AstroC1C2 = pick(0, 1);
    AstroProgram& a = s.astro;
    for (std::size_t c = 0; c < astroChannels; ++c) {
        if (pick(0, 4) == 0) continue;
        const int polarFrom = pick(0, 365), polarLength = pick(0, 3) == 0 ? pick(1, 40) : 0;
        for (int d = 0; d < 366; ++d) { // OFF at sunrise, ON at sunset
            AstroDay& day = a.AstroTab[c][static_cast<std::size_t>(d)];
            const int swing = d < 183 ? d : 365 - d;
            day = AstroDay{pick(0, 9) == 0 ? pick(1380, 1439) : 480 - swing, pick(0, 9) == 0 ? pick(1300, 1439) : 960 + swing, 0, -1};
            if (d >= polarFrom && d < polarFrom + polarLength) day.rise = day.set = m.device.KeineZeit;
        }
        a.AstroAktiv[c + 1] = a.AstroAktiv[0] = -1;
        a.AstroGrenze[c] = AstroLimits{pick(300, 420), pick(1000, 1439), 0, -1};
        std::tie(a.AstroOffsetAuf, a.AstroOffsetUnter) = std::tuple{pick(-30, 30), pick(-30, 30)};
    }
    SortProgram(m, 1, kProgramSlot);
    return m;
}

namespace {

// The entries of an annual switch read back in the bus format: one channel
// per entry, 3-bit priorities, priority times without a year.
void ToBusFormat(ProgramSlot& s, std::mt19937& random)
{
    for (int i = 0; i < s.AnzEintrag; ++i) {
        Entry& e = s.Eintrag[static_cast<std::size_t>(i)];
        const int mask = EntryChannels(e, false);
        const int channel = (mask == 0 ? 1 : std::countr_zero(static_cast<unsigned>(mask)) + 1) + (random() % 2 ? 4 : 0);
        const int state = EntryState(e, false), priority = EntryPriority(e, false);
        const int busPriority = priority == kPermanentPriority ? priority : std::min(priority, 7);
        if (IsPriorityTimeByte(e.b[0]) && e.b[0] == kEasterMarker)
            e = BuildEasterEntry(((e.b[1] & 0xF0) | (e.b[5] >> 4)) - kEasterOffsetBias, busPriority, channel, state, true);
        else if (IsPriorityTimeByte(e.b[0]))
            e = BuildPriorityEntryEib(e.b[1] >> 4 | (e.b[0] & 1) << 4, (e.b[0] - 0x60) / 2, EntryDay(e), e.b[5] >> 4, EntryOnce(e, false) != 0, busPriority, channel, state);
        else if (e.b[0] >= 0x80)
            e = BuildWeeklyEntryEib(EntryTime(e), e.b[3] & 0x7F, channel, state, EntryPulse(e), std::min(priority, 7));
        else
            e = BuildDatedEntryEib(EntryTime(e), EntryDay(e), EntryMonth(e), channel, state, EntryPulse(e), EntryOnce(e, false) != 0);
    }
}

// Letters of the three languages, digits, blanks and the punctuation of names
// of rooms and lights ("Halle 2 (Süd) – Nord"); never a comma.
QString RandomText(std::mt19937& random, int length)
{
    static const QString pool = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZäöüÄÖÜßéèêàçœ€0123456789 ./-()&'\"#:;–");
    QString text;
    for (int i = 0; i < length; ++i) text += pool[static_cast<qsizetype>(random() % static_cast<unsigned>(pool.size()))];
    return text;
}

} // namespace

ProgramModel RandomProgram(int row, int seed)
{
    std::mt19937 random(static_cast<unsigned>(seed) * 2654435761u + 29u);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const DeviceTypeRow& type = DeviceTypeTable()[static_cast<std::size_t>(row - 1)];
    const int busChannels = pick(1, 16);
    ProgramModel m = RandomSimulationProgram(row, seed, pick(0, 40), pick(0, 12), busChannels);
    DeviceSettings& d = m.device;
    ProgramSlot& s = m.program();
    if (type.Uhrentyp == kFamily731 && pick(0, 5) == 0) {
        d.EibFormat = 1;
        ToBusFormat(s, random);
        SortProgram(m, 1, kProgramSlot);
    }
    // The rule, and a table of up to 20 years that it may or may not use.
    d.SwRegel = pick(0, 4);
    s.AnzSoWi = d.SwRegel == 4 ? pick(1, kDstRows) : pick(0, 3) == 0 ? pick(1, kDstRows)
                                                                     : 0;
    s.SoWiJahr = pick(20, 34);
    s.SoWiInfo = pick(0, 1);
    for (int r = 0; r < kDstRows; ++r)
        s.SoWiTab[static_cast<std::size_t>(r)] = r < s.AnzSoWi ? EncodeDstRow(DstEntry{{pick(1, 28), pick(1, 12), pick(0, 23), pick(1, 2)}, {pick(1, 28), pick(1, 12), pick(0, 23), pick(1, 2)}}) : DstRow{};
    d.Datumsformat = pick(0, 1);
    if (type.Uhrentyp != kFamily752) d.SpracheUhr = pick(0, 1); // the astro device keeps no clock language
    std::tie(d.Funk, d.Nak, d.Dauertaste) = std::tuple{pick(0, 1), pick(0, 1), pick(0, 1)};
    if (pick(0, 3) == 0) d.Geraetekennung |= 0x80;
    d.MasterKennung = type.Uhrentyp == kFamily752 ? 0 : pick(0, 1) ? pick(0, 255)
                                                                   : 0;
    s.ProgNr = pick(0, 1) ? pick(0, 999999) : kNoProgramNumber;
    s.Schreibschutz = pick(0, 1);
    if (type.Evu && pick(0, 3) != 0)
        std::tie(d.MessKanal, d.MessPeriode, d.MessImpDauer, d.MessZustand, d.MessZeitpunkt) = std::tuple{pick(1, type.Kanalzahl), kMeterPeriods[static_cast<std::size_t>(pick(0, static_cast<int>(kMeterPeriods.size()) - 1))], pick(1, kMaxMeterPulseSeconds), pick(0, 1), pick(0, 1)};
    AstroProgram& a = s.astro;
    if (type.Uhrentyp != kFamily731) {
        std::tie(a.AstroLaenge, a.AstroBreite, a.AstroZone, a.AstroOffsetAuf, a.AstroOffsetUnter) = std::tuple{static_cast<float>(pick(-360, 360)) / 2.0f, static_cast<float>(pick(-130, 130)) / 2.0f, 15 * pick(-56, 56), pick(-120, 120), pick(-120, 120)};
        // The astro dialog's OK on some channels: the sun's times of the place
        // with the limits written in, under the rule chosen above.
        for (int c = 0; c < (type.Uhrentyp == kFamily738 ? kAstroChannels : 1); ++c) {
            if (pick(0, 1) == 0) continue;
            AstroSettings settings;
            settings.location = {a.AstroLaenge, a.AstroBreite, a.AstroZone, a.AstroOffsetAuf, a.AstroOffsetUnter};
            settings.morningLimit = pick(0, 1) ? pick(240, 540) : 0;
            settings.eveningLimit = pick(0, 1) ? pick(1020, 1439) : 1439;
            StoreAstroProgram(m, settings, c);
        }
    }
    // Typed into the fields of the main window.
    auto text = [&] { const int kind = pick(0, 3); return RandomText(random, kind == 0 ? 0 : kind == 3 ? 255 : pick(1, 30)); };
    CommitDescription(m, text());
    for (int c = 0; c < d.Kanalzahl; ++c) CommitChannelName(m, ChannelCaption(c + 1), text());
    return m;
}

} // namespace zendrik::test

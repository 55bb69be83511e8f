#include "editing/checks/ProgramChecks.h"
#include "calendar/AstroTable.h"
#include "calendar/SoWiZeitzone.h"
#include "calendar/SommerzeitTage.h"
#include "model/DstRowCodec.h"
#include "model/EntryBuilder.h"
#include "model/ProgramSort.h"
#include "tests/support/TestPrograms.h"
#include "util/CalendarMath.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace zendrik;
using namespace zendrik::test;

namespace {

constexpr int kYear = 2026; // the test clock's year: today is 6 December 2026
constexpr int kDaily = 127;
constexpr int kMoFr = 0b0011111;

int Hm(int h, int m) { return h * 60 + m; }

ProgramModel Program(std::initializer_list<Entry> entries, int row = 4)
{
    ProgramModel m = modelForRow(row);
    for (const Entry& e : entries) addEntry(m, e);
    SortProgram(m, 1, kProgramSlot);
    return m;
}

Findings Of(const ProgramModel& m, CheckId id, int year = kYear, int language = 1)
{
    Findings all = RunAllChecks(m, textsIn(language), year);
    std::erase_if(all, [id](const Finding& f) { return f.check != id; });
    return all;
}

// Channel 1 daily ON and OFF (no other check speaks), `more` entries beside.
Entry DayOn() { return BuildWeeklyEntry(Hm(7, 0), kDaily, 1, 1, 0, 0); }
Entry DayOff() { return BuildWeeklyEntry(Hm(19, 0), kDaily, 1, 0, 0, 0); }
ProgramModel Day(std::initializer_list<Entry> more = {})
{
    ProgramModel m = Program({DayOn(), DayOff()});
    for (const Entry& e : more) addEntry(m, e);
    SortProgram(m, 1, kProgramSlot);
    return m;
}
Entry Dated(int day, int month) { return BuildDatedEntry(Hm(8, 0), day, month, 1, 0, 0, false); }
Entry Daily(int minute, int channels = 1, int priority = 0) { return BuildWeeklyEntry(minute, kDaily, channels, 1, 0, priority); }

// The table counts from 2024: row 3 is 2026.
ProgramModel Tabled(ProgramModel m, DstEntry for2026 = {{15, 4, 4, 1}, {20, 10, 3, 1}})
{
    ProgramSlot& s = m.program();
    std::tie(m.device.SwRegel, s.SoWiJahr, s.SoWiInfo, s.AnzSoWi) = std::tuple(SwTabelle, 2024 - 1996, 1, 3);
    s.SoWiTab[0] = EncodeDstRow(DstEntry{{31, 3, 2, 1}, {27, 10, 3, 1}});
    s.SoWiTab[1] = EncodeDstRow(DstEntry{{30, 3, 2, 1}, {26, 10, 3, 1}});
    s.SoWiTab[2] = EncodeDstRow(for2026);
    return m;
}

// Bus device astro channel 1: sunrise 5:00, sunset 20:00, limits applied as the astro dialog does.
ProgramModel AstroProgram738(int morningLimit, int noTimeDays, int swRegel = SwKeine)
{
    ProgramModel m = Program({}, 20);
    m.device.SwRegel = swRegel;
    AstroProgram& a = m.program().astro;
    AstroYear sun{};
    for (int d = 0; d < kAstroYearDays; ++d) sun[static_cast<std::size_t>(d)] = AstroTimes{d < noTimeDays ? m.device.KeineZeit : Hm(5, 0), Hm(20, 0)};
    ApplyAstroLimits(sun, AstroLocation{}, kFamily738, morningLimit, Hm(23, 0), AstroSummerDaysFrom(swRegel, m.program(), kYear));
    for (int d = 0; d < kAstroYearDays; ++d) a.AstroTab[0][static_cast<std::size_t>(d)] = AstroDay{sun[static_cast<std::size_t>(d)].rise, Hm(20, 0), 0, -1};
    a.AstroAktiv[0] = a.AstroAktiv[1] = -1;
    a.AstroGrenze[0] = AstroLimits{morningLimit, Hm(23, 0), 0, -1};
    return m;
}

// A program of `entries` daily switchings, ON and OFF in turn.
ProgramModel Filled(int entries)
{
    ProgramModel m = Program({});
    for (int i = 0; i < entries; ++i) addEntry(m, BuildWeeklyEntry(i, kDaily, 1, i % 2, 0, 0));
    return m;
}

ProgramModel WithRule(ProgramModel m, int rule)
{
    m.device.SwRegel = rule;
    return m;
}

// The table filled from Europe/Berlin so that 2026 is one of its years.
ProgramModel BerlinTable(ProgramModel m)
{
    FillSoWiTabelleFuerJahr(m, QByteArrayLiteral("Europe/Berlin"), kYear);
    return m;
}

// For each check a program that triggers it and a close variant that must not.
struct CheckCase {
    const char* name;
    CheckId check;
    std::function<ProgramModel()> triggers, close;
};

const CheckCase kCases[] = {
    {"weekday sets overlap", CheckId::SameMinuteClash,
     [] { return Program({BuildWeeklyEntry(Hm(7, 0), kMoFr, 1, 1, 0, 0), BuildWeeklyEntry(Hm(7, 0), 0b1110000, 1, 0, 0, 0), DayOff()}); },
     [] { return Program({BuildWeeklyEntry(Hm(7, 0), kMoFr, 1, 1, 0, 0), BuildWeeklyEntry(Hm(7, 0), 0b1100000, 1, 0, 0, 0), DayOff()}); }},
    // 3 December 2026 is a Thursday, the 5th a Saturday.
    {"dated against weekly", CheckId::SameMinuteClash,
     [] { return Program({BuildWeeklyEntry(Hm(7, 0), kMoFr, 1, 1, 0, 0), BuildDatedEntry(Hm(7, 0), 3, 12, 1, 0, 0, false), DayOff()}); },
     [] { return Program({BuildWeeklyEntry(Hm(7, 0), kMoFr, 1, 1, 0, 0), BuildDatedEntry(Hm(7, 0), 5, 12, 1, 0, 0, false), DayOff()}); }},
    {"two dated entries on the same day", CheckId::SameMinuteClash,
     [] { return Day({BuildDatedEntry(Hm(8, 0), 24, 12, 1, 1, 0, false), Dated(24, 12)}); }, [] { return Day({BuildDatedEntry(Hm(8, 0), 24, 12, 1, 1, 0, false), Dated(25, 12)}); }},
    {"P3 never called", CheckId::UncalledPriorityProgram, [] { return Day({Daily(Hm(9, 0), 1, 3), BuildWeeklyEntry(Hm(10, 0), kDaily, 1, 0, 0, 3)}); },
     [] { return Day({Daily(Hm(9, 0), 1, 3), BuildWeeklyEntry(Hm(10, 0), kDaily, 1, 0, 0, 3), BuildPriorityEntry(1, 8, 5, 8, 0, false, 3, 1, 0)}); }},
    {"P2 leaves a channel alone", CheckId::PriorityWithoutTimes, [] { return Day({Daily(Hm(9, 0), 0b01, 2), BuildPriorityEntry(1, 8, 5, 8, 0, false, 2, 0b11, 0)}); },
     [] { return Day({Daily(Hm(9, 0), 0b11, 2), BuildPriorityEntry(1, 8, 5, 8, 0, false, 2, 0b11, 0)}); }},
    {"series ends next year", CheckId::ExpiringSeries,
     [] { return Day({BuildPriorityEntry(18, 11, 18, 11, 2026 - 1936, true, 10, 1, 0), BuildPriorityEntry(17, 11, 17, 11, 2027 - 1936, true, 10, 1, 0)}); },
     [] { return Day({BuildPriorityEntry(18, 11, 18, 11, 2027 - 1936, true, 10, 1, 0), BuildPriorityEntry(17, 11, 17, 11, 2030 - 1936, true, 10, 1, 0)}); }},
    {"table: 4:20 skipped on 15 April", CheckId::SkippedHour, [] { return Tabled(Program({Daily(Hm(4, 20)), DayOff()})); }, [] { return Tabled(Program({Daily(Hm(5, 20)), DayOff()})); }},
    {"table: 2:30 runs twice on 20 October", CheckId::RepeatedHour, [] { return Tabled(Program({Daily(Hm(2, 30)), DayOff()})); }, [] { return Tabled(Program({Daily(Hm(3, 0)), DayOff()})); }},
    {"astro: morning limit after sunrise", CheckId::AstroLimited, [] { return AstroProgram738(Hm(6, 0), 0); }, [] { return AstroProgram738(Hm(4, 0), 0); }},
    {"astro: days without sunrise", CheckId::AstroSuppressed, [] { return AstroProgram738(0, 10); }, [] { return AstroProgram738(0, 0); }},
    {"29 February", CheckId::LeapDay, [] { return Day({Dated(29, 2)}); }, [] { return Day({Dated(28, 2)}); }},
    {"31 April", CheckId::ImpossibleDate, [] { return Day({Dated(31, 4)}); }, [] { return Day({Dated(30, 4)}); }},
    {"only OFF", CheckId::NeverOn, [] { return Program({DayOff()}); }, [] { return Day(); }},
    {"only ON", CheckId::NeverOff, [] { return Program({DayOn()}); }, [] { return Day(); }},
    {"no changeover while switching", CheckId::NoChangeover, [] { return WithRule(Day(), SwKeine); }, [] { return WithRule(Day(), SwEuropa); }},
    {"table ends in 2026", CheckId::TableRunsOut, [] { return Tabled(Day(), {{29, 3, 2, 1}, {25, 10, 3, 1}}); }, [] { return BerlinTable(Day()); }},
    // In 2026 the Sunday before 29 October is London's last Sunday of October.
    {"USA rule against New York", CheckId::RuleDiffersFromZone, [] { return WithRule(Day(), SwUsa); }, [] { return WithRule(Day(), SwGrossbritannien); }},
    {"astro on the back day", CheckId::ChangeoverDayAstro, [] { return WithRule(AstroProgram738(0, 0), SwEuropa); }, [] { return WithRule(AstroProgram738(0, 0), SwKeine); }},
    {"table row on a Monday", CheckId::TableWeekday, [] { return Tabled(Day(), {{30, 3, 2, 1}, {25, 10, 3, 1}}); }, [] { return BerlinTable(Day()); }},
    // 308 of 324 entries are 95.1 %, 307 are 94.8 %.
    {"95 % of the memory", CheckId::MemoryNearlyFull, [] { return Filled(308); }, [] { return Filled(307); }},
};

// Each check finds its program and stays silent on the close variant. Every finding (severity, rows in the switching S or priority P list, channel,
// first day, days, the zone that mends it, the message in the language asked) of programs that show them: tests/data/golden/checks.txt.
TEST(ProgramChecks, EachCheckFindsItsCaseAndAllFindingsInDetail)
{
    const auto at = [](int minute, int rule, std::optional<Entry> more = std::nullopt) {
        ProgramModel m = Program({Daily(minute), DayOff()});
        if (more) addEntry(m, *more);
        SortProgram(m, 1, kProgramSlot);
        return WithRule(m, rule);
    };
    // A table checked in each of its years: 2025 back at 3:00 by two hours, 2026 forward at 4:00.
    ProgramModel table = Tabled(at(Hm(1, 10), SwKeine));
    table.program().SoWiTab[1] = EncodeDstRow(DstEntry{{30, 3, 2, 1}, {26, 10, 3, 2}});
    // The astro channel at a place (longitude west positive, zone the negative of the displayed one).
    const auto place = [](float laenge, float breite, int zone, int rule) {
        ProgramModel m = WithRule(AstroProgram738(0, 0), rule);
        std::tie(m.program().astro.AstroLaenge, m.program().astro.AstroBreite, m.program().astro.AstroZone) = std::tuple(laenge, breite, zone);
        return m;
    };
    const auto past = [](int fromDay, int fromMonth, int toDay, int toMonth, int year) { return Day({BuildPriorityEntry(fromDay, fromMonth, toDay, toMonth, year - 1936, true, 10, 1, 0)}); };
    const std::tuple<const char*, ProgramModel, int, int> programs[] = {
        {"clash Mo-Fr against Fr-Su", Program({BuildWeeklyEntry(Hm(7, 0), kMoFr, 0b11, 1, 0, 0), BuildWeeklyEntry(Hm(7, 0), 0b1110000, 0b10, 0, 0, 0)}), kYear, 1},
        {"a pulse at the same minute", Program({BuildWeeklyEntry(Hm(7, 0), kMoFr, 1, 1, 0, 0), BuildWeeklyEntry(Hm(7, 0), kMoFr, 1, 0, 3, 0)}), kYear, 1},
        {"P2 leaves C1 alone", Day({Daily(Hm(9, 0), 0b01, 2), BuildPriorityEntry(1, 8, 5, 8, 0, false, 2, 0b11, 0)}), kYear, 1},
        // Europe; Great Britain an hour earlier; the USA forward before 15 April, back on the last Sunday of October.
        {"Europe 2:30", at(Hm(2, 30), SwEuropa), kYear, 1},
        {"UK 2:30", at(Hm(2, 30), SwGrossbritannien), kYear, 1},
        {"UK 1:30", at(Hm(1, 30), SwGrossbritannien), kYear, 1},
        {"USA 2:30", at(Hm(2, 30), SwUsa), kYear, 1},
        {"USA 1:30", at(Hm(1, 30), SwUsa), kYear, 1},
        {"held by a permanent priority time in March", at(Hm(2, 30), SwEuropa, BuildPriorityEntry(28, 3, 30, 3, 0, false, 10, 1, 0)), kYear, 1},
        {"table", table, kYear, 1},
        {"astro: sunrise 5:00, morning limit 6:00", AstroProgram738(Hm(6, 0), 0), kYear, 1},
        {"astro: 10 days without sunrise", AstroProgram738(0, 10), kYear, 1},
        {"astro on the back day", WithRule(AstroProgram738(0, 0), SwEuropa), 2027, 1},
        {"only ON", Program({DayOn()}), kYear, 2},
        {"only ON", Program({DayOn()}), kYear, 3},
        {"UK rule", WithRule(Day(), SwGrossbritannien), 2027, 2},
        {"Hamburg, UK rule", place(-10.0f, 53.5f, -60, SwGrossbritannien), 2027, 1},
        {"London, Europe rule", place(0.0f, 51.5f, 0, SwEuropa), 2027, 1},
        {"London, no changeover", place(0.0f, 51.5f, 0, SwKeine), 2027, 1},
        {"Reykjavik keeps standard time", place(22.0f, 64.0f, 0, SwKeine), 2027, 1},
        // Today is 6 December 2026; over the year end a priority time ends in 2027.
        {"1-5 December 2026", past(1, 12, 5, 12, 2026), kYear, 1},
        {"1-5 August 2025", past(1, 8, 5, 8, 2025), kYear, 1},
        {"24-26 December 2026", past(24, 12, 26, 12, 2026), kYear, 1},
        {"28 December - 2 January 2026", past(28, 12, 2, 1, 2026), kYear, 1},
        {"1-5 August 2027", past(1, 8, 5, 8, 2027), kYear, 1},
    };
    QString text;
    for (const CheckCase& c : kCases) {
        EXPECT_FALSE(Of(c.triggers(), c.check).empty()) << c.name;
        EXPECT_TRUE(Of(c.close(), c.check).empty()) << c.name;
    }
    for (const auto& [name, m, year, language] : programs) {
        text += QStringLiteral("== %1, %2, language %3\n").arg(QLatin1String(name)).arg(year).arg(language);
        for (const Finding& f : RunAllChecks(m, textsIn(language), year)) {
            QStringList rows;
            for (const int e : f.entries) rows << (ListRowOf(m, kProgramSlot, e).priorityList ? u'P' : u'S') + QString::number(ListRowOf(m, kProgramSlot, e).row);
            text += QStringLiteral("%1 (%2) rows [%3] channel %4, %5.%6.%7, %8 days, zone [%9]: %10\n")
                        .arg(QLatin1String(CheckKey(f.check))).arg(int(f.severity)).arg(rows.join(u' ')).arg(f.channel).arg(f.day).arg(f.month).arg(f.year).arg(f.days).arg(QLatin1String(f.zone), f.message);
        }
    }
    expectGolden(QStringLiteral("golden/checks.txt"), text);
    // With summer time the morning limit counts the days the astro list shows at the limit (not those near the changeovers, where the table keeps the
    // limit in winter time); every check is explained.
    const ProgramModel summer = AstroProgram738(Hm(6, 0), 0, SwEuropa);
    int atLimit = 0;
    for (int d = 1; d <= DaysInYear(kYear); ++d) atLimit += ShownAstroTimes(summer, kProgramSlot, 0, d, kYear).rise == Hm(6, 0);
    EXPECT_EQ(Of(summer, CheckId::AstroLimited).at(0).days, atLimit);
    EXPECT_TRUE(atLimit > 350 && atLimit < 365) << atLimit;
    for (int i = 0; i < kCheckCount; ++i) {
        const auto id = static_cast<CheckId>(i);
        for (const ExtraText* t : {&CheckName(id), &CheckExplanation(id)}) EXPECT_TRUE(std::strcmp(t->de, t->en) && std::strcmp(t->fr, t->en)) << CheckKey(id) << " is explained in each language";
    }
    // The table of the zone a finding names mends it.
    ProgramModel m2 = WithRule(Day(), SwGrossbritannien);
    const Findings all = Of(m2, CheckId::RuleDiffersFromZone, 2027, 2);
    ASSERT_EQ(all.size(), 1u);
    const QByteArray zone = all.front().zone;
    ASSERT_TRUE(FillSoWiTabelleFuerJahr(m2, zone, 2027).ok());
    EXPECT_EQ(m2.device.SwRegel, SwTabelle);
    EXPECT_EQ(SommerzeitTageVon(SwTabelle, m2.program(), 2027), ZonenTage(zone, 2027));
    for (const CheckId id : {CheckId::RuleDiffersFromZone, CheckId::TableRunsOut, CheckId::TableWeekday}) EXPECT_TRUE(Of(m2, id, 2027).empty()) << CheckKey(id);
}

} // namespace

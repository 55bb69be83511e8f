#include "calendar/YearSimulation.h"
#include "editing/EntryBuilder.h"
#include "tests/calendar/SimulationFixtures.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

#include <random>

using namespace zendrik;
using namespace zendrik::test;

namespace {

using S = std::vector<Stretch>;

// Base program 6:00 ON .. 22:00 OFF every day on channels 1 and 2, and
// program P3 10:00 ON .. 12:00 OFF; P3 runs on channel 1 from 10 to 12 March.
ProgramModel PriorityThreeProgram()
{
    ProgramModel m = EmptyProgram(kRowFourChannels);
    AddSixToTwentyTwo(m, kC1 | kC2);
    addEntry(m, BuildWeeklyEntry(Hm(10, 0), kDaily, kC1 | kC2, 1, 0, 3));
    addEntry(m, BuildWeeklyEntry(Hm(12, 0), kDaily, kC1 | kC2, 0, 0, 3));
    addEntry(m, BuildPriorityEntry(10, 3, 12, 3, 0, false, 3, kC1, 0));
    return m;
}

} // namespace

TEST(YearSimulation, PriorityThreeDayRunsOnlyProgramThreeOnItsChannels)
{
    const ProgramModel m = PriorityThreeProgram();
    const YearSimulation sim(m, 2026);
    for (int day = 10; day <= 12; ++day) {
        EXPECT_EQ(sim.Prioritaeten()(0, Doy(day, 3, 2026)), 3);
        EXPECT_EQ(sim.Prioritaeten()(1, Doy(day, 3, 2026)), 0);
    }
    EXPECT_EQ(sim.Prioritaeten()(0, Doy(9, 3, 2026)), 0);
    EXPECT_EQ(sim.Prioritaeten()(0, Doy(13, 3, 2026)), 0);

    const DayProfile p3 = sim.Rechne_SzGrafik(0, Doy(11, 3, 2026));
    EXPECT_EQ(p3.prioritaet, 3);
    EXPECT_EQ(Stretches(p3), (S{{0, 600, 0}, {600, 720, 1}, {720, 1440, 0}}));
    EXPECT_EQ(p3.betriebsMinuten, 120);

    const DayProfile base = sim.Rechne_SzGrafik(1, Doy(11, 3, 2026));
    EXPECT_EQ(Stretches(base), (S{{0, 360, 0}, {360, 1320, 1}, {1320, 1440, 0}}));
    EXPECT_EQ(base.betriebsMinuten, 960);
    EXPECT_EQ(sim.Betriebsminuten(0, Doy(13, 3, 2026)), 960);

    // Channel 1: 362 days of the base program and three of P3.
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), 362 * 960 + 3 * 120);
    EXPECT_EQ(sim.Jahresbetriebsminuten(1), 365 * 960);
}

TEST(YearSimulation, PriorityProgramWithoutSwitchingTimesKeepsTheChannelOff)
{
    ProgramModel m = EmptyProgram(kRowFourChannels);
    addEntry(m, BuildWeeklyEntry(Hm(0, 0), kDaily, kC1, 1, 0, 0));
    addEntry(m, BuildPriorityEntry(1, 8, 2, 8, 0, false, 6, kC1, 0));
    const YearSimulation sim(m, 2026);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(1, 8, 2026))), (S{{0, 1440, 0}}));
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), 363 * 1440);
}

TEST(YearSimulation, LaterOverlappingPriorityTimeDecides)
{
    for (const bool laterIsFive : {true, false}) {
        ProgramModel m = EmptyProgram(kRowFourChannels);
        const Entry p2 = BuildPriorityEntry(1, 6, 30, 6, 0, false, 2, kC1, 0);
        const Entry p5 = BuildPriorityEntry(15, 6, 20, 7, 0, false, 5, kC1, 0);
        addEntry(m, laterIsFive ? p2 : p5);
        addEntry(m, laterIsFive ? p5 : p2);
        const TagPrio prio(m, 2026);
        EXPECT_EQ(prio(0, Doy(31, 5, 2026)), 0);
        EXPECT_EQ(prio(0, Doy(14, 6, 2026)), 2);
        for (int day = 15; day <= 30; ++day)
            EXPECT_EQ(prio(0, Doy(day, 6, 2026)), laterIsFive ? 5 : 2) << day;
        EXPECT_EQ(prio(0, Doy(1, 7, 2026)), 5);
        EXPECT_EQ(prio(0, Doy(20, 7, 2026)), 5);
        EXPECT_EQ(prio(0, Doy(21, 7, 2026)), 0);
        EXPECT_EQ(prio(1, Doy(20, 6, 2026)), 0);
    }
}

TEST(YearSimulation, PermanentOffOverTheYearEndCoversBothEndsOfTheYear)
{
    for (const int year : {2026, 2028}) {
        ProgramModel m = EmptyProgram(kRowFourChannels);
        addEntry(m, BuildWeeklyEntry(Hm(0, 0), kDaily, kC1 | kC2, 1, 0, 0));
        addEntry(m, BuildPriorityEntry(24, 12, 6, 1, 0, false, 10, kC1, 0));
        addEntry(m, BuildPriorityEntry(1, 8, 2, 8, 0, false, 10, 4, 1));   // channel 3 permanently ON
        const YearSimulation sim(m, year);
        const int last = QDate(year, 12, 31).dayOfYear();
        for (int d = 1; d <= last; ++d) {
            const bool holidays = d <= 6 || d >= Doy(24, 12, year);
            ASSERT_EQ(sim.Prioritaeten()(0, d), holidays ? kTagPrioPermanentAus : 0) << year << ' ' << d;
            ASSERT_EQ(sim.Betriebsminuten(0, d), holidays ? 0 : 1440) << year << ' ' << d;
        }
        EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, 1)), (S{{0, 1440, 0}}));
        EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, 7)), (S{{0, 1440, 1}}));
        EXPECT_EQ(sim.Jahresbetriebsminuten(0), (last - 14) * 1440);
        EXPECT_EQ(sim.Jahresbetriebsminuten(1), last * 1440);
        EXPECT_EQ(sim.Prioritaeten()(2, Doy(2, 8, year)), kTagPrioPermanentEin);
        EXPECT_EQ(sim.Jahresbetriebsminuten(2), 2 * 1440);
    }
}

TEST(YearSimulation, StateAtMidnightComesFromASwitchingSixDaysBefore)
{
    ProgramModel m = EmptyProgram(kRowFourChannels);
    addEntry(m, BuildWeeklyEntry(Hm(20, 0), kMo, kC1, 1, 0, 0));
    addEntry(m, BuildWeeklyEntry(Hm(23, 0), kSu, kC1, 0, 0, 0));
    const YearSimulation sim(m, 2026);
    ASSERT_EQ(QDate(2026, 3, 2).dayOfWeek(), Qt::Monday);

    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(2, 3, 2026))), (S{{0, 1200, 0}, {1200, 1440, 1}}));
    for (int day = 3; day <= 7; ++day)
        EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(day, 3, 2026))), (S{{0, 1440, 1}})) << day;
    // Sunday: the Monday ON six days before is nearer than last Sunday's OFF.
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(8, 3, 2026))), (S{{0, 1380, 1}, {1380, 1440, 0}}));

    int expected = 0;
    for (QDate d(2026, 1, 1); d.year() == 2026; d = d.addDays(1))
        expected += d.dayOfWeek() == Qt::Monday ? 240 : d.dayOfWeek() == Qt::Sunday ? 1380 : 1440;
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), expected);
}

TEST(YearSimulation, DatedSwitchingOfThePreviousDayCarriesOver)
{
    ProgramModel m = EmptyProgram(kRowFourChannels);
    addEntry(m, BuildWeeklyEntry(Hm(23, 0), kDaily, kC1, 0, 0, 0));
    addEntry(m, BuildDatedEntry(Hm(23, 30), 4, 7, kC1, 1, 0, false));
    const YearSimulation sim(m, 2026);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(4, 7, 2026))), (S{{0, 1410, 0}, {1410, 1440, 1}}));
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(5, 7, 2026))), (S{{0, 1380, 1}, {1380, 1440, 0}}));
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(6, 7, 2026))), (S{{0, 1440, 0}}));
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), 30 + 1380);
}

TEST(YearSimulation, DatedSwitchingHoldsUntilTheNextOne)
{
    ProgramModel m = EmptyProgram(kRowFourChannels);
    addEntry(m, BuildDatedEntry(Hm(0, 0), 1, 5, kC1, 1, 0, false));
    addEntry(m, BuildDatedEntry(Hm(0, 0), 1, 10, kC1, 0, 0, false));
    const YearSimulation sim(m, 2026);
    EXPECT_EQ(sim.Betriebsminuten(0, 1), 0);
    EXPECT_EQ(sim.Betriebsminuten(0, Doy(15, 8, 2026)), 1440);
    // 1 May to 30 September.
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), (31 + 30 + 31 + 31 + 30) * 1440);
}

TEST(YearSimulation, DatedSwitchingOutweighsWeeklyOneOfTheSameMinute)
{
    ProgramModel m = EmptyProgram(kRowFourChannels);
    addEntry(m, BuildWeeklyEntry(Hm(6, 0), kDaily, kC1, 0, 0, 0));
    addEntry(m, BuildWeeklyEntry(Hm(18, 0), kDaily, kC1, 1, 0, 0));
    addEntry(m, BuildDatedEntry(Hm(18, 0), 5, 5, kC1, 0, 0, false));
    const YearSimulation sim(m, 2026);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(5, 5, 2026))), (S{{0, 360, 1}, {360, 1440, 0}}));
    // The next day starts in the state the graph ended with.
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(6, 5, 2026))), (S{{0, 1080, 0}, {1080, 1440, 1}}));
}

TEST(YearSimulation, PulsesLastOneMinuteAndLeaveTheStateAsItWas)
{
    ProgramModel m = EmptyProgram(kRowFourChannels);
    AddSixToTwentyTwo(m, kC1);
    addEntry(m, BuildWeeklyEntry(Hm(12, 0), kDaily, kC1, 0, 3, 0));     // OFF pulse 3 s
    addEntry(m, BuildWeeklyEntry(Hm(12, 0), kDaily, kC2, 1, 5, 0));     // bell: ON pulse 5 s
    addEntry(m, BuildWeeklyEntry(Hm(8, 0), kDaily, 4, 1, 0, 0));
    addEntry(m, BuildWeeklyEntry(Hm(8, 0), kDaily, 4, 1, 10, 0));
    addEntry(m, BuildWeeklyEntry(Hm(20, 0), kDaily, 4, 0, 0, 0));
    const YearSimulation sim(m, 2026);
    const int day = Doy(20, 5, 2026);

    const DayProfile c1 = sim.Rechne_SzGrafik(0, day);
    EXPECT_EQ(Stretches(c1), (S{{0, 360, 0}, {360, 720, 1}, {720, 721, 2}, {721, 1320, 1}, {1320, 1440, 0}}));
    EXPECT_EQ(c1.betriebsMinuten, 960);
    const DayProfile c2 = sim.Rechne_SzGrafik(1, day);
    EXPECT_EQ(Stretches(c2), (S{{0, 720, 0}, {720, 721, 3}, {721, 1440, 0}}));
    EXPECT_EQ(c2.betriebsMinuten, 0);
    const DayProfile c3 = sim.Rechne_SzGrafik(2, day);
    EXPECT_EQ(Stretches(c3), (S{{0, 480, 0}, {480, 481, 3}, {481, 1200, 1}, {1200, 1440, 0}}));
    EXPECT_EQ(c3.betriebsMinuten, 720);
    EXPECT_EQ(sim.Jahresbetriebsminuten(1), 0);
}

TEST(YearSimulation, CommonAndLeapYear)
{
    ProgramModel m = EmptyProgram(kRowFourChannels);
    AddSixToTwentyTwo(m, kC1);
    addEntry(m, BuildWeeklyEntry(Hm(23, 0), kDaily, kC2, 0, 0, 0));
    addEntry(m, BuildDatedEntry(Hm(12, 0), 29, 2, kC2, 1, 0, false));
    addEntry(m, BuildPriorityEntry(28, 2, 1, 3, 0, false, 1, 4, 0));

    const YearSimulation common(m, 2027);
    const YearSimulation leap(m, 2028);
    EXPECT_EQ(common.Tage(), 365);
    EXPECT_EQ(leap.Tage(), 366);
    EXPECT_EQ(common.Jahresbetriebsminuten(0), 365 * 960);
    EXPECT_EQ(leap.Jahresbetriebsminuten(0), 366 * 960);
    EXPECT_EQ(common.Jahresbetriebsminuten(1), 0);
    EXPECT_EQ(leap.Jahresbetriebsminuten(1), 660);
    EXPECT_EQ(Stretches(leap.Rechne_SzGrafik(1, Doy(29, 2, 2028))), (S{{0, 720, 0}, {720, 1380, 1}, {1380, 1440, 0}}));
    EXPECT_EQ(Stretches(leap.Rechne_SzGrafik(0, 366)), (S{{0, 360, 0}, {360, 1320, 1}, {1320, 1440, 0}}));

    int commonDays = 0;
    int leapDays = 0;
    for (int d = 1; d <= 366; ++d) {
        commonDays += common.Prioritaeten()(2, d) == 1;
        leapDays += leap.Prioritaeten()(2, d) == 1;
    }
    EXPECT_EQ(commonDays, 2);
    EXPECT_EQ(leapDays, 3);
}

TEST(YearSimulation, PriorityTimeBoundToAYearRunsIntoTheNextYear)
{
    ProgramModel m = EmptyProgram(kRowFourChannels);
    addEntry(m, BuildPriorityEntry(24, 12, 6, 1, 2026 - 1936, true, 7, kC1, 0));
    addEntry(m, BuildPriorityEntry(1, 7, 31, 8, 2027 - 1936, true, 4, kC2, 0));
    const TagPrio y2025(m, 2025);
    const TagPrio y2026(m, 2026);
    const TagPrio y2027(m, 2027);
    for (int d = 1; d <= 365; ++d) {
        const bool end2026 = d >= Doy(24, 12, 2026);
        ASSERT_EQ(y2025(0, d), 0) << d;
        ASSERT_EQ(y2026(0, d), end2026 ? 7 : 0) << d;
        ASSERT_EQ(y2027(0, d), d <= 6 ? 7 : 0) << d;
        const bool summer = d >= Doy(1, 7, 2027) && d <= Doy(31, 8, 2027);
        ASSERT_EQ(y2026(1, d), 0) << d;
        ASSERT_EQ(y2027(1, d), summer ? 4 : 0) << d;
    }
}

TEST(YearSimulation, EasterRelativePriorityTimeMovesWithEaster)
{
    // Good Friday (two days before Easter Sunday) P4 on channel 1, Easter
    // Monday permanently ON on channel 2.
    Entry goodFriday;
    goodFriday.b = {0x60, 0x54, 0, 0, kC1, 0x00};
    Entry easterMonday;
    easterMonday.b = {0x60, 0x5A, 0, 0, kC2, 0x31};
    ProgramModel m = EmptyProgram(kRowFourChannels);
    addEntry(m, goodFriday);
    addEntry(m, easterMonday);
    const TagPrio y2026(m, 2026);   // Easter Sunday 5 April 2026
    const TagPrio y2027(m, 2027);   // Easter Sunday 28 March 2027
    EXPECT_EQ(y2026(0, Doy(3, 4, 2026)), 4);
    EXPECT_EQ(y2026(1, Doy(6, 4, 2026)), kTagPrioPermanentEin);
    EXPECT_EQ(y2027(0, Doy(26, 3, 2027)), 4);
    EXPECT_EQ(y2027(1, Doy(29, 3, 2027)), kTagPrioPermanentEin);
    int covered = 0;
    for (int d = 1; d <= 365; ++d)
        covered += (y2026(0, d) != 0) + (y2026(1, d) != 0);
    EXPECT_EQ(covered, 2);
}

TEST(YearSimulation, SixteenChannelBusDeviceAddressesChannelsByNumber)
{
    ProgramModel m = EmptyProgram(kRowBus738);
    addEntry(m, BuildWeeklyEntry(Hm(7, 0), kDaily, 9, 1, 0, 0));    // channel 10
    addEntry(m, BuildWeeklyEntry(Hm(9, 0), kDaily, 9, 0, 0, 0));
    addEntry(m, BuildWeeklyEntry(Hm(8, 0), kDaily, 9, 1, 0, 2));
    addEntry(m, BuildWeeklyEntry(Hm(8, 30), kDaily, 9, 0, 0, 2));
    addEntry(m, BuildPriorityEntry(10, 3, 12, 3, 0, false, 2, 9, 0));
    const YearSimulation sim(m, 2026);
    ASSERT_EQ(sim.Kanaele(), 16);
    for (int c = 0; c < 16; ++c)
        EXPECT_EQ(sim.Prioritaeten()(c, Doy(11, 3, 2026)), c == 9 ? 2 : 0) << c;
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(9, Doy(11, 3, 2026))), (S{{0, 480, 0}, {480, 510, 1}, {510, 1440, 0}}));
    EXPECT_EQ(sim.Betriebsminuten(9, Doy(13, 3, 2026)), 120);
    EXPECT_EQ(sim.Jahresbetriebsminuten(1), 0);
}

TEST(YearSimulation, LeavesTheProgramUntouched)
{
    for (ProgramModel m : {canonical731(), canonical738(), canonical752()}) {
        m.Geaendert = 0;
        m.SortSpalteSz = 3;
        m.SortSpaltePz = 1;
        const ProgramSnapshot before = ProgramSnapshot::of(m);
        const auto astroBefore = m.program().astro.AstroTab;
        for (const int year : {2026, 2027, 2028}) {
            const YearSimulation sim(m, year);
            for (int c = 0; c < sim.Kanaele(); ++c) {
                sim.Jahresbetriebsminuten(c);
                sim.Rechne_SzGrafik(c, 1);
                sim.Rechne_SzGrafik(c, Doy(24, 12, year));
            }
        }
        EXPECT_TRUE(ProgramSnapshot::of(m) == before);
        EXPECT_TRUE(m.program().astro.AstroTab == astroBefore);
    }
}

TEST(YearSimulation, DaysOutsideTheYearGiveAnOffDay)
{
    const ProgramModel m = PriorityThreeProgram();
    const YearSimulation sim(m, 2027);
    for (const auto& [channel, day] : {std::pair{0, 0}, {0, 366}, {-1, 5}, {4, 5}}) {
        const DayProfile p = sim.Rechne_SzGrafik(channel, day);
        EXPECT_EQ(Stretches(p), (S{{0, 1440, 0}}));
        EXPECT_EQ(p.betriebsMinuten, 0);
    }
}

TEST(YearSimulation, ArbitraryEntryBytesGiveWholeDays)
{
    // Whatever a file or a device hands over: every day is covered exactly
    // and no channel is ON for more than the day.
    std::mt19937 random(99);
    auto byte = [&] { return static_cast<Byte>(std::uniform_int_distribution<int>(0, 255)(random)); };
    for (const int row : {kRowFourChannels, 5, kRowMeterTwoChannels, kRowAstro752, kRowBus738}) {
        ProgramModel m = EmptyProgram(row);
        m.device.EibFormat = row == 5 ? 1 : 0;
        m.device.MessKanal = byte() % 5;
        m.device.MessPeriode = byte() % 64;
        m.device.MessImpDauer = byte() % 64;
        m.device.MessZustand = byte() % 2;
        m.device.MessZeitpunkt = byte() % 2;
        ProgramSlot& s = m.program();
        for (int i = 0; i < 300; ++i) {
            Entry e;
            for (Byte& b : e.b)
                b = byte();
            s.Eintrag[static_cast<std::size_t>(i)] = e;
        }
        s.AnzSz = 300;
        s.AnzEintrag = 300;
        for (auto& table : s.astro.AstroTab) {
            for (AstroDay& day : table)
                day = AstroDay{byte() * 8 - 200, byte() * 8 - 200, byte() % 2 ? -1 : 0, 0};
        }
        s.astro.AstroAktiv.fill(-1);
        for (AstroLimits& limits : s.astro.AstroGrenze)
            limits = AstroLimits{byte() * 8 - 200, byte() * 8 - 200, 0, -1};
        for (const int year : {1993, 2028, 2099}) {
            const YearSimulation sim(m, year);
            for (int c = 0; c < sim.Kanaele(); ++c) {
                const std::vector<int> minutes = sim.BetriebsminutenJeTag(c);
                for (int d = 1; d <= sim.Tage(); d += 17) {
                    const DayProfile p = sim.Rechne_SzGrafik(c, d);
                    ASSERT_EQ(p.TotalLength(), 1440) << row << ' ' << year << ' ' << c << ' ' << d;
                    ASSERT_EQ(p.betriebsMinuten, minutes[static_cast<std::size_t>(d - 1)]);
                    ASSERT_GE(p.betriebsMinuten, 0);
                    ASSERT_LE(p.betriebsMinuten, 1440);
                }
            }
        }
    }
}

#include "calendar/BetriebsstundenText.h"
#include "calendar/YearSimulation.h"
#include "editing/EntryBuilder.h"
#include "language/TextTable.h"
#include "tests/calendar/SimulationFixtures.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

#include <random>

using namespace zendrik;
using namespace zendrik::test;

namespace {

using S = std::vector<Stretch>;

// The usual working day of the base program: ON at 6:00, OFF at 22:00 every day.
void AddSixToTwentyTwo(ProgramModel& model, int channels)
{
    addEntry(model, BuildWeeklyEntry(Hm(6, 0), kDaily, channels, 1, 0, 0));
    addEntry(model, BuildWeeklyEntry(Hm(22, 0), kDaily, channels, 0, 0, 0));
}

const S kSixToTwentyTwo{{0, 360, 0}, {360, 1320, 1}, {1320, 1440, 0}};

// Channel 2 of a meter-pulse switch measures every `period` minutes with a
// pulse of `seconds`; its switching times and priority times are ignored.
ProgramModel Meter(int period, int seconds, int zustand, int zeitpunkt)
{
    ProgramModel m = modelForRow(kRowMeterTwoChannels);
    m.device.MessKanal = 2;
    m.device.MessPeriode = period;
    m.device.MessImpDauer = seconds;
    m.device.MessZustand = zustand;
    m.device.MessZeitpunkt = zeitpunkt;
    AddSixToTwentyTwo(m, kC1 | kC2);
    addEntry(m, BuildPriorityEntry(1, 5, 31, 5, 0, false, 10, kC2, 1));
    return m;
}

} // namespace

TEST(YearSimulation, PriorityThreeDayRunsOnlyProgramThreeOnItsChannels)
{
    // P3 (10:00 ON .. 12:00 OFF) runs on channel 1 from 10 to 12 March.
    ProgramModel m = modelForRow(kRowFourChannels);
    AddSixToTwentyTwo(m, kC1 | kC2);
    addEntry(m, BuildWeeklyEntry(Hm(10, 0), kDaily, kC1 | kC2, 1, 0, 3));
    addEntry(m, BuildWeeklyEntry(Hm(12, 0), kDaily, kC1 | kC2, 0, 0, 3));
    addEntry(m, BuildPriorityEntry(10, 3, 12, 3, 0, false, 3, kC1, 0));
    const YearSimulation sim(m, 2026);
    for (int day = 9; day <= 13; ++day) {
        EXPECT_EQ(sim.Prioritaeten()(0, Doy(day, 3, 2026)), day >= 10 && day <= 12 ? 3 : 0) << day;
        EXPECT_EQ(sim.Prioritaeten()(1, Doy(day, 3, 2026)), 0) << day;
    }
    const DayProfile p3 = sim.Rechne_SzGrafik(0, Doy(11, 3, 2026));
    EXPECT_EQ(p3.prioritaet, 3);
    EXPECT_EQ(Stretches(p3), (S{{0, 600, 0}, {600, 720, 1}, {720, 1440, 0}}));
    EXPECT_EQ(p3.betriebsMinuten, 120);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(1, Doy(11, 3, 2026))), kSixToTwentyTwo);
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), 362 * 960 + 3 * 120);
    EXPECT_EQ(sim.Jahresbetriebsminuten(1), 365 * 960);
}

TEST(YearSimulation, LaterOverlappingPriorityTimeDecides)
{
    for (const bool laterIsFive : {true, false}) {
        ProgramModel m = modelForRow(kRowFourChannels);
        const Entry p2 = BuildPriorityEntry(1, 6, 30, 6, 0, false, 2, kC1, 0);
        const Entry p5 = BuildPriorityEntry(15, 6, 20, 7, 0, false, 5, kC1, 0);
        addEntry(m, laterIsFive ? p2 : p5);
        addEntry(m, laterIsFive ? p5 : p2);
        const TagPrio prio(m, 2026);
        EXPECT_EQ(prio(0, Doy(31, 5, 2026)), 0);
        EXPECT_EQ(prio(0, Doy(14, 6, 2026)), 2);
        for (int day = 15; day <= 30; ++day)
            EXPECT_EQ(prio(0, Doy(day, 6, 2026)), laterIsFive ? 5 : 2) << day;
        EXPECT_EQ(prio(0, Doy(20, 7, 2026)), 5);
        EXPECT_EQ(prio(0, Doy(21, 7, 2026)), 0);
        EXPECT_EQ(prio(1, Doy(20, 6, 2026)), 0);
    }
}

TEST(YearSimulation, PermanentOffOverTheYearEndCoversBothEndsOfTheYear)
{
    for (const int year : {2026, 2028}) {
        ProgramModel m = modelForRow(kRowFourChannels);
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
        EXPECT_EQ(sim.Jahresbetriebsminuten(2), 2 * 1440);
    }
}

TEST(YearSimulation, StateAtMidnightComesFromASwitchingSixDaysBefore)
{
    ProgramModel m = modelForRow(kRowFourChannels);
    addEntry(m, BuildWeeklyEntry(Hm(20, 0), kMo, kC1, 1, 0, 0));
    addEntry(m, BuildWeeklyEntry(Hm(23, 0), kSu, kC1, 0, 0, 0));
    const YearSimulation sim(m, 2026);
    // Monday 2 March .. Sunday 8 March: on Sunday the Monday ON six days
    // before is nearer than last Sunday's OFF.
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(2, 3, 2026))), (S{{0, 1200, 0}, {1200, 1440, 1}}));
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(5, 3, 2026))), (S{{0, 1440, 1}}));
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(8, 3, 2026))), (S{{0, 1380, 1}, {1380, 1440, 0}}));
    int expected = 0;
    for (QDate d(2026, 1, 1); d.year() == 2026; d = d.addDays(1))
        expected += d.dayOfWeek() == Qt::Monday ? 240 : d.dayOfWeek() == Qt::Sunday ? 1380 : 1440;
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), expected);
}

TEST(YearSimulation, DatedSwitchingCarriesOverAndOutweighsAWeeklyOne)
{
    ProgramModel m = modelForRow(kRowFourChannels);
    addEntry(m, BuildWeeklyEntry(Hm(23, 0), kDaily, kC1, 0, 0, 0));
    addEntry(m, BuildDatedEntry(Hm(23, 30), 4, 7, kC1, 1, 0, false));
    // Channel 2: ON at 18:00 daily, but OFF at that minute on 5 May.
    addEntry(m, BuildWeeklyEntry(Hm(6, 0), kDaily, kC2, 0, 0, 0));
    addEntry(m, BuildWeeklyEntry(Hm(18, 0), kDaily, kC2, 1, 0, 0));
    addEntry(m, BuildDatedEntry(Hm(18, 0), 5, 5, kC2, 0, 0, false));
    const YearSimulation sim(m, 2026);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(4, 7, 2026))), (S{{0, 1410, 0}, {1410, 1440, 1}}));
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(5, 7, 2026))), (S{{0, 1380, 1}, {1380, 1440, 0}}));
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), 30 + 1380);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(1, Doy(5, 5, 2026))), (S{{0, 360, 1}, {360, 1440, 0}}));
    // The next day starts in the state the graph ended with.
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(1, Doy(6, 5, 2026))), (S{{0, 1080, 0}, {1080, 1440, 1}}));
}

TEST(YearSimulation, PulsesLastOneMinuteAndLeaveTheStateAsItWas)
{
    ProgramModel m = modelForRow(kRowFourChannels);
    AddSixToTwentyTwo(m, kC1);
    addEntry(m, BuildWeeklyEntry(Hm(12, 0), kDaily, kC1, 0, 3, 0));     // OFF pulse 3 s
    addEntry(m, BuildWeeklyEntry(Hm(12, 0), kDaily, kC2, 1, 5, 0));     // bell: ON pulse 5 s
    addEntry(m, BuildWeeklyEntry(Hm(8, 0), kDaily, 4, 1, 0, 0));        // ON and a pulse at one minute
    addEntry(m, BuildWeeklyEntry(Hm(8, 0), kDaily, 4, 1, 10, 0));
    addEntry(m, BuildWeeklyEntry(Hm(20, 0), kDaily, 4, 0, 0, 0));
    const YearSimulation sim(m, 2026);
    const int day = Doy(20, 5, 2026);
    const DayProfile c1 = sim.Rechne_SzGrafik(0, day);
    EXPECT_EQ(Stretches(c1), (S{{0, 360, 0}, {360, 720, 1}, {720, 721, 2}, {721, 1320, 1}, {1320, 1440, 0}}));
    EXPECT_EQ(c1.betriebsMinuten, 960);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(1, day)), (S{{0, 720, 0}, {720, 721, 3}, {721, 1440, 0}}));
    EXPECT_EQ(sim.Jahresbetriebsminuten(1), 0);
    const DayProfile c3 = sim.Rechne_SzGrafik(2, day);
    EXPECT_EQ(Stretches(c3), (S{{0, 480, 0}, {480, 481, 3}, {481, 1200, 1}, {1200, 1440, 0}}));
    EXPECT_EQ(c3.betriebsMinuten, 720);
}

TEST(YearSimulation, CommonAndLeapYear)
{
    ProgramModel m = modelForRow(kRowFourChannels);
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
    EXPECT_EQ(Stretches(leap.Rechne_SzGrafik(0, 366)), kSixToTwentyTwo);
    int commonDays = 0;
    int leapDays = 0;
    for (int d = 1; d <= 366; ++d) {
        commonDays += common.Prioritaeten()(2, d) == 1;
        leapDays += leap.Prioritaeten()(2, d) == 1;
    }
    EXPECT_EQ(commonDays, 2);
    EXPECT_EQ(leapDays, 3);
}

TEST(YearSimulation, LeavesTheProgramUntouched)
{
    for (ProgramModel m : {canonical731(), canonical738(), canonical752()}) {
        m.Geaendert = 0;
        m.SortSpalteSz = 3;
        const ProgramSlot before = m.program();
        for (const int year : {2026, 2028}) {
            const YearSimulation sim(m, year);
            for (int c = 0; c < sim.Kanaele(); ++c) {
                sim.Jahresbetriebsminuten(c);
                sim.Rechne_SzGrafik(c, Doy(24, 12, year));
            }
        }
        EXPECT_EQ(m.program().Eintrag, before.Eintrag);
        EXPECT_EQ(m.program().AnzSz, before.AnzSz);
        EXPECT_EQ(m.program().AnzPz, before.AnzPz);
        EXPECT_EQ(m.program().astro.AstroTab, before.astro.AstroTab);
        EXPECT_EQ(m.Geaendert, 0);
        EXPECT_EQ(m.SortSpalteSz, 3);
    }
}

TEST(YearSimulation, ArbitraryEntryBytesGiveWholeDays)
{
    // Whatever a file or a device hands over: every day is covered exactly
    // and no channel is ON for more than the day.
    std::mt19937 random(99);
    auto byte = [&] { return static_cast<Byte>(std::uniform_int_distribution<int>(0, 255)(random)); };
    for (const int row : {kRowFourChannels, 5, kRowMeterTwoChannels, kRowAstro752, kRowBus738}) {
        ProgramModel m = modelForRow(row);
        m.device.EibFormat = row == 5 ? 1 : 0;
        m.device.MessKanal = byte() % 5;
        m.device.MessPeriode = byte() % 64;
        m.device.MessImpDauer = byte() % 64;
        m.device.MessZustand = byte() % 2;
        m.device.MessZeitpunkt = byte() % 2;
        ProgramSlot& s = m.program();
        for (int i = 0; i < 300; ++i) {
            for (Byte& b : s.Eintrag[static_cast<std::size_t>(i)].b)
                b = byte();
        }
        s.AnzSz = s.AnzEintrag = 300;
        for (auto& table : s.astro.AstroTab) {
            for (AstroDay& day : table)
                day = AstroDay{byte() * 8 - 200, byte() * 8 - 200, byte() % 2 ? -1 : 0, 0};
        }
        s.astro.AstroAktiv.fill(-1);
        for (AstroLimits& limits : s.astro.AstroGrenze)
            limits = AstroLimits{byte() * 8 - 200, byte() * 8 - 200, 0, -1};
        for (const int year : {1993, 2028, 2099}) {
            const YearSimulation sim(m, year);
            for (int c = -1; c <= sim.Kanaele(); ++c) {
                const std::vector<int> minutes = sim.BetriebsminutenJeTag(c);
                // Every 17th day, the last days of the year and the days just outside it.
                for (int d = 0; d <= sim.Tage() + 1; d += d + 17 < sim.Tage() ? 17 : 1) {
                    const DayProfile p = sim.Rechne_SzGrafik(c, d);
                    const bool inside = d >= 1 && d <= sim.Tage() && c >= 0 && c < sim.Kanaele();
                    ASSERT_EQ(p.TotalLength(), 1440) << row << ' ' << year << ' ' << c << ' ' << d;
                    ASSERT_EQ(p.betriebsMinuten, inside ? minutes[static_cast<std::size_t>(d - 1)] : 0);
                    ASSERT_GE(p.betriebsMinuten, 0);
                    ASSERT_LE(p.betriebsMinuten, 1440);
                }
            }
        }
    }
}

TEST(MeterPulseSimulation, OperatingTimeAndProfileOfTheMeasuringRelay)
{
    // 96 pulses of 10 s a day = 16 minutes; the relay is OFF or ON while measuring.
    const YearSimulation relayOff(Meter(15, 10, 0, 0), 2026);
    EXPECT_TRUE(relayOff.IstMesskanal(1));
    EXPECT_FALSE(relayOff.IstMesskanal(0));
    EXPECT_EQ(relayOff.Betriebsminuten(1, Doy(10, 5, 2026)), 1440 - 16);
    EXPECT_EQ(relayOff.Jahresbetriebsminuten(1), 365 * (1440 - 16));
    EXPECT_EQ(relayOff.Jahresbetriebsminuten(0), 365 * 960);
    const DayProfile p = relayOff.Rechne_SzGrafik(1, 100);
    EXPECT_EQ(p.segments, std::vector<ProfileSegment>(96, ProfileSegment{ProfileImpulsEin, 15}));
    EXPECT_EQ(YearSimulation(Meter(15, 10, 1, 0), 2028).Jahresbetriebsminuten(1), 366 * 16);
    // A pulse longer than its period gives no negative time.
    EXPECT_EQ(YearSimulation(Meter(1, 63, 0, 0), 2026).Betriebsminuten(1, 1), 0);
    EXPECT_EQ(YearSimulation(Meter(1, 63, 1, 0), 2026).Betriebsminuten(1, 1), 1440);

    // Only on meter-pulse devices.
    ProgramModel plain = Meter(15, 10, 0, 0);
    plain.device.Evu = 0;
    EXPECT_FALSE(YearSimulation(plain, 2026).IstMesskanal(1));
    EXPECT_EQ(YearSimulation(plain, 2026).Betriebsminuten(1, Doy(10, 5, 2026)), 1440);
}

TEST(MeterPulseSimulation, PulseAtTheEndOfThePeriodEndsAtMidnight)
{
    const DayProfile p = YearSimulation(Meter(15, 10, 1, 1), 2026).Rechne_SzGrafik(1, 100);
    ASSERT_EQ(p.segments.size(), 96u);
    EXPECT_EQ(p.segments.front(), (ProfileSegment{ProfileEin, 15}));
    EXPECT_EQ(p.segments.back(), (ProfileSegment{ProfileImpulsAus, 15}));
    EXPECT_EQ(p.betriebsMinuten, 16);
    for (const int period : {7, 26, 50, 63}) {
        for (const int zeitpunkt : {0, 1}) {
            const DayProfile q = YearSimulation(Meter(period, 1, 0, zeitpunkt), 2026).Rechne_SzGrafik(1, 1);
            EXPECT_EQ(q.TotalLength(), 1440) << period << ' ' << zeitpunkt;
            EXPECT_LE(q.segments.back().length, period);
        }
    }
}

TEST(BetriebsstundenText, DayAndYearInThreeLanguages)
{
    const struct {
        void (TextTable::*load)(int);
        const char* day;
        const char* year;
    } cases[] = {
        {&TextTable::LoadGerman, "Betriebsstunden: 12 h 05 Min", "C16, Jahresbetriebsstunden: 8783 h 59 Min"},
        {&TextTable::LoadEnglish, "Operating hours: 12 h 05 Min", "C16, Yearly operating hours: 8783 h 59 Min"},
        {&TextTable::LoadFrench, "Heures de fonctionnement : 12 h 05 Min",
         "C16, Heures de fonctionnement annuelles : 8783 h 59 Min"},
    };
    for (const auto& c : cases) {
        TextTable texts;
        (texts.*c.load)(1);
        EXPECT_EQ(BetriebsstundenText(12 * 60 + 5, texts), QString::fromUtf8(c.day));
        EXPECT_EQ(JahresbetriebsstundenText(16, 366 * 1440 - 1, texts), QString::fromUtf8(c.year));
    }
    EXPECT_EQ(BetriebsdauerText(0, TextTable()), QStringLiteral(" 0 h 00 Min"));
}

#include "calendar/YearSimulation.h"
#include "calendar/BetriebsstundenText.h"
#include "calendar/SommerzeitTage.h"
#include "language/TextTable.h"
#include "tests/calendar/NaiveYearSimulation.h"
#include "tests/calendar/RandomSimulationProgram.h"
#include "tests/calendar/SimulationTestPrograms.h"

#include <gtest/gtest.h>

#include <random>

using namespace zendrik;
using namespace zendrik::test;

namespace {

struct DayCase {
    int channel, day, month;
    S want;
};

// Small programs whose days are worked out by hand.
struct Scenario {
    const char* what;
    std::vector<Entry> entries;
    int year;
    std::vector<DayCase> days;
    std::vector<std::pair<int, int>> yearMinutes; // channel, minutes ON in the year
};

int MondayAndSundayYear()
{
    int minutes = 0;
    for (QDate d(2026, 1, 1); d.year() == 2026; d = d.addDays(1))
        minutes += d.dayOfWeek() == Qt::Monday ? 240 : d.dayOfWeek() == Qt::Sunday ? 1380
                                                                                   : 1440;
    return minutes;
}

} // namespace

TEST(YearSimulation, HandWorkedDays)
{
    const Scenario scenarios[] = {
        // P3 (10:00 ON .. 12:00 OFF) runs on channel 1 from 10 to 12 March.
        {"priority program 3", {SixOn(kC1 | kC2), TwentyTwoOff(kC1 | kC2), BuildWeeklyEntry(Hm(10, 0), kDaily, kC1 | kC2, 1, 0, 3), BuildWeeklyEntry(Hm(12, 0), kDaily, kC1 | kC2, 0, 0, 3), BuildPriorityEntry(10, 3, 12, 3, 0, false, 3, kC1, 0)}, 2026, {{0, 11, 3, {{0, 600, 0}, {600, 720, 1}, {720, 1440, 0}}}, {0, 9, 3, kSixToTwentyTwo}, {0, 13, 3, kSixToTwentyTwo}, {1, 11, 3, kSixToTwentyTwo}}, {{0, 362 * 960 + 3 * 120}, {1, 365 * 960}}},
        // Monday 2 .. Sunday 8 March: on Sunday the Monday ON six days before
        // is nearer than last Sunday's OFF.
        {"state from six days before", {BuildWeeklyEntry(Hm(20, 0), kMo, kC1, 1, 0, 0), BuildWeeklyEntry(Hm(23, 0), kSu, kC1, 0, 0, 0)}, 2026, {{0, 2, 3, {{0, 1200, 0}, {1200, 1440, 1}}}, {0, 5, 3, {{0, 1440, 1}}}, {0, 8, 3, {{0, 1380, 1}, {1380, 1440, 0}}}}, {{0, MondayAndSundayYear()}}},
        // A dated ON carries over midnight; channel 2 is OFF at 18:00 on 5 May
        // although a weekly ON has the same minute.
        {"dated entries", {BuildWeeklyEntry(Hm(23, 0), kDaily, kC1, 0, 0, 0), BuildDatedEntry(Hm(23, 30), 4, 7, kC1, 1, 0, false), BuildWeeklyEntry(Hm(6, 0), kDaily, kC2, 0, 0, 0), BuildWeeklyEntry(Hm(18, 0), kDaily, kC2, 1, 0, 0), BuildDatedEntry(Hm(18, 0), 5, 5, kC2, 0, 0, false)}, 2026, {{0, 4, 7, {{0, 1410, 0}, {1410, 1440, 1}}}, {0, 5, 7, {{0, 1380, 1}, {1380, 1440, 0}}}, {1, 5, 5, {{0, 360, 1}, {360, 1440, 0}}}, {1, 6, 5, {{0, 1080, 0}, {1080, 1440, 1}}}}, {{0, 30 + 1380}}},
        // Pulses last one minute and leave the state; ON and an ON pulse at
        // the same minute give the pulse, then ON.
        {"pulses", {SixOn(kC1), TwentyTwoOff(kC1), BuildWeeklyEntry(Hm(12, 0), kDaily, kC1, 0, 3, 0), BuildWeeklyEntry(Hm(12, 0), kDaily, kC2, 1, 5, 0), BuildWeeklyEntry(Hm(8, 0), kDaily, 4, 1, 0, 0), BuildWeeklyEntry(Hm(8, 0), kDaily, 4, 1, 10, 0), BuildWeeklyEntry(Hm(20, 0), kDaily, 4, 0, 0, 0)}, 2026, {{0, 20, 5, {{0, 360, 0}, {360, 720, 1}, {720, 721, 2}, {721, 1320, 1}, {1320, 1440, 0}}}, {1, 20, 5, {{0, 720, 0}, {720, 721, 3}, {721, 1440, 0}}}, {2, 20, 5, {{0, 480, 0}, {480, 481, 3}, {481, 1200, 1}, {1200, 1440, 0}}}}, {{0, 365 * 960}, {1, 0}, {2, 365 * 720}}},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.what);
        ProgramModel m = modelForRow(kRowFourChannels);
        for (const Entry& e : s.entries)
            addEntry(m, e);
        const YearSimulation sim(m, s.year);
        for (const DayCase& d : s.days)
            EXPECT_EQ(At(sim, d.channel, d.day, d.month), d.want) << d.channel << ' ' << d.day << '.' << d.month;
        for (const auto& [channel, minutes] : s.yearMinutes)
            EXPECT_EQ(sim.Jahresbetriebsminuten(channel), minutes) << channel;
    }
}

TEST(YearSimulation, PriorityDaysOverlapsTheYearEndAndLeapYears)
{
    // Of two overlapping priority times the later row decides.
    const Entry p2 = BuildPriorityEntry(1, 6, 30, 6, 0, false, 2, kC1, 0);
    const Entry p5 = BuildPriorityEntry(15, 6, 20, 7, 0, false, 5, kC1, 0);
    for (const bool laterIsFive : {true, false}) {
        const TagPrio prio(Program(kRowFourChannels, {laterIsFive ? p2 : p5, laterIsFive ? p5 : p2}), 2026);
        const std::pair<std::pair<int, int>, int> days[] = {
            {{31, 5}, 0}, {{14, 6}, 2}, {{15, 6}, laterIsFive ? 5 : 2}, {{30, 6}, laterIsFive ? 5 : 2}, {{20, 7}, 5}, {{21, 7}, 0}};
        for (const auto& [date, want] : days)
            EXPECT_EQ(prio(0, Doy(date.first, date.second, 2026)), want) << date.first << '.' << date.second;
        EXPECT_EQ(prio(1, Doy(20, 6, 2026)), 0);
        // The row behind the day's priority.
        EXPECT_EQ(prio.Quelle(0, Doy(14, 6, 2026)), laterIsFive ? 0 : 1);
        EXPECT_EQ(prio.Quelle(0, Doy(15, 6, 2026)), 1);
        EXPECT_EQ(std::tuple(prio.Quelle(0, Doy(21, 7, 2026)), prio.Quelle(1, Doy(15, 6, 2026)), prio.Quelle(0, 0)),
                  std::tuple(-1, -1, -1));
    }
    // A permanent OFF over the year end covers both ends of the year; C3 is
    // permanently ON two days; 29 February only in the leap year.
    const ProgramModel m = Program(kRowFourChannels, {BuildWeeklyEntry(Hm(0, 0), kDaily, kC1 | kC2, 1, 0, 0), BuildPriorityEntry(24, 12, 6, 1, 0, false, 10, kC1, 0), BuildPriorityEntry(1, 8, 2, 8, 0, false, 10, 4, 1), BuildDatedEntry(Hm(12, 0), 29, 2, kC2, 0, 0, false), BuildPriorityEntry(28, 2, 1, 3, 0, false, 1, 8, 0)});
    for (const auto& [year, days, p1Days] : {std::tuple{2026, 365, 2}, std::tuple{2028, 366, 3}}) {
        const YearSimulation sim(m, year);
        EXPECT_EQ(sim.Tage(), days);
        int p1 = 0;
        for (int d = 1; d <= days; ++d) {
            const bool holidays = d <= 6 || d >= Doy(24, 12, year);
            ASSERT_EQ(sim.Prioritaeten()(0, d), holidays ? kTagPrioPermanentAus : 0) << year << ' ' << d;
            ASSERT_EQ(sim.Betriebsminuten(0, d), holidays ? 0 : 1440) << year << ' ' << d;
            p1 += sim.Prioritaeten()(3, d) == 1;
        }
        EXPECT_EQ(p1, p1Days) << year;
        EXPECT_EQ(sim.Jahresbetriebsminuten(1), days * 1440 - (days - 365) * 720);
        EXPECT_EQ(sim.Jahresbetriebsminuten(2), 2 * 1440);
    }
}

TEST(YearSimulation, LeavesTheProgramUntouched)
{
    for (ProgramModel m : {canonical731(), canonical738(), canonical752()}) {
        m.Geaendert = 0;
        m.SortSpalteSz = 3;
        const ProgramSlot before = m.program();
        const YearSimulation sim(m, 2028);
        for (int c = 0; c < sim.Kanaele(); ++c)
            sim.Jahresbetriebsminuten(c);
        EXPECT_EQ(m.program(), before);
        EXPECT_EQ(std::pair(m.Geaendert, m.SortSpalteSz), std::pair(0, 3));
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
        std::tie(m.device.MessKanal, m.device.MessPeriode, m.device.MessImpDauer, m.device.MessZustand, m.device.MessZeitpunkt) =
            std::tuple{byte() % 5, byte() % 64, byte() % 64, byte() % 2, byte() % 2};
        ProgramSlot& s = m.program();
        for (int i = 0; i < 300; ++i)
            for (Byte& b : s.Eintrag[static_cast<std::size_t>(i)].b)
                b = byte();
        s.AnzSz = s.AnzEintrag = 300;
        for (auto& table : s.astro.AstroTab)
            for (AstroDay& day : table)
                day = AstroDay{byte() * 8 - 200, byte() * 8 - 200, byte() % 2 ? -1 : 0, 0};
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
                    ASSERT_LE(static_cast<unsigned>(p.betriebsMinuten), 1440u);
                }
            }
        }
    }
}

// Every day of every channel of random programs against the plain per-day reference.
TEST(YearSimulation, SameAsThePerDayReference)
{
    const struct {
        int row, seed, entries, priorityTimes, channels, year;
    } cases[] = {
        {kRowFourChannels, 1, 264, 60, 4, 2026},
        {kRowFourChannels, 1, 264, 60, 4, 2028},
        {kRowFourChannels, 2, 264, 60, 4, 2026},
        {kRowFourChannels, 2, 264, 60, 4, 2028},
        {kRowBus738, 3, 300, 40, 6, 2027},
        {kRowBus738, 4, 300, 40, 6, 2028},
        {kRowAstro752, 5, 100, 20, 2, 2026},
        {kRowAstro752, 6, 100, 20, 2, 2026},
        {kRowAstro752, 7, 100, 20, 2, 2026},
    };
    for (const auto& c : cases) {
        const ProgramModel m = RandomSimulationProgram(c.row, c.seed, c.entries, c.priorityTimes, c.channels);
        const YearSimulation sim(m, c.year);
        NaiveYearSimulation reference(m, c.year);
        for (int ch = 0; ch < c.channels; ++ch) {
            const std::vector<int> perDay = sim.BetriebsminutenJeTag(ch);
            int total = 0;
            for (int d = 1; d <= sim.Tage(); ++d) {
                const DayProfile got = sim.Rechne_SzGrafik(ch, d);
                const DayProfile want = reference.Profile(ch, d);
                ASSERT_EQ(got.prioritaet, want.prioritaet) << "seed " << c.seed << " channel " << ch << " day " << d;
                ASSERT_EQ(Stretches(got), Stretches(want)) << "seed " << c.seed << " channel " << ch << " day " << d;
                ASSERT_EQ(perDay[static_cast<std::size_t>(d - 1)], want.betriebsMinuten) << "day " << d;
                total += want.betriebsMinuten;
            }
            EXPECT_EQ(sim.Jahresbetriebsminuten(ch), total) << "seed " << c.seed << " channel " << ch;
        }
    }
}

TEST(MeterPulseSimulation, TheMeasuringRelayFollowsItsPeriod)
{
    // 96 pulses of 10 s a day = 16 minutes; the relay is OFF or ON while measuring.
    const YearSimulation relayOff(Meter(15, 10, 0, 0), 2026);
    EXPECT_EQ(std::pair(relayOff.IstMesskanal(1), relayOff.IstMesskanal(0)), std::pair(true, false));
    EXPECT_EQ(relayOff.Jahresbetriebsminuten(1), 365 * (1440 - 16));
    EXPECT_EQ(relayOff.Jahresbetriebsminuten(0), 365 * 960);
    EXPECT_EQ(relayOff.Rechne_SzGrafik(1, 100).segments, std::vector<ProfileSegment>(96, {ProfileImpulsEin, 15}));
    EXPECT_EQ(YearSimulation(Meter(15, 10, 1, 0), 2028).Jahresbetriebsminuten(1), 366 * 16);
    // A pulse longer than its period gives no negative time.
    EXPECT_EQ(YearSimulation(Meter(1, 63, 0, 0), 2026).Betriebsminuten(1, 1), 0);
    EXPECT_EQ(YearSimulation(Meter(1, 63, 1, 0), 2026).Betriebsminuten(1, 1), 1440);
    // A pulse at the end of the period ends at midnight.
    const DayProfile p = YearSimulation(Meter(15, 10, 1, 1), 2026).Rechne_SzGrafik(1, 100);
    ASSERT_EQ(p.segments.size(), 96u);
    EXPECT_EQ(std::pair(p.segments.front(), p.segments.back()),
              std::pair(ProfileSegment{ProfileEin, 15}, ProfileSegment{ProfileImpulsAus, 15}));
    EXPECT_EQ(p.betriebsMinuten, 16);
    for (const int period : {7, 26, 50, 63}) {
        for (const int zeitpunkt : {0, 1}) {
            const DayProfile q = YearSimulation(Meter(period, 1, 0, zeitpunkt), 2026).Rechne_SzGrafik(1, 1);
            EXPECT_EQ(q.TotalLength(), 1440) << period << ' ' << zeitpunkt;
            EXPECT_LE(q.segments.back().length, period);
        }
    }
    // Only on meter-pulse devices.
    ProgramModel plain = Meter(15, 10, 0, 0);
    plain.device.Evu = 0;
    EXPECT_FALSE(YearSimulation(plain, 2026).IstMesskanal(1));
    EXPECT_EQ(YearSimulation(plain, 2026).Betriebsminuten(1, Doy(10, 5, 2026)), 1440);
}

TEST(AstroSimulation, TheTableWithTheSummerHourIsWhatSwitches)
{
    // OFF at sunrise 5:10, ON at sunset 21:30 by the table. The limits kept
    // beside it (6:00, 21:00) are written into a table the dialog computes;
    // the simulation, like the device, does not apply them again.
    const YearSimulation sim(
        BusAstro(Hm(5, 10), Hm(21, 30), AstroLimits{Hm(6, 0), Hm(21, 0), kOff, kOn}, SwEuropa, kOff, kOn), 2026);
    EXPECT_EQ(At(sim, 0, 10, 1), (S{{0, 310, 1}, {310, 1290, 0}, {1290, 1440, 1}}));
    // In summer time one hour later.
    EXPECT_EQ(At(sim, 0, 1, 7), (S{{0, 370, 1}, {370, 1350, 0}, {1350, 1440, 1}}));
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), 365 * 460);
    EXPECT_EQ(sim.Jahresbetriebsminuten(1), 0);
    // States the device cannot keep do not change what it switches.
    const YearSimulation other(BusAstro(Hm(5, 10), Hm(21, 30), AstroLimits{}, SwEuropa, kOn, kOff), 2026);
    EXPECT_EQ(At(other, 0, 10, 1), At(sim, 0, 10, 1));

    // ON at 23:20 becomes 0:20 of the next day in summer time and is dropped;
    // the first summer day still starts ON from the last winter evening.
    const YearSimulation late(BusAstro(Hm(1, 40), Hm(23, 20), AstroLimits{}, SwEuropa, kOff, kOn), 2026);
    EXPECT_EQ(At(late, 0, 15, 7), (S{{0, 1440, 0}}));
    EXPECT_EQ(At(late, 0, 29, 3), (S{{0, 160, 1}, {160, 1440, 0}}));

    // Polar night carries the last sunset over.
    ProgramModel polar = BusAstro(Hm(9, 0), Hm(15, 0), AstroLimits{0, 1439, kOff, kOn}, 0, kOff, kOn);
    for (std::size_t i = 0; i < 30; ++i)
        polar.program().astro.AstroTab[0][i].rise = polar.program().astro.AstroTab[0][i].set = polar.device.KeineZeit;
    const YearSimulation night(polar, 2026);
    EXPECT_EQ(At(night, 0, 15, 1), (S{{0, 1440, 1}}));
    EXPECT_EQ(night.Jahresbetriebsminuten(0), 30 * 1440 + 335 * 1080);
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

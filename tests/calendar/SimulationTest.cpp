#include "calendar/BetriebsstundenText.h"
#include "calendar/SimulationCsv.h"
#include "calendar/SimulationTexts.h"
#include "calendar/SommerzeitTage.h"
#include "calendar/YearSimulation.h"
#include "editing/ProgramSnapshot.h"
#include "language/TextTable.h"
#include "model/EntryBuilder.h"
#include "tests/calendar/NaiveYearSimulation.h"
#include "tests/calendar/RandomSimulationProgram.h"
#include "tests/support/TestPrograms.h"

#include <QDate>
#include <QStringList>

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kRowFourChannels = 4, kRowMeterTwoChannels = 7, kRowAstro752 = 19, kRowBus738 = 20;
// Weekday masks (bit 0 = Monday), channel masks and astro states.
constexpr int kMo = 1, kSu = 64, kDaily = 127, kC1 = 1, kC2 = 2, kOn = -1, kOff = 0;

constexpr int Hm(int hours, int minutes) { return hours * 60 + minutes; }
// Day of the year by Qt's calendar (independent of the devices' routines).
int Doy(int day, int month, int year) { return QDate(year, month, day).dayOfYear(); }

// A profile as [start, end, state] triples.
using S = std::vector<std::array<int, 3>>;
S Stretches(const DayProfile& profile)
{
    S out;
    int start = 0;
    for (const ProfileSegment& s : profile.segments) {
        out.push_back({start, start + s.length, s.state});
        start += s.length;
    }
    return out;
}
S At(const YearSimulation& sim, int channel, int day, int month) { return Stretches(sim.Rechne_SzGrafik(channel, Doy(day, month, sim.SimJahr()))); }
ProgramModel Program(int row, const std::vector<Entry>& entries)
{
    ProgramModel m = modelForRow(row);
    for (const Entry& e : entries) addEntry(m, e);
    return m;
}

// The usual working day: ON at 6:00, OFF at 22:00 every day.
Entry SixOn(int channels) { return BuildWeeklyEntry(Hm(6, 0), kDaily, channels, 1, 0, 0); }
Entry TwentyTwoOff(int channels) { return BuildWeeklyEntry(Hm(22, 0), kDaily, channels, 0, 0, 0); }
const S kSixToTwentyTwo{{0, 360, 0}, {360, 1320, 1}, {1320, 1440, 0}};

// Channel 2 of a meter-pulse switch measures every `period` minutes with a
// pulse of `seconds`; its switching times and priority times are ignored.
ProgramModel Meter(int period, int seconds, int zustand, int zeitpunkt)
{
    ProgramModel m = Program(kRowMeterTwoChannels, {SixOn(kC1 | kC2), TwentyTwoOff(kC1 | kC2), BuildPriorityEntry(1, 5, 31, 5, 0, false, 10, kC2, 1)});
    std::tie(m.device.MessKanal, m.device.MessPeriode, m.device.MessImpDauer, m.device.MessZustand, m.device.MessZeitpunkt) = std::tuple(2, period, seconds, zustand, zeitpunkt);
    return m;
}

// Channel 1 of the bus device follows the same two sun times every day.
ProgramModel BusAstro(int rise, int set, AstroLimits limits, int swRegel = SwEuropa, int riseState = kOff, int setState = kOn)
{
    ProgramModel m = modelForRow(kRowBus738);
    m.device.SwRegel = swRegel;
    AstroProgram& a = m.program().astro;
    for (AstroDay& day : a.AstroTab[0]) day = AstroDay{rise, set, riseState, setState};
    a.AstroAktiv[0] = a.AstroAktiv[1] = kOn;
    a.AstroGrenze[0] = limits;
    return m;
}

// The astro channel as the dialog writes it for the limits 6:00 and 21:00.
ProgramModel LimitedAstro(int rise, int set) { return BusAstro(rise, set, AstroLimits{Hm(6, 0), Hm(21, 0), kOff, kOn}); }

// Working days ON 6:00 .. OFF 22:00 on channels 1 and 2; P3 from 10 to 12
// March on channel 1 (10:00 ON, 12:00 OFF, a pulse at 11:00); a permanent OFF
// over the year end on channel 1; channel 4 is switched by nothing.
ProgramModel Office()
{
    return Program(kRowFourChannels, {SixOn(kC1 | kC2), TwentyTwoOff(kC1 | kC2), BuildWeeklyEntry(Hm(10, 0), kDaily, kC1, 1, 0, 3), BuildWeeklyEntry(Hm(11, 0), kDaily, kC1, 1, 20, 3), BuildWeeklyEntry(Hm(12, 0), kDaily, kC1, 0, 0, 3), BuildPriorityEntry(10, 3, 12, 3, 0, false, 3, kC1, 0), BuildPriorityEntry(24, 12, 6, 1, 0, false, 10, kC1, 0)});
}

// Random programs of each family: row, seed, switching times, priority times, channels.
struct RandomCase {
    int row, seed, entries, priorityTimes, channels;
    ProgramModel make() const { return RandomSimulationProgram(row, seed, entries, priorityTimes, channels); }
};

} // namespace

TEST(YearSimulation, HandWorkedDays)
{
    const struct {
        const char* what;
        std::vector<Entry> entries;
        std::vector<std::tuple<int, int, int, S>> days; // channel, day, month, profile
        std::vector<std::pair<int, int>> yearMinutes;   // channel, minutes ON in 2026
    } scenarios[] = {
        // P3 (10:00 ON .. 12:00 OFF) runs on channel 1 from 10 to 12 March.
        {"priority program 3", {SixOn(kC1 | kC2), TwentyTwoOff(kC1 | kC2), BuildWeeklyEntry(Hm(10, 0), kDaily, kC1 | kC2, 1, 0, 3), BuildWeeklyEntry(Hm(12, 0), kDaily, kC1 | kC2, 0, 0, 3), BuildPriorityEntry(10, 3, 12, 3, 0, false, 3, kC1, 0)}, {{0, 11, 3, {{0, 600, 0}, {600, 720, 1}, {720, 1440, 0}}}, {0, 9, 3, kSixToTwentyTwo}, {0, 13, 3, kSixToTwentyTwo}, {1, 11, 3, kSixToTwentyTwo}}, {{0, 362 * 960 + 3 * 120}, {1, 365 * 960}}},
        // Monday 2 .. Sunday 8 March: on Sunday the Monday ON six days before
        // is nearer than last Sunday's OFF. 2026 has 52 Mondays and 52 Sundays.
        {"state from six days before", {BuildWeeklyEntry(Hm(20, 0), kMo, kC1, 1, 0, 0), BuildWeeklyEntry(Hm(23, 0), kSu, kC1, 0, 0, 0)}, {{0, 2, 3, {{0, 1200, 0}, {1200, 1440, 1}}}, {0, 5, 3, {{0, 1440, 1}}}, {0, 8, 3, {{0, 1380, 1}, {1380, 1440, 0}}}}, {{0, 52 * 240 + 52 * 1380 + 261 * 1440}}},
        // A dated ON carries over midnight; channel 2 is OFF at 18:00 on 5 May
        // although a weekly ON has the same minute.
        {"dated entries", {BuildWeeklyEntry(Hm(23, 0), kDaily, kC1, 0, 0, 0), BuildDatedEntry(Hm(23, 30), 4, 7, kC1, 1, 0, false), BuildWeeklyEntry(Hm(6, 0), kDaily, kC2, 0, 0, 0), BuildWeeklyEntry(Hm(18, 0), kDaily, kC2, 1, 0, 0), BuildDatedEntry(Hm(18, 0), 5, 5, kC2, 0, 0, false)}, {{0, 4, 7, {{0, 1410, 0}, {1410, 1440, 1}}}, {0, 5, 7, {{0, 1380, 1}, {1380, 1440, 0}}}, {1, 5, 5, {{0, 360, 1}, {360, 1440, 0}}}, {1, 6, 5, {{0, 1080, 0}, {1080, 1440, 1}}}}, {{0, 30 + 1380}}},
        // Pulses last one minute and leave the state; ON and an ON pulse at
        // the same minute give the pulse, then ON.
        {"pulses", {SixOn(kC1), TwentyTwoOff(kC1), BuildWeeklyEntry(Hm(12, 0), kDaily, kC1, 0, 3, 0), BuildWeeklyEntry(Hm(12, 0), kDaily, kC2, 1, 5, 0), BuildWeeklyEntry(Hm(8, 0), kDaily, 4, 1, 0, 0), BuildWeeklyEntry(Hm(8, 0), kDaily, 4, 1, 10, 0), BuildWeeklyEntry(Hm(20, 0), kDaily, 4, 0, 0, 0)}, {{0, 20, 5, {{0, 360, 0}, {360, 720, 1}, {720, 721, 2}, {721, 1320, 1}, {1320, 1440, 0}}}, {1, 20, 5, {{0, 720, 0}, {720, 721, 3}, {721, 1440, 0}}}, {2, 20, 5, {{0, 480, 0}, {480, 481, 3}, {481, 1200, 1}, {1200, 1440, 0}}}}, {{0, 365 * 960}, {1, 0}, {2, 365 * 720}}},
    };
    for (const auto& s : scenarios) {
        SCOPED_TRACE(s.what);
        const YearSimulation sim(Program(kRowFourChannels, s.entries), 2026);
        for (const auto& [channel, day, month, want] : s.days) EXPECT_EQ(At(sim, channel, day, month), want) << channel << ' ' << day << '.' << month;
        for (const auto& [channel, minutes] : s.yearMinutes) EXPECT_EQ(sim.Jahresbetriebsminuten(channel), minutes) << channel;
    }
}

TEST(YearSimulation, PriorityDaysOverlapsTheYearEndAndLeapYears)
{
    // Of two overlapping priority times the later row decides.
    const Entry p2 = BuildPriorityEntry(1, 6, 30, 6, 0, false, 2, kC1, 0), p5 = BuildPriorityEntry(15, 6, 20, 7, 0, false, 5, kC1, 0);
    for (const bool laterIsFive : {true, false}) {
        const TagPrio prio(Program(kRowFourChannels, {laterIsFive ? p2 : p5, laterIsFive ? p5 : p2}), 2026);
        const int overlap = laterIsFive ? 5 : 2;
        const std::tuple<int, int, int> days[] = {{31, 5, 0}, {14, 6, 2}, {15, 6, overlap}, {30, 6, overlap}, {20, 7, 5}, {21, 7, 0}};
        for (const auto& [day, month, want] : days)
            EXPECT_EQ(prio(0, Doy(day, month, 2026)), want) << day << '.' << month;
        EXPECT_EQ(prio(1, Doy(20, 6, 2026)), 0);
        // The row behind the day's priority.
        EXPECT_EQ(std::tuple(prio.Quelle(0, Doy(14, 6, 2026)), prio.Quelle(0, Doy(15, 6, 2026)), prio.Quelle(0, Doy(21, 7, 2026)), prio.Quelle(1, Doy(15, 6, 2026)), prio.Quelle(0, 0)),
                  std::tuple(laterIsFive ? 0 : 1, 1, -1, -1, -1));
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
            ASSERT_EQ(std::pair(sim.Prioritaeten()(0, d), sim.Betriebsminuten(0, d)), std::pair(holidays ? kTagPrioPermanentAus : 0, holidays ? 0 : 1440)) << year << ' ' << d;
            p1 += sim.Prioritaeten()(3, d) == 1;
        }
        EXPECT_EQ(std::tuple(p1, sim.Jahresbetriebsminuten(1), sim.Jahresbetriebsminuten(2)), std::tuple(p1Days, days * 1440 - (days - 365) * 720, 2 * 1440)) << year;
    }
}

// Whatever a file or a device hands over: every day is covered exactly and no
// channel is ON for more than the day.
TEST(YearSimulation, ArbitraryEntryBytesGiveWholeDays)
{
    std::mt19937 random(99);
    auto byte = [&] { return static_cast<Byte>(std::uniform_int_distribution<int>(0, 255)(random)); };
    for (const int row : {kRowFourChannels, 5, kRowMeterTwoChannels, kRowAstro752, kRowBus738}) {
        ProgramModel m = modelForRow(row);
        DeviceSettings& dev = m.device;
        dev.EibFormat = row == 5 ? 1 : 0;
        std::tie(dev.MessKanal, dev.MessPeriode, dev.MessImpDauer, dev.MessZustand, dev.MessZeitpunkt) = std::tuple{byte() % 5, byte() % 64, byte() % 64, byte() % 2, byte() % 2};
        ProgramSlot& s = m.program();
        for (std::size_t i = 0; i < 300; ++i)
            for (Byte& b : s.Eintrag[i].b) b = byte();
        s.AnzSz = s.AnzEintrag = 300;
        for (auto& table : s.astro.AstroTab)
            for (AstroDay& day : table) day = AstroDay{byte() * 8 - 200, byte() * 8 - 200, byte() % 2 ? -1 : 0, 0};
        s.astro.AstroAktiv.fill(-1);
        for (AstroLimits& limits : s.astro.AstroGrenze) limits = AstroLimits{byte() * 8 - 200, byte() * 8 - 200, 0, -1};
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
    const std::pair<RandomCase, int> cases[] = {
        {{kRowFourChannels, 1, 264, 60, 4}, 2026},
        {{kRowFourChannels, 1, 264, 60, 4}, 2028},
        {{kRowFourChannels, 2, 264, 60, 4}, 2026},
        {{kRowFourChannels, 2, 264, 60, 4}, 2028},
        {{kRowBus738, 3, 300, 40, 6}, 2027},
        {{kRowBus738, 4, 300, 40, 6}, 2028},
        {{kRowAstro752, 5, 100, 20, 2}, 2026},
        {{kRowAstro752, 6, 100, 20, 2}, 2026},
        {{kRowAstro752, 7, 100, 20, 2}, 2026},
    };
    for (const auto& [c, year] : cases) {
        const ProgramModel m = c.make();
        const YearSimulation sim(m, year);
        NaiveYearSimulation reference(m, year);
        for (int ch = 0; ch < c.channels; ++ch) {
            const std::vector<int> perDay = sim.BetriebsminutenJeTag(ch);
            int total = 0;
            for (int d = 1; d <= sim.Tage(); ++d) {
                const DayProfile got = sim.Rechne_SzGrafik(ch, d), want = reference.Profile(ch, d);
                ASSERT_EQ(std::tuple(got.prioritaet, Stretches(got), perDay[static_cast<std::size_t>(d - 1)]), std::tuple(want.prioritaet, Stretches(want), want.betriebsMinuten))
                    << "seed " << c.seed << " channel " << ch << " day " << d;
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
    EXPECT_EQ(std::tuple(relayOff.IstMesskanal(1), relayOff.IstMesskanal(0), relayOff.Jahresbetriebsminuten(1), relayOff.Jahresbetriebsminuten(0)), std::tuple(true, false, 365 * (1440 - 16), 365 * 960));
    EXPECT_EQ(relayOff.Rechne_SzGrafik(1, 100).segments, std::vector<ProfileSegment>(96, {ProfileImpulsEin, 15}));
    EXPECT_EQ(YearSimulation(Meter(15, 10, 1, 0), 2028).Jahresbetriebsminuten(1), 366 * 16);
    // A pulse longer than its period gives no negative time.
    EXPECT_EQ(std::pair(YearSimulation(Meter(1, 63, 0, 0), 2026).Betriebsminuten(1, 1), YearSimulation(Meter(1, 63, 1, 0), 2026).Betriebsminuten(1, 1)), std::pair(0, 1440));
    // A pulse at the end of the period ends at midnight.
    const DayProfile p = YearSimulation(Meter(15, 10, 1, 1), 2026).Rechne_SzGrafik(1, 100);
    ASSERT_EQ(p.segments.size(), 96u);
    EXPECT_EQ(std::tuple(p.segments.front(), p.segments.back(), p.betriebsMinuten), std::tuple(ProfileSegment{ProfileEin, 15}, ProfileSegment{ProfileImpulsAus, 15}, 16));
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
    const YearSimulation sim(plain, 2026);
    EXPECT_EQ(std::pair(sim.IstMesskanal(1), sim.Betriebsminuten(1, Doy(10, 5, 2026))), std::pair(false, 1440));
}

TEST(AstroSimulation, TheTableWithTheSummerHourIsWhatSwitches)
{
    // OFF at sunrise 5:10, ON at sunset 21:30 by the table. The limits kept
    // beside it are written into a table the dialog computes; the simulation,
    // like the device, does not apply them again. In summer time one hour later.
    const YearSimulation sim(LimitedAstro(Hm(5, 10), Hm(21, 30)), 2026);
    EXPECT_EQ(At(sim, 0, 10, 1), (S{{0, 310, 1}, {310, 1290, 0}, {1290, 1440, 1}}));
    EXPECT_EQ(At(sim, 0, 1, 7), (S{{0, 370, 1}, {370, 1350, 0}, {1350, 1440, 1}}));
    EXPECT_EQ(std::pair(sim.Jahresbetriebsminuten(0), sim.Jahresbetriebsminuten(1)), std::pair(365 * 460, 0));
    // States the device cannot keep do not change what it switches.
    EXPECT_EQ(At(YearSimulation(BusAstro(Hm(5, 10), Hm(21, 30), AstroLimits{}, SwEuropa, kOn, kOff), 2026), 0, 10, 1), At(sim, 0, 10, 1));
    // ON at 23:20 becomes 0:20 of the next day in summer time and is dropped;
    // the first summer day still starts ON from the last winter evening.
    const YearSimulation late(BusAstro(Hm(1, 40), Hm(23, 20), AstroLimits{}), 2026);
    EXPECT_EQ(At(late, 0, 15, 7), (S{{0, 1440, 0}}));
    EXPECT_EQ(At(late, 0, 29, 3), (S{{0, 160, 1}, {160, 1440, 0}}));
    // Polar night carries the last sunset over.
    ProgramModel polar = BusAstro(Hm(9, 0), Hm(15, 0), AstroLimits{0, 1439, kOff, kOn}, 0);
    for (std::size_t i = 0; i < 30; ++i) polar.program().astro.AstroTab[0][i].rise = polar.program().astro.AstroTab[0][i].set = polar.device.KeineZeit;
    const YearSimulation night(polar, 2026);
    EXPECT_EQ(At(night, 0, 15, 1), (S{{0, 1440, 1}}));
    EXPECT_EQ(night.Jahresbetriebsminuten(0), 30 * 1440 + 335 * 1080);
}

TEST(BetriebsstundenText, DayAndYearInThreeLanguages)
{
    const std::tuple<void (TextTable::*)(int), const char*, const char*> cases[] = {
        {&TextTable::LoadGerman, "Betriebsstunden: 12 h 05 Min", "C16, Jahresbetriebsstunden: 8783 h 59 Min"},
        {&TextTable::LoadEnglish, "Operating hours: 12 h 05 Min", "C16, Yearly operating hours: 8783 h 59 Min"},
        {&TextTable::LoadFrench, "Heures de fonctionnement : 12 h 05 Min", "C16, Heures de fonctionnement annuelles : 8783 h 59 Min"},
    };
    for (const auto& [load, day, year] : cases) {
        TextTable texts;
        (texts.*load)(1);
        EXPECT_EQ(std::pair(BetriebsstundenText(12 * 60 + 5, texts), JahresbetriebsstundenText(16, 366 * 1440 - 1, texts)), std::pair(QString::fromUtf8(day), QString::fromUtf8(year)));
    }
    EXPECT_EQ(BetriebsdauerText(0, TextTable()), QStringLiteral(" 0 h 00 Min"));
}

TEST(SimulationCause, WhatHoldsTheOfficeChannels)
{
    const YearSimulation sim(Office(), 2026);
    const int may20 = Doy(20, 5, 2026), p3Day = Doy(11, 3, 2026), aus = ProfileAus, ein = ProfileEin;
    const struct {
        int channel, day, minute;
        CauseKind kind;
        int entry, state, dayPriority, priorityEntry, date; // date: day of the year of the switching
    } cases[] = {
        // The switching of the day, or of the day before for the state at midnight.
        {0, may20, Hm(23, 59), CauseKind::SwitchingTime, 1, aus, 0, -1, may20},
        {0, may20, Hm(5, 59), CauseKind::SwitchingTime, 1, aus, 0, -1, may20 - 1},
        {1, 1, Hm(3, 0), CauseKind::SwitchingTime, 1, aus, 0, -1, 0},
        // The day of P3 runs the P3 entries; the minute of the pulse names the
        // pulse, the next the ON before it; before 10:00 the P3 program's last
        // switching of the day before holds.
        {0, p3Day, Hm(10, 30), CauseKind::SwitchingTime, 2, ein, 3, 5, p3Day},
        {0, p3Day, Hm(11, 0), CauseKind::Pulse, 3, ProfileImpulsEin, 3, 5, p3Day},
        {0, p3Day, Hm(11, 1), CauseKind::SwitchingTime, 2, ein, 3, 5, p3Day},
        {0, p3Day, Hm(9, 0), CauseKind::SwitchingTime, 4, aus, 3, 5, p3Day - 1},
        {1, p3Day, Hm(10, 30), CauseKind::SwitchingTime, 0, ein, 0, -1, p3Day},
        // Christmas and the days after New Year: the permanent priority time.
        {0, Doy(24, 12, 2026), Hm(12, 0), CauseKind::Permanent, -1, aus, kTagPrioPermanentAus, 6, -1},
        {0, Doy(6, 1, 2026), Hm(12, 0), CauseKind::Permanent, -1, aus, kTagPrioPermanentAus, 6, -1},
        // Outside the year, the day or the channels no cause.
        {0, 366, 0, CauseKind::Nothing, -1, aus, 0, -1, -1},
        {0, 100, kMinutesOfDay, CauseKind::Nothing, -1, aus, 0, -1, -1},
        {4, 100, 0, CauseKind::Nothing, -1, aus, 0, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channel << ' ' << c.day << ' ' << c.minute);
        const SimulationCause cause = sim.Explain(c.channel, c.day, c.minute);
        EXPECT_EQ(std::tuple(cause.kind, cause.entry, cause.state, cause.dayPriority, cause.priorityEntry, cause.entryNumber, cause.priorityNumber),
                  std::tuple(c.kind, c.entry, c.state, c.dayPriority, c.priorityEntry, c.entry + 1, c.priorityEntry < 0 ? 0 : c.priorityEntry - 4));
        if (c.date >= 0) {
            EXPECT_EQ(std::tuple(cause.date, cause.earlierDay, cause.switchedOn), std::tuple(DateOfDayOfYear(c.date, 2026), c.date != c.day, c.state == ein || c.state == ProfileImpulsEin));
        }
    }
    // After days a permanent priority time held, the base program takes up the
    // state its last switching would have left; that switching did not run, so
    // the explanation names the priority time and the last day it held.
    TextTable texts;
    const SimulationCause after = sim.Explain(0, Doy(7, 1, 2026), Hm(3, 0));
    EXPECT_EQ(std::tuple(after.kind, after.entry, after.earlierDay, after.heldEntry, after.heldNumber, after.heldPriority, after.heldDate),
              std::tuple(CauseKind::SwitchingTime, 1, true, 6, 2, kTagPrioPermanentAus, CalendarDate{6, 1, 2026}));
    EXPECT_EQ(SimulationCauseText(after, texts), QStringLiteral("Prioritätszeit Nr. 2: Permanent AUS hielt den Kanal bis 06.01.2026; danach gilt der Zustand aus Schaltzeit Nr. 2: 22:00 AUS (am 06.01.2026)"));
    // Channel 2 was not held: its switching ran; a day later nothing was held.
    EXPECT_EQ(std::pair(sim.Explain(1, Doy(7, 1, 2026), Hm(3, 0)).heldEntry, sim.Explain(0, Doy(8, 1, 2026), Hm(3, 0)).heldEntry), std::pair(-1, -1));
}

TEST(SimulationCause, AstroTimeWithSummerHourAndLimitAndTheMeterPulse)
{
    // OFF at 6:00 and ON at 20:00 winter time.
    const YearSimulation sim(LimitedAstro(Hm(6, 0), Hm(20, 0)), 2026);
    const struct {
        int day, month, minute;
        AstroCause astro; // sunset, shown, summer time, limit, limited
        bool earlierDay;
    } cases[] = {
        // Winter: the sunrise at the limit; summer: an hour later, no longer at it.
        {10, 1, Hm(7, 0), {false, Hm(6, 0), false, Hm(6, 0), true}, false},
        {1, 7, Hm(7, 30), {false, Hm(7, 0), true, Hm(6, 0), false}, false},
        // After midnight yesterday's sunset at the evening limit with the summer hour.
        {1, 7, Hm(2, 0), {true, Hm(21, 0), true, Hm(21, 0), true}, true},
    };
    for (const auto& c : cases) {
        const SimulationCause cause = sim.Explain(0, Doy(c.day, c.month, 2026), c.minute);
        EXPECT_EQ(std::tuple(cause.kind, cause.astro, cause.minute, cause.switchedOn, cause.entry, cause.earlierDay),
                  std::tuple(CauseKind::Astro, c.astro, c.astro.shown, c.astro.sunset, -1, c.earlierDay))
            << c.day << '.' << c.month << ' ' << c.minute;
    }
    const YearSimulation meter(Meter(15, 10, 0, 0), 2026);
    const SimulationCause pulse = meter.Explain(1, 100, Hm(12, 0));
    EXPECT_EQ(std::tuple(pulse.kind, pulse.state, meter.Explain(0, 100, Hm(12, 0)).kind), std::tuple(CauseKind::MeterPulse, meter.Rechne_SzGrafik(1, 100).StateAt(Hm(12, 0)), CauseKind::SwitchingTime));
}

// For random programs of every family: the cause agrees with the day graph
// and names an entry that really switches the channel at that minute.
TEST(SimulationCause, AgreesWithTheProfileAndTheEntryBytes)
{
    std::mt19937 random(5);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    std::map<CauseKind, int> seen;
    for (const RandomCase& c : {RandomCase{kRowFourChannels, 11, 200, 40, 4}, RandomCase{kRowBus738, 12, 300, 40, 6}, RandomCase{kRowAstro752, 13, 90, 20, 2}}) {
        const ProgramModel m = c.make();
        const YearSimulation sim(m, 2027);
        for (int n = 0; n < 3000; ++n) {
            const int channel = pick(0, c.channels - 1), day = pick(1, sim.Tage()), minute = pick(0, kMinutesOfDay - 1);
            const SimulationCause cause = sim.Explain(channel, day, minute);
            const int state = sim.Rechne_SzGrafik(channel, day).StateAt(minute);
            const int steady = cause.switchedOn ? ProfileEin : ProfileAus, pulse = cause.switchedOn ? ProfileImpulsEin : ProfileImpulsAus;
            SCOPED_TRACE(testing::Message() << c.seed << ' ' << channel << ' ' << day << ' ' << minute);
            ASSERT_EQ(std::pair(cause.state, cause.dayPriority), std::pair(state, sim.Prioritaeten()(channel, day)));
            const CauseKind k = cause.kind;
            ++seen[k];
            // The state the kind of cause gives; the astro time once, as switched, at a limit the limit's.
            ASSERT_EQ(state, k == CauseKind::Nothing ? ProfileAus : k == CauseKind::Pulse ? pulse
                          : k == CauseKind::MeterPulse                                    ? state
                                                                                          : steady);
            ASSERT_TRUE(k != CauseKind::Permanent || cause.priorityEntry >= 0);
            ASSERT_TRUE(k != CauseKind::Pulse || cause.minute == minute);
            ASSERT_TRUE(k != CauseKind::Astro || (cause.minute == cause.astro.shown && cause.switchedOn == cause.astro.sunset && (!cause.astro.limited || cause.minute == cause.astro.limit)));
            if (k == CauseKind::Pulse || k == CauseKind::SwitchingTime) {
                ASSERT_GE(cause.entry, 0);
                const Entry& e = m.program().Eintrag[static_cast<std::size_t>(cause.entry)];
                ASSERT_EQ(std::tuple(EntryTime(e), EntryState(e, m.eib()) != 0, EntryPriority(e, m.eib()), cause.earlierDay), std::tuple(cause.minute, cause.switchedOn, cause.dayPriority, cause.date != DateOfDayOfYear(day, 2027)));
                ASSERT_TRUE(cause.earlierDay || cause.minute <= minute);
            }
        }
    }
    // The programs reach every kind of cause but the meter pulse.
    for (const CauseKind kind : {CauseKind::Nothing, CauseKind::SwitchingTime, CauseKind::Pulse, CauseKind::Astro, CauseKind::Permanent})
        EXPECT_GT(seen[kind], 0) << static_cast<int>(kind);
}

TEST(SimulationCauseText, NamesTheRowTheAstroTimeAndThePriorityTime)
{
    TextTable german, english;
    english.LoadEnglish(1);
    const YearSimulation office(Office(), 2026);
    // The time once, as the device switches it; a time at a limit the user
    // set is the limit's (the table holds it instead of the sun's).
    const YearSimulation astro(LimitedAstro(Hm(5, 10), Hm(20, 0)), 2026);
    const std::tuple<const YearSimulation&, int, int, int, const TextTable&, const char*> cases[] = {
        // channel, day, minute
        {office, 0, Doy(20, 5, 2026), Hm(12, 0), german, "Schaltzeit Nr. 1: 06:00 EIN"},
        {office, 0, Doy(20, 5, 2026), Hm(3, 0), english, "Switching time no. 2: 22:00 OFF (on 19/05/2026)"},
        {office, 0, Doy(11, 3, 2026), Hm(11, 0), german, "Impuls der Schaltzeit Nr. 4: 11:00 \u2013 Prioritätszeit Nr. 1: Programm P3"},
        {office, 0, Doy(25, 12, 2026), Hm(11, 0), german, "Prioritätszeit Nr. 2: Permanent AUS"},
        {office, 3, 10, 0, english, "No switching time of this program: OFF"},
        {astro, 0, Doy(1, 7, 2026), Hm(23, 0), german, "Astrozeit Sonnenuntergang 21:00 EIN (mit Sommerzeit), abends nicht schalten nach 21:00"},
        {astro, 0, Doy(1, 7, 2026), Hm(7, 0), english, "Astro time sunrise 06:10 OFF (summer time included)"},
        {astro, 0, Doy(1, 12, 2026), Hm(7, 0), german, "Astrozeit Sonnenaufgang 05:10 AUS"},
    };
    for (const auto& [sim, channel, day, minute, texts, text] : cases) EXPECT_EQ(SimulationCauseText(sim.Explain(channel, day, minute), texts), QString::fromUtf8(text));
    EXPECT_EQ(std::tuple(DayPriorityText(0, english), DayPriorityText(kTagPrioPermanentEin, german), SimulationTimeText(kMinutesOfDay)), std::tuple(u"Base program"_s, u"Permanent EIN"_s, u"24:00"_s));
}

TEST(SimulationCsv, SummaryOfADayProfile)
{
    const std::pair<std::vector<ProfileSegment>, DaySummary> cases[] = {
        {{{ProfileAus, 1440}}, {-1, -1, 0}},
        {{{ProfileEin, 1440}}, {0, -1, 0}},
        {{{ProfileAus, 360}, {ProfileEin, 960}, {ProfileAus, 120}}, {360, 1320, 2}},
        {{{ProfileEin, 300}, {ProfileAus, 600}, {ProfileEin, 540}}, {0, 300, 2}},
        {{{ProfileAus, 720}, {ProfileImpulsEin, 1}, {ProfileAus, 719}}, {-1, -1, 1}},                       // a pulse counts once, changes nothing
        {{{ProfileAus, 480}, {ProfileImpulsEin, 1}, {ProfileEin, 719}, {ProfileAus, 240}}, {480, 1200, 3}}, // ON from the pulse's minute
        {std::vector<ProfileSegment>(96, {ProfileImpulsEin, 15}), {-1, -1, 96}},                            // the meter channel
    };
    for (const auto& [segments, want] : cases) EXPECT_EQ(SummarizeDay(DayProfile{0, segments, 0}), want) << want.firstOn << ' ' << want.lastOff << ' ' << want.switchings;
}

// Every line of the table against the day profile it comes from.
TEST(SimulationCsv, OneLinePerDayAsTheProfilesSay)
{
    TextTable french;
    french.LoadFrench(1);
    const auto time = [](int minute) { return minute < 0 ? QString() : SimulationTimeText(minute); };
    for (const int year : {2027, 2028}) {
        const YearSimulation sim(Office(), year);
        const QStringList lines = QString::fromUtf8(SimulationCsv(sim, 0, french)).split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), sim.Tage() + 2) << year; // heading, the days, the empty rest after the last line end
        EXPECT_EQ(std::pair(lines.front(), lines.back()), std::pair(QStringLiteral("date,weekday,priority,operating_minutes,first_on,last_off,switchings"), QString()));
        for (int d = 1; d <= sim.Tage(); ++d) {
            const DayProfile profile = sim.Rechne_SzGrafik(0, d);
            const DaySummary summary = SummarizeDay(profile);
            const QStringList want{QDate(year, 1, 1).addDays(d - 1).toString(Qt::ISODate), lines[d].section(u',', 1, 1), QString::number(profile.prioritaet), QString::number(profile.betriebsMinuten), time(summary.firstOn), time(summary.lastOff), QString::number(summary.switchings)};
            EXPECT_EQ(lines[d], want.join(u','));
        }
        // French weekday names; 11 March is a P3 day, Christmas permanently OFF.
        EXPECT_EQ(lines[1].section(u',', 1, 1), year == 2027 ? QStringLiteral("Ve") : QStringLiteral("Sa"));
        EXPECT_EQ(std::pair(lines[Doy(11, 3, year)].section(u',', 2, 6), lines[Doy(25, 12, year)].section(u',', 2, 6)), std::pair(QStringLiteral("3,120,10:00,12:00,3"), QStringLiteral("11,0,,,0")));
    }
}

// The sample opened beside the program is simulated from its own entries,
// summer-time table and astro program under the sample's device settings:
// each slot gives, every day, what its program alone gives, and what decided
// names the sample's rows.
TEST(SimulationSlot, EachSlotGivesItsOwnProgramsProfileAndCauses)
{
    const std::tuple<RandomCase, int, int> cases[] = {
        {{kRowFourChannels, 11, 200, 40, 4}, 12, 2026},
        {{kRowBus738, 13, 250, 30, 6}, 14, 2028},
        {{kRowAstro752, 15, 90, 20, 2}, 16, 2026},
    };
    for (const auto& [c, sampleSeed, year] : cases) {
        const ProgramModel program = c.make();
        ProgramModel sample = RandomCase{c.row, sampleSeed, c.entries / 2, c.priorityTimes + 10, c.channels}.make(); // of another size
        sample.device.SwRegel = c.row == kRowBus738 ? SwTabelle : SwEuropa;                                          // by table: each slot by its own table
        ProgramModel both = sample, programOnly = sample;
        both.program() = programOnly.program() = program.program();
        both.slot(kSampleSlot) = sample.program();
        const YearSimulation ofSample(both, year, kSampleSlot), ofProgram(both, year), sampleAlone(sample, year), programAlone(programOnly, year);
        int differingDays = 0, named = 0;
        for (int ch = 0; ch < c.channels; ++ch) {
            ASSERT_EQ(ofSample.BetriebsminutenJeTag(ch), sampleAlone.BetriebsminutenJeTag(ch)) << c.row << ' ' << ch;
            for (int d = 1; d <= ofSample.Tage(); ++d) {
                const DayProfile got = ofSample.Rechne_SzGrafik(ch, d), want = sampleAlone.Rechne_SzGrafik(ch, d);
                ASSERT_EQ(std::pair(got.prioritaet, Stretches(got)), std::pair(want.prioritaet, Stretches(want))) << c.row << ' ' << ch << ' ' << d;
                ASSERT_EQ(Stretches(ofProgram.Rechne_SzGrafik(ch, d)), Stretches(programAlone.Rechne_SzGrafik(ch, d))) << c.row << ' ' << ch << ' ' << d;
                differingDays += Stretches(got) != Stretches(ofProgram.Rechne_SzGrafik(ch, d));
                for (const int minute : {0, 5 * 60 + 30, 12 * 60, 19 * 60 + 45, 23 * 60 + 59}) {
                    if (d % 3 != 1) continue;
                    const SimulationCause x = ofSample.Explain(ch, d, minute), y = sampleAlone.Explain(ch, d, minute);
                    ASSERT_EQ(std::tuple(x.kind, x.state, x.dayPriority, x.priorityEntry, x.priorityNumber, x.entry, x.entryNumber, x.date, x.earlierDay, x.minute, x.switchedOn, x.astro),
                              std::tuple(y.kind, y.state, y.dayPriority, y.priorityEntry, y.priorityNumber, y.entry, y.entryNumber, y.date, y.earlierDay, y.minute, y.switchedOn, y.astro))
                        << ch << ' ' << d << ' ' << minute;
                    named += x.entry >= 0 || x.priorityEntry >= 0;
                }
            }
        }
        EXPECT_GT(differingDays, 0) << "row " << c.row; // the two slots really are different programs
        EXPECT_GT(named, 0);
        for (int row = 0; row < sample.program().AnzEintrag; ++row) ASSERT_EQ(ofSample.ListNumber(row), sampleAlone.ListNumber(row)) << row;
    }
}

// The simulation window simulates again exactly when what the simulation
// reads changed: the shown slot and the device frame, not the other slot.
TEST(SimulationSnapshot, ChangesWithWhatTheSimulationReads)
{
    const ProgramModel base = RandomSimulationProgram(kRowFourChannels, 31, 40, 10, 4);
    const std::tuple<const char*, void (*)(ProgramModel&), bool, bool> cases[] = {
        // what, its change, program and sample simulation differ
        {"meter-pulse variant", [](ProgramModel& m) { m.device.Evu = 1 - m.device.Evu; }, true, true},
        {"device family", [](ProgramModel& m) { m.device.Uhrentyp = kFamily752; }, true, true},
        {"channels", [](ProgramModel& m) { m.device.Kanalzahl = 2; }, true, true},
        {"bus format", [](ProgramModel& m) { m.device.EibFormat = 1; }, true, true},
        {"empty astro time", [](ProgramModel& m) { m.device.KeineZeit = 0; }, true, true},
        {"summer-time rule", [](ProgramModel& m) { m.device.SwRegel = m.device.SwRegel == 0 ? 1 : 0; }, true, true},
        {"program entry", [](ProgramModel& m) { m.program().Eintrag[0].b[1] ^= 1; }, true, false},
        {"sample astro table", [](ProgramModel& m) { m.slot(kSampleSlot).astro.AstroTab[0][100].set = 1000; }, false, true},
        {"sample summer-time table", [](ProgramModel& m) { m.slot(kSampleSlot).AnzSoWi = 3; }, false, true},
        {"shown slot only", [](ProgramModel& m) { m.AktSlot = kSampleSlot; }, false, false},
        {"print lines", [](ProgramModel& m) { m.device.Zeilen = 7; }, false, false},
    };
    for (const auto& [what, change, programDiffers, sampleDiffers] : cases) {
        ProgramModel changed = base;
        change(changed);
        const auto differs = [&](int slot) { return TakeSimulationSnapshot(changed, slot) != TakeSimulationSnapshot(base, slot); };
        EXPECT_EQ(std::pair(differs(kProgramSlot), differs(kSampleSlot)), std::pair(programDiffers, sampleDiffers)) << what;
    }
    EXPECT_NE(TakeSimulationSnapshot(base, kProgramSlot), TakeSimulationSnapshot(base, kSampleSlot));
}

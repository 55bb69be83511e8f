#include "calendar/SimulationCsv.h"
#include "calendar/SommerzeitTage.h"
#include "calendar/SimulationTexts.h"
#include "calendar/YearSimulation.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "tests/calendar/RandomSimulationProgram.h"
#include "tests/calendar/SimulationTestPrograms.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace zendrik;
using namespace zendrik::test;

namespace {

// Working days ON 6:00 .. OFF 22:00 on channels 1 and 2; P3 from 10 to
// 12 March on channel 1 (10:00 ON, 12:00 OFF, and a pulse at 11:00); a
// permanent OFF over the year end on channel 1; channel 4 is switched by
// nothing.
ProgramModel Office()
{
    return Program(kRowFourChannels, {SixOn(kC1 | kC2), TwentyTwoOff(kC1 | kC2),
                                      BuildWeeklyEntry(Hm(10, 0), kDaily, kC1, 1, 0, 3),
                                      BuildWeeklyEntry(Hm(11, 0), kDaily, kC1, 1, 20, 3),
                                      BuildWeeklyEntry(Hm(12, 0), kDaily, kC1, 0, 0, 3),
                                      BuildPriorityEntry(10, 3, 12, 3, 0, false, 3, kC1, 0),
                                      BuildPriorityEntry(24, 12, 6, 1, 0, false, 10, kC1, 0)});
}

} // namespace

TEST(SimulationCause, SwitchingTimeOfTheDayOrOfTheDayBefore)
{
    const YearSimulation sim(Office(), 2026);
    const int day = Doy(20, 5, 2026);
    const struct {
        int minute;
        int entry;
        bool on;
        bool earlier;
        int date;
    } cases[] = {
        {Hm(6, 0), 0, true, false, day},  {Hm(12, 0), 0, true, false, day},
        {Hm(22, 0), 1, false, false, day}, {Hm(23, 59), 1, false, false, day},
        {Hm(5, 59), 1, false, true, day - 1}, {0, 1, false, true, day - 1},
    };
    for (const auto& c : cases) {
        const SimulationCause cause = sim.Explain(0, day, c.minute);
        EXPECT_EQ(cause.kind, CauseKind::SwitchingTime) << c.minute;
        EXPECT_EQ(cause.entry, c.entry) << c.minute;
        EXPECT_EQ(cause.entryNumber, c.entry + 1) << c.minute;
        EXPECT_EQ(cause.switchedOn, c.on) << c.minute;
        EXPECT_EQ(cause.state, c.on ? ProfileEin : ProfileAus) << c.minute;
        EXPECT_EQ(cause.earlierDay, c.earlier) << c.minute;
        EXPECT_EQ(cause.date, DateOfDayOfYear(c.date, 2026)) << c.minute;
        EXPECT_EQ(cause.priorityEntry, -1);
        EXPECT_EQ(cause.dayPriority, 0);
    }
    // The first of January: the state comes from the last day of the year before.
    const SimulationCause newYear = sim.Explain(1, 1, Hm(3, 0));
    EXPECT_TRUE(newYear.earlierDay);
    EXPECT_EQ(newYear.date, (CalendarDate{31, 12, 2025}));
    EXPECT_EQ(newYear.entry, 1);
}

TEST(SimulationCause, PriorityProgramPulseAndPermanentDays)
{
    const YearSimulation sim(Office(), 2026);
    const int p3Day = Doy(11, 3, 2026);
    // The day of P3 runs the P3 entries; the priority time is its first row.
    const SimulationCause on = sim.Explain(0, p3Day, Hm(10, 30));
    EXPECT_EQ(on.kind, CauseKind::SwitchingTime);
    EXPECT_EQ(on.entry, 2);
    EXPECT_EQ(on.dayPriority, 3);
    EXPECT_EQ(on.priorityEntry, 5);
    EXPECT_EQ(on.priorityNumber, 1);
    // The minute of the pulse names the pulse entry, the next minute the ON before it.
    const SimulationCause pulse = sim.Explain(0, p3Day, Hm(11, 0));
    EXPECT_EQ(pulse.kind, CauseKind::Pulse);
    EXPECT_EQ(pulse.entry, 3);
    EXPECT_EQ(pulse.state, ProfileImpulsEin);
    EXPECT_EQ(sim.Explain(0, p3Day, Hm(11, 1)).entry, 2);
    // Before 10:00 the P3 program's last switching of the day before holds.
    const SimulationCause morning = sim.Explain(0, p3Day, Hm(9, 0));
    EXPECT_EQ(morning.entry, 4);
    EXPECT_TRUE(morning.earlierDay);
    // Channel 2 keeps the base program.
    EXPECT_EQ(sim.Explain(1, p3Day, Hm(10, 30)).entry, 0);
    EXPECT_EQ(sim.Explain(1, p3Day, Hm(10, 30)).priorityEntry, -1);

    // Christmas and the days after New Year: the permanent priority time.
    for (const int day : {Doy(24, 12, 2026), Doy(31, 12, 2026), Doy(1, 1, 2026), Doy(6, 1, 2026)}) {
        const SimulationCause holiday = sim.Explain(0, day, Hm(12, 0));
        EXPECT_EQ(holiday.kind, CauseKind::Permanent) << day;
        EXPECT_EQ(holiday.state, ProfileAus) << day;
        EXPECT_EQ(holiday.dayPriority, kTagPrioPermanentAus) << day;
        EXPECT_EQ(holiday.priorityEntry, 6) << day;
        EXPECT_EQ(holiday.priorityNumber, 2) << day;
    }
    // Nothing reaches channel 4.
    const SimulationCause nothing = sim.Explain(3, 100, Hm(12, 0));
    EXPECT_EQ(nothing.kind, CauseKind::Nothing);
    EXPECT_EQ(nothing.state, ProfileAus);
    // Outside the year or the day there is no cause.
    EXPECT_EQ(sim.Explain(0, 366, 0).kind, CauseKind::Nothing);
    EXPECT_EQ(sim.Explain(0, 100, kMinutesOfDay).kind, CauseKind::Nothing);
    EXPECT_EQ(sim.Explain(4, 100, 0).kind, CauseKind::Nothing);
}

// After days a permanent priority time held, the base program takes up the
// state its last switching would have left; that switching did not run, so
// the explanation names the priority time and the last day it held.
TEST(SimulationCause, StateTakenUpAfterAPermanentDayNamesThePriorityTime)
{
    const YearSimulation sim(Office(), 2026);
    TextTable texts;
    texts.LoadGerman();
    const SimulationCause after = sim.Explain(0, Doy(7, 1, 2026), Hm(3, 0));
    EXPECT_EQ(std::tuple(after.kind, after.entry, after.earlierDay), std::tuple(CauseKind::SwitchingTime, 1, true));
    EXPECT_EQ(std::tuple(after.heldEntry, after.heldNumber, after.heldPriority), std::tuple(6, 2, kTagPrioPermanentAus));
    EXPECT_EQ(after.heldDate, (CalendarDate{6, 1, 2026}));
    EXPECT_EQ(SimulationCauseText(after, texts),
              QStringLiteral("Prioritätszeit Nr. 2: Permanent AUS hielt den Kanal bis 06.01.2026; danach gilt der "
                             "Zustand aus Schaltzeit Nr. 2: 22:00 AUS (am 06.01.2026)"));
    // Channel 2 was not held: its switching ran.
    EXPECT_EQ(sim.Explain(1, Doy(7, 1, 2026), Hm(3, 0)).heldEntry, -1);
    EXPECT_EQ(sim.Explain(0, Doy(8, 1, 2026), Hm(3, 0)).heldEntry, -1);
}

TEST(SimulationCause, TheLaterOverlappingPriorityTimeIsNamed)
{
    const ProgramModel m = Program(kRowFourChannels, {BuildPriorityEntry(1, 6, 30, 6, 0, false, 2, kC1, 0),
                                                      BuildPriorityEntry(15, 6, 20, 7, 0, false, 5, kC1, 0)});
    const TagPrio prio(m, 2026);
    EXPECT_EQ(prio.Quelle(0, Doy(14, 6, 2026)), 0);
    EXPECT_EQ(prio.Quelle(0, Doy(15, 6, 2026)), 1);
    EXPECT_EQ(prio.Quelle(0, Doy(21, 7, 2026)), -1);
    EXPECT_EQ(prio.Quelle(1, Doy(15, 6, 2026)), -1);
    EXPECT_EQ(prio.Quelle(0, 0), -1);
}

TEST(SimulationCause, AstroTimeWithSummerHourAndLimit)
{
    // The table as the dialog writes it for a morning limit of 6:00 and an
    // evening limit of 21:00: OFF at 6:00 and ON at 20:00 winter time.
    const YearSimulation sim(
        BusAstro(Hm(6, 0), Hm(20, 0), AstroLimits{Hm(6, 0), Hm(21, 0), kOff, kOn}, SwEuropa, kOff, kOn), 2026);
    // Winter: the sunrise time is the limit's.
    const SimulationCause winter = sim.Explain(0, Doy(10, 1, 2026), Hm(7, 0));
    EXPECT_EQ(winter.kind, CauseKind::Astro);
    EXPECT_EQ(winter.astro, (AstroCause{false, Hm(6, 0), false, Hm(6, 0), true}));
    EXPECT_EQ(winter.minute, Hm(6, 0));
    EXPECT_FALSE(winter.switchedOn);
    EXPECT_EQ(winter.entry, -1);
    // Summer: one hour later, no longer at the limit.
    const SimulationCause summer = sim.Explain(0, Doy(1, 7, 2026), Hm(7, 30));
    EXPECT_EQ(summer.astro, (AstroCause{false, Hm(7, 0), true, Hm(6, 0), false}));
    EXPECT_EQ(summer.minute, Hm(7, 0));
    // The evening: the sunset at the evening limit with the summer hour.
    const SimulationCause evening = sim.Explain(0, Doy(1, 7, 2026), Hm(23, 0));
    EXPECT_EQ(evening.astro, (AstroCause{true, Hm(21, 0), true, Hm(21, 0), true}));
    EXPECT_TRUE(evening.switchedOn);
    // After midnight yesterday's sunset holds.
    const SimulationCause night = sim.Explain(0, Doy(1, 7, 2026), Hm(2, 0));
    EXPECT_TRUE(night.earlierDay);
    EXPECT_TRUE(night.astro.sunset);
    EXPECT_EQ(night.date, (CalendarDate{30, 6, 2026}));
}

TEST(SimulationCause, MeterPulseChannel)
{
    const YearSimulation sim(Meter(15, 10, 0, 0), 2026);
    const SimulationCause cause = sim.Explain(1, 100, Hm(12, 0));
    EXPECT_EQ(cause.kind, CauseKind::MeterPulse);
    EXPECT_EQ(cause.state, sim.Rechne_SzGrafik(1, 100).StateAt(Hm(12, 0)));
    EXPECT_EQ(sim.Explain(0, 100, Hm(12, 0)).kind, CauseKind::SwitchingTime);
}

// For random programs of every family: the cause agrees with the day graph
// and names an entry that really switches the channel at that minute.
TEST(SimulationCause, AgreesWithTheProfileAndTheEntryBytes)
{
    const struct {
        int row, seed, entries, priorityTimes, channels;
    } cases[] = {{kRowFourChannels, 11, 200, 40, 4}, {kRowBus738, 12, 300, 40, 6}, {kRowAstro752, 13, 90, 20, 2}};
    std::mt19937 random(5);
    std::map<CauseKind, int> seen;
    for (const auto& c : cases) {
        const ProgramModel m = RandomSimulationProgram(c.row, c.seed, c.entries, c.priorityTimes, c.channels);
        const YearSimulation sim(m, 2027);
        const bool eib = m.eib();
        for (int n = 0; n < 3000; ++n) {
            const int channel = std::uniform_int_distribution<int>(0, c.channels - 1)(random);
            const int day = std::uniform_int_distribution<int>(1, sim.Tage())(random);
            const int minute = std::uniform_int_distribution<int>(0, kMinutesOfDay - 1)(random);
            const SimulationCause cause = sim.Explain(channel, day, minute);
            const int state = sim.Rechne_SzGrafik(channel, day).StateAt(minute);
            ASSERT_EQ(cause.state, state) << c.seed << ' ' << channel << ' ' << day << ' ' << minute;
            ASSERT_EQ(cause.dayPriority, sim.Prioritaeten()(channel, day));
            ++seen[cause.kind];
            switch (cause.kind) {
            case CauseKind::Nothing:
                ASSERT_EQ(state, ProfileAus);
                break;
            case CauseKind::Permanent:
                ASSERT_EQ(state, cause.switchedOn ? ProfileEin : ProfileAus);
                ASSERT_GE(cause.priorityEntry, 0);
                break;
            case CauseKind::Pulse:
                ASSERT_EQ(state, cause.switchedOn ? ProfileImpulsEin : ProfileImpulsAus);
                ASSERT_EQ(cause.minute, minute);
                [[fallthrough]];
            case CauseKind::SwitchingTime: {
                if (cause.kind == CauseKind::SwitchingTime) {
                    ASSERT_EQ(state, cause.switchedOn ? ProfileEin : ProfileAus);
                }
                ASSERT_GE(cause.entry, 0);
                const Entry& e = m.program().Eintrag[static_cast<std::size_t>(cause.entry)];
                ASSERT_EQ(EntryTime(e), cause.minute);
                ASSERT_EQ(EntryState(e, eib) != 0, cause.switchedOn);
                ASSERT_EQ(EntryPriority(e, eib), cause.dayPriority);
                ASSERT_TRUE(cause.earlierDay || cause.minute <= minute);
                ASSERT_EQ(cause.earlierDay, cause.date != DateOfDayOfYear(day, 2027));
                break;
            }
            case CauseKind::Astro:
                ASSERT_EQ(state, cause.switchedOn ? ProfileEin : ProfileAus);
                // The time once, as switched; at a limit it is the limit's.
                ASSERT_EQ(cause.minute, cause.astro.shown);
                ASSERT_EQ(cause.switchedOn, cause.astro.sunset);
                if (cause.astro.limited)
                    ASSERT_EQ(cause.minute, cause.astro.limit);
                break;
            case CauseKind::MeterPulse:
                break;
            }
        }
    }
    // The programs reach every kind of cause but the meter pulse.
    for (const CauseKind kind : {CauseKind::Nothing, CauseKind::SwitchingTime, CauseKind::Pulse, CauseKind::Astro,
                                 CauseKind::Permanent})
        EXPECT_GT(seen[kind], 0) << static_cast<int>(kind);
}

TEST(SimulationCauseText, NamesTheRowTheAstroTimeAndThePriorityTime)
{
    TextTable german;
    TextTable english;
    english.LoadEnglish(1);
    const YearSimulation office(Office(), 2026);
    EXPECT_EQ(SimulationCauseText(office.Explain(0, Doy(20, 5, 2026), Hm(12, 0)), german),
              QStringLiteral("Schaltzeit Nr. 1: 06:00 EIN"));
    EXPECT_EQ(SimulationCauseText(office.Explain(0, Doy(20, 5, 2026), Hm(3, 0)), english),
              QStringLiteral("Switching time no. 2: 22:00 OFF (on 19/05/2026)"));
    EXPECT_EQ(SimulationCauseText(office.Explain(0, Doy(11, 3, 2026), Hm(11, 0)), german),
              QStringLiteral("Impuls der Schaltzeit Nr. 4: 11:00 \u2013 Prioritätszeit Nr. 1: Programm P3"));
    EXPECT_EQ(SimulationCauseText(office.Explain(0, Doy(25, 12, 2026), Hm(11, 0)), german),
              QStringLiteral("Prioritätszeit Nr. 2: Permanent AUS"));
    EXPECT_EQ(SimulationCauseText(office.Explain(3, 10, 0), english),
              QStringLiteral("No switching time of this program: OFF"));

    // The time once, as the device switches it; a time at a limit the user
    // set is the limit's (the table holds it instead of the sun's).
    const YearSimulation astro(
        BusAstro(Hm(5, 10), Hm(20, 0), AstroLimits{Hm(6, 0), Hm(21, 0), kOff, kOn}, SwEuropa, kOff, kOn), 2026);
    EXPECT_EQ(SimulationCauseText(astro.Explain(0, Doy(1, 7, 2026), Hm(23, 0)), german),
              QStringLiteral("Astrozeit Sonnenuntergang 21:00 EIN (mit Sommerzeit), abends nicht schalten nach 21:00"));
    EXPECT_EQ(SimulationCauseText(astro.Explain(0, Doy(1, 7, 2026), Hm(7, 0)), english),
              QStringLiteral("Astro time sunrise 06:10 OFF (summer time included)"));
    EXPECT_EQ(SimulationCauseText(astro.Explain(0, Doy(1, 12, 2026), Hm(7, 0)), german),
              QStringLiteral("Astrozeit Sonnenaufgang 05:10 AUS"));
    EXPECT_EQ(DayPriorityText(0, english), QStringLiteral("Base program"));
    EXPECT_EQ(DayPriorityText(kTagPrioPermanentEin, german), QStringLiteral("Permanent EIN"));
    EXPECT_EQ(SimulationTimeText(0), QStringLiteral("00:00"));
    EXPECT_EQ(SimulationTimeText(kMinutesOfDay), QStringLiteral("24:00"));
}

TEST(SimulationCsv, SummaryOfADayProfile)
{
    const struct {
        std::vector<ProfileSegment> segments;
        DaySummary want;
    } cases[] = {
        {{{ProfileAus, 1440}}, {-1, -1, 0}},
        {{{ProfileEin, 1440}}, {0, -1, 0}},
        {{{ProfileAus, 360}, {ProfileEin, 960}, {ProfileAus, 120}}, {360, 1320, 2}},
        {{{ProfileEin, 300}, {ProfileAus, 600}, {ProfileEin, 540}}, {0, 300, 2}},
        // A pulse counts once and changes nothing.
        {{{ProfileAus, 720}, {ProfileImpulsEin, 1}, {ProfileAus, 719}}, {-1, -1, 1}},
        // A pulse and ON at the same minute: ON from the pulse's minute.
        {{{ProfileAus, 480}, {ProfileImpulsEin, 1}, {ProfileEin, 719}, {ProfileAus, 240}}, {480, 1200, 3}},
        // The meter channel: its periods.
        {std::vector<ProfileSegment>(96, {ProfileImpulsEin, 15}), {-1, -1, 96}},
    };
    for (const auto& c : cases) {
        DayProfile p;
        p.segments = c.segments;
        EXPECT_EQ(SummarizeDay(p), c.want) << c.want.firstOn << ' ' << c.want.lastOff << ' ' << c.want.switchings;
    }
}

// Every line of the table against the day profile it comes from.
TEST(SimulationCsv, OneLinePerDayAsTheProfilesSay)
{
    TextTable french;
    french.LoadFrench(1);
    for (const int year : {2027, 2028}) {
        const YearSimulation sim(Office(), year);
        const QStringList lines = QString::fromUtf8(SimulationCsv(sim, 0, french)).split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), sim.Tage() + 2) << year;   // heading, the days, the empty rest after the last line end
        EXPECT_EQ(lines.front(), QStringLiteral("date,weekday,priority,operating_minutes,first_on,last_off,switchings"));
        EXPECT_TRUE(lines.back().isEmpty());
        long total = 0;
        for (int d = 1; d <= sim.Tage(); ++d) {
            const QStringList cells = lines[d].split(QLatin1Char(','));
            ASSERT_EQ(cells.size(), 7) << lines[d].toStdString();
            const DayProfile profile = sim.Rechne_SzGrafik(0, d);
            const DaySummary summary = SummarizeDay(profile);
            const QDate date = QDate(year, 1, 1).addDays(d - 1);
            EXPECT_EQ(cells[0], date.toString(Qt::ISODate));
            EXPECT_EQ(cells[2].toInt(), profile.prioritaet);
            EXPECT_EQ(cells[3].toInt(), profile.betriebsMinuten);
            EXPECT_EQ(cells[4], summary.firstOn < 0 ? QString() : SimulationTimeText(summary.firstOn));
            EXPECT_EQ(cells[5], summary.lastOff < 0 ? QString() : SimulationTimeText(summary.lastOff));
            EXPECT_EQ(cells[6].toInt(), summary.switchings);
            total += cells[3].toInt();
        }
        EXPECT_EQ(total, sim.Jahresbetriebsminuten(0));
        // French weekday names; 11 March is a P3 day, Christmas permanently OFF.
        EXPECT_EQ(lines[1].section(QLatin1Char(','), 1, 1), year == 2027 ? QStringLiteral("Ve") : QStringLiteral("Sa"));
        EXPECT_EQ(lines[Doy(11, 3, year)].section(QLatin1Char(','), 2, 6), QStringLiteral("3,120,10:00,12:00,3"));
        EXPECT_EQ(lines[Doy(25, 12, year)].section(QLatin1Char(','), 2, 6), QStringLiteral("11,0,,,0"));
    }
}

#include "calendar/SimulationCsv.h"
#include "calendar/SimulationTexts.h"
#include "calendar/SommerzeitTage.h"
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
    return Program(kRowFourChannels, {SixOn(kC1 | kC2), TwentyTwoOff(kC1 | kC2), BuildWeeklyEntry(Hm(10, 0), kDaily, kC1, 1, 0, 3), BuildWeeklyEntry(Hm(11, 0), kDaily, kC1, 1, 20, 3), BuildWeeklyEntry(Hm(12, 0), kDaily, kC1, 0, 0, 3), BuildPriorityEntry(10, 3, 12, 3, 0, false, 3, kC1, 0), BuildPriorityEntry(24, 12, 6, 1, 0, false, 10, kC1, 0)});
}

// The astro channel of the bus device as the dialog writes it for a
// morning limit of 6:00 and an evening limit of 21:00.
ProgramModel LimitedAstro(int rise, int set)
{
    return BusAstro(rise, set, AstroLimits{Hm(6, 0), Hm(21, 0), kOff, kOn}, SwEuropa, kOff, kOn);
}

} // namespace

TEST(SimulationCause, WhatHoldsTheOfficeChannels)
{
    const YearSimulation sim(Office(), 2026);
    const int may20 = Doy(20, 5, 2026);
    const int p3Day = Doy(11, 3, 2026);
    const struct {
        int channel, day, minute;
        CauseKind kind;
        int entry, state, dayPriority, priorityEntry, date; // date: day of the year of the switching
    } cases[] = {
        // The switching of the day, or of the day before for the state at midnight.
        {0, may20, Hm(6, 0), CauseKind::SwitchingTime, 0, ProfileEin, 0, -1, may20},
        {0, may20, Hm(23, 59), CauseKind::SwitchingTime, 1, ProfileAus, 0, -1, may20},
        {0, may20, Hm(5, 59), CauseKind::SwitchingTime, 1, ProfileAus, 0, -1, may20 - 1},
        // 1 January (a permanent day) and 7 January: the state from the day before.
        {1, 1, Hm(3, 0), CauseKind::SwitchingTime, 1, ProfileAus, 0, -1, 0},
        // The day of P3 runs the P3 entries; the minute of the pulse names
        // the pulse, the next the ON before it; before 10:00 the P3 program's
        // last switching of the day before holds.
        {0, p3Day, Hm(10, 30), CauseKind::SwitchingTime, 2, ProfileEin, 3, 5, p3Day},
        {0, p3Day, Hm(11, 0), CauseKind::Pulse, 3, ProfileImpulsEin, 3, 5, p3Day},
        {0, p3Day, Hm(11, 1), CauseKind::SwitchingTime, 2, ProfileEin, 3, 5, p3Day},
        {0, p3Day, Hm(9, 0), CauseKind::SwitchingTime, 4, ProfileAus, 3, 5, p3Day - 1},
        {1, p3Day, Hm(10, 30), CauseKind::SwitchingTime, 0, ProfileEin, 0, -1, p3Day},
        // Christmas and the days after New Year: the permanent priority time.
        {0, Doy(24, 12, 2026), Hm(12, 0), CauseKind::Permanent, -1, ProfileAus, kTagPrioPermanentAus, 6, -1},
        {0, Doy(6, 1, 2026), Hm(12, 0), CauseKind::Permanent, -1, ProfileAus, kTagPrioPermanentAus, 6, -1},
        // Nothing reaches channel 4; outside the year, the day or the channels no cause.
        {3, 100, Hm(12, 0), CauseKind::Nothing, -1, ProfileAus, 0, -1, -1},
        {0, 366, 0, CauseKind::Nothing, -1, ProfileAus, 0, -1, -1},
        {0, 100, kMinutesOfDay, CauseKind::Nothing, -1, ProfileAus, 0, -1, -1},
        {4, 100, 0, CauseKind::Nothing, -1, ProfileAus, 0, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channel << ' ' << c.day << ' ' << c.minute);
        const SimulationCause cause = sim.Explain(c.channel, c.day, c.minute);
        EXPECT_EQ(std::tuple(cause.kind, cause.entry, cause.state, cause.dayPriority, cause.priorityEntry),
                  std::tuple(c.kind, c.entry, c.state, c.dayPriority, c.priorityEntry));
        EXPECT_EQ(cause.entryNumber, c.entry + 1);
        EXPECT_EQ(cause.priorityNumber, c.priorityEntry < 0 ? 0 : c.priorityEntry - 4);
        if (c.date >= 0) {
            EXPECT_EQ(cause.date, DateOfDayOfYear(c.date, 2026));
            EXPECT_EQ(cause.earlierDay, c.date != c.day);
            EXPECT_EQ(cause.switchedOn, c.state == ProfileEin || c.state == ProfileImpulsEin);
        }
    }
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
        // The evening: the sunset at the evening limit with the summer hour;
        // after midnight yesterday's sunset holds.
        {1, 7, Hm(23, 0), {true, Hm(21, 0), true, Hm(21, 0), true}, false},
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
    EXPECT_EQ(pulse.kind, CauseKind::MeterPulse);
    EXPECT_EQ(pulse.state, meter.Rechne_SzGrafik(1, 100).StateAt(Hm(12, 0)));
    EXPECT_EQ(meter.Explain(0, 100, Hm(12, 0)).kind, CauseKind::SwitchingTime);
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
            const int steady = cause.switchedOn ? ProfileEin : ProfileAus;
            switch (cause.kind) {
            case CauseKind::Nothing:
                ASSERT_EQ(state, ProfileAus);
                break;
            case CauseKind::Permanent:
                ASSERT_EQ(state, steady);
                ASSERT_GE(cause.priorityEntry, 0);
                break;
            case CauseKind::Pulse:
            case CauseKind::SwitchingTime: {
                if (cause.kind == CauseKind::Pulse) {
                    ASSERT_EQ(std::tuple(state, cause.minute),
                              std::tuple(cause.switchedOn ? ProfileImpulsEin : ProfileImpulsAus, minute));
                } else {
                    ASSERT_EQ(state, steady);
                }
                ASSERT_GE(cause.entry, 0);
                const Entry& e = m.program().Eintrag[static_cast<std::size_t>(cause.entry)];
                ASSERT_EQ(std::tuple(EntryTime(e), EntryState(e, eib) != 0, EntryPriority(e, eib)),
                          std::tuple(cause.minute, cause.switchedOn, cause.dayPriority));
                ASSERT_TRUE(cause.earlierDay || cause.minute <= minute);
                ASSERT_EQ(cause.earlierDay, cause.date != DateOfDayOfYear(day, 2027));
                break;
            }
            case CauseKind::Astro:
                // The time once, as switched; at a limit it is the limit's.
                ASSERT_EQ(std::tuple(state, cause.minute, cause.switchedOn), std::tuple(steady, cause.astro.shown, cause.astro.sunset));
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
    // The time once, as the device switches it; a time at a limit the user
    // set is the limit's (the table holds it instead of the sun's).
    const YearSimulation astro(LimitedAstro(Hm(5, 10), Hm(20, 0)), 2026);
    const struct {
        const YearSimulation& sim;
        int channel, day, minute;
        const TextTable& texts;
        const char* text;
    } cases[] = {
        {office, 0, Doy(20, 5, 2026), Hm(12, 0), german, "Schaltzeit Nr. 1: 06:00 EIN"},
        {office, 0, Doy(20, 5, 2026), Hm(3, 0), english, "Switching time no. 2: 22:00 OFF (on 19/05/2026)"},
        {office, 0, Doy(11, 3, 2026), Hm(11, 0), german,
         "Impuls der Schaltzeit Nr. 4: 11:00 \u2013 Prioritätszeit Nr. 1: Programm P3"},
        {office, 0, Doy(25, 12, 2026), Hm(11, 0), german, "Prioritätszeit Nr. 2: Permanent AUS"},
        {office, 3, 10, 0, english, "No switching time of this program: OFF"},
        {astro, 0, Doy(1, 7, 2026), Hm(23, 0), german,
         "Astrozeit Sonnenuntergang 21:00 EIN (mit Sommerzeit), abends nicht schalten nach 21:00"},
        {astro, 0, Doy(1, 7, 2026), Hm(7, 0), english, "Astro time sunrise 06:10 OFF (summer time included)"},
        {astro, 0, Doy(1, 12, 2026), Hm(7, 0), german, "Astrozeit Sonnenaufgang 05:10 AUS"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SimulationCauseText(c.sim.Explain(c.channel, c.day, c.minute), c.texts), QString::fromUtf8(c.text));
    EXPECT_EQ(DayPriorityText(0, english), QStringLiteral("Base program"));
    EXPECT_EQ(DayPriorityText(kTagPrioPermanentEin, german), QStringLiteral("Permanent EIN"));
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
        ASSERT_EQ(lines.size(), sim.Tage() + 2) << year; // heading, the days, the empty rest after the last line end
        EXPECT_EQ(lines.front(), QStringLiteral("date,weekday,priority,operating_minutes,first_on,last_off,switchings"));
        EXPECT_TRUE(lines.back().isEmpty());
        const auto time = [](int minute) { return minute < 0 ? QString() : SimulationTimeText(minute); };
        for (int d = 1; d <= sim.Tage(); ++d) {
            const DayProfile profile = sim.Rechne_SzGrafik(0, d);
            const DaySummary summary = SummarizeDay(profile);
            const QString want = QStringList{QDate(year, 1, 1).addDays(d - 1).toString(Qt::ISODate), QString(),
                                             QString::number(profile.prioritaet), QString::number(profile.betriebsMinuten),
                                             time(summary.firstOn), time(summary.lastOff), QString::number(summary.switchings)}
                                     .join(QLatin1Char(','));
            QStringList cells = lines[d].split(QLatin1Char(','));
            ASSERT_EQ(cells.size(), 7) << lines[d].toStdString();
            cells[1].clear();
            EXPECT_EQ(cells.join(QLatin1Char(',')), want);
        }
        // French weekday names; 11 March is a P3 day, Christmas permanently OFF.
        EXPECT_EQ(lines[1].section(QLatin1Char(','), 1, 1), year == 2027 ? QStringLiteral("Ve") : QStringLiteral("Sa"));
        EXPECT_EQ(lines[Doy(11, 3, year)].section(QLatin1Char(','), 2, 6), QStringLiteral("3,120,10:00,12:00,3"));
        EXPECT_EQ(lines[Doy(25, 12, year)].section(QLatin1Char(','), 2, 6), QStringLiteral("11,0,,,0"));
    }
}

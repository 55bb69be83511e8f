#include "calendar/YearSimulation.h"
#include "editing/EntryBuilder.h"
#include "tests/calendar/SimulationFixtures.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

// Channel 2 of a meter-pulse switch measures every `period` minutes with a
// pulse of `seconds`; its switching times and priority times are ignored.
ProgramModel Meter(int period, int seconds, int zustand, int zeitpunkt)
{
    ProgramModel m = EmptyProgram(kRowMeterTwoChannels);
    EXPECT_EQ(m.device.Evu, 1);
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

TEST(MeterPulseSimulation, OperatingTimeOfTheMeasuringRelay)
{
    // 96 pulses of 10 s a day = 16 minutes.
    const YearSimulation relayOff(Meter(15, 10, 0, 0), 2026);
    EXPECT_TRUE(relayOff.IstMesskanal(1));
    EXPECT_FALSE(relayOff.IstMesskanal(0));
    EXPECT_EQ(relayOff.Betriebsminuten(1, 100), 1440 - 16);
    EXPECT_EQ(relayOff.Betriebsminuten(1, Doy(10, 5, 2026)), 1440 - 16);
    EXPECT_EQ(relayOff.Jahresbetriebsminuten(1), 365 * (1440 - 16));
    EXPECT_EQ(relayOff.Jahresbetriebsminuten(0), 365 * 960);

    const YearSimulation relayOn(Meter(15, 10, 1, 0), 2028);
    EXPECT_EQ(relayOn.Betriebsminuten(1, 100), 16);
    EXPECT_EQ(relayOn.Jahresbetriebsminuten(1), 366 * 16);
}

TEST(MeterPulseSimulation, ProfileFollowsTheMeasuringPeriod)
{
    const YearSimulation sim(Meter(15, 10, 0, 0), 2026);
    const DayProfile p = sim.Rechne_SzGrafik(1, 100);
    ASSERT_EQ(p.segments.size(), 96u);
    for (const ProfileSegment& s : p.segments)
        EXPECT_EQ(s, (ProfileSegment{ProfileImpulsEin, 15}));

    const YearSimulation relayOn(Meter(60, 5, 1, 0), 2026);
    const DayProfile q = relayOn.Rechne_SzGrafik(1, 100);
    ASSERT_EQ(q.segments.size(), 24u);
    EXPECT_EQ(q.segments.front(), (ProfileSegment{ProfileImpulsAus, 60}));
}

TEST(MeterPulseSimulation, PulseAtTheEndOfThePeriodEndsAtMidnight)
{
    const YearSimulation sim(Meter(15, 10, 1, 1), 2026);
    const DayProfile p = sim.Rechne_SzGrafik(1, 100);
    EXPECT_EQ(p.TotalLength(), 1440);
    ASSERT_EQ(p.segments.size(), 96u);
    EXPECT_EQ(p.segments.front(), (ProfileSegment{ProfileEin, 15}));
    EXPECT_EQ(p.segments.back(), (ProfileSegment{ProfileImpulsAus, 15}));
    EXPECT_EQ(p.betriebsMinuten, 16);
}

TEST(MeterPulseSimulation, PeriodsThatDoNotDivideTheDayStillCoverItExactly)
{
    for (const int period : {7, 26, 50, 63}) {
        for (const int zeitpunkt : {0, 1}) {
            const YearSimulation sim(Meter(period, 1, 0, zeitpunkt), 2026);
            const DayProfile p = sim.Rechne_SzGrafik(1, 1);
            EXPECT_EQ(p.TotalLength(), 1440) << period << ' ' << zeitpunkt;
            EXPECT_LE(p.segments.back().length, period);
            EXPECT_GE(p.betriebsMinuten, 0);
            EXPECT_LE(p.betriebsMinuten, 1440) << period;
        }
    }
}

TEST(MeterPulseSimulation, PulseLongerThanItsPeriodGivesNoNegativeTime)
{
    EXPECT_EQ(YearSimulation(Meter(1, 63, 0, 0), 2026).Betriebsminuten(1, 1), 0);
    EXPECT_EQ(YearSimulation(Meter(1, 63, 1, 0), 2026).Betriebsminuten(1, 1), 1440);
}

TEST(MeterPulseSimulation, OnlyOnMeterPulseDevices)
{
    ProgramModel m = Meter(15, 10, 0, 0);
    m.device.Evu = 0;
    const YearSimulation sim(m, 2026);
    EXPECT_FALSE(sim.IstMesskanal(1));
    EXPECT_EQ(sim.Betriebsminuten(1, 100), 960);
    EXPECT_EQ(sim.Betriebsminuten(1, Doy(10, 5, 2026)), 1440);
}

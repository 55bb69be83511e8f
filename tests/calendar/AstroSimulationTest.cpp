#include "calendar/AstroTable.h"
#include "calendar/SommerzeitTage.h"
#include "calendar/YearSimulation.h"
#include "editing/EntryBuilder.h"
#include "tests/calendar/SimulationFixtures.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

using S = std::vector<Stretch>;

constexpr int kOn = -1;
constexpr int kOff = 0;

// Channel 1 of the bus device follows the same two times every day: OFF
// at sunrise, ON at sunset, unless told otherwise.
ProgramModel BusAstro(int rise, int set, AstroLimits limits, int swRegel, int riseState = kOff, int setState = kOn)
{
    ProgramModel m = modelForRow(kRowBus738);
    m.device.SwRegel = swRegel;
    AstroProgram& a = m.program().astro;
    for (AstroDay& day : a.AstroTab[0])
        day = AstroDay{rise, set, riseState, setState};
    a.AstroAktiv[0] = kOn;
    a.AstroAktiv[1] = kOn;
    a.AstroGrenze[0] = limits;
    return m;
}

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
    for (const int state : {1, 0})
        addEntry(m, BuildWeeklyEntry(state ? Hm(6, 0) : Hm(22, 0), kDaily, kC1 | kC2, state, 0, 0));
    addEntry(m, BuildPriorityEntry(1, 5, 31, 5, 0, false, 10, kC2, 1));
    return m;
}

} // namespace

TEST(AstroSimulation, LimitsAndSummerHourMoveTheSunTimes)
{
    // Sunrise 5:10 before the 6:00 morning limit, sunset 21:30 after the 21:00 evening limit.
    const ProgramModel m = BusAstro(Hm(5, 10), Hm(21, 30), AstroLimits{Hm(6, 0), Hm(21, 0), kOff, kOn}, SwEuropa);
    const YearSimulation sim(m, 2026);
    // ON since yesterday's sunset, OFF at the limit, ON again at the evening limit.
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(10, 1, 2026))), (S{{0, 360, 1}, {360, 1260, 0}, {1260, 1440, 1}}));
    // In summer time the sunrise is 6:10, after the limit.
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(1, 7, 2026))), (S{{0, 370, 1}, {370, 1260, 0}, {1260, 1440, 1}}));
    // Summer time from 29 March to 25 October 2026, both days included.
    const int summerDays = Doy(25, 10, 2026) - Doy(29, 3, 2026) + 1;
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), summerDays * 550 + (365 - summerDays) * 540);
    EXPECT_EQ(sim.Jahresbetriebsminuten(1), 0);
}

TEST(AstroSimulation, TimePushedOutOfTheDayBySummerTimeIsNotSwitched)
{
    // ON at 23:20 and OFF at 1:40 by the table.
    const ProgramModel m = BusAstro(Hm(23, 20), Hm(1, 40), AstroLimits{0, 1439, kOn, kOff}, SwEuropa, kOn, kOff);
    const YearSimulation sim(m, 2026);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(15, 1, 2026))), (S{{0, 100, 1}, {100, 1400, 0}, {1400, 1440, 1}}));
    // In summer time the 23:20 becomes 0:20 of the next day and is dropped.
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(15, 7, 2026))), (S{{0, 1440, 0}}));
    // The first summer day still starts ON from the last winter evening.
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(29, 3, 2026))), (S{{0, 160, 1}, {160, 1440, 0}}));
}

TEST(AstroSimulation, PolarNightCarriesTheLastSunsetOver)
{
    ProgramModel m = BusAstro(Hm(9, 0), Hm(15, 0), AstroLimits{0, 1439, kOff, kOn}, 0);
    for (std::size_t i = 0; i < 30; ++i)
        m.program().astro.AstroTab[0][i].rise = m.program().astro.AstroTab[0][i].set = m.device.KeineZeit;
    const YearSimulation sim(m, 2026);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, 15)), (S{{0, 1440, 1}}));
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, 31)), (S{{0, 540, 1}, {540, 900, 0}, {900, 1440, 1}}));
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), 30 * 1440 + 335 * 1080);
}

TEST(AstroSimulation, OneChannelAstroDeviceSwitchesAtTheListedTimes)
{
    for (const int c1c2 : {0, 1}) {
        ProgramModel m = modelForRow(kRowAstro752);
        m.device.AstroC1C2 = c1c2;
        AstroProgram& a = m.program().astro;
        a.AstroOffsetAuf = -15;
        a.AstroOffsetUnter = 20;
        for (AstroDay& day : a.AstroTab[0])
            day = AstroDay{Hm(6, 40), Hm(16, 40), kOff, kOn};
        a.AstroAktiv[0] = kOn;
        a.AstroAktiv[1] = kOn;
        a.AstroGrenze[0] = AstroLimits{0, Hm(15, 0), kOff, kOn};   // the device has no evening limit
        const YearSimulation sim(m, 2026);
        const int day = Doy(10, 1, 2026);
        const AstroShownTimes listed = ShownAstroTimes(m, kProgramSlot, 0, day, 2026);
        ASSERT_EQ(listed.rise, Hm(6, 25));
        ASSERT_EQ(listed.set, Hm(17, 0));
        EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, day)), (S{{0, Hm(6, 25), 1}, {Hm(6, 25), Hm(17, 0), 0}, {Hm(17, 0), 1440, 1}}));
        EXPECT_EQ(sim.Betriebsminuten(1, day), c1c2 ? 1440 - (Hm(17, 0) - Hm(6, 25)) : 0);
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

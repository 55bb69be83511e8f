#include "calendar/SommerzeitTage.h"
#include "calendar/YearSimulation.h"
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

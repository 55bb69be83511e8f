#include "calendar/AstroTable.h"
#include "calendar/SommerzeitTage.h"
#include "calendar/YearSimulation.h"
#include "editing/EntryBuilder.h"
#include "model/DstRowCodec.h"
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
    ProgramModel m = EmptyProgram(kRowBus738);
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

TEST(AstroSimulation, SunriseBeforeTheMorningLimitSwitchesAtTheLimit)
{
    const ProgramModel m = BusAstro(Hm(5, 10), Hm(20, 0), AstroLimits{Hm(6, 0), 1439, kOff, kOn}, 0);
    const YearSimulation sim(m, 2026);
    // ON since yesterday's sunset, OFF at the limit, ON again at sunset.
    const DayProfile p = sim.Rechne_SzGrafik(0, Doy(10, 1, 2026));
    EXPECT_EQ(Stretches(p), (S{{0, 360, 1}, {360, 1200, 0}, {1200, 1440, 1}}));
    EXPECT_EQ(p.betriebsMinuten, 600);
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), 365 * 600);
    EXPECT_EQ(sim.Jahresbetriebsminuten(1), 0);
}

TEST(AstroSimulation, SummerTimeAddsAnHour)
{
    const ProgramModel m = BusAstro(Hm(5, 10), Hm(20, 0), AstroLimits{Hm(6, 0), 1439, kOff, kOn}, SwEuropa);
    const YearSimulation sim(m, 2026);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(1, 7, 2026))), (S{{0, 370, 1}, {370, 1260, 0}, {1260, 1440, 1}}));
    EXPECT_EQ(sim.Betriebsminuten(0, Doy(10, 1, 2026)), 600);
    // Summer time from 29 March to 25 October 2026, both days included.
    const int summerDays = Doy(25, 10, 2026) - Doy(29, 3, 2026) + 1;
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), summerDays * 550 + (365 - summerDays) * 600);
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
    for (int i = 0; i < 30; ++i) {
        m.program().astro.AstroTab[0][static_cast<std::size_t>(i)].rise = m.device.KeineZeit;
        m.program().astro.AstroTab[0][static_cast<std::size_t>(i)].set = m.device.KeineZeit;
    }
    const YearSimulation sim(m, 2026);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, 15)), (S{{0, 1440, 1}}));
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, 31)), (S{{0, 540, 1}, {540, 900, 0}, {900, 1440, 1}}));
    EXPECT_EQ(sim.Jahresbetriebsminuten(0), 30 * 1440 + 335 * 1080);
}

TEST(AstroSimulation, EveningLimitSetsALateSunsetBack)
{
    const ProgramModel m = BusAstro(Hm(7, 0), Hm(21, 30), AstroLimits{0, Hm(21, 0), kOff, kOn}, 0);
    const YearSimulation sim(m, 2026);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, 100)), (S{{0, 420, 1}, {420, 1260, 0}, {1260, 1440, 1}}));
}

TEST(AstroSimulation, AstroTimesBelongToTheBaseProgram)
{
    ProgramModel m = BusAstro(Hm(7, 0), Hm(17, 0), AstroLimits{0, 1439, kOff, kOn}, 0);
    addEntry(m, BuildWeeklyEntry(Hm(12, 0), kSu, 0, 1, 0, 2));
    addEntry(m, BuildWeeklyEntry(Hm(13, 0), kSu, 0, 0, 0, 2));
    addEntry(m, BuildPriorityEntry(1, 2, 1, 2, 0, false, 2, 0, 0));
    const YearSimulation sim(m, 2026);
    ASSERT_EQ(QDate(2026, 2, 1).dayOfWeek(), Qt::Sunday);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(1, 2, 2026))), (S{{0, 720, 0}, {720, 780, 1}, {780, 1440, 0}}));
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(2, 2, 2026))), (S{{0, 420, 1}, {420, 1020, 0}, {1020, 1440, 1}}));
}

TEST(AstroSimulation, OneChannelAstroDeviceSwitchesAtTheListedTimes)
{
    for (const int c1c2 : {0, 1}) {
        ProgramModel m = EmptyProgram(kRowAstro752);
        m.device.AstroC1C2 = c1c2;
        AstroProgram& a = m.program().astro;
        a.AstroOffsetAuf = -15;
        a.AstroOffsetUnter = 20;
        for (AstroDay& day : a.AstroTab[0])
            day = AstroDay{Hm(6, 40), Hm(16, 40), kOff, kOn};
        a.AstroAktiv[0] = kOn;
        a.AstroAktiv[1] = kOn;
        // This device has no evening limit of its own.
        a.AstroGrenze[0] = AstroLimits{0, Hm(15, 0), kOff, kOn};
        const YearSimulation sim(m, 2026);
        const int day = Doy(10, 1, 2026);
        const AstroShownTimes listed = ShownAstroTimes(m, kProgramSlot, 0, day, 2026);
        ASSERT_TRUE(listed.rise && listed.set);
        EXPECT_EQ(*listed.rise, Hm(6, 25));
        EXPECT_EQ(*listed.set, Hm(17, 0));
        EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, day)),
                  (S{{0, *listed.rise, 1}, {*listed.rise, *listed.set, 0}, {*listed.set, 1440, 1}}));
        EXPECT_EQ(sim.Betriebsminuten(1, day), c1c2 ? 1440 - (*listed.set - *listed.rise) : 0);
    }
}

TEST(AstroSimulation, OneChannelAstroDeviceSwitchesALateSunsetAtMidnightMinusOne)
{
    ProgramModel m = EmptyProgram(kRowAstro752);
    m.device.SwRegel = SwEuropa;
    AstroProgram& a = m.program().astro;
    for (AstroDay& day : a.AstroTab[0])
        day = AstroDay{Hm(8, 0), Hm(23, 30), kOn, kOff};
    a.AstroAktiv[0] = kOn;
    a.AstroAktiv[1] = kOn;
    const YearSimulation sim(m, 2026);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(1, 7, 2026))), (S{{0, 540, 0}, {540, 1439, 1}, {1439, 1440, 0}}));
}

TEST(AstroSimulation, SouthernSummerTimeTableRunsOverTheYearEnd)
{
    // A table row for 2026 with the clock put forward on 4 October and back
    // on 5 April: summer time from 1 January to 5 April and from 4 October on.
    ProgramModel m = BusAstro(Hm(6, 0), Hm(19, 0), AstroLimits{0, 1439, kOff, kOn}, SwTabelle);
    ProgramSlot& s = m.program();
    s.SoWiJahr = 2025 - 1996;
    s.SoWiInfo = 1;
    s.SoWiTab[1] = EncodeDstRow(DstEntry{{4, 10, 2, 1}, {5, 4, 3, 1}});
    s.AnzSoWi = 2;
    const YearSimulation sim(m, 2026);
    const S summer{{0, 420, 1}, {420, 1200, 0}, {1200, 1440, 1}};
    const S winter{{0, 360, 1}, {360, 1140, 0}, {1140, 1440, 1}};
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(15, 1, 2026))), summer);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(5, 4, 2026))), summer);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(6, 4, 2026))), winter);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(15, 7, 2026))), winter);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(4, 10, 2026))), summer);
    EXPECT_EQ(Stretches(sim.Rechne_SzGrafik(0, Doy(15, 12, 2026))), summer);
}

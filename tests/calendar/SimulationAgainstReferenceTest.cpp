#include "calendar/YearSimulation.h"
#include "tests/calendar/NaiveYearSimulation.h"
#include "tests/calendar/RandomSimulationProgram.h"
#include "tests/calendar/SimulationFixtures.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

// Every day of every channel against the plain per-day reference.
void ExpectSameAsReference(const ProgramModel& m, int year, int channels)
{
    const YearSimulation sim(m, year);
    NaiveYearSimulation reference(m, year);
    for (int c = 0; c < channels; ++c) {
        const std::vector<int> perDay = sim.BetriebsminutenJeTag(c);
        int total = 0;
        for (int d = 1; d <= sim.Tage(); ++d) {
            const DayProfile got = sim.Rechne_SzGrafik(c, d);
            const DayProfile want = reference.Profile(c, d);
            ASSERT_EQ(got.prioritaet, want.prioritaet) << "channel " << c << " day " << d;
            ASSERT_EQ(Stretches(got), Stretches(want)) << "channel " << c << " day " << d;
            ASSERT_EQ(got.betriebsMinuten, want.betriebsMinuten) << "channel " << c << " day " << d;
            ASSERT_EQ(perDay[static_cast<std::size_t>(d - 1)], want.betriebsMinuten) << "channel " << c << " day " << d;
            total += want.betriebsMinuten;
        }
        EXPECT_EQ(sim.Jahresbetriebsminuten(c), total) << "channel " << c;
    }
}

} // namespace

TEST(SimulationAgainstReference, FourChannelSwitchFullMemory)
{
    for (const int seed : {1, 2}) {
        for (const int year : {2026, 2028})
            ExpectSameAsReference(RandomSimulationProgram(kRowFourChannels, seed, 264, 60, 4), year, 4);
    }
}

TEST(SimulationAgainstReference, AstroDevices)
{
    for (const int seed : {3, 4})
        ExpectSameAsReference(RandomSimulationProgram(kRowBus738, seed, 300, 40, 6), seed == 3 ? 2027 : 2028, 6);
    for (const int seed : {5, 6, 7})
        ExpectSameAsReference(RandomSimulationProgram(kRowAstro752, seed, 100, 20, 2), 2026, 2);
}

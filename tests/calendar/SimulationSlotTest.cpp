// The simulation of either slot: the sample opened beside the program is
// simulated from its own entries, summer-time table and astro program, and
// what decided refers to the sample's rows.
#include "calendar/SommerzeitTage.h"
#include "calendar/YearSimulation.h"
#include "editing/ProgramSnapshot.h"
#include "tests/calendar/RandomSimulationProgram.h"
#include "tests/calendar/SimulationTestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

// `program` in the program slot and `sample` in the sample slot, under the
// sample's device settings.
ProgramModel BothSlots(const ProgramModel& program, const ProgramModel& sample)
{
    ProgramModel both = sample;
    both.program() = program.program();
    both.slot(kSampleSlot) = sample.program();
    return both;
}

// What an explanation says, field by field.
auto Said(const SimulationCause& c)
{
    return std::tuple(c.kind, c.state, c.dayPriority, c.priorityEntry, c.priorityNumber, c.entry, c.entryNumber, c.date,
                      c.earlierDay, c.minute, c.switchedOn, c.astro);
}

} // namespace

// Each slot gives, every day, what its program alone gives under the same
// device settings (the simulation of one program is checked against the
// per-day reference elsewhere).
TEST(SimulationSlot, EachSlotGivesItsOwnProgramsProfileEveryDay)
{
    const struct {
        int row, programSeed, sampleSeed, entries, priorityTimes, channels, year;
    } cases[] = {
        {kRowFourChannels, 11, 12, 200, 40, 4, 2026},
        {kRowBus738, 13, 14, 250, 30, 6, 2028},
        {kRowAstro752, 15, 16, 90, 20, 2, 2026},
    };
    for (const auto& c : cases) {
        const ProgramModel program = RandomSimulationProgram(c.row, c.programSeed, c.entries, c.priorityTimes, c.channels);
        ProgramModel sample = RandomSimulationProgram(c.row, c.sampleSeed, c.entries, c.priorityTimes, c.channels);
        // On the bus device by table: each slot switches by its own summer/winter table.
        sample.device.SwRegel = c.row == kRowBus738 ? SwTabelle : SwEuropa;
        const ProgramModel both = BothSlots(program, sample);
        ProgramModel programOnly = sample;
        programOnly.program() = program.program();
        const YearSimulation ofSample(both, c.year, kSampleSlot);
        const YearSimulation ofProgram(both, c.year);
        const YearSimulation sampleAlone(sample, c.year);
        const YearSimulation programAlone(programOnly, c.year);
        int differingDays = 0;
        for (int ch = 0; ch < c.channels; ++ch) {
            ASSERT_EQ(ofSample.BetriebsminutenJeTag(ch), sampleAlone.BetriebsminutenJeTag(ch)) << c.row << ' ' << ch;
            for (int d = 1; d <= ofSample.Tage(); ++d) {
                const S got = Stretches(ofSample.Rechne_SzGrafik(ch, d));
                ASSERT_EQ(ofSample.Rechne_SzGrafik(ch, d).prioritaet, sampleAlone.Rechne_SzGrafik(ch, d).prioritaet);
                ASSERT_EQ(got, Stretches(sampleAlone.Rechne_SzGrafik(ch, d))) << c.row << ' ' << ch << ' ' << d;
                ASSERT_EQ(Stretches(ofProgram.Rechne_SzGrafik(ch, d)), Stretches(programAlone.Rechne_SzGrafik(ch, d)))
                    << c.row << ' ' << ch << ' ' << d;
                differingDays += got != Stretches(ofProgram.Rechne_SzGrafik(ch, d));
            }
        }
        // The two slots really are different programs.
        EXPECT_GT(differingDays, 0) << "row " << c.row;
    }
}

TEST(SimulationSlot, WhatDecidedNamesTheRowsOfTheSample)
{
    const ProgramModel program = RandomSimulationProgram(kRowBus738, 21, 200, 30, 4);
    ProgramModel sample = RandomSimulationProgram(kRowBus738, 22, 120, 50, 4);
    sample.device.SwRegel = SwTabelle; // the astro times' summer hour from the sample's own table
    const ProgramModel both = BothSlots(program, sample);
    const YearSimulation ofSample(both, 2027, kSampleSlot);
    const YearSimulation alone(sample, 2027);
    int named = 0;
    for (int ch = 0; ch < 4; ++ch) {
        for (int d = 1; d <= alone.Tage(); d += 3) {
            for (const int minute : {0, 5 * 60 + 30, 12 * 60, 19 * 60 + 45, 23 * 60 + 59}) {
                const SimulationCause got = ofSample.Explain(ch, d, minute);
                ASSERT_EQ(Said(got), Said(alone.Explain(ch, d, minute))) << ch << ' ' << d << ' ' << minute;
                if (got.entry >= 0 || got.priorityEntry >= 0)
                    ++named;
            }
        }
    }
    EXPECT_GT(named, 0);
    for (int row = 0; row < sample.program().AnzEintrag; ++row)
        ASSERT_EQ(ofSample.ListNumber(row), alone.ListNumber(row)) << row;
}

// The simulation window simulates again exactly when what the simulation
// reads changed: the shown slot and the device frame, not the other slot.
TEST(SimulationSnapshot, ChangesWithWhatTheSimulationReads)
{
    const ProgramModel base = RandomSimulationProgram(kRowFourChannels, 31, 40, 10, 4);
    const struct {
        const char* what;
        void (*change)(ProgramModel&);
        bool programDiffers;
        bool sampleDiffers;
    } cases[] = {
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
    for (const auto& c : cases) {
        ProgramModel changed = base;
        c.change(changed);
        EXPECT_EQ(TakeSimulationSnapshot(changed, kProgramSlot) != TakeSimulationSnapshot(base, kProgramSlot),
                  c.programDiffers)
            << c.what;
        EXPECT_EQ(TakeSimulationSnapshot(changed, kSampleSlot) != TakeSimulationSnapshot(base, kSampleSlot),
                  c.sampleDiffers)
            << c.what;
    }
    EXPECT_NE(TakeSimulationSnapshot(base, kProgramSlot), TakeSimulationSnapshot(base, kSampleSlot));
}

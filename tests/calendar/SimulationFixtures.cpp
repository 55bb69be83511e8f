#include "tests/calendar/SimulationFixtures.h"

#include "editing/EntryBuilder.h"
#include "tests/support/TestPrograms.h"

namespace zendrik::test {

std::vector<Stretch> Stretches(const DayProfile& profile)
{
    std::vector<Stretch> out;
    int start = 0;
    for (const ProfileSegment& s : profile.segments) {
        out.push_back(Stretch{start, start + s.length, s.state});
        start += s.length;
    }
    return out;
}

ProgramModel EmptyProgram(int row)
{
    return modelForRow(row);
}

void AddSixToTwentyTwo(ProgramModel& model, int channels)
{
    addEntry(model, BuildWeeklyEntry(Hm(6, 0), kDaily, channels, 1, 0, 0));
    addEntry(model, BuildWeeklyEntry(Hm(22, 0), kDaily, channels, 0, 0, 0));
}

ProgramSnapshot ProgramSnapshot::of(const ProgramModel& model)
{
    ProgramSnapshot s;
    s.entries = model.program().Eintrag;
    s.anzSz = model.program().AnzSz;
    s.anzPz = model.program().AnzPz;
    s.anzEintrag = model.program().AnzEintrag;
    s.geaendert = model.Geaendert;
    s.sortSz = model.SortSpalteSz;
    s.sortPz = model.SortSpaltePz;
    return s;
}

} // namespace zendrik::test

#include "editing/EntryBuilder.h"
#include "editing/ProgramSort.h"
#include "model/ProgramModel.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

std::vector<Entry> entries(const ProgramModel& m)
{
    const ProgramSlot& s = m.program();
    return {s.Eintrag.begin(), s.Eintrag.begin() + s.AnzEintrag};
}

int indexOf(const ProgramModel& m, const Entry& e)
{
    const auto list = entries(m);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == e)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

TEST(ProgramSort, DefaultOrderGroupsByChannelPriorityKindAndTime)
{
    ProgramModel m = modelForRow(4);
    const Entry prio = BuildPriorityEntry(1, 1, 6, 1, 0, false, 2, 1, 0);
    const Entry datedC1 = BuildDatedEntry(60, 5, 3, 0b0001, 1, 0, false);
    const Entry lateC1 = BuildWeeklyEntry(20 * 60, 1, 0b0001, 0, 0, 0);
    const Entry earlyC1 = BuildWeeklyEntry(6 * 60, 64, 0b0001, 1, 0, 0);
    const Entry p2C1 = BuildWeeklyEntry(1 * 60, 1, 0b0001, 1, 0, 2);
    const Entry c2 = BuildWeeklyEntry(0, 1, 0b0010, 1, 0, 0);
    for (const Entry& e : {prio, c2, p2C1, datedC1, lateC1, earlyC1})
        addEntry(m, e);
    SortProgram(m, 1, 0);
    // Within a channel and priority the first weekday decides before the time,
    // and dated entries count as priority 10.
    const std::vector<Entry> want = {lateC1, earlyC1, p2C1, datedC1, c2, prio};
    EXPECT_EQ(entries(m), want);
}

TEST(ProgramSort, ByDateWeeklyFirstInOrderOfTheirFirstWeekday)
{
    ProgramModel m = modelForRow(2);
    m.SortSpalteSz = 1;
    const Entry sunday = BuildWeeklyEntry(60, 64, 1, 1, 0, 0);
    const Entry tuesday = BuildWeeklyEntry(120, 2 | 64, 1, 1, 0, 0);
    const Entry march = BuildDatedEntry(0, 1, 3, 1, 1, 0, false);
    const Entry january = BuildDatedEntry(600, 31, 1, 2, 1, 0, false);
    for (const Entry& e : {march, sunday, january, tuesday})
        addEntry(m, e);
    SortProgram(m, 1, 0);
    EXPECT_EQ(entries(m), (std::vector<Entry>{tuesday, sunday, january, march}));
}

TEST(ProgramSort, ByTimeByPulseByState)
{
    ProgramModel m = modelForRow(2);
    const Entry a = BuildWeeklyEntry(600, 1, 2, 0, 30, 0);
    const Entry b = BuildWeeklyEntry(300, 1, 1, 1, 0, 0);
    const Entry c = BuildDatedEntry(450, 1, 1, 1, 0, 5, false);
    for (const Entry& e : {a, b, c})
        addEntry(m, e);

    m.SortSpalteSz = 2;
    SortProgram(m, 1, 0);
    EXPECT_EQ(entries(m), (std::vector<Entry>{b, c, a}));

    m.SortSpalteSz = 4;
    SortProgram(m, 1, 0);
    EXPECT_EQ(entries(m), (std::vector<Entry>{b, c, a}));

    m.SortSpalteSz = 6;
    SortProgram(m, 1, 0);
    EXPECT_EQ(entries(m), (std::vector<Entry>{c, a, b}));
}

TEST(ProgramSort, EqualKeysKeepTheirOrder)
{
    ProgramModel m = modelForRow(4);
    // Same time, day, channel and priority; only the pulse differs, which
    // column 2 does not look at.
    std::vector<Entry> same;
    for (int pulse = 0; pulse < 6; ++pulse)
        same.push_back(BuildWeeklyEntry(480, 1, 1, 1, pulse, 0));
    for (auto it = same.rbegin(); it != same.rend(); ++it)
        addEntry(m, *it);
    const std::vector<Entry> before = entries(m);
    for (int column : {2, 1, 3, 2}) {
        m.SortSpalteSz = column;
        SortProgram(m, 1, 0);
        if (column != 3)
            EXPECT_EQ(entries(m), before) << column;
    }
}

TEST(ProgramSort, SaveOrderIsTimeThenPulse)
{
    ProgramModel m = modelForRow(1);
    const Entry weeklyLate = BuildWeeklyEntry(700, 1, 1, 1, 0, 0);
    const Entry datedEarly = BuildDatedEntry(100, 1, 1, 1, 1, 0, false);
    const Entry weeklyEarlyPulse = BuildWeeklyEntry(100, 1, 1, 1, 9, 0);
    const Entry weeklyEarly = BuildWeeklyEntry(100, 1, 1, 1, 0, 0);
    const Entry prio = BuildPriorityEntry(1, 1, 1, 1, 0, false, 1, 1, 0);
    for (const Entry& e : {prio, weeklyLate, weeklyEarlyPulse, datedEarly, weeklyEarly})
        addEntry(m, e);
    SortProgram(m, 0, 0);
    EXPECT_EQ(entries(m), (std::vector<Entry>{datedEarly, weeklyEarly, weeklyEarlyPulse, weeklyLate, prio}));
}

TEST(ProgramSort, PriorityTimesByBeginEndAndEasterYear)
{
    ProgramModel m = modelForRow(13);
    m.clock = [] { return QDateTime(QDate(2024, 6, 1), QTime(12, 0)); };
    const Entry summer = BuildPriorityEntry(1, 7, 31, 8, 0, false, 3, 1, 0);
    const Entry christmas = BuildPriorityEntry(24, 12, 26, 12, 0, false, 1, 1, 0);
    const Entry year2023 = BuildPriorityEntry(1, 10, 2, 10, 2023 - 1936, true, 1, 1, 0);
    // Easter Monday: offset +1, kept as 83 = 0x53 split into the nibbles of b1 and b5.
    Entry easterMonday;
    easterMonday.b = {0x60, 0x50 + 2, 0, 0, 1, 0x30};
    for (const Entry& e : {christmas, summer, easterMonday, year2023})
        addEntry(m, e);

    m.SortSpaltePz = 1;
    SortProgram(m, 1, 0);
    // Easter 2024 is 31 March, so Easter Monday is 1 April: before July.
    EXPECT_EQ(entries(m), (std::vector<Entry>{year2023, easterMonday, summer, christmas}));

    m.SortSpaltePz = 2;
    SortProgram(m, 1, 0);
    EXPECT_EQ(entries(m), (std::vector<Entry>{year2023, easterMonday, summer, christmas}));

    m.SortSpaltePz = 6;
    SortProgram(m, 1, 0);
    EXPECT_LT(indexOf(m, year2023), indexOf(m, summer));
    EXPECT_LT(indexOf(m, christmas), indexOf(m, easterMonday));
}

TEST(ProgramSort, SwitchingTimesStayAheadOfPriorityTimesInEveryColumn)
{
    ProgramModel m = modelForRow(5);
    m.device.EibFormat = 1;   // bus entries carry their state as a value up to 255
    Entry busWeekly;
    busWeekly.b = {0x80 + 10, 0x00, 0, 0x7F, 255, 0x03};
    addEntry(m, BuildPriorityEntry(1, 1, 2, 1, 0, false, 1, 0, 0));
    addEntry(m, busWeekly);
    for (int column = 0; column <= 9; ++column) {
        m.SortSpalteSz = column;
        SortProgram(m, 1, 0);
        EXPECT_EQ(m.program().Eintrag[0], busWeekly) << column;
    }
}

TEST(ProgramSort, KeyFieldsMatchTheirColumns)
{
    SortContext c;
    c.kanalzahl = 4;
    c.currentYear = 2026;
    const Entry e = BuildWeeklyEntry(90, 0b0000100, 0b1100, 1, 7, 5);   // Wednesday, C3 C4, P5
    c.sortColumnSz = 2;
    EXPECT_EQ(SortKey(e, c), (90LL << 19) + (2LL << 10) + (5LL << 6) + (2LL << 1));
    c.sortColumnSz = 7;
    EXPECT_EQ(SortKey(e, c), (5LL << 26) + (2LL << 22) + (2LL << 12) + (90LL << 1) + 1);
    Entry empty;
    empty.b[0] = 255;
    EXPECT_EQ(SortKey(empty, c), -1);
}

// The orders the list columns do not show: column 0, the save order, the year of movable holidays, stability and the switching/priority split.

#include "model/ProgramSort.h"
#include "model/EntryBuilder.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

std::vector<Entry> entries(const ProgramModel& m) { return {m.program().Eintrag.begin(), m.program().Eintrag.begin() + m.program().AnzEintrag}; }

ProgramModel programOf(int row, std::initializer_list<Entry> list)
{
    ProgramModel m = modelForRow(row);
    for (const Entry& e : list) addEntry(m, e);
    return m;
}

// Sorts the program by column `column` of the switching or the priority list (or in the save order, `display` 0) and returns its entries.
std::vector<Entry> sorted(ProgramModel& m, int column, bool priority = false, int display = 1)
{
    (priority ? m.SortSpaltePz : m.SortSpalteSz) = column;
    SortProgram(m, display, 0);
    return entries(m);
}

} // namespace

// Each case: the entries in their expected order, the order they are given in, the column and the list order (0: the save order).
TEST(ProgramSort, SwitchingTimeOrders)
{
    const Entry prio = BuildPriorityEntry(1, 1, 6, 1, 0, false, 2, 1, 0);
    std::vector<Entry> samePlace; // same time, day, channel and priority; only the pulse (no column 1 or 2 key) differs
    for (int pulse = 5; pulse >= 0; --pulse) samePlace.push_back(BuildWeeklyEntry(480, 1, 1, 1, pulse, 0));
    const struct { const char* what; std::vector<Entry> order; std::vector<int> given; int column, display; } cases[] = {
        // Within a channel and priority the first weekday decides before the time; dated entries count as priority 10.
        {"default", {BuildWeeklyEntry(20 * 60, 1, 1, 0, 0, 0), BuildWeeklyEntry(6 * 60, 64, 1, 1, 0, 0), BuildWeeklyEntry(60, 1, 1, 1, 0, 2), BuildDatedEntry(60, 5, 3, 1, 1, 0, false), BuildWeeklyEntry(0, 1, 0b10, 1, 0, 0), prio}, {5, 4, 2, 3, 0, 1}, 0, 1},
        {"save order: time, then pulse", {BuildDatedEntry(100, 1, 1, 1, 1, 0, false), BuildWeeklyEntry(100, 1, 1, 1, 0, 0), BuildWeeklyEntry(100, 1, 1, 1, 9, 0), BuildWeeklyEntry(700, 1, 1, 1, 0, 0), prio}, {4, 3, 2, 0, 1}, 0, 0},
        {"equal keys keep their order", samePlace, {0, 1, 2, 3, 4, 5}, 2, 1},
        {"equal keys keep their order", samePlace, {0, 1, 2, 3, 4, 5}, 1, 1},
    };
    for (const auto& c : cases) {
        ProgramModel m = programOf(4, {});
        for (const int i : c.given) addEntry(m, c.order[static_cast<std::size_t>(i)]);
        EXPECT_EQ(sorted(m, c.column, false, c.display), c.order) << c.what << ", column " << c.column;
    }
    ProgramModel m2 = programOf(13, {});
    m2.clock = [] { return QDateTime(QDate(2024, 6, 1), QTime(12, 0)); };
    const Entry june = BuildPriorityEntry(1, 6, 30, 6, 0, false, 3, 1, 0);
    const Entry christmas = BuildPriorityEntry(24, 12, 26, 12, 0, false, 1, 1, 0);
    const Entry year2023 = BuildPriorityEntry(1, 10, 2, 10, 2023 - 1936, true, 1, 1, 0);
    // Whit Monday, Easter + 50: 20 May in 2024, but 9 June in 2025.
    const Entry whitMonday = BuildEasterEntry(50, 2, 1, 0, false);
    for (const Entry& e : {christmas, june, whitMonday, year2023}) addEntry(m2, e);
    for (int column : {1, 2}) EXPECT_EQ(sorted(m2, column, true), (std::vector<Entry>{year2023, whitMonday, june, christmas})) << column;
}

TEST(ProgramSort, SwitchingTimesStayAheadOfPriorityTimesInEveryColumn)
{
    ProgramModel m = programOf(5, {BuildPriorityEntry(1, 1, 2, 1, 0, false, 1, 0, 0)});
    m.device.EibFormat = 1; // bus entries carry their state as a value up to 255
    Entry busWeekly;
    busWeekly.b = {0x80 + 10, 0x00, 0, 0x7F, 255, 0x03};
    addEntry(m, busWeekly);
    for (int column = 0; column <= 9; ++column) EXPECT_EQ(sorted(m, column).front(), busWeekly) << column;
}

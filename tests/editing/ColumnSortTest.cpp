#include "editing/ColumnSort.h"
#include "editing/ListAnsicht.h"
#include "tests/editing/ListFixtures.h"

#include <gtest/gtest.h>

#include <map>

using namespace zendrik;
using namespace zendrik::fixtures;

namespace {

using Labelled = std::map<char, Entry>;

// The labels of the slot's entries in their current order.
std::string order(const ProgramModel& model, const Labelled& labelled, int first, int count)
{
    std::string labels;
    for (int i = first; i < first + count; ++i) {
        const Entry& e = model.program().Eintrag[static_cast<std::size_t>(i)];
        char label = '?';
        for (const auto& [l, entry] : labelled) {
            if (entry == e)
                label = l;
        }
        labels += label;
    }
    return labels;
}

class ColumnSortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startProgram(model, kRow731FourChannels);
        switching = {{'A', entryA()}, {'B', entryB()}, {'C', entryC()},
                     {'D', entryD()}, {'E', entryE()}, {'F', entryF()}};
        priority = {{'a', prioA()}, {'b', prioB()}, {'c', prioC()}, {'d', prioD()}, {'e', prioE()}};
        setEntries(model, kProgramSlot, {entryA(), entryB(), entryC(), entryD(), entryE(), entryF()},
                   {prioA(), prioB(), prioC(), prioD(), prioE()});
    }

    std::string switchingOrder() const { return order(model, switching, 0, 6); }
    std::string priorityOrder() const { return order(model, priority, 6, 5); }

    ProgramModel model;
    Labelled switching;
    Labelled priority;
};

} // namespace

TEST(SortColumnForClick, GeneralLayout)
{
    for (int c = 1; c <= 7; ++c)
        EXPECT_EQ(SortColumnForClick(AnsichtSchaltzeiten, c, kFamily731), c);
    EXPECT_EQ(SortColumnForClick(AnsichtSchaltzeiten, 0, kFamily731), 0);
    EXPECT_EQ(SortColumnForClick(AnsichtSchaltzeiten, 8, kFamily731), 0);
    for (int c = 1; c <= 6; ++c)
        EXPECT_EQ(SortColumnForClick(AnsichtPrioritaetszeiten, c, kFamily752), c);
    EXPECT_EQ(SortColumnForClick(AnsichtPrioritaetszeiten, 7, kFamily731), 0);
    EXPECT_EQ(SortColumnForClick(AnsichtSoWiTabelle, 1, kFamily731), 0);
    EXPECT_EQ(SortColumnForClick(AnsichtAstrozeiten, 1, kFamily738), 0);
}

TEST(SortColumnForClick, AstroDeviceSkipsThePulseColumn)
{
    // Grid: Nr. | Datum/Tage | Uhrzeit | Kanäle | 1x | Zust. | Prio.
    EXPECT_EQ(SortColumnForClick(AnsichtSchaltzeiten, 1, kFamily752), 1);
    EXPECT_EQ(SortColumnForClick(AnsichtSchaltzeiten, 2, kFamily752), 2);
    EXPECT_EQ(SortColumnForClick(AnsichtSchaltzeiten, 3, kFamily752), 3);
    EXPECT_EQ(SortColumnForClick(AnsichtSchaltzeiten, 4, kFamily752), 5);
    EXPECT_EQ(SortColumnForClick(AnsichtSchaltzeiten, 5, kFamily752), 6);
    EXPECT_EQ(SortColumnForClick(AnsichtSchaltzeiten, 6, kFamily752), 7);
    EXPECT_EQ(SortColumnForClick(AnsichtSchaltzeiten, 7, kFamily752), 0);
}

TEST_F(ColumnSortTest, SwitchingTimesUnderEveryColumn)
{
    const std::map<int, std::string> expected = {
        {1, "ADEBFC"},   // first weekday (weekly before dated), then time
        {2, "FBAECD"},   // time of day
        {3, "ADCBFE"},   // first channel, priority, weekly before dated, time
        {4, "ACBFED"},   // pulse last, then by channel
        {5, "ADBFEC"},   // the "1x" entry last
        {6, "DBFACE"},   // OFF before ON
        {7, "ADEBCF"},   // priority, dated entries count as 10
    };
    for (const auto& [column, labels] : expected) {
        ASSERT_TRUE(SortByColumnClick(model, AnsichtSchaltzeiten, column));
        EXPECT_EQ(model.SortSpalteSz, column);
        EXPECT_EQ(switchingOrder(), labels) << "column " << column;
        EXPECT_EQ(priorityOrder().size(), 5u);
    }
}

TEST_F(ColumnSortTest, PriorityTimesUnderEveryColumn)
{
    const std::map<int, std::string> expected = {
        {1, "daecb"}, // year, begin date
        {2, "cdaeb"}, // year, end date
        {3, "acebd"}, // first channel, priority
        {4, "acedb"}, // "1x" last
        {5, "adcbe"}, // permanent ON last
        {6, "adceb"}, // priority, then channel
    };
    for (const auto& [column, labels] : expected) {
        ASSERT_TRUE(SortByColumnClick(model, AnsichtPrioritaetszeiten, column));
        EXPECT_EQ(model.SortSpaltePz, column);
        EXPECT_EQ(priorityOrder(), labels) << "column " << column;
    }
}

TEST_F(ColumnSortTest, EqualKeysKeepTheirOrder)
{
    const Entry first = BuildWeeklyEntry(600, 0b0000001, 1, 1, 0, 0);
    Entry twin = first;
    twin.b[4] |= 0x10;   // the same key (bit 4 of b4 is not part of this key)
    setEntries(model, kProgramSlot, {twin, entryB(), first}, {});
    ASSERT_TRUE(SortByColumnClick(model, AnsichtSchaltzeiten, 2));
    EXPECT_EQ(model.program().Eintrag[0], entryB());
    EXPECT_EQ(model.program().Eintrag[1], twin);
    EXPECT_EQ(model.program().Eintrag[2], first);
}

TEST_F(ColumnSortTest, AstroDeviceSortsByOnceForTheOnceColumn)
{
    startProgram(model, kRow752);
    const Entry once = BuildDatedEntry(60, 2, 1, 1, 1, 0, true);
    const Entry pulse = BuildWeeklyEntry(600, 1, 1, 1, 30, 0);
    const Entry plain = BuildWeeklyEntry(700, 1, 2, 1, 0, 0);
    setEntries(model, kProgramSlot, {once, pulse, plain}, {});
    // Grid column 4 is "1x" here; sorting by pulse would put `pulse` last.
    ASSERT_TRUE(SortByColumnClick(model, AnsichtSchaltzeiten, 4));
    EXPECT_EQ(model.SortSpalteSz, 5);
    EXPECT_EQ(model.program().Eintrag[2], once);
    EXPECT_EQ(model.program().Eintrag[0], pulse);
    EXPECT_EQ(model.program().Eintrag[1], plain);
}

TEST_F(ColumnSortTest, ClickSortsTheShownSlot)
{
    setEntries(model, kSampleSlot, {entryD(), entryF()}, {});
    model.AktSlot = kSampleSlot;
    ASSERT_TRUE(SortByColumnClick(model, AnsichtSchaltzeiten, 2));
    EXPECT_EQ(model.slot(kSampleSlot).Eintrag[0], entryF());
    EXPECT_EQ(switchingOrder(), "ABCDEF");   // the program is untouched
}

TEST_F(ColumnSortTest, ClicksThatDoNotSortChangeNothing)
{
    EXPECT_FALSE(SortByColumnClick(model, AnsichtSoWiTabelle, 2));
    EXPECT_FALSE(SortByColumnClick(model, AnsichtSchaltzeiten, 0));
    EXPECT_FALSE(SortByColumnClick(model, AnsichtPrioritaetszeiten, 9));
    EXPECT_EQ(model.SortSpalteSz, 0);
    EXPECT_EQ(model.SortSpaltePz, 0);
    EXPECT_EQ(switchingOrder(), "ABCDEF");
}

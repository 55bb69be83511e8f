#include "editing/ColumnSort.h"
#include "editing/ListAnsicht.h"
#include "tests/editing/ListFixtures.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::fixtures;

namespace {

class ColumnSortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startProgram(model, kRow731FourChannels);
        setEntries(model, kProgramSlot, {entryA(), entryB(), entryC(), entryD(), entryE(), entryF()},
                   {prioA(), prioB(), prioC(), prioD(), prioE()});
    }

    // The labels (A..F switching, a..e priority times) in the slot's order.
    std::string order() const
    {
        const std::vector<Entry> labels = {entryA(), entryB(), entryC(), entryD(), entryE(), entryF(), prioA(), prioB(), prioC(), prioD(), prioE()};
        std::string result;
        for (int i = 0; i < model.program().AnzEintrag; ++i) {
            const auto at = std::find(labels.begin(), labels.end(), model.program().Eintrag[static_cast<std::size_t>(i)]) - labels.begin();
            result += at < 6 ? char('A' + at) : char('a' + at - 6);
        }
        return result;
    }

    ProgramModel model;
};

} // namespace

TEST(SortColumnForClick, ColumnOfTheGeneralLayout)
{
    for (int c = 1; c <= 7; ++c) EXPECT_EQ(SortColumnForClick(AnsichtSchaltzeiten, c, kFamily731), c);
    for (int c = 1; c <= 6; ++c) EXPECT_EQ(SortColumnForClick(AnsichtPrioritaetszeiten, c, kFamily752), c);
    // The 752 grid lacks "Impuls": its columns 4..6 are 1x, Zust., Prio.
    const int shifted[] = {0, 1, 2, 3, 5, 6, 7, 0};
    for (int c = 0; c <= 7; ++c) EXPECT_EQ(SortColumnForClick(AnsichtSchaltzeiten, c, kFamily752), shifted[c]) << c;
    EXPECT_EQ(std::tuple(SortColumnForClick(AnsichtSchaltzeiten, 8, kFamily731), SortColumnForClick(AnsichtPrioritaetszeiten, 7, kFamily731), SortColumnForClick(AnsichtSoWiTabelle, 1, kFamily731),
                         SortColumnForClick(AnsichtAstrozeiten, 1, kFamily738)),
              std::tuple(0, 0, 0, 0));
}

TEST_F(ColumnSortTest, EveryColumn)
{
    const std::pair<int, const char*> switching[] = {
        {1, "ADEBFC"}, // first weekday (weekly before dated), then time
        {2, "FBAECD"}, // time of day
        {3, "ADCBFE"}, // first channel, priority, weekly before dated, time
        {4, "ACBFED"}, // the pulse entry last, then by channel
        {5, "ADBFEC"}, // the "1x" entry last
        {6, "DBFACE"}, // OFF before ON
        {7, "ADEBCF"}, // priority; dated entries count as 10
    };
    for (const auto& [column, labels] : switching) {
        ASSERT_TRUE(SortByColumnClick(model, AnsichtSchaltzeiten, column));
        EXPECT_EQ(std::pair(model.SortSpalteSz, order().substr(0, 6)), std::pair(column, std::string(labels)));
    }
    const std::pair<int, const char*> priority[] = {
        {1, "daecb"}, // year (2060 last), begin date
        {2, "cdaeb"}, // year, end date
        {3, "acebd"}, // first channel, priority
        {4, "acedb"}, // "1x" last
        {5, "adcbe"}, // permanent ON last
        {6, "adceb"}, // priority, then channel
    };
    for (const auto& [column, labels] : priority) {
        ASSERT_TRUE(SortByColumnClick(model, AnsichtPrioritaetszeiten, column));
        EXPECT_EQ(std::pair(model.SortSpaltePz, order().substr(6)), std::pair(column, std::string(labels)));
    }
    SetUp(); // the program unsorted again; a click sorts only the shown slot
    setEntries(model, kSampleSlot, {entryD(), entryF()}, {});
    model.AktSlot = kSampleSlot;
    ASSERT_TRUE(SortByColumnClick(model, AnsichtSchaltzeiten, 2));
    EXPECT_EQ(std::pair(model.slot(kSampleSlot).Eintrag[0], order()), std::pair(entryF(), std::string("ABCDEFabcde")));
    EXPECT_EQ((std::tuple{SortByColumnClick(model, AnsichtSoWiTabelle, 2), SortByColumnClick(model, AnsichtPrioritaetszeiten, 9), model.SortSpaltePz}), std::tuple(false, false, 6)); // the last column clicked stays
}

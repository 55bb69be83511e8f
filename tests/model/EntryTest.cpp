#include "editing/EntryBuilder.h"
#include "model/Entry.h"

#include <gtest/gtest.h>

using namespace zendrik;

TEST(ByteHelpers, BitFieldsSwapAndBcd)
{
    EXPECT_EQ(GetBits(0, 2, 0b10110101), 0b101);
    EXPECT_EQ(GetBits(4, 7, 0xA5), 0xA);
    EXPECT_EQ(GetBits(7, 7, 0x80), 1);
    EXPECT_EQ(NibbleSwap(0x12), 0x21);
    EXPECT_EQ(NibbleSwap(NibbleSwap(0xC7)), 0xC7);
    EXPECT_EQ(BcdToByte(0x59), 59);
    EXPECT_EQ(BcdToByte(0x00), 0);
    EXPECT_EQ(BcdToByte(0x5A), 255);
    EXPECT_EQ(BcdToByte(0xA5), 255);
}

TEST(EntryLayout, DailyEntryAt2359)
{
    // All days, channel 1, ON, no pulse, 23:59.
    const Entry e = BuildWeeklyEntry(23 * 60 + 59, 127, 1, 1, 0, 3);
    EXPECT_EQ(e.b[0], 0xD9);
    EXPECT_EQ(e.b[1], 0xF0 + 3);
    EXPECT_EQ(e.b[3], 127);
    EXPECT_EQ(e.b[4], 1);
    EXPECT_EQ(e.b[5], 1);
    EXPECT_EQ(EntryKind(e, false), KindWeekly);
    EXPECT_EQ(EntryTime(e), 1439);
    EXPECT_EQ(EntryPriority(e, false), 3);
    EXPECT_EQ(EntryState(e, false), 1);
}

#include "editing/EntryBuilder.h"
#include "model/Entry.h"

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

Entry bytes(int b0, int b1, int b2, int b3, int b4, int b5)
{
    Entry e;
    e.b = {Byte(b0), Byte(b1), Byte(b2), Byte(b3), Byte(b4), Byte(b5)};
    return e;
}

} // namespace

TEST(ByteHelpers, BitFieldsSwapAndBcd)
{
    EXPECT_EQ(GetBits(0, 2, 0b10110101), 0b101);
    EXPECT_EQ(GetBits(4, 7, 0xA5), 0xA);
    EXPECT_EQ(GetBits(7, 7, 0x80), 1);
    EXPECT_EQ(NibbleSwap(0x12), 0x21);
    EXPECT_EQ(NibbleSwap(0xF0), 0x0F);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(NibbleSwap(NibbleSwap(b)), b);
    EXPECT_EQ(BcdToByte(0x59), 59);
    EXPECT_EQ(BcdToByte(0x00), 0);
    EXPECT_EQ(BcdToByte(0x99), 99);
    EXPECT_EQ(BcdToByte(0x5A), 255);
    EXPECT_EQ(BcdToByte(0xA5), 255);
}

TEST(EntryLayout, DailyEntryAt2359)
{
    // All days, channel 1, ON, no pulse, 23:59: b0 = 0x80 + 89.
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

TEST(EntryLayout, DatedNeverLooksLikePriorityTime)
{
    for (int t = 0; t < 1440; t += 7) {
        const Entry dated = BuildDatedEntry(t, 31, 12, 15, 1, 59, true);
        EXPECT_LE(dated.b[0], 0x59);
        EXPECT_EQ(EntryKind(dated, false), KindDated);
        EXPECT_TRUE(IsSwitchingTimeByte(dated.b[0]));
    }
    const Entry prio = BuildPriorityEntry(1, 1, 1, 1, 0, false, 1, 1, 0);
    EXPECT_GE(prio.b[0], 0x60);
    EXPECT_TRUE(IsPriorityTimeByte(prio.b[0]));
}

struct AccessorCase {
    const char* name;
    Entry e;
    bool eib;
    int kind, time, priority, channels, once, pulse, state;
};

TEST(EntryAccessors, EveryKind)
{
    const AccessorCase cases[] = {
        {"weekly pulse P2", BuildWeeklyEntry(7 * 60 + 5, 0b1010101, 0b1001, 1, 17, 2), false,
         KindWeekly, 425, 2, 0b1001, 0, 17, 1},
        {"dated once", BuildDatedEntry(18 * 60, 15, 8, 0b0100, 0, 0, true), false,
         KindDated, 1080, 0, 0b0100, 1, 0, 0},
        {"priority permanent ON", BuildPriorityEntry(24, 12, 6, 1, 0, false, 10, 0b11, 1), false,
         KindPriority, -1, 10, 0b11, 0, -1, 1},
        {"priority P4 ignores state bit", BuildPriorityEntry(1, 5, 2, 5, 0, true, 4, 0b1, 1), false,
         KindPriority, -1, 4, 0b1, 1, -1, 0},
        // Bus format: weekly, channel 6 = bit 3 of b1 (4) + bits 0..1 of b5 (1) + 1, value 200.
        {"bus weekly", bytes(0x80 + 30, 0x0D, 0, 0x7F, 200, 0x01), true,
         KindWeeklyBus, 480, 5, 6, 0, 0, 200},
        // Bus dated: channel = bit 5 of b3 (4) + bits 0..1 of b5 (3) + 1 = 8, once set.
        {"bus dated", bytes(0x10, 0x03, 0, 0x40 | 0x20 | 7, 55, 0x03), true,
         KindDatedBus, 256, 0, 8, 1, 0, 55},
        // Bus priority: priority 8 reads as permanent; channel number - 1 in b5.
        {"bus priority permanent", bytes(0x60 + 6, 0x48, 0, 4, 1, 0x30 + 5), true,
         KindPriorityBus, -1, 10, 5, 0, -1, 1},
        {"bus priority P3 shows no state", bytes(0x60 + 6, 0x43, 0, 4, 1, 0x30 + 5), true,
         KindPriorityBus, -1, 3, 5, 0, -1, 0},
        {"other", bytes(0xE5, 0x12, 0, 0, 1, 1), false, KindOther, -1, 0, 0, 0, -1, 0},
    };
    for (const AccessorCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EntryKind(c.e, c.eib), c.kind);
        if (c.time >= 0)
            EXPECT_EQ(EntryTime(c.e), c.time);
        EXPECT_EQ(EntryPriority(c.e, c.eib), c.priority);
        EXPECT_EQ(EntryChannels(c.e, c.eib), c.channels);
        EXPECT_EQ(EntryOnce(c.e, c.eib), c.once);
        if (c.pulse >= 0)
            EXPECT_EQ(EntryPulse(c.e), c.pulse);
        EXPECT_EQ(EntryState(c.e, c.eib), c.state);
    }
}

TEST(PriorityTimes, FieldsKindsAndEasterOffset)
{
    const Entry range = BuildPriorityEntry(17, 11, 28, 2, 0, false, 2, 1, 0);
    EXPECT_EQ(PriorityFromDay(range), 17);
    EXPECT_EQ(PriorityFromMonth(range), 11);
    EXPECT_EQ(PriorityToDay(range), 28);
    EXPECT_EQ(PriorityToMonth(range), 2);
    EXPECT_EQ(PriorityTimeKind(range), PrioEveryYear);
    EXPECT_GE(EntryTime(range), 1536);

    const Entry once = BuildPriorityEntry(1, 1, 2, 1, 0, true, 2, 1, 0);
    EXPECT_EQ(PriorityTimeKind(once), PrioOnceNoYear);

    // 2060 needs the high year bits in b5; the seven bits end with 2063.
    const Entry year = BuildPriorityEntry(1, 1, 2, 1, 2060 - 1936, true, 2, 1, 0);
    EXPECT_EQ(PriorityTimeKind(year), PrioOnceInYear);
    EXPECT_EQ(PriorityYearCode(year), 124);

    // Offset -2 (Good Friday) is kept as 80: high nibble 5 in b1, low nibble 0 in b5.
    Entry easter = bytes(0x60, 0x50 + 1, 0, 0, 1, 0x00 + 1);
    EXPECT_EQ(PriorityTimeKind(easter), PrioEasterRelative);
    EXPECT_EQ(PriorityEasterOffset(easter), -2);
    easter.b[1] = 0x60 + 1;   // 96 + 15 - 82 = +29
    easter.b[5] = 0xF0;
    EXPECT_EQ(PriorityEasterOffset(easter), 29);
}

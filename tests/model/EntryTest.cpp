#include "model/Entry.h"
#include "model/EntryBuilder.h"

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

TEST(EntryLayout, BitFieldsSwapBcdAndEntryBytes)
{
    EXPECT_EQ(std::tuple(GetBits(0, 2, 0b10110101), GetBits(4, 7, 0xA5), GetBits(7, 7, 0x80), NibbleSwap(0x12)), std::tuple(0b101, 0xA, 1, 0x21));
    for (int b = 0; b < 256; ++b) EXPECT_EQ(NibbleSwap(NibbleSwap(b)), b);
    EXPECT_EQ(std::tuple(BcdToByte(0x59), BcdToByte(0x99), BcdToByte(0x5A), BcdToByte(0xA5)), std::tuple(59, 99, 255, 255));
    // All days, channel 1, ON, no pulse, 23:59: b0 = 0x80 + 89.
    EXPECT_EQ(BuildWeeklyEntry(23 * 60 + 59, 127, 1, 1, 0, 3), bytes(0xD9, 0xF3, 0, 127, 1, 1));
    for (int t = 0; t < 1440; t += 7) {
        const Entry dated = BuildDatedEntry(t, 31, 12, 15, 1, 59, true);
        EXPECT_EQ(std::pair(dated.b[0] <= 0x59, EntryKind(dated, false)), std::pair(true, int(KindDated))) << t;
    }
    EXPECT_TRUE(IsPriorityTimeByte(BuildPriorityEntry(1, 1, 1, 1, 0, false, 1, 1, 0).b[0]));
    const struct { const char* name; Entry e; bool eib; int kind, time, priority, channels, once, pulse, state; } cases[] = {
        {"daily 23:59 P3", BuildWeeklyEntry(23 * 60 + 59, 127, 1, 1, 0, 3), false, KindWeekly, 1439, 3, 1, 0, 0, 1},
        {"weekly pulse P2", BuildWeeklyEntry(7 * 60 + 5, 0b1010101, 0b1001, 1, 17, 2), false, KindWeekly, 425, 2, 0b1001, 0, 17, 1},
        {"dated once", BuildDatedEntry(18 * 60, 15, 8, 0b0100, 0, 0, true), false, KindDated, 1080, 0, 0b0100, 1, 0, 0},
        {"priority permanent ON", BuildPriorityEntry(24, 12, 6, 1, 0, false, 10, 0b11, 1), false, KindPriority, -1, 10, 0b11, 0, -1, 1},
        {"priority P4 ignores state bit", BuildPriorityEntry(1, 5, 2, 5, 0, true, 4, 0b1, 1), false, KindPriority, -1, 4, 0b1, 1, -1, 0},
        // Bus format: weekly, channel 6 = bit 3 of b1 (4) + bits 0..1 of b5 (1) + 1, value 200.
        {"bus weekly", bytes(0x80 + 30, 0x0D, 0, 0x7F, 200, 0x01), true, KindWeeklyBus, 480, 5, 6, 0, 0, 200},
        // Bus dated: channel = bit 5 of b3 (4) + bits 0..1 of b5 (3) + 1 = 8, once set.
        {"bus dated", bytes(0x10, 0x03, 0, 0x40 | 0x20 | 7, 55, 0x03), true, KindDatedBus, 256, 0, 8, 1, 0, 55},
        // Bus priority: priority 8 reads as permanent; channel number - 1 in b5.
        {"bus priority permanent", bytes(0x60 + 6, 0x48, 0, 4, 1, 0x30 + 5), true, KindPriorityBus, -1, 10, 5, 0, -1, 1},
        {"bus priority P3 shows no state", bytes(0x60 + 6, 0x43, 0, 4, 1, 0x30 + 5), true, KindPriorityBus, -1, 3, 5, 0, -1, 0},
        {"other", bytes(0xE5, 0x12, 0, 0, 1, 1), false, KindOther, -1, 0, 0, 0, -1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::tuple(EntryKind(c.e, c.eib), c.time >= 0 ? EntryTime(c.e) : -1, EntryPriority(c.e, c.eib), EntryChannels(c.e, c.eib), EntryOnce(c.e, c.eib), c.pulse >= 0 ? EntryPulse(c.e) : -1, EntryState(c.e, c.eib)),
                  std::tuple(c.kind, c.time, c.priority, c.channels, c.once, c.pulse, c.state))
            << c.name;
    const Entry range = BuildPriorityEntry(17, 11, 28, 2, 0, false, 2, 1, 0);
    EXPECT_EQ(std::tuple(PriorityFromDay(range), PriorityFromMonth(range), PriorityToDay(range), PriorityToMonth(range), PriorityTimeKind(range), EntryTime(range) >= 1536), std::tuple(17, 11, 28, 2, int(PrioEveryYear), true));
    EXPECT_EQ(PriorityTimeKind(BuildPriorityEntry(1, 1, 2, 1, 0, true, 2, 1, 0)), PrioOnceNoYear);
    // 2060 needs the high year bits in b5; the seven bits end with 2063.
    const Entry year = BuildPriorityEntry(1, 1, 2, 1, 2060 - 1936, true, 2, 1, 0);
    EXPECT_EQ(std::pair(PriorityTimeKind(year), PriorityYearCode(year)), std::pair(int(PrioOnceInYear), 124));
    // Offset n is kept as n + 82 split over the high nibbles of b1 and b5: 96 + 15 - 82 = +29.
    EXPECT_EQ(PriorityEasterOffset(bytes(0x60, 0x60 + 1, 0, 0, 1, 0xF0)), 29);
}

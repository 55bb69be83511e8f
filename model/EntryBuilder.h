#pragma once

#include "model/Entry.h"

namespace zendrik {

// The six bytes of new entries in the conventional format. Minutes are
// minutes of the day 0..1439; masks have bit 0 = Monday / channel 1.
Entry BuildWeeklyEntry(int minuteOfDay, int weekdayMask, int channels, int state, int pulse, int priority);
Entry BuildDatedEntry(int minuteOfDay, int day, int month, int channels, int state, int pulse, bool once);
// yearCode 0 = every year, else year - 1936.
Entry BuildPriorityEntry(int fromDay, int fromMonth, int toDay, int toMonth, int yearCode, bool once,
                         int priority, int channels, int state);

// The bus format addresses one channel (a number from 1) and sends a
// telegram value (the state) kept in b4. Switching times hold channels 1..8
// (the high bit in b1 or b3, the low two bits under the pulse in b5) and a
// 3-bit priority; priority times hold channels 1..16 in the low nibble of b5
// and have no room for a year. Their priority 1..7 is kept as is and
// "permanent" (10) as 8.
// A telegram value is one byte.
inline constexpr int kMaxTelegramValue = 255;
Entry BuildWeeklyEntryEib(int minuteOfDay, int weekdayMask, int channel, int state, int pulse, int priority);
Entry BuildDatedEntryEib(int minuteOfDay, int day, int month, int channel, int state, int pulse, bool once);
Entry BuildPriorityEntryEib(int fromDay, int fromMonth, int toDay, int toMonth, bool once, int priority,
                            int channel, int state);

// The movable-holiday entry of devices that compute Easter themselves: b0 is
// exactly 0x60 and the offset from Easter Sunday is kept as offset + 82, its
// high nibble in place of the from-day, its low nibble in place of the
// to-month. `channels` is the channel mask, in the bus format the channel
// number.
Entry BuildEasterEntry(int offset, int priority, int channels, int state, bool eibFormat);

} // namespace zendrik

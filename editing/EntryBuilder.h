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

} // namespace zendrik

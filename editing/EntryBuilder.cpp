#include "editing/EntryBuilder.h"

namespace zendrik {

namespace {

Byte byte(int v)
{
    return static_cast<Byte>(v & 0xFF);
}

} // namespace

Entry BuildWeeklyEntry(int t, int weekdayMask, int channels, int state, int pulse, int priority)
{
    Entry e;
    e.b = {byte(t / 16 + 128), byte((t % 16) * 16 + priority), 0, byte(weekdayMask & 0x7F), byte(channels),
           byte(pulse * 4 + (state & 1))};
    return e;
}

Entry BuildDatedEntry(int t, int day, int month, int channels, int state, int pulse, bool once)
{
    Entry e;
    e.b = {byte(t / 16), byte((t % 16) * 16 + month), 0, byte((once ? 64 : 0) + day), byte(channels),
           byte(pulse * 4 + (state & 1))};
    return e;
}

Entry BuildPriorityEntry(int fromDay, int fromMonth, int toDay, int toMonth, int yearCode, bool once,
                         int priority, int channels, int state)
{
    Entry e;
    e.b = {byte(96 + fromMonth * 2 + ((fromDay >> 4) & 1)), byte((fromDay % 16) * 16 + priority), 0,
           byte((once ? 64 : 0) + toDay), byte((yearCode % 16) * 16 + (channels & 0x0F)),
           byte(toMonth * 16 + ((yearCode / 16) & 7) * 2 + (state & 1))};
    return e;
}

} // namespace zendrik

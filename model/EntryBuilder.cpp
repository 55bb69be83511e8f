#include "model/EntryBuilder.h"

namespace zendrik {

namespace {

// The bus format stores "permanent" as priority 8 in three priority bits.
constexpr int kBusPermanent = 8;

Byte byte(int v)
{
    return static_cast<Byte>(v & 0xFF);
}

int busPriority(int priority)
{
    return priority == kPermanentPriority ? kBusPermanent : priority & 7;
}

// Bit 2 of the 0-based channel of a bus switching time.
int channelHigh(int channel)
{
    return ((channel - 1) >> 2) & 1;
}

int channelLow(int channel)
{
    return (channel - 1) & 3;
}

int fromDateByte(int fromDay, int fromMonth)
{
    return kEasterMarker + fromMonth * 2 + ((fromDay >> 4) & 1);
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
    e.b = {byte(fromDateByte(fromDay, fromMonth)), byte((fromDay % 16) * 16 + priority), 0,
           byte((once ? 64 : 0) + toDay), byte((yearCode % 16) * 16 + (channels & 0x0F)),
           byte(toMonth * 16 + ((yearCode / 16) & 7) * 2 + (state & 1))};
    return e;
}

Entry BuildWeeklyEntryEib(int t, int weekdayMask, int channel, int state, int pulse, int priority)
{
    Entry e;
    e.b = {byte(t / 16 + 128), byte((t % 16) * 16 + channelHigh(channel) * 8 + (priority & 7)), 0,
           byte(weekdayMask & 0x7F), byte(state), byte((pulse & 63) * 4 + channelLow(channel))};
    return e;
}

Entry BuildDatedEntryEib(int t, int day, int month, int channel, int state, int pulse, bool once)
{
    Entry e;
    e.b = {byte(t / 16), byte((t % 16) * 16 + month), 0,
           byte((once ? 64 : 0) + channelHigh(channel) * 32 + (day & 31)), byte(state),
           byte((pulse & 63) * 4 + channelLow(channel))};
    return e;
}

Entry BuildPriorityEntryEib(int fromDay, int fromMonth, int toDay, int toMonth, bool once, int priority,
                            int channel, int state)
{
    Entry e;
    e.b = {byte(fromDateByte(fromDay, fromMonth)), byte((fromDay % 16) * 16 + busPriority(priority)), 0,
           byte((once ? 64 : 0) + toDay), byte(state), byte(toMonth * 16 + ((channel - 1) & 0x0F))};
    return e;
}

Entry BuildEasterEntry(int offset, int priority, int channels, int state, bool eibFormat)
{
    const int stored = (offset + kEasterOffsetBias) & 0xFF;
    Entry e;
    if (eibFormat) {
        e.b = {byte(kEasterMarker), byte((stored & 0xF0) + busPriority(priority)), 0, 0, byte(state),
               byte((stored & 0x0F) * 16 + ((channels - 1) & 0x0F))};
    } else {
        e.b = {byte(kEasterMarker), byte((stored & 0xF0) + priority), 0, 0, byte(channels & 0x0F),
               byte((stored & 0x0F) * 16 + (state & 1))};
    }
    return e;
}

} // namespace zendrik

#include "editing/CompareEntries.h"

namespace zendrik {

namespace {

bool hasPulse(const Entry& e)
{
    return EntryPulse(e) != 0;
}

// Two switching times at the same place: pulses only meet pulses.
int compareSwitching(const Entry& a, const Entry& b, bool sameState)
{
    if (hasPulse(a) != hasPulse(b))
        return ConflictNone;
    if (hasPulse(a))
        return ConflictPulse;
    return sameState ? ConflictSame : ConflictOtherState;
}

int compareConventional(const Entry& a, const Entry& b, int kind)
{
    const bool samePlace = a.b[0] == b.b[0] && a.b[1] == b.b[1] && a.b[4] == b.b[4] && (a.b[3] & 0x7F) == (b.b[3] & 0x7F);
    if (!samePlace)
        return ConflictNone;
    switch (kind) {
    case KindWeekly:
    case KindDated:
        return compareSwitching(a, b, (a.b[5] & 1) == (b.b[5] & 1));
    case KindPriority:
        // b5 holds the to-month and the year beside the state bit.
        if ((a.b[5] >> 1) != (b.b[5] >> 1))
            return ConflictNone;
        return (a.b[5] & 1) != (b.b[5] & 1) ? ConflictOtherState : ConflictSame;
    default:
        return ConflictSame;
    }
}

// The bus format keeps part of the channel number in b5: entries for
// different channels are different entries even at the same time.
int compareBus(const Entry& a, const Entry& b, int kind)
{
    if (a.b[0] != b.b[0] || a.b[1] != b.b[1] || a.b[3] != b.b[3])
        return ConflictNone;
    if (kind == KindPriorityBus) {
        if (a.b[5] != b.b[5])
            return ConflictNone;
        return a.b[4] != b.b[4] ? ConflictOtherState : ConflictSame;
    }
    if ((a.b[5] & 3) != (b.b[5] & 3))
        return ConflictNone;
    return compareSwitching(a, b, a.b[4] == b.b[4]);
}

} // namespace

int CompareEntries(const Entry& a, const Entry& b, bool eibFormat)
{
    const int kind = EntryKind(a, eibFormat);
    if (kind != EntryKind(b, eibFormat))
        return ConflictNone;
    return eibFormat ? compareBus(a, b, kind) : compareConventional(a, b, kind);
}

} // namespace zendrik

#include "model/Entry.h"

namespace zendrik {

int EntryKind(const Entry& e, bool eibFormat)
{
    const int group = e.b[0] >> 5;
    int kind = KindOther;
    if (group <= 2)
        kind = KindDated;
    else if (group == 3)
        kind = KindPriority;
    else if (group <= 6)
        kind = KindWeekly;
    else
        return KindOther;
    return eibFormat ? kind + 3 : kind;
}

int EntryTime(const Entry& e)
{
    return (e.b[0] % 128) * 16 + e.b[1] / 16;
}

int EntryMonth(const Entry& e)
{
    return e.b[1] % 16;
}

int EntryDay(const Entry& e)
{
    return e.b[3] % 32;
}

int EntryPriority(const Entry& e, bool eibFormat)
{
    switch (EntryKind(e, eibFormat)) {
    case KindWeekly:
    case KindPriority:
        return GetBits(0, 3, e.b[1]);
    case KindWeeklyBus:
        return GetBits(0, 2, e.b[1]);
    case KindPriorityBus: {
        // The bus format has three priority bits; 8 stands for "permanent".
        const int p = GetBits(0, 3, e.b[1]);
        return p == 8 ? kPermanentPriority : p;
    }
    default:
        return 0;
    }
}

int EntryChannels(const Entry& e, bool eibFormat)
{
    switch (EntryKind(e, eibFormat)) {
    case KindWeekly:
    case KindDated:
    case KindPriority:
        return GetBits(0, 3, e.b[4]);
    case KindWeeklyBus:
        return GetBits(3, 3, e.b[1]) * 4 + GetBits(0, 1, e.b[5]) + 1;
    case KindDatedBus:
        return GetBits(5, 5, e.b[3]) * 4 + GetBits(0, 1, e.b[5]) + 1;
    case KindPriorityBus:
        return GetBits(0, 3, e.b[5]);
    default:
        return 0;
    }
}

int EntryOnce(const Entry& e, bool eibFormat)
{
    switch (EntryKind(e, eibFormat)) {
    case KindDated:
    case KindPriority:
    case KindDatedBus:
    case KindPriorityBus:
        return GetBits(6, 6, e.b[3]);
    default:
        return 0;
    }
}

int EntryPulse(const Entry& e)
{
    return e.b[5] / 4;
}

int EntryState(const Entry& e, bool eibFormat)
{
    switch (EntryKind(e, eibFormat)) {
    case KindWeekly:
    case KindDated:
        return e.b[5] & 1;
    case KindPriority:
        return EntryPriority(e, eibFormat) == kPermanentPriority ? (e.b[5] & 1) : 0;
    case KindWeeklyBus:
    case KindDatedBus:
        return e.b[4];
    case KindPriorityBus:
        return EntryPriority(e, eibFormat) == kPermanentPriority ? e.b[4] : 0;
    default:
        return 0;
    }
}

bool IsSwitchingTimeByte(int b0)
{
    return b0 <= 0x59 || (b0 >= 0x80 && b0 <= 0xD9);
}

bool IsPriorityTimeByte(int b0)
{
    return b0 >= 0x60 && b0 <= 0x7F;
}

int PriorityYearCode(const Entry& e)
{
    return e.b[4] / 16 + 16 * GetBits(1, 3, e.b[5]);
}

int PriorityTimeKind(const Entry& e)
{
    if (e.b[0] == kEasterMarker)
        return PrioEasterRelative;
    if (GetBits(6, 6, e.b[3]) == 0)
        return PrioEveryYear;
    return PriorityYearCode(e) == 0 ? PrioOnceNoYear : PrioOnceInYear;
}

int PriorityFromDay(const Entry& e)
{
    return GetBits(0, 0, e.b[0]) * 16 + e.b[1] / 16;
}

int PriorityFromMonth(const Entry& e)
{
    return GetBits(1, 4, e.b[0]);
}

int PriorityToDay(const Entry& e)
{
    return e.b[3] % 32;
}

int PriorityToMonth(const Entry& e)
{
    return e.b[5] / 16;
}

int PriorityEasterOffset(const Entry& e)
{
    // n + 82 is split over the high nibble of b1 and the high nibble of b5.
    return (e.b[1] & 0xF0) + (e.b[5] >> 4) - kEasterOffsetBias;
}

} // namespace zendrik

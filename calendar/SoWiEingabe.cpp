#include "calendar/SoWiEingabe.h"

#include "util/CalendarMath.h"

#include <algorithm>

namespace zendrik {

namespace {

// The row format keeps the month in the top nibble of the first byte; a
// month past 12 would push that byte into the range that marks an unused
// row, so only real dates are stored. February 29 is allowed: the table may
// hold a leap year.
bool IsStorable(const DstChangeover& c)
{
    return c.month >= 1 && c.month <= 12 && c.day >= 1 && c.day <= TageImMonat(c.month, 2000) && c.hour >= 0
        && c.hour <= 23 && c.shift >= 1 && c.shift <= 3;
}

bool SameDay(const DstChangeover& a, const DstChangeover& b)
{
    return a.day == b.day && a.month == b.month;
}

SoWiCheckResult CheckRow(const ProgramSlot& slot, const DstEntry& entry, int skipIndex)
{
    if (!IsStorable(entry.forward) || !IsStorable(entry.back))
        return {SoWiCheck::InvalidEntry, 0};
    if (SameDay(entry.forward, entry.back))
        return {SoWiCheck::SameStartEnd, 0};
    const int used = std::min(slot.AnzSoWi, kDstRows);
    for (int i = 0; i < used; ++i) {
        if (i == skipIndex)
            continue;
        const DstEntry existing = DecodeDstRow(slot.SoWiTab[static_cast<std::size_t>(i)]);
        if (SameDay(entry.forward, existing.forward) || SameDay(entry.back, existing.back))
            return {SoWiCheck::SameDateExists, i + 1};
    }
    return {};
}

} // namespace

SoWiCheckResult CheckSoWiEntry(const ProgramSlot& slot, const DstEntry& entry, int replaceIndex)
{
    if (replaceIndex < 0 && slot.AnzSoWi >= kDstRows)
        return {SoWiCheck::TableFull, 0};
    return CheckRow(slot, entry, replaceIndex);
}

SoWiCheckResult AddSoWiEntry(ProgramSlot& slot, const DstEntry& entry, int soWiInfo)
{
    const SoWiCheckResult result = CheckSoWiEntry(slot, entry);
    if (!result.ok())
        return result;
    slot.SoWiInfo = soWiInfo != 0 ? 1 : 0;
    slot.SoWiTab[static_cast<std::size_t>(slot.AnzSoWi)] = EncodeDstRow(entry);
    ++slot.AnzSoWi;
    return result;
}

SoWiCheckResult ChangeSoWiEntry(ProgramSlot& slot, int index, const DstEntry& entry, int soWiInfo)
{
    if (index < 0 || index >= slot.AnzSoWi || index >= kDstRows)
        return {SoWiCheck::InvalidEntry, 0};
    const SoWiCheckResult result = CheckSoWiEntry(slot, entry, index);
    if (!result.ok())
        return result;
    slot.SoWiInfo = soWiInfo != 0 ? 1 : 0;
    slot.SoWiTab[static_cast<std::size_t>(index)] = EncodeDstRow(entry);
    return result;
}

} // namespace zendrik

#include "calendar/SoWiEingabe.h"

#include "calendar/SommerzeitTage.h"
#include "util/CalendarMath.h"

#include <algorithm>

namespace zendrik {

namespace {

// The row format keeps the month in the top nibble of the first byte; a
// month past 12 would push that byte into the range that marks an unused
// row, so only real dates are stored. February 29 is allowed: the table may
// hold a leap year.
bool IsStorable(const DstChangeover& c, int year)
{
    return c.month >= 1 && c.month <= 12 && c.day >= 1 && c.day <= TageImMonat(c.month, year) && c.hour >= 0
        && c.hour <= 23 && c.shift >= 1 && c.shift <= 3;
}

bool SameDay(const DstChangeover& a, const DstChangeover& b)
{
    return a.day == b.day && a.month == b.month;
}

// The year a row of the table holds: the reference year plus its index.
int RowYear(const ProgramSlot& slot, int soWiInfo, int index)
{
    return SoWiBezugsjahr(slot.SoWiJahr, soWiInfo) + index;
}

SoWiCheckResult CheckRow(const ProgramSlot& slot, const DstEntry& entry, int targetIndex, int soWiInfo)
{
    const int year = RowYear(slot, soWiInfo, targetIndex);
    if (!IsStorable(entry.forward, year) || !IsStorable(entry.back, year))
        return {SoWiCheck::InvalidEntry, 0};
    if (SameDay(entry.forward, entry.back))
        return {SoWiCheck::SameStartEnd, 0};
    // Rules repeat their dates every few years (Europe: 26 March and
    // 29 October in 2000 and in 2006), so only a row of the same year
    // conflicts; the row being changed is not compared with itself.
    const int used = std::min(slot.AnzSoWi, kDstRows);
    for (int i = 0; i < used; ++i) {
        if (i == targetIndex || RowYear(slot, soWiInfo, i) != year)
            continue;
        const DstEntry existing = DecodeDstRow(slot.SoWiTab[static_cast<std::size_t>(i)]);
        if (SameDay(entry.forward, existing.forward) || SameDay(entry.back, existing.back))
            return {SoWiCheck::SameDateExists, i + 1};
    }
    return {};
}

} // namespace

SoWiCheckResult CheckSoWiEntry(const ProgramSlot& slot, const DstEntry& entry, int replaceIndex, int soWiInfo)
{
    if (replaceIndex < 0 && slot.AnzSoWi >= kDstRows)
        return {SoWiCheck::TableFull, 0};
    const int target = replaceIndex < 0 ? slot.AnzSoWi : replaceIndex;
    return CheckRow(slot, entry, target, soWiInfo < 0 ? slot.SoWiInfo : soWiInfo);
}

SoWiCheckResult AddSoWiEntry(ProgramSlot& slot, const DstEntry& entry, int soWiInfo)
{
    const SoWiCheckResult result = CheckSoWiEntry(slot, entry, -1, soWiInfo != 0 ? 1 : 0);
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
    const SoWiCheckResult result = CheckSoWiEntry(slot, entry, index, soWiInfo != 0 ? 1 : 0);
    if (!result.ok())
        return result;
    slot.SoWiInfo = soWiInfo != 0 ? 1 : 0;
    slot.SoWiTab[static_cast<std::size_t>(index)] = EncodeDstRow(entry);
    return result;
}

} // namespace zendrik

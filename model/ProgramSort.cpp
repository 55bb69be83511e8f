#include "model/ProgramSort.h"

#include "model/DeviceFamily.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <algorithm>
#include <vector>

namespace zendrik {

namespace {

int lowestChannel(int channels, const SortContext& c)
{
    if (EntryNamesOneChannel(c.uhrentyp))
        return channels;
    for (int bit = 0; bit < c.kanalzahl; ++bit) {
        if (channels & (1 << bit))
            return bit;
    }
    return std::max(c.kanalzahl - 1, 0);
}

int lowestWeekday(const Entry& e)
{
    for (int bit = 0; bit < 8; ++bit) {
        if (e.b[3] & (1 << bit))
            return bit;
    }
    return 8;
}

std::int64_t switchingKey(const Entry& e, const SortContext& c)
{
    const std::int64_t T = EntryTime(e);
    const bool weekly = IsWeeklyEntry(e);
    const std::int64_t D = weekly ? lowestWeekday(e) : EntryMonth(e) * 32 + EntryDay(e);
    const std::int64_t P = weekly ? EntryPriority(e, c.eib) : 10;
    const std::int64_t C = lowestChannel(EntryChannels(e, c.eib), c);
    const std::int64_t I = EntryPulse(e);
    const std::int64_t X = EntryOnce(e, c.eib);
    const std::int64_t S = EntryState(e, c.eib);

    switch (c.sortColumnSz) {
    case 1:
        return (D << 21) + (T << 10) + (P << 6) + (C << 1);
    case 2:
        return (T << 19) + (D << 10) + (P << 6) + (C << 1);
    case 4:
        return (I << 24) + (C << 20) + (D << 11) + T;
    case 5:
        return (X << 29) + (C << 25) + (P << 21) + (D << 12) + (T << 1) + S;
    case 6:
        return (S << 29) + (C << 25) + (P << 21) + (D << 12) + (T << 1) + X;
    case 7:
        return (P << 26) + (C << 22) + (D << 12) + (T << 1) + S;
    case 8:
        return (T << 18) + (P << 14) + (I << 8) + (X << 7) + ((1 - S) << 6);
    case 9: {
        const int kind = EntryKind(e, c.eib);
        const std::int64_t B = (kind == KindWeekly || kind == KindDated) ? 1 - GetBits(4, 4, e.b[4]) : 1;
        return (B << 29) + (T << 17) + (P << 13) + (I << 7) + (X << 6) + ((1 - S) << 5);
    }
    case 3:
    default:
        return (C << 25) + (P << 21) + (D << 12) + (T << 1) + S;
    }
}

std::int64_t priorityKey(const Entry& e, const SortContext& c)
{
    const std::int64_t Y = PriorityTimeKind(e) == PrioOnceInYear ? PriorityYearCode(e) : c.currentYear - kYearCodeBase;
    std::int64_t B = 0;
    std::int64_t E = 0;
    if (e.b[0] == kEasterMarker) {
        const DayMonth d = EasterRelativeDate(PriorityEasterOffset(e), static_cast<int>(kYearCodeBase + Y));
        B = E = d.month * 32 + d.day;
    } else {
        B = PriorityFromMonth(e) * 32 + PriorityFromDay(e);
        E = PriorityToMonth(e) * 32 + PriorityToDay(e);
    }
    const std::int64_t P = EntryPriority(e, c.eib);
    const std::int64_t C = lowestChannel(EntryChannels(e, c.eib), c);
    const std::int64_t X = EntryOnce(e, c.eib);
    const std::int64_t S = P == kPermanentPriority ? EntryState(e, c.eib) : 0;
    constexpr std::int64_t base = std::int64_t{1} << 30;

    switch (c.sortColumnPz) {
    case 1:
        return base + (Y << 23) + (B << 12) + (P << 8) + (C << 4) + (X << 1) + S;
    case 2:
        return base + (Y << 23) + (E << 12) + (P << 8) + (C << 4) + (X << 1) + S;
    case 3:
        return base + (C << 26) + (P << 22) + (B << 13) + (Y << 7) + (X << 4) + S;
    case 4:
        return base + (X << 28) + (P << 24) + (C << 20) + (B << 11) + (Y << 5) + S;
    case 5:
        return base + (S << 28) + (P << 24) + (C << 22) + (B << 13) + (Y << 7);
    case 6:
    default:
        return base + (P << 26) + (C << 22) + (B << 13) + (Y << 7) + (X << 4) + S;
    }
}

} // namespace

SortContext SortContext::of(const ProgramModel& model)
{
    SortContext c;
    c.sortColumnSz = model.SortSpalteSz;
    c.sortColumnPz = model.SortSpaltePz;
    c.kanalzahl = model.device.Kanalzahl;
    c.uhrentyp = model.device.Uhrentyp;
    c.eib = model.eib();
    c.currentYear = model.currentYear();
    return c;
}

std::int64_t SortKey(const Entry& e, const SortContext& context)
{
    if (e.b[0] == 255)
        return -1;
    if (EntryTime(e) < 1536)
        return switchingKey(e, context);
    return priorityKey(e, context);
}

std::int64_t TimeKey(const Entry& e)
{
    return (e.b[0] & 127) * 1024 + ((e.b[1] >> 4) & 15) * 64 + ((e.b[5] >> 2) & 63);
}

void SortProgram(ProgramModel& model, int mode, int slotIndex)
{
    ProgramSlot& s = model.slot(slotIndex);
    const int n = std::clamp(s.AnzEintrag, 0, kEntryRows);
    if (n <= 1)
        return;
    const SortContext context = SortContext::of(model);

    struct Keyed {
        bool priority;
        std::int64_t key;
        Entry entry;
    };
    std::vector<Keyed> rows;
    rows.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const Entry& e = s.Eintrag[static_cast<std::size_t>(i)];
        rows.push_back({IsPriorityTimeByte(e.b[0]), mode == 1 ? SortKey(e, context) : TimeKey(e), e});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Keyed& a, const Keyed& b) {
        if (a.priority != b.priority)
            return !a.priority;
        return a.key < b.key;
    });
    for (int i = 0; i < n; ++i)
        s.Eintrag[static_cast<std::size_t>(i)] = rows[static_cast<std::size_t>(i)].entry;
}

} // namespace zendrik

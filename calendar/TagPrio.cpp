#include "calendar/TagPrio.h"

#include "calendar/AddressedChannels.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <algorithm>

namespace zendrik {

namespace {

constexpr int kDaysStored = 366;

struct DateRange {
    int fromDay = 0;
    int fromMonth = 0;
    int toDay = 0;
    int toMonth = 0;

    bool valid() const
    {
        return fromMonth >= 1 && fromMonth <= 12 && toMonth >= 1 && toMonth <= 12 && fromDay >= 1 && fromDay <= 31
            && toDay >= 1 && toDay <= 31;
    }
    // The range runs over the year end when its begin comes after its end.
    bool wraps() const { return fromMonth * 32 + fromDay > toMonth * 32 + toDay; }
};

// The value a priority time gives its days; -1 for a priority no program has.
int DayValue(const Entry& e, bool eib)
{
    const int priority = EntryPriority(e, eib);
    if (priority == kPermanentPriority)
        return EntryState(e, eib) != 0 ? kTagPrioPermanentEin : kTagPrioPermanentAus;
    return priority < kPermanentPriority ? priority : -1;
}

} // namespace

TagPrio::TagPrio(const ProgramModel& model, int simJahr, int slot)
    : jahr_(simJahr),
      tage_(DaysInYear(simJahr)),
      kanaele_(std::clamp(model.device.Kanalzahl, 1, 16)),
      prio_(static_cast<std::size_t>(kanaele_ * kDaysStored), 0),
      quelle_(static_cast<std::size_t>(kanaele_ * kDaysStored), -1)
{
    const ProgramSlot& s = model.slot(slot == kSampleSlot ? kSampleSlot : kProgramSlot);
    const bool eib = model.eib();
    const int used = std::clamp(s.AnzEintrag, 0, kEntryRows);
    for (int i = 0; i < used; ++i) {
        const Entry& e = s.Eintrag[static_cast<std::size_t>(i)];
        if (!IsPriorityTimeByte(e.b[0]))
            continue;
        const int value = DayValue(e, eib);
        const int mask = AddressedChannels(e, model.device);
        if (value < 0 || mask == 0)
            continue;

        if (e.b[0] == kEasterMarker) {
            // A movable feast: the one day at its distance from Easter Sunday.
            const int day = OsterTag(jahr_) + PriorityEasterOffset(e);
            cover(mask, day, day, value, i);
            continue;
        }

        const DateRange r{PriorityFromDay(e), PriorityFromMonth(e), PriorityToDay(e), PriorityToMonth(e)};
        if (!r.valid())
            continue;
        const int from = DayOfYear(r.fromDay, r.fromMonth, jahr_);
        const int to = DayOfYear(r.toDay, r.toMonth, jahr_);
        // The bus format keeps state and channel where the year would be:
        // its priority times hold every year.
        const bool yearBound = !eib && PriorityTimeKind(e) == PrioOnceInYear;
        if (!yearBound) {
            if (r.wraps()) {
                cover(mask, from, tage_, value, i);
                cover(mask, 1, to, value, i);
            } else {
                cover(mask, from, to, value, i);
            }
            continue;
        }
        const int year = kYearCodeBase + PriorityYearCode(e);
        if (r.wraps()) {
            // Begins in its year and ends in the next one.
            if (year == jahr_)
                cover(mask, from, tage_, value, i);
            if (year + 1 == jahr_)
                cover(mask, 1, to, value, i);
        } else if (year == jahr_) {
            cover(mask, from, to, value, i);
        }
    }
}

int TagPrio::operator()(int channel, int dayOfYear) const
{
    if (channel < 0 || channel >= kanaele_ || dayOfYear < 1 || dayOfYear > tage_)
        return 0;
    return prio_[static_cast<std::size_t>(channel * kDaysStored + dayOfYear - 1)];
}

int TagPrio::Quelle(int channel, int dayOfYear) const
{
    if (channel < 0 || channel >= kanaele_ || dayOfYear < 1 || dayOfYear > tage_)
        return -1;
    return quelle_[static_cast<std::size_t>(channel * kDaysStored + dayOfYear - 1)];
}

void TagPrio::cover(int channelMask, int fromDay, int toDay, int value, int entry)
{
    fromDay = std::max(fromDay, 1);
    toDay = std::min(toDay, tage_);
    for (int c = 0; c < kanaele_; ++c) {
        if ((channelMask & (1 << c)) == 0)
            continue;
        for (int d = fromDay; d <= toDay; ++d) {
            const auto at = static_cast<std::size_t>(c * kDaysStored + d - 1);
            prio_[at] = static_cast<std::int8_t>(value);
            quelle_[at] = static_cast<std::int16_t>(entry);
        }
    }
}

} // namespace zendrik

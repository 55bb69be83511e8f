#include "editing/ListFilter.h"

#include "model/DeviceFamily.h"
#include "util/CalendarMath.h"

namespace zendrik {

int ListFilter::PrioBisFor(int value, bool eibFormat)
{
    return eibFormat && value >= 8 ? kPermanentPriority : value;
}

bool ListFilter::passesChannel(const Entry& e, const DeviceSettings& device) const
{
    if (EntryNamesOneChannel(device.Uhrentyp))
        return FilterKanal == kAllChannels || EntryChannelNumber(e, device) == FilterKanal;
    if (device.EibFormat != 0) {
        // A bus entry names one channel; it passes when that channel is chosen.
        const int number = EntryChannelNumber(e, device);
        return number >= 1 && number <= 8 && (FilterKanal & (1 << (number - 1))) != 0;
    }
    return (EntryChannels(e, false) & FilterKanal) != 0;
}

bool ListFilter::passesPriority(int priority) const
{
    return priority >= FilterPrioVon && priority <= FilterPrioBis;
}

bool ListFilter::passesSwitchingTime(const Entry& e, const DeviceSettings& device) const
{
    const bool eib = device.EibFormat != 0;

    if (IsWeeklyEntry(e)) {
        if (!passesPriority(EntryPriority(e, eib)) || (e.b[3] & 0x7F & FilterWochentag) == 0)
            return false;
    } else {
        const int month = EntryMonth(e);
        if (FilterMonatVon == kWeeklyOnly || month < FilterMonatVon || month > FilterMonatBis)
            return false;
    }

    const int state = EntryState(e, eib);
    if (eib) {
        const bool ok = FilterZustand == ValueEqual ? state == FilterWert
            : FilterZustand == ValueAtMost          ? state <= FilterWert
                                                    : state >= FilterWert;
        if (!ok)
            return false;
    } else if (FilterZustand != StateAny && state != FilterZustand) {
        return false;
    }

    const int pulse = EntryPulse(e);
    if (FilterImpuls == PulsesOnly && pulse == 0)
        return false;
    if (FilterImpuls == PulsesNone && pulse != 0)
        return false;

    return passesChannel(e, device);
}

bool ListFilter::passesPriorityTime(const Entry& e, const DeviceSettings& device, int year) const
{
    if (!passesChannel(e, device) || !passesPriority(EntryPriority(e, device.EibFormat != 0)))
        return false;

    int start = PriorityFromMonth(e);
    int end = PriorityToMonth(e);
    if (e.b[0] == kEasterMarker) {
        // A movable priority time is one day whose month depends on Easter.
        start = end = EasterRelativeDate(PriorityEasterOffset(e), year).month;
    }
    // A range may run over the turn of the year (November to February); it
    // then covers start..December and January..end.
    if (start <= end)
        return start <= FilterMonatBis && end >= FilterMonatVon;
    return start <= FilterMonatBis || end >= FilterMonatVon;
}

} // namespace zendrik

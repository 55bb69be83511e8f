#include "editing/PriorityTimeFields.h"

#include "calendar/FeiertagDatum.h"
#include "calendar/FeiertagTabelle.h"
#include "editing/EntryFields.h"
#include "model/EntryBuilder.h"
#include "util/CalendarMath.h"

#include <algorithm>

namespace zendrik {

namespace {

// Without years the next substitute day is searched this far ahead.
constexpr int kSubstituteSearchYears = 8;

struct EntryFrame {
    const DeviceSettings& device;
    int prioritaet;
    const ChannelChoice& kanal;
    int zustand;

    bool eib() const { return device.EibFormat != 0; }

    Entry range(int fromDay, int fromMonth, int toDay, int toMonth, int yearCode, bool once) const
    {
        if (eib())
            return BuildPriorityEntryEib(fromDay, fromMonth, toDay, toMonth, once, prioritaet, kanal.number(device),
                                         zustand);
        return BuildPriorityEntry(fromDay, fromMonth, toDay, toMonth, yearCode, once, prioritaet,
                                  kanal.conventionalValue(device), zustand);
    }

    Entry day(const CalendarDate& d, int yearCode, bool once) const
    {
        return range(d.day, d.month, d.day, d.month, yearCode, once);
    }

    Entry easter(int offset) const
    {
        return BuildEasterEntry(offset, prioritaet, eib() ? kanal.number(device) : kanal.conventionalValue(device),
                                zustand, eib());
    }
};

EntryResult holidayEntries(const Feiertag& ft, const std::vector<Feiertag>& set, const EntryFrame& frame,
                           const CalendarDate& today, std::vector<Entry>& entries)
{
    const bool bewft = frame.device.Bewft != 0;
    if (ft.isFixed() && ft.hasValidValues()) {
        entries.push_back(frame.day(CalendarDate{ft.Tag, ft.Monat, 0}, 0, false));
        if (ft.Art == FeiertagFest)
            return EntryResult::Stored;
        // The substitute days, which the device cannot compute: bound to
        // their years like the weekday-rule holidays, or the next one once.
        std::vector<Feiertag> withIt = set;
        auto it = std::find(withIt.begin(), withIt.end(), ft);
        if (it == withIt.end())
            it = withIt.insert(withIt.end(), ft);
        const std::size_t index = static_cast<std::size_t>(it - withIt.begin());
        const bool yearBound = bewft && !frame.eib();
        const int years = yearBound ? std::max(frame.device.JahreFreieFt, 1) : 1;
        std::vector<CalendarDate> days = ErsatzTageAb(withIt, index, today, yearBound ? years : kSubstituteSearchYears);
        if (!yearBound && days.size() > 1)
            days.resize(1);
        for (const CalendarDate& date : days) {
            const int code = yearBound ? date.year - kYearCodeBase : 0;
            if (code <= kMaxYearCode)
                entries.push_back(frame.day(date, code, true));
        }
        return EntryResult::Stored;
    }
    if (ft.Art == FeiertagOstern && bewft && ft.hasValidValues()) {
        entries.push_back(frame.easter(ft.Tag));
        return EntryResult::Stored;
    }
    // The device cannot compute this date itself: the next one from today
    // on, once. Devices that handle movable holidays take weekday-rule
    // holidays for several years, each bound to its year (the bus format
    // cannot hold a year, so it gets the next date only).
    const bool yearBound = ft.Art == FeiertagFrei && bewft && !frame.eib();
    const int years = yearBound ? std::max(frame.device.JahreFreieFt, 1) : 1;
    for (const CalendarDate& date : FeiertagDatenAb(ft, today, years)) {
        const int code = yearBound ? date.year - kYearCodeBase : 0;
        if (code <= kMaxYearCode)
            entries.push_back(frame.day(date, code, true));
    }
    return entries.empty() ? EntryResult::DateOrWeekdaysIncomplete : EntryResult::Stored;
}

} // namespace

void PriorityTimeFields::setYearCode(int code)
{
    jahrCode = code;
    einmal = code != 0;
}

void PriorityTimeFields::toggleState()
{
    zustand = zustand == 1 ? 0 : 1;
}

EntryResult PriorityTimeFields::build(const DeviceSettings& device, const CalendarDate& today,
                                      std::vector<Entry>& entries) const
{
    entries.clear();
    if (!kanal.chosen(device))
        return EntryResult::ChannelsIncomplete;
    const EntryFrame frame{device, prioritaet, kanal, zustand};
    if (bewFeiertag) {
        if (!feiertag)
            return EntryResult::DateOrWeekdaysIncomplete;
        return holidayEntries(*feiertag, feiertagSet, frame, today, entries);
    }
    if (vonTag == 0 || vonMonat == 0 || bisTag == 0 || bisMonat == 0)
        return EntryResult::DateOrWeekdaysIncomplete;
    if (!DayExistsInMonth(vonTag, vonMonat) || !DayExistsInMonth(bisTag, bisMonat))
        return EntryResult::DayNotInMonth;
    const int yearCode = yearAvailable(device) ? jahrCode : 0;
    entries.push_back(frame.range(vonTag, vonMonat, bisTag, bisMonat, yearCode, einmal || jahrCode != 0));
    return EntryResult::Stored;
}

PriorityTimeFields PriorityTimeFields::of(const Entry& e, const DeviceSettings& device,
                                          const FeiertagTabelle* feiertage)
{
    const bool eib = device.EibFormat != 0;
    PriorityTimeFields f;
    f.prioritaet = EntryPriority(e, eib);
    f.kanal = ChannelChoice::of(e, device);
    f.zustand = eib ? e.b[4] : e.b[5] & 1;
    if (e.b[0] == kEasterMarker) {
        const int offset = PriorityEasterOffset(e);
        f.bewFeiertag = true;
        Feiertag ft{QString(), FeiertagOstern, 0, offset, 0};
        if (feiertage) {
            for (const Feiertag& known : feiertage->Feiertage()) {
                if (known.Art == FeiertagOstern && known.Tag == offset) {
                    ft = known;
                    break;
                }
            }
        }
        f.feiertag = ft;
        return f;
    }
    f.vonTag = PriorityFromDay(e);
    f.vonMonat = PriorityFromMonth(e);
    f.bisTag = PriorityToDay(e);
    f.bisMonat = PriorityToMonth(e);
    f.jahrCode = eib ? 0 : PriorityYearCode(e);
    f.einmal = EntryOnce(e, eib) != 0;
    return f;
}

} // namespace zendrik

#include "editing/SwitchingTimeFields.h"

#include "model/EntryBuilder.h"
#include "util/CalendarMath.h"

namespace zendrik {

namespace {

// The bus format keeps three bits of a switching time's channel number.
constexpr int kMaxBusSwitchingChannel = 8;
constexpr int kMaxPulse = 59;

} // namespace

void SwitchingTimeFields::setWeekday(int weekday, bool on)
{
    if (on) {
        wochentage |= 1 << weekday;
        tag = 0;
        monat = 0;
        einmal = false;
    } else {
        wochentage &= ~(1 << weekday);
    }
}

void SwitchingTimeFields::setDaily(bool on)
{
    if (on) {
        wochentage = kDaily;
        tag = 0;
        monat = 0;
        einmal = false;
    } else {
        wochentage = 0;
    }
}

void SwitchingTimeFields::setDay(int day)
{
    tag = day;
    wochentage = 0;
}

void SwitchingTimeFields::toggleState()
{
    zustand = zustand == 1 ? 0 : 1;
}

EntryResult SwitchingTimeFields::build(const DeviceSettings& device, Entry& entry) const
{
    if (!isDated() && wochentage == 0)
        return EntryResult::DateOrWeekdaysIncomplete;
    if (isDated() && !DayExistsInMonth(tag, monat))
        return EntryResult::DayNotInMonth;
    if (!kanal.chosen(device))
        return EntryResult::ChannelsIncomplete;
    const int t = stunde * 60 + minute;
    const int pulse = impuls > kMaxPulse ? 0 : impuls;
    if (device.EibFormat != 0) {
        const int channel = kanal.number(device);
        if (channel > kMaxBusSwitchingChannel)
            return EntryResult::ChannelsIncomplete;
        entry = isDated() ? BuildDatedEntryEib(t, tag, monat, channel, zustand, pulse, einmal)
                          : BuildWeeklyEntryEib(t, wochentage, channel, zustand, pulse, prioritaet);
    } else {
        const int channels = kanal.conventionalValue(device);
        entry = isDated() ? BuildDatedEntry(t, tag, monat, channels, zustand, pulse, einmal)
                          : BuildWeeklyEntry(t, wochentage, channels, zustand, pulse, prioritaet);
    }
    return EntryResult::Stored;
}

SwitchingTimeFields SwitchingTimeFields::of(const Entry& e, const DeviceSettings& device)
{
    const bool eib = device.EibFormat != 0;
    SwitchingTimeFields f;
    const int t = EntryTime(e) % 1440;
    f.stunde = t / 60;
    f.minute = t % 60;
    f.impuls = EntryPulse(e) > kMaxPulse ? 0 : EntryPulse(e);
    if (IsWeeklyEntry(e)) {
        f.wochentage = e.b[3] & kDaily;
        f.prioritaet = EntryPriority(e, eib);
    } else {
        f.tag = EntryDay(e);
        f.monat = EntryMonth(e);
        f.einmal = EntryOnce(e, eib) != 0;
    }
    f.kanal = ChannelChoice::of(e, device);
    f.zustand = EntryState(e, eib);
    return f;
}

} // namespace zendrik

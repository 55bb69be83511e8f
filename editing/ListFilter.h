#pragma once

#include "calendar/AddressedChannels.h"
#include "model/DeviceSettings.h"
#include "model/Entry.h"

namespace zendrik {

// The criteria that restrict the program list. A fresh filter lets every
// entry through: all channels, all weekdays, January to December, every
// priority from none to permanent, both states, with and without pulses.
// The list applies the criteria only while FilterAktiv is on.
class ListFilter {
public:
    // Channel mask, bit c - 1 for channel c. On the 16-channel bus device
    // (family 738) a single channel number 1..16 as the list shows it, or
    // kAllChannels.
    int FilterKanal = kAllChannels;
    // Weekday mask, bit 0 = Monday ... bit 6 = Sunday.
    int FilterWochentag = 127;
    // Month range 1..12; FilterMonatVon 0 ("nur Wochenprogramm") lets only
    // weekly switching times through.
    int FilterMonatVon = 1;
    int FilterMonatBis = 12;
    // Priority range, 0 = base program, 1..9 = P1..P9, 10 = permanent.
    int FilterPrioVon = 0;
    int FilterPrioBis = kPermanentPriority;
    // Conventional devices: 0 = OFF only, 1 = ON only, 2 = both. Bus-format
    // devices switch a value instead of ON/OFF: 0 = equal to FilterWert,
    // 1 = at most FilterWert, 2 = at least FilterWert.
    int FilterZustand = StateAny;
    int FilterImpuls = PulsesAll;
    int FilterWert = 0;
    // 0 = off, -1 = on.
    int FilterAktiv = 0;

    static constexpr int kAllChannels = 255;
    static constexpr int kWeeklyOnly = 0;

    enum StateCriterion : int { StateOff = 0,
                                StateOn = 1,
                                StateAny = 2 };
    enum ValueCriterion : int { ValueEqual = 0,
                                ValueAtMost = 1,
                                ValueAtLeast = 2 };
    enum PulseCriterion : int { PulsesNone = 0,
                                PulsesOnly = 1,
                                PulsesAll = 2 };

    bool active() const { return FilterAktiv != 0; }

    // Whether a switching time (weekly or dated) passes every criterion.
    bool passesSwitchingTime(const Entry& e, const DeviceSettings& device) const;
    // Whether a priority time passes: channel, priority, and a date range
    // that touches the month range. Movable (Easter-relative) priority times
    // are placed in `year`.
    bool passesPriorityTime(const Entry& e, const DeviceSettings& device, int year) const;

    // The upper priority bound from the priority list of the filter dialog:
    // the bus format has no priorities 8 and 9, its eighth step is permanent.
    static int PrioBisFor(int value, bool eibFormat);

private:
    bool passesChannel(const Entry& e, const DeviceSettings& device) const;
    bool passesPriority(int priority) const;
};

} // namespace zendrik

#pragma once

#include "calendar/DayProfile.h"
#include "util/CalendarMath.h"

namespace zendrik {

// What holds a channel in its state at a minute of a simulated day.
enum class CauseKind {
    Nothing,       // no switching time of the day's program reaches the channel: OFF
    SwitchingTime, // a weekly or dated switching time of the list
    Pulse,         // the minute of a pulse of a switching time
    Astro,         // a sunrise or sunset switching time of the day
    Permanent,     // a permanent priority time holds the whole day
    MeterPulse,    // the channel carries the meter pulse
};

// An astro time as the device switches it: the table time with the summer
// hour (and on the one-channel astro device its offsets). The morning and
// evening limits are written into the table; a time at a limit the user set
// is shown as the limit's.
struct AstroCause {
    bool sunset = false; // false: sunrise
    int shown = 0;       // minute as the astro list shows it (summer hour included)
    bool summerTime = false;
    int limit = 0;        // the morning limit for a sunrise, the evening limit for a sunset
    bool limited = false; // the time is the limit the table holds instead of the sun's

    bool operator==(const AstroCause&) const = default;
};

struct SimulationCause {
    CauseKind kind = CauseKind::Nothing;
    int state = ProfileAus; // the profile state of the minute
    // The day's priority (0..9, 10 permanent ON, 11 permanent OFF) and the
    // priority time behind it: its row in the entry table and its number in
    // the priority-time list; -1 and 0 when the base program runs.
    int dayPriority = 0;
    int priorityEntry = -1;
    int priorityNumber = 0;
    // The switching that decided: its row in the entry table and its number
    // in the switching-time list (-1 and 0 for astro times and the meter
    // pulse), the date and minute it came (the shown day or, for the state
    // at midnight, an earlier one) and the state it switched to.
    int entry = -1;
    int entryNumber = 0;
    CalendarDate date;
    bool earlierDay = false; // the state at midnight, left by a switching of an earlier day
    int minute = 0;
    bool switchedOn = false;
    AstroCause astro;
    // The state at midnight taken up after days a permanent priority time
    // held: the switching named above did not run on its day; the program
    // takes up the state it would have left. The priority time's row (-1
    // none), its list number, its priority (10 ON, 11 OFF) and the last day
    // it held.
    int heldEntry = -1;
    int heldNumber = 0;
    int heldPriority = 0;
    CalendarDate heldDate;
};

} // namespace zendrik

#pragma once

#include "calendar/DayProfile.h"
#include "util/CalendarMath.h"

#include <vector>

namespace zendrik {

class YearSimulation;

// One day on which a channel does something else in the second program than
// in the first: both simulated days side by side.
struct BehaviourDay {
    int dayOfYear = 0; // of the first simulation's year
    CalendarDate first;
    CalendarDate second; // the same day and month in the second simulation's year
    SimulatedDay a;
    SimulatedDay b;
    int onOnlyInFirst = 0; // minutes ON in the first program and not in the second
    int onOnlyInSecond = 0;
    bool pulsesDiffer = false;    // the pulses of the day (minute and kind) differ
    bool stretchesDiffer = false; // the stretches ON differ (the meter pulse: its operating time)
};

// What one channel does differently over the year.
struct ChannelBehaviour {
    int channel = 0; // 0-based
    std::vector<BehaviourDay> days;
    long onOnlyInFirst = 0;
    long onOnlyInSecond = 0;
    long minutesFirst = 0; // operating minutes of the year
    long minutesSecond = 0;

    bool differs() const { return !days.empty(); }
};

struct BehaviourComparison {
    int yearFirst = 0;
    int yearSecond = 0;
    std::vector<ChannelBehaviour> channels; // every channel both programs have

    bool differs() const;
};

// The minutes of a simulated day at which the channel switches: the start
// and the end of each stretch ON (a stretch that is ON at midnight starts at
// minute 0, one that lasts to midnight has no end within the day) and each
// pulse, in the order of the day without repeats.
std::vector<int> SwitchingMinutes(const SimulatedDay& day);

// Simulates both programs through their years and compares them day by day,
// channel by channel: the days whose day graph differs (a pulse is a
// difference of its own), the minutes ON in one program and OFF in the
// other, and the operating time of both. Two years are compared date by
// date; 29 February is compared only when both years have it.
// channel: 0-based, or -1 for every channel.
BehaviourComparison CompareBehaviour(const YearSimulation& first, const YearSimulation& second, int channel = -1);

} // namespace zendrik

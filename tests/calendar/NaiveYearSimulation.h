#pragma once

#include "calendar/DayProfile.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <vector>

namespace zendrik::test {

// The year simulation done the plain way, day by day: the day's astro
// times (and those of the last day before it that has any) are added to a
// copy of the entry table as dated switching times, the copy is sorted
// again with the simulation's sort column, and the table is walked entry by
// entry; the state at midnight is found by measuring every entry's distance
// back in time, and the day is built minute by minute. Priorities are found
// per day by testing every priority time against the date.
//
// It serves as the reference the year simulation is checked against and as
// the baseline of its benchmark. Conventional entry format only; no meter
// pulse.
class NaiveYearSimulation {
public:
    NaiveYearSimulation(const ProgramModel& model, int year);

    int Priority(int channel, int dayOfYear) const;
    DayProfile Profile(int channel, int dayOfYear);
    int YearMinutes(int channel);

private:
    struct Added {
        Entry entry;
        int tag = 0;
    };

    bool addresses(const Entry& e, int channel) const;
    bool covers(const Entry& e, int dayNumber) const;
    bool occursOn(const Entry& e, int dayNumber) const;
    std::vector<Added> astroEntries(int channel, int dayNumber, int tag) const;
    // Most recent day number before dayNumber on which a dated entry's date
    // comes, or a value below the window when none.
    int lastDateBefore(const Entry& e, int dayNumber) const;

    const CalendarDate& dateOf(int dayNumber) const;

    const ProgramModel& model_;
    ProgramModel work_;
    int year_;
    int firstDay_;                    // day number of 1 January of the previous year
    std::vector<CalendarDate> dates_; // dates of the day numbers firstDay_ .. last day of the year
};

} // namespace zendrik::test

#pragma once

#include "calendar/DayProfile.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <vector>

namespace zendrik::test {

// The year simulation done the plain way, day by day: the day's astro times
// (and the last earlier ones) added to a copy of the entry table as dated
// times, the copy sorted again and walked entry by entry, the day built minute
// by minute. The reference of the year simulation and the baseline of its
// benchmark. Conventional entry format only; no meter pulse.
class NaiveYearSimulation {
public:
    NaiveYearSimulation(const ProgramModel& model, int year);
    DayProfile Profile(int channel, int dayOfYear);
    int YearMinutes(int channel);

private:
    int priority(int channel, int day) const;
    std::vector<Entry> astro(int channel, int day) const;
    bool addresses(const Entry& e, int channel) const;
    bool occursOn(const Entry& e, int day) const;
    const CalendarDate& date(int day) const { return dates_[static_cast<std::size_t>(day - first_)]; }

    const ProgramModel& model_;
    ProgramModel work_;
    int year_;
    int first_;                       // day number of 1 January of the year before
    std::vector<CalendarDate> dates_; // the dates of the day numbers first_ .. the last day of the year
};

} // namespace zendrik::test

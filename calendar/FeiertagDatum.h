#pragma once

#include "calendar/Feiertag.h"
#include "util/CalendarMath.h"

#include <optional>
#include <vector>

namespace zendrik {

// The date of a kind-1 holiday: the nearest weekday (1 = Monday .. 7 =
// Sunday) strictly before (wochentag < 0) or strictly after (wochentag > 0)
// the day and month, so that a date already on that weekday moves a whole
// week. Near the year's ends the date may lie in the neighbouring year.
CalendarDate FreierFeiertagDatum(int wochentag, int day, int month, int year);

// The date of a holiday in a year: the fixed date, the weekday rule, or
// Easter Sunday plus the offset (which may reach into a neighbouring year).
// Empty when the holiday has no date that year (29 February in a common
// year, values that make no date).
std::optional<CalendarDate> FeiertagDatum(const Feiertag& feiertag, int year);

// The priority-time dialog's year search: the holiday's dates, starting
// with the first year from today's on in which the date is not earlier than
// today, for count consecutive years (years without a date are skipped).
std::vector<CalendarDate> FeiertagDatenAb(const Feiertag& feiertag, const CalendarDate& today, int count);

// The substitute days of a set's holidays of kind 3 in a year, one per
// holiday of the set (empty where there is none): a holiday on a Saturday or
// Sunday gives the next Monday to Friday that is no holiday of the set and no
// substitute day of an earlier one (Christmas on a Saturday and Boxing Day on
// the Sunday give the Monday and the Tuesday); two holidays on the same day
// share one substitute day. A substitute of a late December day may lie in
// the next year.
std::vector<std::optional<CalendarDate>> ErsatzTage(const std::vector<Feiertag>& set, int year);

// The priority-time dialog's years for the substitute days of holiday
// `index` of the set: count consecutive years from the first one whose
// holiday (or its substitute day) is not over, and of them the substitute
// days from today on.
std::vector<CalendarDate> ErsatzTageAb(const std::vector<Feiertag>& set, std::size_t index, const CalendarDate& today,
                                       int count);

// JahreFreieFt: the number of years for which weekday-rule holidays become
// dated priority times, and the choices the holiday dialog offers. Devices
// that handle movable holidays (Bewft) get 2, 4, .. 30 years, 14 by default;
// the others store a single one-off entry, so one year is all they use.
int DefaultJahreFreieFt(int bewft);
std::vector<int> JahreFreieFtChoices(int bewft);
// Index of the choice shown for the current value.
int JahreFreieFtChoiceIndex(int bewft, int jahreFreieFt);

} // namespace zendrik

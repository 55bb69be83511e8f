#pragma once

#include "editing/checks/Finding.h"
#include "language/ExtraText.h"
#include "util/CalendarMath.h"

namespace zendrik {

class ProgramModel;
class TextTable;
class YearSimulation;

// What the checks of the program being edited (slot 0) work with: the
// language of their messages, the year they simulate (and place weekdays,
// Easter and summer time in) and the day that counts as today, before
// which a priority time bound to a year is over.
struct CheckContext {
    const ProgramModel& model;
    const TextTable& texts;
    int year = 2000;
    CalendarDate today;
    // The year of the program simulated once for all checks that need it; a
    // check builds its own when none is given (or it simulates the sample).
    const YearSimulation* simulation = nullptr;
};

// The context for a year: today from the model's clock when the year is the
// clock's year, else 1 January of that year.
CheckContext MakeCheckContext(const ProgramModel& model, const TextTable& texts, int year);

// One function per check. Each returns its findings in table order.
Findings CheckSameMinuteClash(const CheckContext& ctx);
Findings CheckUncalledPriorityPrograms(const CheckContext& ctx);
Findings CheckPriorityWithoutTimes(const CheckContext& ctx);
Findings CheckPastPriorityTimes(const CheckContext& ctx);
Findings CheckExpiringSeries(const CheckContext& ctx);
// Both summer/winter changeovers: the skipped hour in spring and the
// repeated hour in autumn, in the checked year for a rule and in every year
// of the table for the table.
Findings CheckChangeoverHours(const CheckContext& ctx);
// Astro channels: days the astro switching is left out or follows a limit
// instead of the sun.
Findings CheckAstroLimits(const CheckContext& ctx);
// 29 February and dates no year has.
Findings CheckDates(const CheckContext& ctx);
// Channels the simulated year never switches ON, or never OFF.
Findings CheckChannelStates(const CheckContext& ctx);
Findings CheckMemory(const CheckContext& ctx);
// The summer/winter rule: no changeover while the program switches (unless
// the astro place's zone keeps standard time), a table that ends before or
// within three years after the year, a rule whose dates in the year are not
// those of its zone (the astro place's, else the one the rule stands for),
// astro times on the day the clocks go back, and table rows off the Sunday
// their zone changes on.
Findings CheckNoChangeover(const CheckContext& ctx);
Findings CheckTableRunsOut(const CheckContext& ctx);
Findings CheckRuleAgainstZone(const CheckContext& ctx);
Findings CheckChangeoverDayAstro(const CheckContext& ctx);
Findings CheckTableWeekdays(const CheckContext& ctx);

// Every check, simulating the year once. Findings in the order of the checks.
Findings RunAllChecks(const ProgramModel& model, const TextTable& texts, int year);
// The same on a year already simulated (of slot 0, for `year`), for callers
// that need the simulation for more than the checks.
Findings RunAllChecks(const ProgramModel& model, const TextTable& texts, int year, const YearSimulation& sim);

// What each check is called and a short explanation of what it looks for.
const ExtraText& CheckName(CheckId id);
const ExtraText& CheckExplanation(CheckId id);
const ExtraText& SeverityName(Severity severity);
// A stable name for scripts (JSON): "same-minute-clash", ...
const char* CheckKey(CheckId id);
const char* SeverityKey(Severity severity);

// The list row (1-based) that shows a table row of the slot, and whether it
// is in the priority-time list.
struct ListRowOfEntry {
    bool priorityList = false;
    int row = 0;
};
ListRowOfEntry ListRowOf(const ProgramModel& model, int slot, int entryIndex);

} // namespace zendrik

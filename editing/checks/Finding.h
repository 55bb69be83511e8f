#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace zendrik {

// The checks a program is put through before it goes into a device. Each
// looks for one way a program that looks right switches wrong.
enum class CheckId : int {
    SameMinuteClash,         // ON and OFF at the same minute of the same day
    UncalledPriorityProgram, // switching times of P1..P9 no priority time calls
    PriorityWithoutTimes,    // a priority time whose program leaves a channel alone
    PastPriorityTime,        // a priority time bound to a year that is over
    ExpiringSeries,          // priority times made for some years that run out soon
    SkippedHour,             // a switching time in the hour skipped in spring
    RepeatedHour,            // a switching time in the hour repeated in autumn
    AstroSuppressed,         // astro times a limit, an offset or the sun leave out
    AstroLimited,            // astro times a limit moves away from the sun
    LeapDay,                 // a date on 29 February: leap years only
    ImpossibleDate,          // a date no year has
    NeverOn,                 // a channel the year never switches ON
    NeverOff,                // a channel the year never switches OFF
    MemoryNearlyFull,        // 95 % of the entries or more are used
    NoChangeover,            // no summer/winter changeover while the program switches
    TableRunsOut,            // the summer/winter table ends before or soon after the year
    RuleDiffersFromZone,     // the rule's changeovers are not those of its zone
    ChangeoverDayAstro,      // astro times an hour late on the day the clocks go back
    TableWeekday,            // a table row changes on another day than its zone's Sunday
};

inline constexpr int kCheckCount = 19;

enum class Severity : int {
    Info = 0,    // worth knowing; may well be meant
    Warning = 1, // most likely not what was meant
    Error = 2,   // the device will not switch as the entries say
};

// One thing a check found. `entries` are rows of the checked slot's entry
// table (0-based; the list shows switching time i in row i + 1 and priority
// time i in row i - AnzSz + 1). `day` and `year` name a day that shows the
// finding (0 when none), `channel` the channel concerned (0-based, -1 none),
// `days` how many days of the year are affected (0 when not counted).
struct Finding {
    CheckId check = CheckId::SameMinuteClash;
    Severity severity = Severity::Info;
    std::vector<int> entries;
    int channel = -1;
    int year = 0;
    int day = 0;
    int month = 0;
    int days = 0;
    QString message;
    // A summer/winter finding that a table from a time zone mends: the zone
    // (IANA name), empty otherwise.
    QByteArray zone;
};

using Findings = std::vector<Finding>;

} // namespace zendrik

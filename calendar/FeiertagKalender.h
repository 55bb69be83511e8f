#pragma once

#include "calendar/FeiertagTabelle.h"
#include "util/CalendarMath.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <vector>

namespace zendrik {

// One holiday on its date of a year.
struct FeiertagTermin {
    CalendarDate date;
    QString name;
    int feiertag = 0;    // index into the holiday table
    bool ersatz = false; // the substitute day of a holiday on a Saturday or Sunday

    bool operator==(const FeiertagTermin&) const = default;
};

// The years the calendar functions serve (Easter by Gauss's rule).
inline constexpr int kFeiertagFirstYear = 1900;
inline constexpr int kFeiertagLastYear = 2099;
inline constexpr int kFeiertagMaxYears = 50;

// The holidays of a set (set -1: every holiday of the table) in `years`
// consecutive years from firstYear, ordered by date and, on the same day, by
// the table's order; one event per name and day. Holidays without a date in a year (29 February of a
// common year) are left out for that year. Years past 2099 are not counted.
// A holiday with substitute days adds its substitute day of the year (see
// ErsatzTage), named with `ersatzSuffix` appended.
std::vector<FeiertagTermin> FeiertagTermine(const FeiertagTabelle& table, int set, int firstYear, int years,
                                            const QString& ersatzSuffix = QString());

// The dates as an iCalendar file (RFC 5545): one all-day event per holiday
// and year, UTF-8, lines ended by CR LF and folded at 75 octets. `stamp` is
// the time of the export (DTSTAMP); the UIDs depend only on date and name, so a second export of the same set updates the same events.
QByteArray FeiertagIcs(const std::vector<FeiertagTermin>& termine, const QString& calendarName,
                       const QDateTime& stamp);

// The dates as CSV (RFC 4180): a header line, then date (YYYY-MM-DD) and name
// per line, CR LF line ends, names quoted when they need it.
QByteArray FeiertagCsv(const std::vector<FeiertagTermin>& termine);

} // namespace zendrik

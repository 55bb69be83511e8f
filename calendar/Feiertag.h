#pragma once

#include <QString>

namespace zendrik {

// Kinds of holiday ("Art").
enum FeiertagArt : int {
    FeiertagFest = 0,   // fixed day and month
    FeiertagFrei = 1,   // the weekday before or after a day and month
    FeiertagOstern = 2, // days from Easter Sunday
    // A fixed day and month that, falling on a Saturday or Sunday, gives
    // the next working day off as well (a substitute bank holiday).
    FeiertagFestErsatz = 3,
};

// The kinds this version knows. A holiday file with a higher kind was
// written by a newer version and is refused as a whole, never read in part.
inline constexpr int kLetzteFeiertagArt = FeiertagFestErsatz;

// Easter offsets a movable priority time can carry: the entry keeps the
// offset plus 82 in one byte.
inline constexpr int kMinEasterOffset = -82;
inline constexpr int kMaxEasterOffset = 255 - 82;

// Offsets a new holiday may take: Easter Sunday falls between 22 March and
// 25 April, so from 80 days before it the date stays inside the year in
// every year; later offsets are bounded by the byte of the movable entry.
inline constexpr int kMinEasterEntryOffset = -80;
inline constexpr int kMaxEasterEntryOffset = kMaxEasterOffset;

// One named holiday of the holiday table.
struct Feiertag {
    QString Name;
    int Art = FeiertagFest;
    // Kind 1 only: -7..-1 the weekday before the date, 1..7 the weekday
    // after it (1 = Monday .. 7 = Sunday); 0 for the other kinds.
    int Wochentag = 0;
    // Kinds 0, 1 and 3: day of month; kind 2: days from Easter Sunday.
    int Tag = 1;
    // Kinds 0, 1 and 3: month 1..12; kind 2: 0.
    int Monat = 1;

    bool operator==(const Feiertag&) const = default;

    // Whether the values make a date: a day that exists in the month (29
    // February included), a weekday for kind 1, an offset the movable entry
    // can hold for kind 2, and zero in the fields the kind does not use.
    bool hasValidValues() const;
    // A fixed date (kinds 0 and 3).
    bool isFixed() const { return Art == FeiertagFest || Art == FeiertagFestErsatz; }
};

} // namespace zendrik

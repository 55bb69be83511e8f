#pragma once

#include "calendar/SommerzeitTage.h"
#include "model/DstRowCodec.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

namespace zendrik {

class ProgramModel;

// Filling the summer/winter table from the system's time-zone database, so
// that a device follows the rule of any country (southern hemisphere too:
// there the forward changeover comes late in the year, the back one early).
enum class SoWiZoneCheck {
    Ok,
    UnknownZone,        // no such IANA name in the database
    NoSingleChangeover, // not exactly one forward and one back changeover in `year`
    ShiftNotWholeHours, // a change of 30 minutes or more than 3 hours in `year`
    YearRange,          // the rows would leave the years the table can hold
};

struct SoWiZoneResult {
    SoWiZoneCheck code = SoWiZoneCheck::Ok;
    int year = 0;               // the year that failed
    std::vector<DstEntry> rows; // one row per year from the first year

    bool ok() const { return code == SoWiZoneCheck::Ok; }
};

inline constexpr int kSoWiLastYear = kSoWiLastFirstYear + kDstRows - 1;

// The changeovers of `years` consecutive years (1..20) of a zone: the local
// date and hour of the clock before it changes, and the size of the change.
SoWiZoneResult SoWiZeilenAusZeitzone(const QByteArray& ianaId, int firstYear, int years);

// Replaces the slot's table by rows for the years from firstYear on (row i is
// the year firstYear + i, as the list shows it); soWiInfo is the flag stored
// with it. Nothing changes when a row is refused; the result names it.
struct SoWiFillResult {
    SoWiZoneCheck zone = SoWiZoneCheck::Ok;
    int year = 0;
    bool ok() const { return zone == SoWiZoneCheck::Ok; }
};
SoWiFillResult FillSoWiTabelle(ProgramSlot& slot, int firstYear, const std::vector<DstEntry>& rows, int soWiInfo);

// The IANA names the database knows, sorted.
QStringList SoWiZeitzonen();

// The zone a built-in rule stands for: Europe/Berlin for "wie Europa",
// Europe/London for "wie Großbritannien", America/New_York for "wie USA";
// empty for none and the table.
QByteArray ZeitzoneDerRegel(int swRegel);
// The zone of a language: Europe/Berlin (German), Europe/London (English),
// Europe/Paris (French); Europe/Berlin for a further language.
QByteArray ZeitzoneDerSprache(int sprache);

// The zone of a place: of the zones of the time-zone database whose standard
// offset is the place's (zone in minutes, the negative of the displayed
// one), the one whose main city lies nearest (longitude west positive).
// Empty when the database lists no zone with that offset.
QByteArray ZeitzoneAmOrt(float laenge, float breite, int zone);

// The zone of the program's astro place: only when the device follows the
// sun on some channel. Empty otherwise.
QByteArray AstroOrtZeitzone(const ProgramModel& model);

// The zone the table dialog starts with: the system's zone when it changes
// to summer time, else the astro place's zone, else the language's.
QByteArray VorgabeZeitzone(const ProgramModel& model);

// The forward and back day of a year in a zone; none when the zone has not
// exactly one of each in whole hours that year (or the year lies outside the
// years a table can hold).
SommerzeitTage ZonenTage(const QByteArray& ianaId, int year);

// The first year of a table filled from a zone so that `year` is one of the
// years the device takes from it (the table's first row is its base year).
int ZoneTableFirstYear(int year);

// Replaces the table by twenty rows from a zone so that `year` is one of the
// years the device takes from it (the table's first row, the year it counts
// from, is never used), and switches the rule to the table.
SoWiFillResult FillSoWiTabelleFuerJahr(ProgramModel& model, const QByteArray& ianaId, int year);

} // namespace zendrik

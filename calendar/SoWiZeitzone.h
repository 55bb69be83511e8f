#pragma once

#include "calendar/SommerzeitTage.h"
#include "model/DstRowCodec.h"

#include <QByteArray>
#include <QStringList>

#include <vector>

namespace zendrik {

// Filling the summer/winter table from the system's time-zone database, so
// that a device follows the rule of any country (southern hemisphere too:
// there the forward changeover comes late in the year, the back one early).
enum class SoWiZoneCheck {
    Ok,
    UnknownZone,          // no such IANA name in the database
    NoSingleChangeover,   // not exactly one forward and one back changeover in `year`
    ShiftNotWholeHours,   // a change of 30 minutes or more than 3 hours in `year`
    YearRange,            // the rows would leave the years the table can hold
};

struct SoWiZoneResult {
    SoWiZoneCheck code = SoWiZoneCheck::Ok;
    int year = 0;                 // the year that failed
    std::vector<DstEntry> rows;   // one row per year from the first year

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

// The changeover days of consecutive years under a rule (the table for
// rule 4), as the simulation uses them.
struct SoWiVorschauJahr {
    int year = 0;
    SommerzeitTage tage;
};
std::vector<SoWiVorschauJahr> SoWiVorschau(int swRegel, const ProgramSlot& slot, int firstYear, int years);

} // namespace zendrik

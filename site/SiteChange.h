#pragma once

#include "calendar/Feiertag.h"
#include "calendar/Place.h"
#include "language/ExtraText.h"
#include "site/Site.h"

#include <QStringList>

#include <optional>

#include <vector>

namespace zendrik {

class TextTable;

// One change applied to many programs of a site at once.
struct SiteChange {
    enum class Kind { Holidays,   // a holiday set for the years fromYear..toYear
                      DstRule,    // a summer/winter rule by its number
                      DstZone,    // a table filled from a time zone from firstYear on
                      Place,      // an astro place by its name in the place list
                      AddTime,    // one switching time added
                      ChangeTime, // the switching time `entry` replaced by `entry2`
                      DeleteTime };
    Kind kind = Kind::Holidays;
    QString holidaySet;
    int fromYear = 0;
    int toYear = 0;
    int dstRule = 0;
    QString zone;
    int firstYear = 0;
    QString place;
    // A switching time as a row of the list shows it (editing/SwitchingTimeText.h).
    QString entry;
    QString entry2;

    // Holidays: the holidays of the set, looked up by the caller in the
    // holiday file of its language; each becomes a one-day priority time
    // bound to its year, running `priority` (1..9, 10 permanent with
    // `state`) on the channels of `channels` (bit 0 = channel 1; 0 = all
    // channels, on the sixteen-channel device channel 1 as its priority-time
    // dialog offers first).
    std::vector<Feiertag> holidays;
    int priority = 1;
    int channels = 0;
    int state = 0;
    // Place: the record of the place list the caller found by its name.
    std::optional<Place> placeRecord;
};

class FeiertagTabelle;
class PlaceList;

// Fills what the change needs beyond its names: the holidays of the set
// `holidaySet` from the installation's holiday table, the place record of
// `place` from the place list (its exact name, else the name in any case).
// False when the set or the place is not there.
bool ResolveSiteChange(SiteChange& change, const FeiertagTabelle& holidays, const PlaceList& places);

// What the change does to one device's program.
struct SiteChangePreview {
    QString device;
    bool applicable = true; // false: the change does not fit this device (reason says why)
    QString reason;
    QStringList differences; // the program comparison, one line per difference; empty: no change
};

class ProgramModel;

// Applies the change to slot 0 of a program in memory (the desktop wraps it
// in an undo step of the open program). False with `reason` set when the
// change does not fit the program; the program is then unchanged.
bool ApplySiteChangeToProgram(ProgramModel& model, const SiteChange& change, const TextTable& texts,
                              ExtraLanguage language, QString* reason);

// Computes the change for each named device without writing anything.
std::vector<SiteChangePreview> PreviewSiteChange(const Site& site, const QStringList& devices,
                                                 const SiteChange& change, const TextTable& texts,
                                                 ExtraLanguage language);

// Applies the change to the named devices' program files (each saved
// atomically). Returns the previews of what was done; a device whose file
// could not be written has applicable=false and the reason.
std::vector<SiteChangePreview> ApplySiteChange(Site& site, const QStringList& devices, const SiteChange& change,
                                               const TextTable& texts, ExtraLanguage language);

} // namespace zendrik

#pragma once

#include "calendar/Feiertag.h"
#include "editing/ChannelChoice.h"
#include "editing/EntryResult.h"
#include "model/DeviceSettings.h"
#include "model/Entry.h"
#include "util/CalendarMath.h"

#include <optional>
#include <vector>

namespace zendrik {

class FeiertagTabelle;

// The fields of the priority-time dialog as values: a date range (or a
// holiday), the year, the priority and the channels.
struct PriorityTimeFields {
    int vonTag = 0;      // txtvonTag 1..31; 0 = empty
    int vonMonat = 0;    // txtvonMon 1..12
    int bisTag = 0;      // txtbistag
    int bisMonat = 0;    // txtbisMon
    int jahrCode = 0;    // lstvonJahr: 0 every year, else year - 1936
    bool einmal = false; // chk1x
    int prioritaet = 1;  // 1..9 = P1..P9, 10 = "Permanent"
    ChannelChoice kanal;
    int zustand = 1; // cmdEinAus, applies with "Permanent"
    // chk_bew_Feiertage and the holiday chosen in lst_bew_Feiertage.
    bool bewFeiertag = false;
    std::optional<Feiertag> feiertag;
    // The holidays of the set chosen in cbo_Ft_sets: a substitute day must
    // not fall on another holiday of the set.
    std::vector<Feiertag> feiertagSet;
    // Whether feiertagSet is a set (not the whole holiday list): "Ok alle"
    // then enters every holiday of it.
    bool feiertagSetGewaehlt = false;

    // Choosing a year makes the entry a "1x" entry; every year clears it.
    void setYearCode(int code);
    void toggleState();
    // The bus format has no room for a year.
    static bool yearAvailable(const DeviceSettings& device) { return device.EibFormat == 0; }

    // The entries OK stores: one for a typed range, one or (weekday-rule
    // holidays on devices that compute holidays) one per year for a holiday;
    // a holiday with substitute days its date every year and the substitute
    // days as the weekday-rule holidays get theirs.
    // `today` places holidays whose date has passed in the following year.
    EntryResult build(const DeviceSettings& device, const CalendarDate& today, std::vector<Entry>& entries) const;

    // The fields that show an entry (change and copy). A movable entry shows
    // the table's holiday of its Easter offset, or an unnamed one.
    static PriorityTimeFields of(const Entry& e, const DeviceSettings& device, const FeiertagTabelle* feiertage);
};

} // namespace zendrik

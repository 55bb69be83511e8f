#pragma once

#include "editing/ChannelChoice.h"
#include "editing/EntryResult.h"
#include "model/DeviceSettings.h"
#include "model/Entry.h"

namespace zendrik {

// The fields of the switching-time dialog as values, with the rules that tie
// them together. A weekly entry uses the weekday boxes and the priority; a
// dated one uses day, month and the "1x" box.
struct SwitchingTimeFields {
    int stunde = 0;     // txtAnzstd, 0..23
    int minute = 0;     // txtAnzMin, 0..59
    int tag = 0;        // txtAnztag, 1..31; 0 = empty
    int monat = 0;      // txtAnzMon, 1..12; 0 = empty
    int wochentage = 0; // chkMontag..chkSonntag, bit 0 = Monday
    ChannelChoice kanal;
    int zustand = 1;     // cmdEinAus: 1 = "EIN" (bus format: the value sent)
    int impuls = 0;      // txtAnzImp, seconds 0..59, 0 = no pulse
    bool einmal = false; // chk1x
    int prioritaet = 0;  // LstPrio index: 0 = none, 1..9 = P1..P9

    static constexpr int kDaily = 0x7F;

    // Both day and month given: a dated entry; otherwise a weekly one.
    bool isDated() const { return tag > 0 && monat > 0; }
    bool isDaily() const { return wochentage == kDaily; }
    // The "1x" box belongs to dated entries, the priority to weekly ones.
    bool onceVisible() const { return wochentage == 0; }
    bool priorityVisible() const { return wochentage != 0; }

    // Ticking a weekday box (0 = Monday) or "täglich" makes a weekly entry:
    // day, month and "1x" are cleared. Unticking "täglich" clears the days.
    void setWeekday(int weekday, bool on);
    void setDaily(bool on);
    // Choosing a day in the day list makes a dated entry.
    void setDay(int day);
    void toggleState();

    // The six entry bytes in the device's format, or why there are none
    // (the date is checked before the channels).
    EntryResult build(const DeviceSettings& device, Entry& entry) const;

    // The fields that show an entry (change and copy). A pulse of 60 or more
    // shows as none.
    static SwitchingTimeFields of(const Entry& e, const DeviceSettings& device);
};

} // namespace zendrik

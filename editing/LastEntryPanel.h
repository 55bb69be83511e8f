#pragma once

#include "editing/EntryTexts.h"
#include "model/DeviceSettings.h"
#include "model/Entry.h"

#include <QString>

namespace zendrik {

class TextTable;

// The labels of the entry dialogs' last-entry panel: the entry stored last,
// or the one the browse images moved to. Fields a kind does not have stay
// empty.
struct LastEntryPanel {
    QString channels; // " C1 C3"
    QString state;    // "EIN" / "AUS"; priority times only when permanent
    QString once;     // "1x" or empty
    QString days;     // weekdays or date; for priority times "from - to"
    QString priority; // "Prio. 3", "Prio. Perm."; empty for none
    QString time;     // "  7:05 Uhr" (switching times)
    QString pulse;    // "5  sec" (switching times with a pulse)

    static LastEntryPanel ofSwitchingTime(const Entry& e, const TextTable& texts, const DeviceSettings& device);
    static LastEntryPanel ofPriorityTime(const Entry& e, const TextTable& texts, const DeviceSettings& device,
                                         const HolidayNameSource& holidayName = {});
};

} // namespace zendrik

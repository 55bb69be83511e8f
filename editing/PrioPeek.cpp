#include "editing/PrioPeek.h"

#include "editing/ListAnsicht.h"
#include "editing/ListFilter.h"
#include "model/DeviceFamily.h"
#include "model/DeviceSettings.h"

namespace zendrik {

namespace {

// The "Prio." column of the switching-time list: one further right where
// the list has a pulse column. The bus astro device has no peek from that
// list.
int switchingPrioColumn(int uhrentyp)
{
    if (IsBusAstroDevice(uhrentyp))
        return -1;
    return HasPulses(uhrentyp) ? 7 : 6;
}

constexpr int kPriorityPrioColumn = 6;

int otherView(int ansicht)
{
    return ansicht == AnsichtSchaltzeiten ? AnsichtPrioritaetszeiten : AnsichtSchaltzeiten;
}

} // namespace

DoubleClickAction DoubleClickActionFor(int ansicht, int slot, bool rowHasItem)
{
    if (ansicht != AnsichtSchaltzeiten && ansicht != AnsichtPrioritaetszeiten && ansicht != AnsichtSoWiTabelle)
        return DoubleClickAction::None;
    if (!rowHasItem)
        return DoubleClickAction::NewEntry;
    return slot == 0 ? DoubleClickAction::Change : DoubleClickAction::Copy;
}

bool PrioPeek::press(int& ansicht, int slot, int uhrentyp, int selectionStartRow, int column, const QString& cellText,
                     ListFilter& filter)
{
    if (PrioSprung || selectionStartRow == 1 || slot != 0)
        return false;
    bool number = false;
    const int priority = cellText.trimmed().toInt(&number);
    if (!number || priority <= 0)
        return false;
    const bool onPrio = (ansicht == AnsichtSchaltzeiten && column == switchingPrioColumn(uhrentyp)) || (ansicht == AnsichtPrioritaetszeiten && column == kPriorityPrioColumn);
    if (!onPrio)
        return false;
    ansicht = otherView(ansicht);
    PrioSprung = true;
    filter.FilterPrioVon = priority;
    filter.FilterPrioBis = priority;
    filter.FilterAktiv = -1;
    return true;
}

bool PrioPeek::release(int& ansicht, ListFilter& filter)
{
    if (!PrioSprung)
        return false;
    ansicht = otherView(ansicht);
    PrioSprung = false;
    filter.FilterPrioVon = 0;
    filter.FilterPrioBis = kPermanentPriority;
    filter.FilterAktiv = 0;
    return true;
}

} // namespace zendrik

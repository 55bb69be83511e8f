#include "editing/DisplayList.h"

#include "editing/ListFilter.h"
#include "model/ProgramModel.h"

#include <algorithm>

namespace zendrik {

DisplayList BuildDisplayList(const ProgramModel& model, const ListFilter& filter, int mode, int slotIndex)
{
    const ProgramSlot& s = model.slot(slotIndex);
    const bool priorityRegion = mode >= kDisplayPriority;
    const bool filtered = mode == kDisplaySwitchingFiltered || mode == kDisplayPriorityFiltered;
    const int switching = std::clamp(s.AnzSz, 0, kEntryRows);
    const int first = priorityRegion ? switching : 0;
    const int end = priorityRegion ? std::clamp(s.AnzEintrag, switching, kEntryRows) : switching;
    const int year = filtered && priorityRegion ? model.currentYear() : 0;

    DisplayList list;
    list.Anzeige.reserve(static_cast<std::size_t>(end - first));
    list.AnzeigeIndex.reserve(static_cast<std::size_t>(end - first));
    for (int i = first; i < end; ++i) {
        const Entry& e = s.Eintrag[static_cast<std::size_t>(i)];
        if (filtered) {
            const bool taken = priorityRegion ? filter.passesPriorityTime(e, model.device, year)
                                              : filter.passesSwitchingTime(e, model.device);
            if (!taken)
                continue;
        }
        list.Anzeige.push_back(e);
        list.AnzeigeIndex.push_back(i);
    }
    list.AnzAnzeige = static_cast<int>(list.Anzeige.size());
    return list;
}

} // namespace zendrik

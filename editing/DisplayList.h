#pragma once

#include "model/Entry.h"

#include <vector>

namespace zendrik {

class ListFilter;
class ProgramModel;

// Which region of a slot the list shows, and whether the filter applies.
// The switching-time view passes FilterAktiv (0 or -1), the priority-time
// view 2 - FilterAktiv (2 or 3).
inline constexpr int kDisplaySwitching = 0;
inline constexpr int kDisplaySwitchingFiltered = -1;
inline constexpr int kDisplayPriority = 2;
inline constexpr int kDisplayPriorityFiltered = 3;

// The entries a list shows, in row order: row r shows Anzeige[r - 1], which
// is entry AnzeigeIndex[r - 1] of the slot. Changing, copying and deleting
// find the entry behind a marked row through AnzeigeIndex.
struct DisplayList {
    std::vector<Entry> Anzeige;
    std::vector<int> AnzeigeIndex;
    int AnzAnzeige = 0;
};

DisplayList BuildDisplayList(const ProgramModel& model, const ListFilter& filter, int mode, int slot);

} // namespace zendrik

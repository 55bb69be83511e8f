#pragma once

#include "model/Entry.h"

#include <cstdint>

namespace zendrik {

class ProgramModel;

// What a sort key depends on besides the entry.
struct SortContext {
    int sortColumnSz = 0; // switching-time list column 1..9, 0 = none chosen
    int sortColumnPz = 0; // priority-time list column 1..6, 0 = none chosen
    int kanalzahl = 1;
    int uhrentyp = 731;
    bool eib = false;
    int currentYear = 2000;

    static SortContext of(const ProgramModel& model);
};

// The list order of an entry. Keys are formed as weighted sums whose fields
// follow the chosen column; they are computed without 32-bit overflow.
std::int64_t SortKey(const Entry& e, const SortContext& context);

// The order the device memory is written in: minutes of the day, then pulse.
std::int64_t TimeKey(const Entry& e);

// Sorts the used rows of a slot in place, ascending and stable. Mode 1 sorts
// by SortKey (the list order), any other mode by TimeKey (the save order).
// Switching times always stay ahead of priority times.
void SortProgram(ProgramModel& model, int mode, int slot);

} // namespace zendrik

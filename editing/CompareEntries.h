#pragma once

#include "model/Entry.h"

namespace zendrik {

// How a new entry meets one already in the program.
enum EntryConflict : int {
    ConflictNone = 0,       // different entries
    ConflictOtherState = 1, // the same entry switching the other state: may overwrite
    ConflictSame = 2,       // the same entry
    ConflictPulse = 3,      // a pulse where a pulse is already: may overwrite
};

// Compares an existing entry a with a new entry b. Entries of different
// kinds never conflict. Switching times conflict when time, days (or date),
// channels and priority agree: a pulse and a plain switching command there
// live side by side, two pulses meet, and two plain commands are the same
// entry or differ in their state. Priority times conflict when range, year,
// channels and priority agree and differ at most in the state.
int CompareEntries(const Entry& a, const Entry& b, bool eibFormat);

} // namespace zendrik

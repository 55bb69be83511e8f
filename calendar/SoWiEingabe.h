#pragma once

#include "model/DstRowCodec.h"
#include "model/ProgramSlot.h"

namespace zendrik {

// Why a new row of the summer/winter table is refused.
enum class SoWiCheck {
    Ok,
    SameStartEnd,   // "Anfangs- und Enddatum gleich"
    SameDateExists, // "Gleiches Datum bereits vorhanden in Nr." + number
    TableFull,      // "Kein weiterer Speicher mehr frei !"
    InvalidEntry,   // a date, hour or shift the row cannot hold
};

struct SoWiCheckResult {
    SoWiCheck code = SoWiCheck::Ok;
    int number = 0; // SameDateExists: the number (index + 1) of the row with that date

    bool ok() const { return code == SoWiCheck::Ok; }
};

// Checks a row before it is stored: a real date of the row's year (the
// reference year plus its index) for both changeovers, hours 0..23, shifts
// 1..3, two different days, and no row of the same year with the same
// forward or the same back date. replaceIndex is the row being changed (it
// is not compared with itself), -1 for a new row at AnzSoWi. soWiInfo is the
// flag the row will be stored with (-1: the slot's).
SoWiCheckResult CheckSoWiEntry(const ProgramSlot& slot, const DstEntry& entry, int replaceIndex = -1,
                               int soWiInfo = -1);

// Appends a checked row at AnzSoWi and keeps the dialog's check box in
// SoWiInfo; nothing changes when the check refuses it.
SoWiCheckResult AddSoWiEntry(ProgramSlot& slot, const DstEntry& entry, int soWiInfo);

// Replaces row index with a checked row.
SoWiCheckResult ChangeSoWiEntry(ProgramSlot& slot, int index, const DstEntry& entry, int soWiInfo);

} // namespace zendrik

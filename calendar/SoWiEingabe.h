#pragma once

#include "model/DstRowCodec.h"
#include "model/ProgramSlot.h"

namespace zendrik {

// Why a new row of the summer/winter table is refused.
enum class SoWiCheck {
    Ok,
    SameStartEnd,     // "Anfangs- und Enddatum gleich"
    SameDateExists,   // "Gleiches Datum bereits vorhanden in Nr." + number
    TableFull,        // "Kein weiterer Speicher mehr frei !"
    InvalidEntry,     // a date, hour or shift the row cannot hold
};

struct SoWiCheckResult {
    SoWiCheck code = SoWiCheck::Ok;
    int number = 0;   // SameDateExists: the number (index + 1) of the row with that date

    bool ok() const { return code == SoWiCheck::Ok; }
};

// Checks a row before it is stored. A row has the same date as an existing
// one when its forward changeover falls on the same day and month as that
// row's forward changeover, or its back changeover on that row's back one. replaceIndex is the row
// being changed (it is not compared with itself), -1 for a new row.
SoWiCheckResult CheckSoWiEntry(const ProgramSlot& slot, const DstEntry& entry, int replaceIndex = -1);

// Appends a checked row at AnzSoWi and keeps the dialog's check box in
// SoWiInfo; nothing changes when the check refuses it.
SoWiCheckResult AddSoWiEntry(ProgramSlot& slot, const DstEntry& entry, int soWiInfo);

// Replaces row index with a checked row.
SoWiCheckResult ChangeSoWiEntry(ProgramSlot& slot, int index, const DstEntry& entry, int soWiInfo);

} // namespace zendrik

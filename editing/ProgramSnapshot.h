#pragma once

#include "language/ExtraText.h"
#include "model/ImageOptions.h"
#include "model/ProgramModel.h"
#include "model/ProgramSlot.h"

#include <QString>

namespace zendrik {

class ProgramModel;
class TextTable;

// Everything of the program being edited that a change can touch: the slot
// (entries, tables, texts, astro program) and the image options (the device
// settings' ImageOptions part; the PC-side settings are not part of a
// program). About 20 KB:
// one per undo step is cheap.
struct ProgramSnapshot {
    ProgramSlot program;
    ImageOptions options;

    bool operator==(const ProgramSnapshot&) const = default;
};

ProgramSnapshot TakeSnapshot(const ProgramModel& model);
// Puts the program back as it was; the modified mark is the caller's.
void RestoreSnapshot(ProgramModel& model, const ProgramSnapshot& snapshot);

// Everything the year simulation of one slot reads: the slot (the program
// or the sample), the image options and the device frame both slots are
// edited in: the family, the channels, the meter-pulse variant, the bus
// format and the empty astro time. Equal snapshots simulate alike. Undo
// keeps to ProgramSnapshot: the device frame changes with the device type
// as a whole, never by a step of the program.
struct SimulationSnapshot {
    int slot = kProgramSlot;
    ProgramSlot program;
    ImageOptions options;
    int Uhrentyp = 0;
    int Kanalzahl = 0;
    int Evu = 0;
    int EibFormat = 0;
    int KeineZeit = 0;

    bool operator==(const SimulationSnapshot&) const = default;
};

SimulationSnapshot TakeSimulationSnapshot(const ProgramModel& model, int slot);

// What a step changed, for the name of the step in the edit menu.
enum class ChangeKind {
    SwitchingAdded,
    SwitchingDeleted,
    SwitchingChanged,
    PriorityAdded,
    PriorityDeleted,
    PriorityChanged,
    DstTable,
    Astro,
    Header,
    DeviceOptions,
    MasterCard, // the card kind or the master bits
    Program,
};

struct ChangeSummary {
    ChangeKind kind = ChangeKind::Program;
    int count = 0; // entries added or deleted
};

// Whether `after` holds the same program as `before` with the entries only in
// another order (sorted into list order when an entry dialog closes). The
// file is written in list order: both are the same program file.
bool OnlyReordered(const ProgramSnapshot& before, const ProgramSnapshot& after);

ChangeSummary DescribeChange(const ProgramSnapshot& before, const ProgramSnapshot& after);
// "5 Schaltzeiten löschen", "Programmkopf ändern", ... in the table's language.
QString ChangeName(const ChangeSummary& change, const TextTable& texts);

inline constexpr ExtraText kUndo{"&Rückgängig", "&Undo", "&Annuler"};
inline constexpr ExtraText kRedo{"&Wiederholen", "&Redo", "&Rétablir"};

} // namespace zendrik

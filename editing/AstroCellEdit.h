#pragma once

namespace zendrik {

class ProgramModel;

// The cell editor of the astro view (frm_change_grid_data): it changes,
// clears or shifts the switching times of marked cells of one time column.
enum AstroEditModusValue : int {
    AstroEditLoeschen = 0,    // delete: the no-time marker
    AstroEditAendern = 1,     // change to a time and a state
    AstroEditVerschieben = 2, // move by hours and minutes
};

// The two time columns of the astro view: "Ausschalten um:" holds the
// sunrise time (table field 0, its state field 2), "Einschalten um:" the
// sunset time (fields 1 and 3).
inline constexpr int kAstroRiseColumn = 3;
inline constexpr int kAstroSetColumn = 4;
bool IsAstroTimeColumn(int column);

// What the editor shows for the first marked cell: the time as the list
// shows it (with the summer hour and the astro device's offsets), and the
// cell's state (1 = ON, 0 = OFF). A cell without a time shows 0:00.
struct AstroCellStart {
    int minutes = 0;
    bool hasTime = false;
    int AstroEditZustand = 0;
};

AstroCellStart AstroCellStartValues(const ProgramModel& model, int channel, int row, int column);

// The editor's result. AstroEditVersatz -1 = cancelled; otherwise 0, or the
// shift in minutes in move mode. AstroEditWert is the time typed in change
// mode and the no-time marker in delete mode.
struct AstroEdit {
    int AstroEditModus = AstroEditAendern;
    int AstroEditWert = 0;
    int AstroEditVersatz = -1;
    int AstroEditZustand = 0;
};

// The editor's OK for a mode, hour, minute and state (1 = ON).
AstroEdit AstroEditOk(const ProgramModel& model, int modus, int hour, int minute, int zustand);
// Its cancel: nothing changes.
AstroEdit AstroEditCancel();

struct AstroEditOutcome {
    int changed = 0;    // cells written
    int outsideDay = 0; // typed times that would leave their day once the summer hour is taken off: left alone
};

// Writes the edit into the channel's table for the grid rows first..last
// (1-based: row r is day of year r) of one time column. Change stores the
// typed time without the summer hour of a summer-time day (and without the
// astro device's offset), so the list shows what was typed; delete stores
// the no-time marker with state OFF; move shifts each cell's own time
// around midnight and leaves cells without a time empty. The state 1 = ON
// is stored as the table's -1; a move keeps each cell's state. Marks the
// program as changed unless cancelled.
AstroEditOutcome ApplyAstroEdit(ProgramModel& model, int channel, int column, int firstRow, int lastRow,
                                const AstroEdit& edit);

} // namespace zendrik

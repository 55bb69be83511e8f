#pragma once

#include <QString>

namespace zendrik {

class ListFilter;

// What a double click on a row of the switching-time, priority-time or
// summer/winter-table view opens.
enum class DoubleClickAction {
    None,     // the astro view has its own cell editor
    Change,   // an entry row of the program
    Copy,     // an entry row of the sample
    NewEntry, // an empty row: a new entry of the view
};

DoubleClickAction DoubleClickActionFor(int ansicht, int slot, bool rowHasItem);

// The priority peek: while the mouse button is held on a "Prio." cell of the
// program's list, the list shows the entries of the other kind that belong
// to that priority, through the filter.
class PrioPeek {
public:
    // Mouse down on a cell (grid row and column of the selection start).
    // Returns true when the peek started: `ansicht` and the filter changed
    // and the list must be shown again.
    bool press(int& ansicht, int slot, int uhrentyp, int selectionStartRow, int column, const QString& cellText,
               ListFilter& filter);
    // Mouse up: back to the view the peek started in, the filter off.
    // Returns true when a peek ended.
    bool release(int& ansicht, ListFilter& filter);

    bool PrioSprung = false;
};

} // namespace zendrik

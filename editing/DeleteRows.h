#pragma once

#include "editing/DisplayList.h"
#include "editing/ListAnsicht.h"
#include "editing/MarkRange.h"
#include "language/Prompt.h"

#include <optional>

namespace zendrik {

class ProgramModel;
class UserInteraction;

enum class DeleteResult {
    Deleted,
    Cancelled,     // the confirmation was not answered OK
    OnlyFromEnd,   // summer/winter table: rows are removed from the end only
    NothingMarked, // no item row marked, or a view delete does not serve
    NotInProgram,  // the sample is shown: only the program's entries are deleted
};

// The message of a refused delete, if any.
std::optional<Prompt> DeleteMessage(DeleteResult result);

// Deletes the marked rows of the switching-time, priority-time or
// summer/winter-table view of the program after asking "Daten wirklich
// löschen ?". Entries leave the program in their order, the counts follow,
// and the program is sorted into list order again; table rows go from the
// end only. `display` is the list the marks refer to.
DeleteResult DeleteMarkedRows(ProgramModel& model, int ansicht, int slot, const DisplayList& display,
                              MarkRange marks, UserInteraction& ui);

} // namespace zendrik

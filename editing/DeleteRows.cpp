#include "editing/DeleteRows.h"

#include "editing/ListAnsicht.h"
#include "model/ProgramModel.h"
#include "model/ProgramSort.h"
#include "model/UserInteraction.h"

#include <algorithm>
#include <vector>

namespace zendrik {

namespace {

bool confirmed(UserInteraction& ui)
{
    return ui.ask(Prompt::question(Buttons::OkCancel, Icon::Question, {TextId::ReallyDelete})) == Answer::Ok;
}

DeleteResult deleteEntries(ProgramModel& model, bool priorityView, const DisplayList& display, MarkRange marks,
                           UserInteraction& ui)
{
    ProgramSlot& s = model.program();
    const int used = std::clamp(s.AnzSz + s.AnzPz, 0, kEntryRows);
    // Only rows of the shown region count; a row whose entry lies elsewhere
    // belongs to a list that no longer fits the program.
    const int first = priorityView ? s.AnzSz : 0;
    const int end = priorityView ? used : std::min(s.AnzSz, used);
    marks = marks.within(std::min(display.AnzAnzeige, static_cast<int>(display.AnzeigeIndex.size())));
    std::vector<bool> remove(static_cast<std::size_t>(used), false);
    int count = 0;
    for (int row = marks.MarkAnfang; row <= marks.MarkEnde; ++row) {
        const int index = display.AnzeigeIndex[static_cast<std::size_t>(row)];
        if (index >= first && index < end && !remove[static_cast<std::size_t>(index)]) {
            remove[static_cast<std::size_t>(index)] = true;
            ++count;
        }
    }
    if (count == 0)
        return DeleteResult::NothingMarked;
    if (!confirmed(ui))
        return DeleteResult::Cancelled;

    int kept = 0;
    for (int i = 0; i < used; ++i) {
        if (!remove[static_cast<std::size_t>(i)])
            s.Eintrag[static_cast<std::size_t>(kept++)] = s.Eintrag[static_cast<std::size_t>(i)];
    }
    std::fill(s.Eintrag.begin() + kept, s.Eintrag.begin() + used, Entry{});
    (priorityView ? s.AnzPz : s.AnzSz) -= count;
    s.AnzEintrag = s.AnzSz + s.AnzPz;
    SortProgram(model, 1, kProgramSlot);
    return DeleteResult::Deleted;
}

DeleteResult deleteTableRows(ProgramModel& model, MarkRange marks, UserInteraction& ui)
{
    ProgramSlot& s = model.program();
    const int rows = std::clamp(s.AnzSoWi, 0, kDstRows);
    marks = marks.within(rows);
    if (marks.empty())
        return DeleteResult::NothingMarked;
    // The device counts the table's years from its first row: a gap would
    // move every later row to another year.
    if (marks.MarkEnde < rows - 1)
        return DeleteResult::OnlyFromEnd;
    if (!confirmed(ui))
        return DeleteResult::Cancelled;
    std::fill(s.SoWiTab.begin() + marks.MarkAnfang, s.SoWiTab.begin() + rows, DstRow{});
    s.AnzSoWi = marks.MarkAnfang;
    return DeleteResult::Deleted;
}

} // namespace

std::optional<Prompt> DeleteMessage(DeleteResult result)
{
    if (result == DeleteResult::OnlyFromEnd)
        return Prompt::message(Icon::Information, {TextId::DeleteOnlyFromEnd});
    return std::nullopt;
}

DeleteResult DeleteMarkedRows(ProgramModel& model, int ansicht, int slot, const DisplayList& display,
                              MarkRange marks, UserInteraction& ui)
{
    if (slot != kProgramSlot)
        return DeleteResult::NotInProgram;
    DeleteResult result = DeleteResult::NothingMarked;
    switch (ansicht) {
    case AnsichtSchaltzeiten:
    case AnsichtPrioritaetszeiten:
        result = deleteEntries(model, ansicht == AnsichtPrioritaetszeiten, display, marks, ui);
        break;
    case AnsichtSoWiTabelle:
        result = deleteTableRows(model, marks, ui);
        break;
    default:
        break;
    }
    if (result == DeleteResult::Deleted)
        model.Geaendert = 1;
    return result;
}

} // namespace zendrik

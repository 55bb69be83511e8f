#include "editing/ColumnSort.h"

#include "editing/ListAnsicht.h"
#include "model/DeviceFamily.h"
#include "model/ProgramModel.h"
#include "model/ProgramSort.h"

namespace zendrik {

namespace {

constexpr int kSwitchingColumns = 7;    // Datum/Tage .. Prio.
constexpr int kSwitchingColumns752 = 6; // without Impuls
constexpr int kPulseColumn = 4;
constexpr int kPriorityColumns = 6; // Beginn am .. Prio.

} // namespace

int SortColumnForClick(int ansicht, int gridColumn, int uhrentyp)
{
    if (gridColumn < 1)
        return 0;
    if (ansicht == AnsichtSchaltzeiten) {
        if (!HasPulses(uhrentyp)) {
            if (gridColumn > kSwitchingColumns752)
                return 0;
            return gridColumn >= kPulseColumn ? gridColumn + 1 : gridColumn;
        }
        return gridColumn <= kSwitchingColumns ? gridColumn : 0;
    }
    if (ansicht == AnsichtPrioritaetszeiten)
        return gridColumn <= kPriorityColumns ? gridColumn : 0;
    return 0;
}

bool SortByColumnClick(ProgramModel& model, int ansicht, int gridColumn)
{
    const int column = SortColumnForClick(ansicht, gridColumn, model.device.Uhrentyp);
    if (column == 0)
        return false;
    if (ansicht == AnsichtSchaltzeiten)
        model.SortSpalteSz = column;
    else
        model.SortSpaltePz = column;
    SortProgram(model, 1, model.AktSlot);
    return true;
}

int SortIndicatorColumn(const ProgramModel& model, int ansicht)
{
    int column = 0;
    if (ansicht == AnsichtSchaltzeiten)
        column = model.SortSpalteSz;
    else if (ansicht == AnsichtPrioritaetszeiten)
        column = model.SortSpaltePz;
    // The inverse of the click mapping, over every grid column.
    for (int grid = 1; column > 0 && grid <= kSwitchingColumns; ++grid) {
        if (SortColumnForClick(ansicht, grid, model.device.Uhrentyp) == column)
            return grid;
    }
    return -1;
}

} // namespace zendrik

#pragma once

namespace zendrik {

class ProgramModel;

// The sort column a click on a heading of the list grid names. The
// 752 family has no pulse column, so its grid columns from "1x" on sit one
// place further left than in the general layout; the stored column always
// names the column of the general layout (1 Datum/Tage .. 7 Prio. for
// switching times, 1 Beginn am .. 6 Prio. for priority times).
// Returns 0 for a view or column that does not sort.
int SortColumnForClick(int ansicht, int gridColumn, int uhrentyp);

// A click on the heading of grid column `gridColumn` (1-based; column 0 is
// the row number): remembers the column in SortSpalteSz or SortSpaltePz and
// sorts the shown slot (AktSlot) by it. Returns false, changing nothing,
// when the view or column does not sort.
bool SortByColumnClick(ProgramModel& model, int ansicht, int gridColumn);

// The grid column whose heading shows the sort indicator: the column the
// view is sorted by (SortSpalteSz, SortSpaltePz), or -1 when the view is in
// its own order or does not sort by column.
int SortIndicatorColumn(const ProgramModel& model, int ansicht);

} // namespace zendrik

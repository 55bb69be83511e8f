#pragma once

#include "editing/DisplayList.h"
#include "editing/ListAnsicht.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace zendrik {

class ListFilter;
class ProgramModel;
class TextTable;

struct ListColumn {
    QString heading;
    int width = 0; // twips
};

// What the list needs beyond the program, from the calendar and the window.
struct ListSources {
    // Astro view: the channel (0..3) the main window has selected.
    int astroChannel = 0;
    // Priority-time view: the name of the holiday a movable priority time was
    // made for, from the installation's holiday table (the Easter offset in
    // days; empty when no holiday has it). Without a name the cell names the
    // distance to Easter.
    std::function<QString(int easterOffset)> holidayName;
};

// One view of one program slot as the list grid, the printout and the
// command line show it: caption, columns, the cell texts of every item row
// and the entry behind each row. Built afresh whenever the list is shown.
class ProgramList {
public:
    static ProgramList Build(const ProgramModel& model, const TextTable& texts, const ListFilter& filter,
                             int ansicht, int slot, const ListSources& sources = {});

    int Ansicht = AnsichtSchaltzeiten;
    int slot = 0;
    QString caption;     // window caption
    QString memoryLabel; // "12 von 324"
    std::vector<ListColumn> columns;
    // The item rows: rows[r - 1] holds the cells of grid row r, starting with
    // the row number. The heading row is `columns`.
    std::vector<QStringList> rows;
    // The entries behind the rows of the switching- and priority-time views.
    DisplayList display;
    // Number of item rows (the printer prints this many).
    int ListenZeilen = 0;

    // Rows of the grid including the heading: at least one empty row under
    // the last item and at least minZeilen; the astro view always has 367.
    int gridRows(int minZeilen) const;
    // The entry index behind grid row `row` (1-based), -1 when none.
    int entryIndexOfRow(int row) const;
};

} // namespace zendrik

#pragma once

#include <algorithm>

namespace zendrik {

// The marked rows of the program list, 0-based display rows from
// MarkAnfang to MarkEnde (the grid's selection rows minus one).
struct MarkRange {
    int MarkAnfang = 0;
    int MarkEnde = -1;

    // From the grid's selection rows (1-based, row 0 is the heading); a
    // selection dragged upwards has its rows the other way round.
    static MarkRange fromGrid(int startRow, int endRow)
    {
        return MarkRange{std::min(startRow, endRow) - 1, std::max(startRow, endRow) - 1};
    }

    bool empty() const { return MarkEnde < MarkAnfang; }

    // The part of the range that holds items of a list of `rows` items:
    // marked empty rows under the list and the heading drop out.
    MarkRange within(int rows) const
    {
        return MarkRange{std::max(MarkAnfang, 0), std::min(MarkEnde, rows - 1)};
    }
};

} // namespace zendrik

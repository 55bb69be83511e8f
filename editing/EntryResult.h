#pragma once

namespace zendrik {

// What pressing OK in an entry dialog came to. The refusals keep the dialog
// open and store nothing; the dialog shows the message that belongs to them.
enum class EntryResult {
    Stored,                   // the entry was stored (added, or the row changed)
    Overwritten,              // a conflicting entry was replaced after Yes
    NotOverwritten,           // the overwrite question was answered No
    Exists,                   // the same entry is in the program already
    DateOrWeekdaysIncomplete, // neither date nor weekdays (or no date for the holiday)
    ChannelsIncomplete,       // no channel chosen (or one the format cannot hold)
    MemoryFull,               // no room for another entry
    Idle,                     // an OK-for-all tick after the flag was cleared: nothing done
    DayNotInMonth,            // a day number beyond the month's length (31 April, 30 February)
};

// How an entry dialog starts (and what it checks whenever it becomes active).
enum class OpenResult {
    Ready,
    MemoryFull,    // adding or copying while the memory is full: message and close
    NothingMarked, // change or copy without a marked entry row: the dialog does not open
};

} // namespace zendrik

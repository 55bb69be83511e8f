#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace zendrik {

class ProgramModel;
class TextTable;

// How an entry of one program meets the other program.
enum class EntryDiffKind : int {
    OnlyInFirst = 0,
    OnlyInSecond = 1,
    Changed = 2, // the same entry but for its state, channels or pulse
};

// What differs in a changed entry (bits).
enum EntryDiffField : int {
    DiffState = 1,
    DiffChannels = 2,
    DiffPulse = 4,
    DiffOther = 8, // bits no list column shows
};

struct EntryDifference {
    EntryDiffKind kind = EntryDiffKind::OnlyInFirst;
    int first = -1;  // table row in the first program, -1 when none
    int second = -1; // table row in the second program
    int fields = 0;  // Changed: EntryDiffField bits

    bool operator==(const EntryDifference&) const = default;
};

// The program-wide parts compared besides the entries.
enum class HeaderField : int {
    ProgramNumber,
    Rule,          // summer/winter-time rule
    TableYear,     // first year of the summer/winter table
    TableRow,      // one row of it (index = row)
    AstroChannel,  // whether a channel follows the sun (index = channel)
    AstroLimits,   // limits and states of an astro channel
    AstroTimes,    // days whose astro times differ (count = days)
    AstroLocation, // place and offsets
    ChannelName,   // index = channel
    Description,
    WriteProtection,
};

struct HeaderDifference {
    HeaderField field = HeaderField::ProgramNumber;
    int index = -1;
    int count = 0;
    QString first; // the value in each program, as the user reads it
    QString second;
};

struct ProgramDiff {
    std::vector<EntryDifference> entries;
    std::vector<HeaderDifference> header;

    bool empty() const { return entries.empty() && header.empty(); }
};

// The difference of two programs, entry by entry and in the header: slot
// `slotA` of `a` against slot `slotB` of `b` (a program file is compared by
// loading it into the program slot of a second model). Entries are matched
// byte for byte first; of those left, entries that agree in everything but
// state, channels and pulse are paired as changed. Entry differences come in
// the table order of the first program, entries only in the second after
// them in theirs.
ProgramDiff DiffPrograms(const ProgramModel& a, int slotA, const ProgramModel& b, int slotB);

// The difference as lines for a reader: one per header difference, then one
// per entry ("-" only in the first, "+" only in the second, "~" changed),
// each entry with its list row and the cells the list shows for it.
QStringList DiffLines(const ProgramDiff& diff, const ProgramModel& a, int slotA, const ProgramModel& b, int slotB,
                      const TextTable& texts);

// The name of a header field and of an entry difference, in the table's language.
QString HeaderFieldName(const HeaderDifference& d, const TextTable& texts);
QString EntryDiffFieldsText(int fields, const TextTable& texts);
const char* HeaderFieldKey(HeaderField field);

} // namespace zendrik

#pragma once

#include "calendar/SoWiEingabe.h"
#include "calendar/SoWiZeitzone.h"
#include "language/Prompt.h"
#include "model/DstRowCodec.h"

#include <optional>

namespace zendrik {

class ProgramModel;
class TextTable;

// The message of a refused row ("Anfangs- und Enddatum gleich", "Gleiches
// Datum bereits vorhanden in Nr." with the row's number, ...), if any.
std::optional<Prompt> SoWiMessage(const SoWiCheckResult& result, const TextTable& texts);
// The message of a refused fill from the time-zone database, if any.
std::optional<Prompt> SoWiZoneMessage(SoWiZoneCheck check, int year, const QString& zone, const TextTable& texts);

// What the table dialog (frmEinSW) does with OK: a new row, the marked rows
// changed in place, or the marked rows (of the program or the sample)
// appended to the program's table.
enum SoWiModus : int { SoWiNeu = 0,
                       SoWiAendern = 1,
                       SoWiKopieren = 2 };

// An nth-weekday rule of the edit assistant: week 0..3 = first..fourth,
// 4 = last; weekday 0 = Monday .. 6 = Sunday.
struct NterWochentagRegel {
    int woche = 4;
    int wochentag = 6;
};

// The table dialog's rules without a window: the fields of one row, the
// year it is for, the automatic entry by the assistant's rules, OK with its
// checks and the walk over the marked rows.
class SoWiTabelleEingabe {
public:
    enum class Open { Ready,
                      TableFull,
                      NothingMarked };

    // markFirst..markLast: the marked table rows (0-based) of sourceSlot, for
    // change and copy.
    SoWiTabelleEingabe(ProgramModel& model, int modus, int sourceSlot = 0, int markFirst = -1, int markLast = -1);

    int modus() const { return modus_; }
    // Whether the dialog may open: a full table takes no new or copied row,
    // change and copy need a marked row.
    Open check() const;

    DstEntry& entry() { return entry_; }
    const DstEntry& entry() const { return entry_; }
    int soWiInfo() const { return soWiInfo_; }
    // The check box keeps the year shown where the year can be chosen.
    void setSoWiInfo(int soWiInfo);

    // The row OK stores into: AnzSoWi for a new or copied row, the marked
    // row being changed.
    int targetIndex() const;
    // The year of that row (the table's reference year plus its index).
    int year() const;
    // The year is chosen with the first row only: later rows follow it.
    bool yearEditable() const { return targetIndex() == 0; }
    // Sets the year of the first row, within the years the table can start with.
    void setYear(int year);
    int minYear() const;
    int maxYear() const;

    // "Eingabeautomatik": the days of the chosen months that the rules give
    // in the row's year.
    void eingabeautomatik(const NterWochentagRegel& vor, const NterWochentagRegel& zurueck);
    // "Neu": a fresh row for the row's year with the months, hours and
    // shifts of the table's last row (else 2:00 in March and 3:00 in
    // October, one hour), days by the rules.
    void neu(const NterWochentagRegel& vor, const NterWochentagRegel& zurueck);

    struct Outcome {
        SoWiCheckResult check;
        bool stored = false;
        bool finished = false; // the last marked row is done, or the table is full
    };
    // OK: checks and stores; in change and copy the next marked row follows.
    Outcome ok();

    // The marked row being changed or copied (index into the source slot).
    int currentRow() const { return row_; }

private:
    void loadRow();

    ProgramModel& model_;
    int modus_;
    int sourceSlot_;
    int markFirst_;
    int markLast_;
    int row_;
    DstEntry entry_;
    int soWiInfo_ = 1;
    int soWiJahr_ = 0; // the first year as it will be stored with the first row
};

} // namespace zendrik

#pragma once

#include "model/ProgramSlot.h"

namespace zendrik {

class ProgramModel;

// Values of SwRegel, the device's summer/winter-time rule.
enum SwRegelCode : int {
    SwKeine = 0,           // no changeover
    SwEuropa = 1,          // last Sunday of March .. last Sunday of October
    SwGrossbritannien = 2, // last Sunday of March .. the Sunday before 29 October
    SwUsa = 3,             // the Sunday before 15 April .. last Sunday of October
    SwTabelle = 4,         // dates of the summer/winter-time table
};

// A day of the year that never comes: with it no day lies in summer time.
inline constexpr int kNoChangeoverDay = 400;
// Summer time is this many minutes ahead of winter time.
inline constexpr int kSummerHour = 60;

// Forward (start of summer time) and back (end) day of the year.
struct SommerzeitTage {
    int forward = kNoChangeoverDay;
    int back = kNoChangeoverDay;

    bool hasChangeover() const { return forward != kNoChangeoverDay && back != kNoChangeoverDay; }
    bool operator==(const SommerzeitTage&) const = default;
};

// Changeover days of a built-in rule (0..3) in a year; any other value
// gives no changeover.
SommerzeitTage RegelTage(int swRegel, int year);

// The year the rows of the summer/winter table count from: the first year
// of the table, plus one unless SoWiInfo is set.
int SoWiBezugsjahr(const ProgramSlot& slot);
int SoWiBezugsjahr(int soWiJahr, int soWiInfo);
// The SoWiJahr that makes `year` the reference year (the year of row 0).
int SoWiJahrFuer(int year, int soWiInfo);
// The reference years the table can start with: SoWiJahr keeps 6 bits.
inline constexpr int kSoWiFirstYear = 1996;
inline constexpr int kSoWiLastFirstYear = kSoWiFirstYear + 63;

// Changeover days of a year from the slot's summer/winter table; no
// changeover when the table has no used row for the year.
SommerzeitTage TabellenTage(const ProgramSlot& slot, int year);

// Changeover days of a year under a rule, the table for rule 4.
SommerzeitTage SommerzeitTageVon(int swRegel, const ProgramSlot& slot, int year);

// Whether a day of the year lies in summer time. The whole forward day and
// the whole back day count as summer time. When the forward day comes after
// the back day (a table for the southern hemisphere), summer time runs from
// the forward day to the end of the year and from 1 January to the back day.
bool IstSommerzeit(const SommerzeitTage& tage, int dayOfYear);

// Whether the date is in summer time under the device's rule and the slot's table.
bool IstSommerzeit(const ProgramModel& model, int slot, int day, int month, int year);

} // namespace zendrik

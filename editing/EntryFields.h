#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

namespace zendrik {

class TextTable;

// What the text boxes of the entry dialogs accept, and the items of their
// lists. A box takes only digits and backspace while typing; on leaving it
// the value must lie in its range (or name an item of its list), otherwise
// the dialog beeps and keeps the focus in the box.

// Whether a typed character is kept: the digits 0..9 and backspace.
bool AcceptsEntryKey(QChar c);

// A whole number min..max; blanks around it are allowed (the hour list
// writes " 5" into its box). Empty when the text is no such number.
std::optional<int> ParseNumberField(const QString& text, int min, int max);

// What the month boxes take while typing: digits, letters (a month name)
// and the full stop of an abbreviation.
bool AcceptsMonthKey(QChar c);

// The text without its accents ("déc" gives "dec").
QString FoldAccents(const QString& text);

// A month 1..12, as a number or as a month name of the text table: the
// whole name or any beginning that only one month has ("Dez", "dec",
// "déc"), in any case and with or without a closing full stop. Typed
// without accents the accents of the names do not count ("dec" is
// décembre). An ambiguous beginning ("Ju" in English) names no month.
std::optional<int> ParseMonthField(const QString& text, const TextTable& texts);

// The priority of a weekly switching time: 0..9 (0..7 in the bus format)
// or an item of the priority list ("keine", "Programm P1" ...).
std::optional<int> ParseSwitchingPriorityField(const QString& text, const TextTable& texts, bool eibFormat);

// The priority of a priority time: 1..9 (1..7 in the bus format) or an item
// of its list; "Permanent" gives 10.
std::optional<int> ParsePriorityTimePriorityField(const QString& text, const TextTable& texts, bool eibFormat);

// List items: hours " 0".."23", minutes "00".."59", days "1".."31",
// pulses "0".."59", the month names.
QStringList HourItems();
QStringList MinuteItems();
QStringList DayItems();
QStringList PulseItems();
QStringList MonthItems(const TextTable& texts);

// The last priority program the lists offer: P9, P7 in the bus format
// (which keeps three priority bits).
int LastProgramPriority(bool eibFormat);

// The priority list of the switching-time dialog: "keine", "Programm P1" ..
// "Programm P9" (P7 in the bus format). The list index is the priority.
QStringList SwitchingPriorityItems(const TextTable& texts, bool eibFormat);

// The priority list of the priority-time dialog: "Programm P1" ..
// "Programm P9" (P7 in the bus format), then "Permanent".
QStringList PriorityTimePriorityItems(const TextTable& texts, bool eibFormat);
int PriorityOfListIndex(int index, bool eibFormat);
int ListIndexOfPriority(int priority, bool eibFormat);

// Year codes are seven bits: the last year a priority time can name is 2063.
inline constexpr int kMaxYearCode = 127;

// The year list of the priority-time dialog: "Jedes Jahr", then the years
// from 1999 to the last year an entry can name (year codes 63..127).
QStringList YearItems(const TextTable& texts);
int YearCodeOfListIndex(int index);
// -1 for a year code the list does not offer (a year before 1999).
int ListIndexOfYearCode(int yearCode);

} // namespace zendrik

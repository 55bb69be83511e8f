#pragma once

#include "calendar/Feiertag.h"
#include "calendar/FeiertagTabelle.h"
#include "language/Prompt.h"

#include <QStringList>

#include <optional>

namespace zendrik {

class TextTable;

// The controls of the holiday dialog (frmfeiertage) as values: the name box,
// the kind options and the lists and the Easter scroll bar of each kind.
struct FeiertagEingabe {
    QString name;
    int art = FeiertagFest;
    int tagIndex = 0;                 // day list " 1." .. "31."
    int monatIndex = 0;               // month list January .. December
    int wochentagIndex = 0;           // weekday list: Sunday .. Monday "vor", then Monday .. Sunday "nach"
    int osterWert = kOsterWertOstern; // Easter scroll bar: offset + 82
    bool ersatz = false;              // kind "fest": on a Saturday or Sunday the next working day too

    static constexpr int kOsterWertOstern = 82;
};

// The Easter scroll bar: its value is the offset plus 82 (the value a movable
// priority time stores), limited so that the date stays inside the year.
inline constexpr int kOsterWertMin = kMinEasterEntryOffset + FeiertagEingabe::kOsterWertOstern;
inline constexpr int kOsterWertMax = kMaxEasterEntryOffset + FeiertagEingabe::kOsterWertOstern;

// The record the add button builds: fixed: the day and month; free: weekday
// list index i gives Wochentag i - 7 for i < 7, else i - 6; Easter: the
// offset. The name is taken as typed.
Feiertag FeiertagAusEingabe(const FeiertagEingabe& eingabe);
// The controls that show a record (the other kinds' controls keep defaults).
FeiertagEingabe EingabeAusFeiertag(const Feiertag& feiertag);

// The label of the Easter scroll bar: "Ostern" for Easter Sunday, else the
// number of days and " Tag(e) vor Ostern" / " Tag(e) nach Ostern".
QString OsterText(int osterWert, const TextTable& texts);
// The weekday list of kind "frei": "Sonntag vor" .. "Montag vor", "Montag nach" .. "Sonntag nach".
QStringList WochentagVorNachItems(const TextTable& texts);
// The day list " 1." .. "31.".
QStringList FeiertagTagItems();
// "Jahre für freie Feiertage": each choice followed by a blank and "Jahre".
QStringList JahreFreieFtItems(int bewft, const TextTable& texts);

// The message of a refused holiday or set operation, if it has one.
std::optional<Prompt> FeiertagMessage(FeiertagResult result, const TextTable& texts);

} // namespace zendrik

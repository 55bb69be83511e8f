#pragma once

#include "language/ExtraText.h"
#include "model/DeviceSettings.h"
#include "model/Entry.h"

#include <QString>

#include <functional>

namespace zendrik {

class TextTable;

// Texts of single entry fields, shared by the program list and the
// last-entry panels of the entry dialogs.

// Refusal of a date whose day the month does not have.
inline constexpr ExtraText kDayNotInMonth{"Diesen Tag hat der Monat nicht (29. Februar ist erlaubt) !",
                                          "The month has no such day (29 February is allowed) !",
                                          "Ce jour n'existe pas dans ce mois (le 29 février est permis) !"};

// "Ok alle" with a holiday set: what it entered.
inline constexpr ExtraText kSetEntered{"Eingetragen: ", "Entered: ", "Saisi : "};
inline constexpr ExtraText kSetEnteredHolidays{" Feiertage des Sets mit ", " holidays of the set in ",
                                               " jours fériés du set en "};
inline constexpr ExtraText kSetEnteredEntries{" Einträgen.", " entries.", " entrées."};
inline constexpr ExtraText kSetAlreadyThere{" Schon vorhanden: ", " Already there: ", " Déjà présentes : "};

// What a text box takes, shown while the box refuses its text.
inline constexpr ExtraText kRangeHint{"%1: eine Zahl von %2 bis %3", "%1: a number from %2 to %3",
                                      "%1 : un nombre de %2 à %3"};
inline constexpr ExtraText kRangeOrNameHint{"%1: eine Zahl von %2 bis %3 oder ein Name der Liste",
                                            "%1: a number from %2 to %3 or a name from the list",
                                            "%1 : un nombre de %2 à %3 ou un nom de la liste"};

// The hint of a box that takes the numbers first..last (and, with
// `orListName`, the names of its list), named by the field's caption
// without its colon: "Stunden: eine Zahl von 0 bis 23".
QString EntryRangeHint(const QString& caption, int first, int last, bool orListName, const TextTable& texts);

// The "1x" mark of entries switched once.
inline const QString kOnceText = QStringLiteral("1x");

// The channels: " C1 C3" for a mask; " C" and the number for an entry that
// addresses one channel (bus format, 16-channel device).
QString EntryChannelsText(const Entry& e, const TextTable& texts, const DeviceSettings& device);

// The state: "EIN"/"AUS" for switching times and permanent priority times,
// the telegram value in the bus format, empty for priority times that select
// a priority program.
QString EntryStateText(const Entry& e, const TextTable& texts, const DeviceSettings& device);

// "1x" when the entry switches once, else one blank.
QString EntryOnceText(const Entry& e, const DeviceSettings& device);

// Maps the Easter offset of a movable priority time to the holiday it was
// made for (empty when none).
using HolidayNameSource = std::function<QString(int easterOffset)>;

// The day of a movable priority time: the holiday's name when known, else
// "Ostern" or the distance ("3 Tag(e) vor Ostern").
QString EasterOffsetText(int offset, const TextTable& texts, const HolidayNameSource& holidayName);

} // namespace zendrik

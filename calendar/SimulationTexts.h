#pragma once

#include "calendar/SimulationCause.h"
#include "language/ExtraText.h"

#include <QString>

namespace zendrik {

class TextTable;

// Our own texts of the simulation window: what decided a minute, the
// exports and the window's additions to the device tool's controls.
inline constexpr ExtraText kCauseSwitching{"Schaltzeit Nr. %1: %2 %3", "Switching time no. %1: %2 %3",
                                           "Horaire n° %1 : %2 %3"};
inline constexpr ExtraText kCausePulse{"Impuls der Schaltzeit Nr. %1: %2", "Pulse of switching time no. %1: %2",
                                       "Impulsion de l'horaire n° %1 : %2"};
inline constexpr ExtraText kCauseEarlierDay{" (am %1)", " (on %1)", " (le %1)"};
inline constexpr ExtraText kCauseNothing{"Keine Schaltzeit dieses Programms: %1",
                                         "No switching time of this program: %1",
                                         "Aucun horaire de ce programme : %1"};
inline constexpr ExtraText kCauseSunrise{"Astrozeit Sonnenaufgang %1", "Astro time sunrise %1",
                                         "Heure astro lever du soleil %1"};
inline constexpr ExtraText kCauseSunset{"Astrozeit Sonnenuntergang %1", "Astro time sunset %1",
                                        "Heure astro coucher du soleil %1"};
inline constexpr ExtraText kCauseSummerTime{" (mit Sommerzeit)", " (summer time included)",
                                            " (heure d'été comprise)"};
inline constexpr ExtraText kCausePriorityTime{"Prioritätszeit Nr. %1: %2", "Priority time no. %1: %2",
                                              "Période prioritaire n° %1 : %2"};
inline constexpr ExtraText kCauseHeld{"%1 hielt den Kanal bis %2; danach gilt der Zustand aus %3",
                                      "%1 held the channel until %2; then the state of %3 holds",
                                      "%1 a tenu le canal jusqu'au %2 ; ensuite l'état de %3 s'applique"};
inline constexpr ExtraText kBaseProgram{"Grundprogramm", "Base program", "Programme de base"};

inline constexpr ExtraText kSimExportPng{"Bild speichern...", "Save picture...", "Enregistrer l'image..."};
inline constexpr ExtraText kSimExportCsv{"Tabelle speichern...", "Save table...", "Enregistrer le tableau..."};
inline constexpr ExtraText kSimSaved{"Gespeichert: %1", "Saved: %1", "Enregistré : %1"};
inline constexpr ExtraText kSimNotSaved{"Nicht gespeichert: %1", "Not saved: %1", "Non enregistré : %1"};
inline constexpr ExtraText kSimHint{"Doppelklick zeigt die Zeile in der Liste.",
                                    "Double-click shows the row in the list.",
                                    "Un double-clic montre la ligne dans la liste."};

// "06:05" for a minute of the day (24:00 for the end of the day).
QString SimulationTimeText(int minute);
// The date in the language's order with the year.
QString SimulationDateText(const CalendarDate& date, const TextTable& texts);
// "Programm P3", "Permanent EIN", or for the base program the weekly program's name.
QString DayPriorityText(int dayPriority, const TextTable& texts);
// What decided a minute, in one line: the switching time with its list
// number, the astro time with summer hour and limit, the priority time
// that gives the day its program.
QString SimulationCauseText(const SimulationCause& cause, const TextTable& texts);

} // namespace zendrik

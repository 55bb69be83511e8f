#pragma once

#include "calendar/BehaviourComparison.h"
#include "language/ExtraText.h"

#include <QString>
#include <QStringList>

namespace zendrik {

class TextTable;
class YearSimulation;

inline constexpr ExtraText kBehaviourOneDay{"1 Tag", "1 day", "1 jour"};
inline constexpr ExtraText kBehaviourDays{"%1 Tage", "%1 days", "%1 jours"};
inline constexpr ExtraText kBehaviourPage{"Verhalten", "Behaviour", "Comportement"};
inline constexpr ExtraText kBehaviourSame{"Beide Programme schalten %1 gleich.", "Both programs switch alike in %1.",
                                          "Les deux programmes commutent de la même façon en %1."};
inline constexpr ExtraText kBehaviourFigures{"Betriebsstunden: %1 → %2, nur im ersten EIN: %3, nur im zweiten EIN: %4",
                                             "Operating hours: %1 → %2, ON only in the first: %3, ON only in the second: %4",
                                             "Heures de fonctionnement : %1 → %2, MARCHE seulement dans le premier : %3, "
                                             "MARCHE seulement dans le second : %4"};
inline constexpr ExtraText kBehaviourCompareWith{"Vergleichen mit...", "Compare with...", "Comparer avec..."};
inline constexpr ExtraText kBehaviourFirst{"Erstes Programm", "First program", "Premier programme"};
inline constexpr ExtraText kBehaviourSecond{"Zweites Programm", "Second program", "Second programme"};
inline constexpr ExtraText kBehaviourYear{"Jahr", "Year", "Année"};
inline constexpr ExtraText kBehaviourPulses{"Impulse verschieden", "Pulses differ", "Impulsions différentes"};

// "+37 h 30 Min": a difference of operating time, signed from the first
// program to the second (no sign for none).
QString SignedDurationText(long minutes, const TextTable& texts);
// "C1: 12 Tage, +37 h 30 Min": the days a channel (0-based) differs and how
// its operating time moves.
QString BehaviourChannelLine(const ChannelBehaviour& channel, const TextTable& texts);
// "Betriebsstunden: 2000 h 00 Min → 1869 h 30 Min, nur im ersten EIN: ...":
// the operating time of a channel in both programs and the minutes ON in
// only one of them.
QString BehaviourFiguresText(const ChannelBehaviour& channel, const TextTable& texts);
// "7:00–17:30 EIN, 12:00 Impuls EIN": the stretches a day is ON and its
// pulses in the order of the day; "AUS" for a day without either.
QString DayStretchesText(const SimulatedDay& day, const TextTable& texts);
// "  3.4.2027: 7:00–17:30 EIN → 7:30–17:30 EIN".
QString BehaviourDayLine(const BehaviourDay& day, const TextTable& texts);
// What decided a simulated day of a channel (0-based): for each minute it
// switches (SwitchingMinutes) the time and what the simulation names as its
// cause; a cause already named (the meter pulse's periods) only once.
QStringList DayDecisionLines(const YearSimulation& sim, int channel, int dayOfYear, const SimulatedDay& day,
                             const TextTable& texts);
// Every differing channel with its days, one line each.
QStringList BehaviourLines(const BehaviourComparison& comparison, const TextTable& texts);

} // namespace zendrik

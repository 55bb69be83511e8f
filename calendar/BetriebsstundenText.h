#pragma once

#include <QString>

namespace zendrik {

class TextTable;

// An operating time as the simulation window shows it: " 12 h 05 Min"
// (hours, two-digit minutes, the unit of the current language).
QString BetriebsdauerText(int minutes, const TextTable& texts);

// The operating time of the shown day: "Betriebsstunden: 12 h 05 Min".
QString BetriebsstundenText(int minutes, const TextTable& texts);

// The operating time of a channel (1-based) in the whole year:
// "C1, Jahresbetriebsstunden: 1234 h 05 Min".
QString JahresbetriebsstundenText(int channel, int minutes, const TextTable& texts);

} // namespace zendrik

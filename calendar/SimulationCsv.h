#pragma once

#include "calendar/DayProfile.h"

#include <QByteArray>

namespace zendrik {

class TextTable;
class YearSimulation;

// A simulated day in numbers: when the channel first is ON, when it is
// last switched OFF, and how often it switches (a pulse counts once).
// -1 where the day has no such time.
struct DaySummary {
    int firstOn = -1;
    int lastOff = -1;
    int switchings = 0;

    bool operator==(const DaySummary&) const = default;
};

DaySummary SummarizeDay(const DayProfile& profile);

// The simulated year of one channel (0-based) as CSV for other tools: a
// heading line, then one line per day: date (YYYY-MM-DD), weekday (short
// name of the language), the day's priority (0..9, 10 permanent ON,
// 11 permanent OFF), operating minutes, first ON, last OFF (HH:MM, empty
// when none) and the number of switchings, one line each.
QByteArray SimulationCsv(const YearSimulation& sim, int channel, const TextTable& texts);

} // namespace zendrik

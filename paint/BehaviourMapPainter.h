#pragma once

#include "calendar/BehaviourComparison.h"
#include "language/ExtraText.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

class QPainter;

namespace zendrik {

class TextTable;
class YearGraphLayout;

// What a minute of a day is in the year map of two programs.
enum class BehaviourMinute {
    Off,        // OFF in both
    OnInBoth,   // ON in both
    OnlyFirst,  // ON only in the first program, or a pulse only the first has
    OnlySecond, // ON only in the second program, or a pulse only the second has
    PulseInBoth // the same pulse in both
};

inline constexpr ExtraText kMapOnlyFirst{"EIN nur im ersten", "ON only in the first", "MARCHE seulement dans le premier"};
inline constexpr ExtraText kMapOnlySecond{"EIN nur im zweiten", "ON only in the second", "MARCHE seulement dans le second"};
inline constexpr ExtraText kMapOnInBoth{"EIN in beiden", "ON in both", "MARCHE dans les deux"};
inline constexpr ExtraText kMapPulseInBoth{"Impuls in beiden", "Pulse in both", "Impulsion dans les deux"};
inline constexpr ExtraText kMapDayDiffers{"Tag verschieden", "Day differs", "Jour différent"};

// The map's colours: the two programs' own, a neutral grey for ON in both.
QColor BehaviourMinuteColour(BehaviourMinute kind);
// The legend's name of a kind of minute (none for OFF in both).
QString BehaviourMinuteName(BehaviourMinute kind, const TextTable& texts);
// The mark of a day that differs, on the strip beside the map.
QColor BehaviourDayDiffersColour();
// What a minute (0..1439) of the day is, from both day graphs.
BehaviourMinute BehaviourMinuteOf(const DayProfile& first, const DayProfile& second, int minute);
// The same from the two states of the minute.
BehaviourMinute BehaviourMinuteOf(int stateFirst, int stateSecond);

// The year map of a channel: a row per day (top to bottom), minutes across,
// laid out as the year graph; each day's minutes coloured by what they are
// in the two programs, pulses over the stretches at least a pixel wide, and
// the strip on the right marks the days the comparison names. `first` and
// `second` hold the simulated days of the year (index day - 1).
void PaintBehaviourMap(QPainter& painter, const YearGraphLayout& layout, const std::vector<SimulatedDay>& first,
                       const std::vector<SimulatedDay>& second, const ChannelBehaviour& channel, int year,
                       const TextTable& texts);
// The map as a picture of that size on white, laid out as the year graph's picture.
QImage RenderBehaviourMap(const std::vector<SimulatedDay>& first, const std::vector<SimulatedDay>& second,
                          const ChannelBehaviour& channel, int year, const TextTable& texts, const QSize& size);

} // namespace zendrik

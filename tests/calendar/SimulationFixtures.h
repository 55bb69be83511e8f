#pragma once

#include "calendar/DayProfile.h"
#include "model/ProgramModel.h"

#include <QDate>

#include <array>
#include <vector>

namespace zendrik::test {

// Device-type rows used by the simulation tests.
inline constexpr int kRowFourChannels = 4;
inline constexpr int kRowMeterTwoChannels = 7;
inline constexpr int kRowAstro752 = 19;
inline constexpr int kRowBus738 = 20;

// Weekday masks, bit 0 = Monday.
inline constexpr int kMo = 1;
inline constexpr int kTu = 2;
inline constexpr int kSa = 32;
inline constexpr int kSu = 64;
inline constexpr int kDaily = 127;

// Channel masks of the one- to four-channel switches.
inline constexpr int kC1 = 1;
inline constexpr int kC2 = 2;

constexpr int Hm(int hours, int minutes)
{
    return hours * 60 + minutes;
}

// Day of the year counted by Qt's calendar (independent of the devices' routines).
inline int Doy(int day, int month, int year)
{
    return QDate(year, month, day).dayOfYear();
}

// A profile as [start, end, state] triples.
using Stretch = std::array<int, 3>;
std::vector<Stretch> Stretches(const DayProfile& profile);

// An empty program of a device-type row.
ProgramModel EmptyProgram(int row);

// Adds the usual working day of the base program on the channels: ON at
// 6:00 and OFF at 22:00 every day, 960 minutes.
void AddSixToTwentyTwo(ProgramModel& model, int channels);
inline constexpr int kSixToTwentyTwo = 960;

// Every entry, count, order and flag of slot 0 and the sort and change state.
struct ProgramSnapshot {
    std::array<Entry, kEntryRows> entries{};
    int anzSz = 0;
    int anzPz = 0;
    int anzEintrag = 0;
    int geaendert = 0;
    int sortSz = 0;
    int sortPz = 0;

    static ProgramSnapshot of(const ProgramModel& model);
    bool operator==(const ProgramSnapshot&) const = default;
};

} // namespace zendrik::test

#pragma once

#include "calendar/DayProfile.h"

#include <QDate>

#include <array>
#include <vector>

namespace zendrik::test {

// Device-type rows used by the simulation tests.
inline constexpr int kRowFourChannels = 4;
inline constexpr int kRowMeterTwoChannels = 7;
inline constexpr int kRowAstro752 = 19;
inline constexpr int kRowBus738 = 20;

// Weekday masks (bit 0 = Monday) and channel masks of the small switches.
inline constexpr int kMo = 1;
inline constexpr int kSu = 64;
inline constexpr int kDaily = 127;
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
inline std::vector<Stretch> Stretches(const DayProfile& profile)
{
    std::vector<Stretch> out;
    int start = 0;
    for (const ProfileSegment& s : profile.segments) {
        out.push_back(Stretch{start, start + s.length, s.state});
        start += s.length;
    }
    return out;
}

} // namespace zendrik::test

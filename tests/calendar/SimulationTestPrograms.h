#pragma once

// Small programs and helpers of the simulation tests.

#include "calendar/YearSimulation.h"
#include "model/EntryBuilder.h"
#include "tests/support/TestPrograms.h"

#include <QDate>

#include <array>
#include <initializer_list>
#include <vector>

namespace zendrik::test {

inline constexpr int kRowFourChannels = 4;
inline constexpr int kRowMeterTwoChannels = 7;
inline constexpr int kRowAstro752 = 19;
inline constexpr int kRowBus738 = 20;
// Weekday masks (bit 0 = Monday), channel masks and astro states.
inline constexpr int kMo = 1;
inline constexpr int kSu = 64;
inline constexpr int kDaily = 127;
inline constexpr int kC1 = 1;
inline constexpr int kC2 = 2;
inline constexpr int kOn = -1;
inline constexpr int kOff = 0;

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
using S = std::vector<std::array<int, 3>>;
inline S Stretches(const DayProfile& profile)
{
    S out;
    int start = 0;
    for (const ProfileSegment& s : profile.segments) {
        out.push_back({start, start + s.length, s.state});
        start += s.length;
    }
    return out;
}

// The profile of a channel on a date of the simulated year.
inline S At(const YearSimulation& sim, int channel, int day, int month)
{
    return Stretches(sim.Rechne_SzGrafik(channel, Doy(day, month, sim.SimJahr())));
}

inline ProgramModel Program(int row, std::initializer_list<Entry> entries)
{
    ProgramModel m = modelForRow(row);
    for (const Entry& e : entries)
        addEntry(m, e);
    return m;
}

// The usual working day: ON at 6:00, OFF at 22:00 every day.
inline Entry SixOn(int channels)
{
    return BuildWeeklyEntry(Hm(6, 0), kDaily, channels, 1, 0, 0);
}
inline Entry TwentyTwoOff(int channels)
{
    return BuildWeeklyEntry(Hm(22, 0), kDaily, channels, 0, 0, 0);
}
inline const S kSixToTwentyTwo{{0, 360, 0}, {360, 1320, 1}, {1320, 1440, 0}};

// Channel 2 of a meter-pulse switch measures every `period` minutes with a
// pulse of `seconds`; its switching times and priority times are ignored.
inline ProgramModel Meter(int period, int seconds, int zustand, int zeitpunkt)
{
    ProgramModel m = Program(kRowMeterTwoChannels, {SixOn(kC1 | kC2), TwentyTwoOff(kC1 | kC2), BuildPriorityEntry(1, 5, 31, 5, 0, false, 10, kC2, 1)});
    m.device.MessKanal = 2;
    m.device.MessPeriode = period;
    m.device.MessImpDauer = seconds;
    m.device.MessZustand = zustand;
    m.device.MessZeitpunkt = zeitpunkt;
    return m;
}

// Channel 1 of the bus device follows the same two sun times every day.
inline ProgramModel BusAstro(int rise, int set, AstroLimits limits, int swRegel, int riseState, int setState)
{
    ProgramModel m = modelForRow(kRowBus738);
    m.device.SwRegel = swRegel;
    AstroProgram& a = m.program().astro;
    for (AstroDay& day : a.AstroTab[0])
        day = AstroDay{rise, set, riseState, setState};
    a.AstroAktiv[0] = a.AstroAktiv[1] = kOn;
    a.AstroGrenze[0] = limits;
    return m;
}

} // namespace zendrik::test

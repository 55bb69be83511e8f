#pragma once

#include "model/ProgramModel.h"

#include <array>
#include <optional>

namespace zendrik {

inline constexpr int kAstroYearDays = 366;

// Where and how the sun is followed, with the stored sign conventions:
// longitude in degrees west positive, latitude north positive, zone in
// minutes as the negative of the displayed zone, offsets in minutes.
struct AstroLocation {
    float laenge = 0.0f;
    float breite = 0.0f;
    int zone = 0;
    int offsetAuf = 0;
    int offsetUnter = 0;
};

// Switching minutes of one day as stored: 0..1439 or the family's KeineZeit.
struct AstroTimes {
    int rise = 0;
    int set = 0;

    bool operator==(const AstroTimes&) const = default;
};

using AstroYear = std::array<AstroTimes, kAstroYearDays>;

// The one-channel astro device (family 752) receives the two offsets in its
// header and adds them itself, so its table holds the sun times without
// them; the 738 family has no such bytes and gets them in the table.
bool AstroTableHoldsOffsets(int uhrentyp);

// The switching minutes of day index 0..365 (day of year 1..366), computed
// with the calendar of the given year (leap or not); the times themselves
// do not depend on the year. A day without a sunrise (or sunset) gets
// KeineZeit, so the device does not switch then. Out-of-day results follow
// the family's range rules: on 738 a sunrise before midnight becomes 0 and a
// sunset after midnight 1439; a sunrise after midnight and a sunset before
// it become KeineZeit; on the other families every time outside the day
// becomes KeineZeit.
AstroYear ComputeAstroYear(const AstroLocation& location, int uhrentyp, int year);

// Fills the sunrise and sunset minutes of a channel's table (0..3) in the
// program being edited for day indices 0..365, with the calendar of the
// model's current year. States, limits and the active flags are untouched.
void ComputeAstroTable(ProgramModel& model, float laenge, float breite, int zone, int offsetAuf,
                       int offsetUnter, int channel);

// Everything the astro dialog's OK stores for one channel.
struct AstroSettings {
    AstroLocation location;
    int morningLimit = 0;      // minute of day: do not switch before
    int eveningLimit = 1439;   // minute of day: do not switch after
    int riseState = 0;         // -1 = ON, 0 = OFF
    int setState = -1;
};

// The astro dialog's OK: stores the location, computes the channel's table,
// sets the states of every day, marks the channel (and the program) as
// astro, keeps the limits and marks the program as changed. False for a
// channel the device has no astro table for.
bool StoreAstroProgram(ProgramModel& model, const AstroSettings& settings, int channel);

// The switching times of a day as the list shows them and the simulation
// takes them, before the morning and evening limits: the table value, plus
// the two offsets on the 752 family, plus 60 minutes on a day in summer
// time. Empty where the table holds KeineZeit. The value may leave 0..1439
// (a late sunset moved by the summer hour); such a time is not switched on
// that day unless a limit brings it back.
struct AstroShownTimes {
    std::optional<int> rise;
    std::optional<int> set;
};

AstroShownTimes ShownAstroTimes(const ProgramModel& model, int slot, int channel, int dayOfYear, int year);

// Which astro table drives a channel (0-based) of a slot and within which
// limits: the one-channel astro device drives channel 1, and channel 2 too
// when both are set to follow the sun, from its one table; it knows no
// evening limit of its own and switches up to 23:59. The bus device has a
// table and limits for each of channels 1..4. Table -1: no astro times.
struct AstroDrive {
    int table = -1;
    int morning = 0;
    int evening = 24 * 60 - 1;
};

AstroDrive AstroDriveOf(const ProgramModel& model, int channel, int slot = kProgramSlot);

} // namespace zendrik

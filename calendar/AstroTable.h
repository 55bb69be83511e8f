#pragma once

#include "model/DeviceFamily.h"
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

// What the device switches at the astro times. Its image has no place for a
// state: the astro channel goes OFF at sunrise and ON at sunset, as outdoor
// lighting is switched. Every table day and every channel's limits carry
// these two states.
inline constexpr int kAstroRiseState = 0; // OFF
inline constexpr int kAstroSetState = -1; // ON

// A table computed in one year serves the device in the years after it,
// where the changeover days fall on other days of the year. Per day index
// 0..365: whether the day lies in summer time in some of those years and in
// winter time in some of them (rule 0 never has summer time; with the
// table rule only the years the table has a row for count, and the year of
// computing itself).
struct AstroSummerDays {
    std::array<bool, kAstroYearDays> summer{};
    std::array<bool, kAstroYearDays> winter{};
};

inline constexpr int kAstroTableYearsServed = 28; // one whole cycle of weekdays and leap years
AstroSummerDays AstroSummerDaysFrom(int swRegel, const ProgramSlot& slot, int year);

// Writes the morning and evening limits into a table as the device gets it:
// the device switches at the table time, plus on the one-channel astro
// device its offsets, plus the summer hour, and knows no limits itself. A
// sunrise that would come before the morning limit on the clock is moved to
// the limit, a sunset after the evening limit back to it, in every year the
// table serves: on a day that may be in winter time in one year and in
// summer time in another, the morning limit holds in winter time (summer
// time switches an hour later) and the evening limit in summer time (winter
// time switches an hour earlier).
void ApplyAstroLimits(AstroYear& table, const AstroLocation& location, int uhrentyp, int morning, int evening,
                      const AstroSummerDays& days);

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

// Everything the astro dialog's OK stores for one channel. Only the
// device's own states (kAstroRiseState, kAstroSetState) are stored,
// whatever the two state fields say.
struct AstroSettings {
    AstroLocation location;
    int morningLimit = 0;            // minute of day: do not switch before
    int eveningLimit = 1439;         // minute of day: do not switch after
    int riseState = kAstroRiseState; // -1 = ON, 0 = OFF
    int setState = kAstroSetState;
};

// The table of a channel as OK computes it for the model's current year:
// the sun times with the offsets and the limits written in.
AstroYear ComputeLimitedAstroYear(const ProgramModel& model, const AstroSettings& settings);

// The astro dialog's OK: stores the location, computes the channel's table
// with the limits written in (ApplyAstroLimits), sets the device's states
// on every day, marks the channel (and the program) as astro, keeps the
// limits (the program file keeps them beside the image) and marks the
// program as changed. False for a channel the device has no astro table
// for.
bool StoreAstroProgram(ProgramModel& model, const AstroSettings& settings, int channel);

// The switching times of a day as the device switches them, which the list
// shows and the simulation takes: the table value, plus the two offsets on
// the 752 family, plus 60 minutes on a day in summer time. The limits are
// already in the table. Empty where the table holds KeineZeit. The value may
// leave 0..1439 (a late sunset moved by the summer hour); such a time is not
// switched on that day.
struct AstroShownTimes {
    std::optional<int> rise;
    std::optional<int> set;
};

AstroShownTimes ShownAstroTimes(const ProgramModel& model, int slot, int channel, int dayOfYear, int year);

// Which astro table drives a channel (0-based) of a slot and the limits that
// were written into it: the one-channel astro device drives channel 1, and
// channel 2 too when both are set to follow the sun, from its one table. The
// bus device has a table and limits for each of channels 1..4. Table -1: no
// astro times. The limits only explain the table; nothing applies them again.
struct AstroDrive {
    int table = -1;
    int morning = 0;
    int evening = 24 * 60 - 1;
};

AstroDrive AstroDriveOf(const ProgramModel& model, int channel, int slot = kProgramSlot);

} // namespace zendrik

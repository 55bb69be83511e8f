#pragma once

namespace zendrik {

// The sun's place on the sky at one instant, both in radians.
struct SunEquatorial {
    double rightAscension = 0.0;
    double declination = 0.0;
};

// One crossing of the horizon found by the hour-by-hour search: the clock
// time in whole minutes (the half minute already rounded in). found is false
// on a day without a crossing of the asked kind (polar day or night).
struct SunCrossing {
    bool found = false;
    int hours = 0;
    int minutes = 0;

    int minuteOfDay() const { return hours * 60 + minutes; }
    // Hours + minutes / 60, or 0.0 without a crossing, as the device tool
    // always reported it.
    double value() const;
};

// Low-precision solar ephemeris (Van Flandern and Pulkkinen 1979).
// t: days from J2000.0; tt: Julian centuries from 1900.0.
SunEquatorial SunPosition(double t, double tt);

// Sunrise and sunset at longitude 0 and time zone 0 for a day of month and a
// month; latitude in degrees, north positive. Each routine computes in a
// year of its own (1999 for sunrise, 1998 for sunset), so the result never
// depends on the programmed year; a day past the month's end (29 February)
// gives the following date.
SunCrossing SunriseCrossing(double day, double month, double latitude);
SunCrossing SunsetCrossing(double day, double month, double latitude);

// The same as decimal hours with whole minutes; 0.0 when there is no crossing.
double SunriseTime(double day, double month, double latitude);
double SunsetTime(double day, double month, double latitude);

} // namespace zendrik

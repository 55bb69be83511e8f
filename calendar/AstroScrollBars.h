#pragma once

namespace zendrik {

// The location scroll bars of the astro dialog. Each bar runs from 0 to its
// maximum with zero in the middle (maximum / 2); one step is half a degree,
// a quarter hour or a minute. The maxima are the ranges the dialog offers,
// and the place files store bar positions, so they must not change once
// place files exist.
inline constexpr int kLaengeBarMax = 720; // longitude 180° east .. 180° west
inline constexpr int kBreiteBarMax = 360; // latitude 90° north .. 90° south
inline constexpr int kZoneBarMax = 112;   // displayed zone -14:00 .. +14:00
inline constexpr int kOffsetBarMax = 240; // offsets -120 .. +120 minutes
inline constexpr int kLimitBarMax = 1439; // morning and evening limit, minute of the day

// The part of each bar the dialog offers. Latitudes beyond 60 degrees are
// kept out: nearer the poles the sun routine's hour-by-hour search misses
// the short crossings of the days around the polar day and night. Zones
// reach twelve hours either way, offsets what the astro device stores in a
// signed byte.
struct BarRange {
    int low;
    int high;

    bool contains(int value) const { return value >= low && value <= high; }
    int clamp(int value) const { return value < low ? low : value > high ? high
                                                                         : value; }
};
inline constexpr int kMaxLatitudeDegrees = 60;
inline constexpr BarRange kLaengeRange{0, kLaengeBarMax};
inline constexpr BarRange kBreiteRange{kBreiteBarMax / 2 - 2 * kMaxLatitudeDegrees,
                                       kBreiteBarMax / 2 + 2 * kMaxLatitudeDegrees};
inline constexpr BarRange kZoneRange{kZoneBarMax / 2 - 12 * 4, kZoneBarMax / 2 + 12 * 4};
inline constexpr BarRange kOffsetRange{0, kOffsetBarMax};
inline constexpr BarRange kLimitRange{0, kLimitBarMax};

// Bar value -> stored astro setting (west positive longitude, north positive
// latitude, zone as the negative of the displayed zone, offset in minutes).
float LaengeOfBar(int value);
float BreiteOfBar(int value);
int ZoneOfBar(int value);
int OffsetOfBar(int value);

// Stored astro setting -> bar value, rounded to the bar's step and kept
// within the bar.
int BarOfLaenge(float laenge);
int BarOfBreite(float breite);
int BarOfZone(int zone);
int BarOfOffset(int offset);

// Numbers typed into the dialog, in the way a map writes them (degrees east
// and north positive, the zone as displayed in hours), snapped to the bar's
// step and kept within the range the dialog offers.
int BarOfTypedLongitude(double degreesEast);
int BarOfTypedLatitude(double degreesNorth);
int BarOfTypedZone(double displayedHours);
int BarOfTypedOffset(int minutes);
// The same numbers for a bar value, for the typing fields to follow the bars.
double TypedLongitudeOfBar(int value);
double TypedLatitudeOfBar(int value);
double TypedZoneOfBar(int value);

} // namespace zendrik

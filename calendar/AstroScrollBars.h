#pragma once

namespace zendrik {

// The location scroll bars of the astro dialog. Each bar runs from 0 to its
// maximum with zero in the middle (maximum / 2); one step is half a degree,
// a quarter hour or a minute. The maxima are the ranges the dialog offers,
// and the place files store bar positions, so they must not change once
// place files exist.
inline constexpr int kLaengeBarMax = 720;      // longitude 180° east .. 180° west
inline constexpr int kBreiteBarMax = 360;      // latitude 90° north .. 90° south
inline constexpr int kZoneBarMax = 112;        // displayed zone -14:00 .. +14:00
inline constexpr int kOffsetBarMax = 240;      // offsets -120 .. +120 minutes
inline constexpr int kLimitBarMax = 1439;      // morning and evening limit, minute of the day

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

} // namespace zendrik

#include "calendar/AstroScrollBars.h"

#include <algorithm>
#include <cmath>

namespace zendrik {

namespace {

int clampBar(long value, int maximum)
{
    return static_cast<int>(std::clamp<long>(value, 0, maximum));
}

} // namespace

// The bars count upwards to the east and to the north, so the stored
// west-positive longitude is the negated bar offset.
float LaengeOfBar(int value)
{
    return -(value - kLaengeBarMax / 2) / 2.0f;
}

float BreiteOfBar(int value)
{
    return (value - kBreiteBarMax / 2) / 2.0f;
}

int ZoneOfBar(int value)
{
    return -(value - kZoneBarMax / 2) * 15;
}

int OffsetOfBar(int value)
{
    return value - kOffsetBarMax / 2;
}

int BarOfLaenge(float laenge)
{
    return clampBar(kLaengeBarMax / 2 - std::lround(laenge * 2.0), kLaengeBarMax);
}

int BarOfBreite(float breite)
{
    return clampBar(kBreiteBarMax / 2 + std::lround(breite * 2.0), kBreiteBarMax);
}

int BarOfZone(int zone)
{
    return clampBar(kZoneBarMax / 2 - std::lround(zone / 15.0), kZoneBarMax);
}

int BarOfOffset(int offset)
{
    return clampBar(kOffsetBarMax / 2 + static_cast<long>(offset), kOffsetBarMax);
}

int BarOfTypedLongitude(double degreesEast)
{
    return kLaengeRange.clamp(BarOfLaenge(static_cast<float>(-degreesEast)));
}

int BarOfTypedLatitude(double degreesNorth)
{
    return kBreiteRange.clamp(BarOfBreite(static_cast<float>(degreesNorth)));
}

int BarOfTypedZone(double displayedHours)
{
    // Stored as the negative of the displayed zone, in minutes.
    return kZoneRange.clamp(BarOfZone(static_cast<int>(std::lround(-displayedHours * 60.0))));
}

int BarOfTypedOffset(int minutes)
{
    return kOffsetRange.clamp(BarOfOffset(minutes));
}

double TypedLongitudeOfBar(int value)
{
    return -static_cast<double>(LaengeOfBar(value));
}

double TypedLatitudeOfBar(int value)
{
    return BreiteOfBar(value);
}

double TypedZoneOfBar(int value)
{
    return -ZoneOfBar(value) / 60.0;
}

} // namespace zendrik

#include "calendar/Sonnenstand.h"

#include <cmath>

namespace zendrik {

namespace {

// The constants exactly as the devices' tables were computed with them
// (pi written with 7 and 9 significant digits), so that every minute of a
// table matches the one the installers have always been given.
constexpr double P2 = 6.2831853;
constexpr double R1 = 3.14159265 / 180.0;
constexpr double K1 = R1 * 15.0 * 1.0027379;
// Longitude and time zone are applied later by the astro table, the search
// runs for Greenwich.
constexpr double L5 = 0.0 / 360.0;
constexpr double Z0 = 0.0 / 24.0;

constexpr double kZenithDistance = 90.833; // upper limb with refraction
constexpr int kSunriseYear = 1999;
constexpr int kSunsetYear = 1998;

double Int(double x)
{
    return std::floor(x);
}

double Sgn(double x)
{
    return x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
}

enum class Event { Rise,
                   Set };

// Julian day of 0 h UT of the date (Gregorian correction always applied),
// as the whole part J and the day fraction F.
void JulianDay(double year, double month, double day, double& j, double& f)
{
    const double d1 = Int(day);
    f = day - d1 - 0.5;
    j = -Int(7.0 * (Int((month + 9.0) / 12.0) + year) / 4.0);
    const double s = Sgn(month - 9.0);
    const double a = std::fabs(month - 9.0);
    double j3 = Int(year + s * Int(a / 7.0));
    j3 = -Int((Int(j3 / 100.0) + 1.0) * 3.0 / 4.0);
    j = j + Int(275.0 * month / 9.0) + d1 + j3;
    j = j + 1721027.0 + 2.0 + 367.0 * year;
    if (f < 0.0) {
        f = f + 1.0;
        j = j - 1.0;
    }
}

SunCrossing FindCrossing(Event event, double day, double month, double latitude)
{
    const double year = event == Event::Rise ? kSunriseYear : kSunsetYear;
    double j = 0.0;
    double f = 0.0;
    JulianDay(year, month, day, j, f);

    double t = j - 2451545.0 + f;
    const double tt = t / 36525.0 + 1.0;

    // Local sidereal time at 0 h.
    double t0 = t / 36525.0;
    double s = 24110.5 + 8640184.813 * t0;
    s = s + 86636.6 * Z0 + 86400.0 * L5;
    s = s / 86400.0;
    s = s - Int(s);
    t0 = s * 360.0 * R1;

    t = t + Z0;

    // Sun at 0 h of the day and of the following day.
    const SunEquatorial first = SunPosition(t, tt);
    t = t + 1.0;
    const SunEquatorial second = SunPosition(t, tt);
    const double ra1 = first.rightAscension;
    const double dec1 = first.declination;
    double ra2 = second.rightAscension;
    const double dec2 = second.declination;
    if (ra2 < ra1)
        ra2 = ra2 + P2;

    const double z1 = R1 * kZenithDistance;
    const double sinLat = std::sin(R1 * latitude);
    const double cosLat = std::cos(R1 * latitude);
    const double z = std::cos(z1);

    double a0 = ra1;
    double d0 = dec1;
    const double da = ra2 - ra1;
    const double dd = dec2 - dec1;

    SunCrossing result;
    double v0 = 0.0;
    for (int c0 = 0; c0 < 24; ++c0) {
        const double p = (c0 + 1) / 24.0;
        const double a2 = ra1 + p * da;
        const double d2 = dec1 + p * dd;

        const double l0 = t0 + c0 * K1;
        const double l2 = l0 + K1;
        const double h0 = l0 - a0;
        const double h2 = l2 - a2;
        const double h1 = (h2 + h0) / 2.0;
        const double dMid = (d2 + d0) / 2.0;

        if (c0 == 0)
            v0 = sinLat * std::sin(d0) + cosLat * std::cos(d0) * std::cos(h0) - z;
        const double v2 = sinLat * std::sin(d2) + cosLat * std::cos(d2) * std::cos(h2) - z;

        if (Sgn(v0) != Sgn(v2)) {
            const double v1 = sinLat * std::sin(dMid) + cosLat * std::cos(dMid) * std::cos(h1) - z;
            const double qa = 2.0 * v2 - 4.0 * v1 + 2.0 * v0;
            const double qb = 4.0 * v1 - 3.0 * v0 - v2;
            double disc = qb * qb - 4.0 * qa * v0;
            // A negative discriminant is a day without this crossing; a flat
            // parabola (qa = 0) cannot be solved the same way and counts alike.
            if (disc >= 0.0 && qa != 0.0) {
                disc = std::sqrt(disc);
                double e = (-qb + disc) / (2.0 * qa);
                if (e > 1.0 || e < 0.0)
                    e = (-qb - disc) / (2.0 * qa);
                const double t3 = c0 + e + 1.0 / 120.0; // half a minute, for rounding
                const double h3 = Int(t3);
                const double m3 = Int((t3 - h3) * 60.0);
                const bool ownPattern = event == Event::Rise ? (v0 < 0.0 && v2 > 0.0) : (v0 > 0.0 && v2 < 0.0);
                if (ownPattern && std::isfinite(t3)) {
                    // The latest qualifying hour of the day wins.
                    result.found = true;
                    result.hours = static_cast<int>(h3);
                    result.minutes = static_cast<int>(m3);
                }
            }
        }
        a0 = a2;
        d0 = d2;
        v0 = v2;
    }
    return result;
}

} // namespace

double SunCrossing::value() const
{
    return found ? hours + minutes / 60.0 : 0.0;
}

SunEquatorial SunPosition(double t, double tt)
{
    double l = 0.779072 + 0.00273790931 * t;
    double g = 0.993126 + 0.0027377785 * t;
    l = l - Int(l);
    g = g - Int(g);
    l = l * P2;
    g = g * P2;
    const double v = 0.39785 * std::sin(l) - 0.01 * std::sin(l - g) + 0.00333 * std::sin(l + g)
        - 0.00021 * tt * std::sin(l);
    const double u = 1.0 - 0.03349 * std::cos(g) - 0.00014 * std::cos(2.0 * l) + 0.00008 * std::cos(l);
    const double w = -0.0001 - 0.04129 * std::sin(2.0 * l) + 0.03211 * std::sin(g)
        + 0.00104 * std::sin(2.0 * l - g) - 0.00035 * std::sin(2.0 * l + g) - 0.00008 * tt * std::sin(g);

    SunEquatorial result;
    double s = w / std::sqrt(u - v * v);
    result.rightAscension = l + std::atan(s / std::sqrt(1.0 - s * s));
    s = v / std::sqrt(u);
    result.declination = std::atan(s / std::sqrt(1.0 - s * s));
    return result;
}

SunCrossing SunriseCrossing(double day, double month, double latitude)
{
    return FindCrossing(Event::Rise, day, month, latitude);
}

SunCrossing SunsetCrossing(double day, double month, double latitude)
{
    return FindCrossing(Event::Set, day, month, latitude);
}

double SunriseTime(double day, double month, double latitude)
{
    return SunriseCrossing(day, month, latitude).value();
}

double SunsetTime(double day, double month, double latitude)
{
    return SunsetCrossing(day, month, latitude).value();
}

} // namespace zendrik

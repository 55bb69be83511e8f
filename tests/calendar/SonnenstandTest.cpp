#include "calendar/Sonnenstand.h"

#include <QString>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace zendrik;

namespace {

QString Hm(double hours)
{
    const long minutes = std::lround(hours * 60.0);
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// An independent estimate of the sun times (the NOAA general solar position
// formulas), in minutes of the day at Greenwich; empty on polar days.
struct Estimate {
    bool ok;
    double rise;
    double set;
};

Estimate NoaaEstimate(int dayOfYear, double latitude)
{
    const double pi = std::numbers::pi;
    const double g = 2.0 * pi / 365.0 * (dayOfYear - 1);
    const double eqtime = 229.18
        * (0.000075 + 0.001868 * std::cos(g) - 0.032077 * std::sin(g) - 0.014615 * std::cos(2 * g)
           - 0.040849 * std::sin(2 * g));
    const double decl = 0.006918 - 0.399912 * std::cos(g) + 0.070257 * std::sin(g) - 0.006758 * std::cos(2 * g)
        + 0.000907 * std::sin(2 * g) - 0.002697 * std::cos(3 * g) + 0.00148 * std::sin(3 * g);
    const double lat = latitude * pi / 180.0;
    const double c = std::cos(90.833 * pi / 180.0) / (std::cos(lat) * std::cos(decl)) - std::tan(lat) * std::tan(decl);
    if (c < -1.0 || c > 1.0)
        return {false, 0, 0};
    const double ha = std::acos(c) * 180.0 / pi;
    return {true, 720.0 - 4.0 * ha - eqtime, 720.0 + 4.0 * ha - eqtime};
}

} // namespace

TEST(Sonnenstand, WorkedValues)
{
    EXPECT_EQ(Hm(SunriseTime(21, 6, 50)), QStringLiteral("3:51"));
    EXPECT_EQ(Hm(SunsetTime(21, 6, 50)), QStringLiteral("20:13"));
    EXPECT_EQ(Hm(SunriseTime(21, 12, 50)), QStringLiteral("7:56"));
    EXPECT_EQ(Hm(SunsetTime(21, 12, 50)), QStringLiteral("16:00"));
    EXPECT_EQ(Hm(SunriseTime(21, 3, 0)), QStringLiteral("6:04"));
    EXPECT_EQ(Hm(SunsetTime(21, 3, 0)), QStringLiteral("18:10"));
}

TEST(Sonnenstand, PolarDayAndNightHaveNoCrossing)
{
    EXPECT_EQ(SunriseTime(21, 6, 70), 0.0);
    EXPECT_EQ(SunsetTime(21, 6, 70), 0.0);
    EXPECT_FALSE(SunriseCrossing(21, 6, 70).found);
    EXPECT_FALSE(SunsetCrossing(21, 6, 70).found);
    EXPECT_FALSE(SunriseCrossing(21, 12, 75).found);
    EXPECT_FALSE(SunriseCrossing(21, 12, -75).found);
    EXPECT_FALSE(SunsetCrossing(21, 12, -75).found);
}

TEST(Sonnenstand, TwentyNinthFebruaryIsFirstMarch)
{
    for (const double lat : {-40.0, 0.0, 47.5, 60.0}) {
        EXPECT_EQ(SunriseTime(29, 2, lat), SunriseTime(1, 3, lat)) << lat;
        EXPECT_EQ(SunsetTime(29, 2, lat), SunsetTime(1, 3, lat)) << lat;
    }
}

TEST(Sonnenstand, ResultsAreWholeMinutes)
{
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 28; day += 3) {
            for (const double lat : {-55.0, -20.5, 0.0, 33.0, 48.5, 61.0}) {
                for (const SunCrossing c : {SunriseCrossing(day, month, lat), SunsetCrossing(day, month, lat)}) {
                    ASSERT_TRUE(c.found);
                    ASSERT_GE(c.minutes, 0);
                    ASSERT_LT(c.minutes, 60);
                    const double v = c.value() * 60.0;
                    EXPECT_NEAR(v, std::round(v), 1e-9);
                    EXPECT_EQ(std::lround(v), c.minuteOfDay());
                }
            }
        }
    }
}

// The search must find the same times a different method finds, within the
// few minutes the low-precision formulas differ by.
TEST(Sonnenstand, AgreesWithIndependentEstimate)
{
    const int monthStart[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 28; day += 9) {
            const int doy = monthStart[month - 1] + day;
            for (const double lat : {-50.0, -33.5, 0.0, 23.0, 45.0, 52.5, 60.0}) {
                const Estimate e = NoaaEstimate(doy, lat);
                ASSERT_TRUE(e.ok);
                EXPECT_NEAR(SunriseCrossing(day, month, lat).minuteOfDay(), e.rise, 4.0)
                    << day << "." << month << " lat " << lat;
                EXPECT_NEAR(SunsetCrossing(day, month, lat).minuteOfDay(), e.set, 4.0)
                    << day << "." << month << " lat " << lat;
            }
        }
    }
}

TEST(Sonnenstand, SunPositionAtTheSolsticeAndEquinox)
{
    // 21 June 1999, 0 h UT: the declination is close to +23.44 degrees.
    const double t = 2451350.5 - 2451545.0;
    const SunEquatorial s = SunPosition(t, t / 36525.0 + 1.0);
    EXPECT_NEAR(s.declination * 180.0 / std::numbers::pi, 23.44, 0.05);
    // 21 March 1999: the sun stands at the equator, right ascension near 0.
    const double t2 = 2451258.5 - 2451545.0;
    const SunEquatorial e = SunPosition(t2, t2 / 36525.0 + 1.0);
    EXPECT_NEAR(e.declination * 180.0 / std::numbers::pi, 0.0, 0.5);
    EXPECT_NEAR(std::remainder(e.rightAscension, 2.0 * std::numbers::pi), 0.0, 0.02);
}

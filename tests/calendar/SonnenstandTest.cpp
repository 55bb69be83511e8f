#include "calendar/Sonnenstand.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace zendrik;

namespace {

int Hm(int hours, int minutes)
{
    return hours * 60 + minutes;
}

// An independent estimate of the sun times (the NOAA general solar position
// formulas) in minutes of the day at Greenwich; the latitudes used have no polar days.
std::pair<double, double> NoaaEstimate(int dayOfYear, double latitude)
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
    const double ha = std::acos(c) * 180.0 / pi;
    return {720.0 - 4.0 * ha - eqtime, 720.0 + 4.0 * ha - eqtime};
}

} // namespace

TEST(Sonnenstand, WorkedValues)
{
    const struct {
        int day, month, latitude, rise, set;
    } cases[] = {
        {21, 6, 50, Hm(3, 51), Hm(20, 13)},
        {21, 12, 50, Hm(7, 56), Hm(16, 0)},
        {21, 3, 0, Hm(6, 4), Hm(18, 10)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::lround(SunriseTime(c.day, c.month, c.latitude) * 60.0), c.rise) << c.day << "." << c.month;
        EXPECT_EQ(std::lround(SunsetTime(c.day, c.month, c.latitude) * 60.0), c.set) << c.day << "." << c.month;
    }
}

TEST(Sonnenstand, PolarDayAndNightHaveNoCrossing)
{
    EXPECT_EQ(SunriseTime(21, 6, 70), 0.0);
    EXPECT_EQ(SunsetTime(21, 6, 70), 0.0);
    EXPECT_FALSE(SunriseCrossing(21, 12, 75).found);
    EXPECT_FALSE(SunriseCrossing(21, 12, -75).found);
    EXPECT_FALSE(SunsetCrossing(21, 12, -75).found);
    // 29 February is computed as 1 March (the routines' years are not leap years).
    EXPECT_EQ(SunriseTime(29, 2, 47.5), SunriseTime(1, 3, 47.5));
    EXPECT_EQ(SunsetTime(29, 2, -40), SunsetTime(1, 3, -40));
}

// The search finds the times a different method finds, within the few
// minutes the low-precision formulas differ by, in whole minutes.
TEST(Sonnenstand, AgreesWithIndependentEstimateInWholeMinutes)
{
    const int monthStart[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 28; day += 9) {
            for (const double lat : {-50.0, -33.5, 0.0, 23.0, 45.0, 52.5, 60.0}) {
                const auto [rise, set] = NoaaEstimate(monthStart[month - 1] + day, lat);
                const SunCrossing r = SunriseCrossing(day, month, lat);
                const SunCrossing s = SunsetCrossing(day, month, lat);
                EXPECT_NEAR(r.minuteOfDay(), rise, 4.0) << day << "." << month << " lat " << lat;
                EXPECT_NEAR(s.minuteOfDay(), set, 4.0) << day << "." << month << " lat " << lat;
                for (const SunCrossing& c : {r, s}) {
                    ASSERT_TRUE(c.found && c.minutes >= 0 && c.minutes < 60);
                    EXPECT_NEAR(c.value() * 60.0, c.minuteOfDay(), 1e-9);
                }
            }
        }
    }
}

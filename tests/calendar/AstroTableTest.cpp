#include "calendar/AstroTable.h"
#include "calendar/CalendarMath.h"
#include "calendar/Sonnenstand.h"
#include "calendar/SommerzeitTage.h"
#include "model/ProgramModel.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zendrik;

namespace {

constexpr int kNoTime738 = 1535;
constexpr int kNoTimeOthers = 1791;

int StoredMinutes(double hours)
{
    return static_cast<int>(std::lround(hours * 60.0));
}

ProgramModel ModelFor(int uhrentyp, int year)
{
    ProgramModel model;
    model.device.Uhrentyp = uhrentyp;
    model.device.KeineZeit = FamilyNoTime(uhrentyp);
    model.clock = [year] { return QDateTime(QDate(year, 6, 1), QTime(12, 0)); };
    return model;
}

} // namespace

TEST(AstroTable, CorrectionOfTenDegreesEastInCentralEuropeanTime)
{
    // Longitude 10 degrees east (stored -10), displayed zone +1 h (stored -60):
    // -40 + 60 = +20 minutes on every sun time.
    const AstroYear t = ComputeAstroYear(AstroLocation{-10.0f, 50.0f, -60, 0, 0}, kFamily738, 2023);
    for (int i = 0; i < 365; ++i) {
        const int d = i + 1;
        const int month = MonthOfDayOfYear(d, 2023);
        const int day = DayOfMonthOfDayOfYear(d, 2023);
        ASSERT_EQ(t[static_cast<std::size_t>(i)].rise, StoredMinutes(SunriseTime(day, month, 50.0)) + 20) << d;
        ASSERT_EQ(t[static_cast<std::size_t>(i)].set, StoredMinutes(SunsetTime(day, month, 50.0)) + 20) << d;
    }
    // 21 June: 3:51 and 20:13 at Greenwich.
    EXPECT_EQ(t[171].rise, 3 * 60 + 51 + 20);
    EXPECT_EQ(t[171].set, 20 * 60 + 13 + 20);
}

TEST(AstroTable, OffsetsAndWestLongitude)
{
    // 7.5 degrees west, zone 0: +30 minutes; offsets -15 at sunrise, +10 at sunset.
    const AstroYear t = ComputeAstroYear(AstroLocation{7.5f, 53.5f, 0, -15, 10}, kFamily731, 2023);
    EXPECT_EQ(t[0].rise, StoredMinutes(SunriseTime(1, 1, 53.5)) + 30 - 15);
    EXPECT_EQ(t[0].set, StoredMinutes(SunsetTime(1, 1, 53.5)) + 30 + 10);
}

TEST(AstroTable, TakesWholeMinutesExactly)
{
    // Clock values like 4:05 (4.0833.. h) lose a minute when value * 60 is
    // truncated; the table must hold the exact minute.
    int inexact = 0;
    for (const float lat : {0.0f, 20.0f, 35.5f, 47.0f, 52.0f, 58.5f, -30.0f}) {
        const AstroYear t = ComputeAstroYear(AstroLocation{0.0f, lat, 0, 0, 0}, kFamily731, 2023);
        for (int i = 0; i < 365; ++i) {
            const int d = i + 1;
            const double rise = SunriseTime(DayOfMonthOfDayOfYear(d, 2023), MonthOfDayOfYear(d, 2023), lat);
            ASSERT_EQ(t[static_cast<std::size_t>(i)].rise, StoredMinutes(rise));
            if (static_cast<int>(rise * 60.0) != StoredMinutes(rise))
                ++inexact;
        }
    }
    EXPECT_GT(inexact, 0);   // the sample does contain such clock values
}

TEST(AstroTable, PolarDayAndNightStoreNoTime)
{
    for (const int family : {kFamily738, kFamily752, kFamily731}) {
        const AstroYear t = ComputeAstroYear(AstroLocation{0.0f, 70.0f, -60, 30, -30}, family, 2023);
        const int noTime = FamilyNoTime(family);
        EXPECT_EQ(t[171].rise, noTime) << family;   // 21 June: the sun does not set
        EXPECT_EQ(t[171].set, noTime) << family;
        EXPECT_EQ(t[354].rise, noTime) << family;   // 21 December: it does not rise
        EXPECT_EQ(t[354].set, noTime) << family;
        EXPECT_NE(t[79].rise, noTime) << family;    // 21 March: an ordinary day
    }
}

TEST(AstroTable, RangeRulesOfTheBusDevice)
{
    // Sunrise pushed before midnight switches at 0:00; sunset after midnight at 23:59.
    const AstroYear early = ComputeAstroYear(AstroLocation{0.0f, 50.0f, 0, -600, 600}, kFamily738, 2023);
    EXPECT_EQ(early[171].rise, 0);
    EXPECT_EQ(early[171].set, 1439);
    // Sunrise pushed past midnight and sunset before midnight have no time.
    const AstroYear late = ComputeAstroYear(AstroLocation{0.0f, 50.0f, 0, 1300, -1300}, kFamily738, 2023);
    EXPECT_EQ(late[171].rise, kNoTime738);
    EXPECT_EQ(late[171].set, kNoTime738);
    // The edges themselves stay: 3:51 - 231 = 0:00 and 20:13 + 226 = 23:59.
    const AstroYear edge = ComputeAstroYear(AstroLocation{0.0f, 50.0f, 0, -231, 226}, kFamily738, 2023);
    EXPECT_EQ(edge[171].rise, 0);
    EXPECT_EQ(edge[171].set, 1439);
    const AstroYear over = ComputeAstroYear(AstroLocation{0.0f, 50.0f, 0, -232, 227}, kFamily738, 2023);
    EXPECT_EQ(over[171].rise, 0);
    EXPECT_EQ(over[171].set, 1439);
}

TEST(AstroTable, RangeRulesOfTheOtherDevices)
{
    // 731: offsets are in the table; anything outside the day has no time.
    const AstroYear edge = ComputeAstroYear(AstroLocation{0.0f, 50.0f, 0, -231, 226}, kFamily731, 2023);
    EXPECT_EQ(edge[171].rise, 0);
    EXPECT_EQ(edge[171].set, 1439);
    const AstroYear over = ComputeAstroYear(AstroLocation{0.0f, 50.0f, 0, -232, 227}, kFamily731, 2023);
    EXPECT_EQ(over[171].rise, kNoTimeOthers);
    EXPECT_EQ(over[171].set, kNoTimeOthers);
    const AstroYear late = ComputeAstroYear(AstroLocation{0.0f, 50.0f, 0, 1300, -1300}, kFamily731, 2023);
    EXPECT_EQ(late[171].rise, kNoTimeOthers);
    EXPECT_EQ(late[171].set, kNoTimeOthers);

    // 752: the offsets stay out of the table (the device adds them), so the
    // range rules are seen through the zone: +3:52 pushes 20:13 past midnight.
    const AstroYear zone = ComputeAstroYear(AstroLocation{0.0f, 50.0f, -227, -500, 500}, kFamily752, 2023);
    EXPECT_EQ(zone[171].rise, 3 * 60 + 51 + 227);
    EXPECT_EQ(zone[171].set, kNoTimeOthers);
    const AstroYear back = ComputeAstroYear(AstroLocation{0.0f, 50.0f, 232, 0, 0}, kFamily752, 2023);
    EXPECT_EQ(back[171].rise, kNoTimeOthers);
    EXPECT_EQ(back[171].set, 20 * 60 + 13 - 232);
}

TEST(AstroTable, UsesTheCalendarOfTheModelsYear)
{
    ProgramModel leap = ModelFor(kFamily738, 2024);
    ProgramModel common = ModelFor(kFamily738, 2023);
    ComputeAstroTable(leap, -10.0f, 50.0f, -60, 0, 0, 2);
    ComputeAstroTable(common, -10.0f, 50.0f, -60, 0, 0, 2);
    const auto& l = leap.program().astro.AstroTab[2];
    const auto& c = common.program().astro.AstroTab[2];
    // Day 61 is 1 March in the leap year and 2 March in the common year.
    EXPECT_EQ(l[60].rise, c[59].rise);
    EXPECT_EQ(l[60].set, c[59].set);
    EXPECT_NE(l[60].set, c[60].set);
    // Other channels stay untouched.
    EXPECT_EQ(leap.program().astro.AstroTab[1][100], AstroDay{});
    EXPECT_EQ(leap.Geaendert, 0);
}

TEST(AstroTable, StoreFillsStatesLimitsAndFlags)
{
    ProgramModel model = ModelFor(kFamily738, 2023);
    const AstroSettings s{AstroLocation{-13.5f, 52.5f, -60, 5, -5}, 360, 1380, -1, 0};
    ASSERT_TRUE(StoreAstroProgram(model, s, 3));
    const AstroProgram& a = model.program().astro;
    EXPECT_EQ(a.AstroLaenge, -13.5f);
    EXPECT_EQ(a.AstroBreite, 52.5f);
    EXPECT_EQ(a.AstroZone, -60);
    EXPECT_EQ(a.AstroOffsetAuf, 5);
    EXPECT_EQ(a.AstroOffsetUnter, -5);
    EXPECT_EQ(a.AstroAktiv[4], -1);
    EXPECT_EQ(a.AstroAktiv[0], -1);
    EXPECT_EQ(a.AstroAktiv[1], 0);
    EXPECT_EQ(a.AstroGrenze[3], (AstroLimits{360, 1380, -1, 0}));
    for (int i = 0; i < 366; ++i) {
        EXPECT_EQ(a.AstroTab[3][static_cast<std::size_t>(i)].riseState, -1);
        EXPECT_EQ(a.AstroTab[3][static_cast<std::size_t>(i)].setState, 0);
    }
    const AstroYear expected = ComputeAstroYear(s.location, kFamily738, 2023);
    EXPECT_EQ(a.AstroTab[3][200].rise, expected[200].rise);
    EXPECT_EQ(model.Geaendert, 1);
}

TEST(AstroTable, StoreRefusesChannelsWithoutTable)
{
    ProgramModel one = ModelFor(kFamily752, 2023);
    EXPECT_TRUE(StoreAstroProgram(one, AstroSettings{}, 0));
    EXPECT_FALSE(StoreAstroProgram(one, AstroSettings{}, 1));
    ProgramModel none = ModelFor(kFamily731, 2023);
    EXPECT_FALSE(StoreAstroProgram(none, AstroSettings{}, 0));
    EXPECT_EQ(none.Geaendert, 0);
    EXPECT_FALSE(StoreAstroProgram(one, AstroSettings{}, -1));
}

TEST(AstroTable, ShownTimesAddTheSummerHour)
{
    ProgramModel model = ModelFor(kFamily738, 2023);
    model.device.SwRegel = SwEuropa;
    auto& day = model.program().astro.AstroTab[0];
    day[9] = AstroDay{480, 1000, -1, 0};            // 10 January
    day[189] = AstroDay{300, kNoTime738, -1, 0};    // 9 July
    day[190] = AstroDay{310, 1420, -1, 0};          // 10 July

    const AstroShownTimes winter = ShownAstroTimes(model, 0, 0, 10, 2023);
    EXPECT_EQ(winter.rise, 480);
    EXPECT_EQ(winter.set, 1000);
    const AstroShownTimes summer = ShownAstroTimes(model, 0, 0, 190, 2023);
    EXPECT_EQ(summer.rise, 360);
    EXPECT_FALSE(summer.set.has_value());
    // A late sunset leaves the day by the summer hour; the caller decides.
    EXPECT_EQ(ShownAstroTimes(model, 0, 0, 191, 2023).set, 1480);

    model.device.SwRegel = SwKeine;
    EXPECT_EQ(ShownAstroTimes(model, 0, 0, 190, 2023).rise, 300);
    EXPECT_FALSE(ShownAstroTimes(model, 0, 0, 0, 2023).rise.has_value());
    EXPECT_FALSE(ShownAstroTimes(model, 0, 0, 367, 2023).rise.has_value());
}

TEST(AstroTable, ShownTimesOfTheAstroDeviceIncludeItsOffsets)
{
    ProgramModel model = ModelFor(kFamily752, 2023);
    model.device.SwRegel = SwEuropa;
    AstroProgram& a = model.program().astro;
    a.AstroOffsetAuf = -20;
    a.AstroOffsetUnter = 15;
    a.AstroTab[0][190] = AstroDay{310, 1200, -1, 0};
    a.AstroTab[0][10] = AstroDay{kNoTimeOthers, 1000, -1, 0};
    const AstroShownTimes summer = ShownAstroTimes(model, 0, 0, 191, 2023);
    EXPECT_EQ(summer.rise, 310 - 20 + 60);
    EXPECT_EQ(summer.set, 1200 + 15 + 60);
    const AstroShownTimes winter = ShownAstroTimes(model, 0, 0, 11, 2023);
    EXPECT_FALSE(winter.rise.has_value());
    EXPECT_EQ(winter.set, 1015);

    // What the dialog stores and what is shown agree with the sun times.
    ASSERT_TRUE(StoreAstroProgram(model, AstroSettings{AstroLocation{0.0f, 50.0f, 0, -20, 15}, 0, 1439, -1, 0}, 0));
    EXPECT_EQ(ShownAstroTimes(model, 0, 0, 172, 2023).rise, 3 * 60 + 51 - 20 + 60);
    EXPECT_EQ(ShownAstroTimes(model, 0, 0, 172, 2023).set, 20 * 60 + 13 + 15 + 60);
}

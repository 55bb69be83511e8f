#include "calendar/AstroTable.h"
#include "calendar/SommerzeitTage.h"
#include "calendar/Sonnenstand.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zendrik;

namespace {

constexpr int kNoTime738 = 1535;
constexpr int kNoTimeOthers = 1791;
// 21 June at 50 degrees north, at Greenwich: sunrise 3:51, sunset 20:13.
constexpr std::size_t kJune21 = 171;
constexpr int kRise = 3 * 60 + 51;
constexpr int kSet = 20 * 60 + 13;

ProgramModel ModelFor(int uhrentyp, int year)
{
    ProgramModel model;
    model.device.Uhrentyp = uhrentyp;
    model.device.KeineZeit = FamilyNoTime(uhrentyp);
    model.clock = [year] { return QDateTime(QDate(year, 6, 1), QTime(12, 0)); };
    return model;
}

} // namespace

// Four minutes per degree of the stored (west positive) longitude minus the
// stored zone; the 738 and 731 tables hold the offsets, the 752 adds them itself.
TEST(AstroTable, EveryDayIsTheSunTimeCorrected)
{
    const struct {
        AstroLocation location;
        int family, riseShift, setShift;
    } cases[] = {
        {{-10.0f, 50.0f, -60, 0, 0}, kFamily738, 20, 20}, // 10 degrees east, displayed zone +1:00
        {{7.5f, 53.5f, 0, -15, 10}, kFamily731, 15, 40},  // 7.5 degrees west
        {{0.0f, 35.5f, -30, -15, 10}, kFamily752, 30, 30},
        {{0.0f, -30.0f, 0, 0, 0}, kFamily731, 0, 0},
    };
    int inexact = 0;
    for (const auto& c : cases) {
        const AstroYear t = ComputeAstroYear(c.location, c.family, 2023);
        for (int d = 1; d <= 365; ++d) {
            const int day = DayOfMonthOfDayOfYear(d, 2023);
            const int month = MonthOfDayOfYear(d, 2023);
            const double rise = SunriseTime(day, month, c.location.breite) * 60.0;
            const double set = SunsetTime(day, month, c.location.breite) * 60.0;
            ASSERT_EQ(t[d - 1U], (AstroTimes{static_cast<int>(std::lround(rise)) + c.riseShift, static_cast<int>(std::lround(set)) + c.setShift}))
                << c.family << " day " << d;
            // Truncating value * 60 would lose a minute on clock values like 4:05.
            inexact += static_cast<int>(rise) != std::lround(rise);
        }
    }
    EXPECT_GT(inexact, 0);
    EXPECT_EQ(ComputeAstroYear(cases[0].location, kFamily738, 2023)[kJune21], (AstroTimes{kRise + 20, kSet + 20}));
}

TEST(AstroTable, RangeRulesAtBothEndsOfTheDayAndPolarDays)
{
    const struct {
        int family, zone, offsetAuf, offsetUnter, rise, set;
    } cases[] = {
        // The bus device: a sunrise before midnight switches at 0:00, a
        // sunset after midnight at 23:59; pushed the other way, no time.
        {kFamily738, 0, -kRise, 1439 - kSet, 0, 1439},
        {kFamily738, 0, -kRise - 1, 1440 - kSet, 0, 1439},
        {kFamily738, 0, -600, 600, 0, 1439},
        {kFamily738, 0, 1300, -1300, kNoTime738, kNoTime738},
        // The others: anything outside the day has no time.
        {kFamily731, 0, -kRise, 1439 - kSet, 0, 1439},
        {kFamily731, 0, -kRise - 1, 1440 - kSet, kNoTimeOthers, kNoTimeOthers},
        {kFamily731, 0, 1300, -1300, kNoTimeOthers, kNoTimeOthers},
        // 752: the offsets stay out of the table, the zone alone moves the times.
        {kFamily752, -(1440 - kSet), -500, 500, kRise + 1440 - kSet, kNoTimeOthers},
        {kFamily752, kRise + 1, 0, 0, kNoTimeOthers, kSet - kRise - 1},
    };
    for (const auto& c : cases) {
        const AstroLocation at{0.0f, 50.0f, c.zone, c.offsetAuf, c.offsetUnter};
        EXPECT_EQ(ComputeAstroYear(at, c.family, 2023)[kJune21], (AstroTimes{c.rise, c.set}))
            << c.family << " zone " << c.zone << " offsets " << c.offsetAuf << " " << c.offsetUnter;
    }
    // At 70 degrees north the sun does not set on 21 June nor rise on 21 December.
    for (const int family : {kFamily738, kFamily752, kFamily731}) {
        const AstroYear t = ComputeAstroYear(AstroLocation{0.0f, 70.0f, -60, 30, -30}, family, 2023);
        const int noTime = FamilyNoTime(family);
        EXPECT_EQ(t[kJune21], (AstroTimes{noTime, noTime})) << family;
        EXPECT_EQ(t[354], (AstroTimes{noTime, noTime})) << family;
        EXPECT_NE(t[79].rise, noTime) << family; // 21 March
    }
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
    EXPECT_EQ(std::tuple(l[60], l[60].set != c[60].set, leap.program().astro.AstroTab[1][100]), std::tuple(c[59], true, AstroDay{}));
}

TEST(AstroTable, StoreFillsTheChannelAndRefusesChannelsWithoutTable)
{
    ProgramModel model = ModelFor(kFamily738, 2023);
    // States the device cannot keep are not stored: OFF at sunrise, ON at sunset.
    const AstroSettings s{AstroLocation{-13.5f, 52.5f, -60, 5, -5}, 360, 1380, -1, 0};
    ASSERT_TRUE(StoreAstroProgram(model, s, 3));
    const AstroProgram& a = model.program().astro;
    // The place, the program and the channel marked as astro, the limits with the device's states.
    EXPECT_EQ(std::tuple(a.AstroLaenge, a.AstroOffsetUnter, a.AstroAktiv[0], a.AstroAktiv[1], a.AstroAktiv[4], a.AstroGrenze[3]),
              std::tuple(-13.5f, -5, -1, 0, -1, AstroLimits{360, 1380, kAstroRiseState, kAstroSetState}));
    const AstroYear sun = ComputeAstroYear(s.location, kFamily738, 2023);
    for (std::size_t i = 0; i < 366; ++i)
        ASSERT_EQ(a.AstroTab[3][i], (AstroDay{std::max(sun[i].rise, 360), std::min(sun[i].set, 1380), 0, -1})) << i;
    EXPECT_EQ(model.Geaendert, 1);

    ProgramModel one = ModelFor(kFamily752, 2023);
    ProgramModel none = ModelFor(kFamily731, 2023);
    EXPECT_EQ((std::tuple{StoreAstroProgram(one, AstroSettings{}, 1), StoreAstroProgram(one, AstroSettings{}, -1),
                          StoreAstroProgram(none, AstroSettings{}, 0), none.Geaendert, one.Geaendert}),
              std::tuple(false, false, false, 0, 0));
}

TEST(AstroTable, ShownTimesAddTheSummerHourAndTheOffsetsOfThe752)
{
    ProgramModel model = ModelFor(kFamily738, 2023);
    model.device.SwRegel = SwEuropa;
    auto& tab = model.program().astro.AstroTab[0];
    tab[9] = AstroDay{480, 1000, -1, 0};         // 10 January
    tab[189] = AstroDay{300, kNoTime738, -1, 0}; // 9 July
    tab[190] = AstroDay{310, 1420, -1, 0};       // 10 July
    const auto shown = [&model](int day) {
        const AstroShownTimes t = ShownAstroTimes(model, 0, 0, day, 2023);
        return std::pair(t.rise.value_or(-1), t.set.value_or(-1));
    };
    // A late sunset leaves the day by the summer hour; the caller decides.
    EXPECT_EQ(std::tuple(shown(10), shown(190), shown(191).second, shown(367).first),
              std::tuple(std::pair(480, 1000), std::pair(360, -1), 1480, -1));
    model.device.SwRegel = SwKeine;
    EXPECT_EQ(shown(190).first, 300);

    ProgramModel astro = ModelFor(kFamily752, 2023);
    astro.device.SwRegel = SwEuropa;
    ASSERT_TRUE(StoreAstroProgram(astro, AstroSettings{AstroLocation{0.0f, 50.0f, 0, -20, 15}, 0, 1439, 0, -1}, 0));
    const AstroShownTimes june = ShownAstroTimes(astro, 0, 0, 172, 2023);
    EXPECT_EQ(std::pair(june.rise, june.set), std::pair(std::optional(kRise - 20 + 60), std::optional(kSet + 15 + 60)));
    astro.program().astro.AstroTab[0][10].rise = kNoTimeOthers;
    EXPECT_FALSE(ShownAstroTimes(astro, 0, 0, 11, 2023).rise.has_value());
}

// The limits are written into the table the device receives: the device,
// the list and the simulation all switch at the limit on the clock (summer
// hour included), in the year of computing and in every year the table
// serves after it, where the changeover days move.
TEST(AstroTable, LimitsAreWrittenIntoTheTableForEveryYearItServes)
{
    constexpr int kMorning = 6 * 60;
    constexpr int kEvening = 21 * 60;
    const struct {
        int family;
        int rule;
        int riseOffset, setOffset;
    } cases[] = {{kFamily738, SwEuropa, 0, 0}, {kFamily738, SwUsa, -20, 30}, {kFamily752, SwEuropa, -20, 30}, {kFamily752, SwGrossbritannien, 10, -10}, {kFamily752, SwKeine, 0, 0}};
    for (const auto& c : cases) {
        ProgramModel model = ModelFor(c.family, 2026);
        model.device.SwRegel = c.rule;
        const AstroLocation berlin{-13.5f, 52.5f, -60, c.riseOffset, c.setOffset};
        ASSERT_TRUE(StoreAstroProgram(model, AstroSettings{berlin, kMorning, kEvening, 0, -1}, 0));
        const AstroYear sun = ComputeAstroYear(berlin, c.family, 2026);
        int atMorning = 0;
        int atEvening = 0;
        for (int year = 2026; year < 2026 + kAstroTableYearsServed; ++year) {
            for (int day = 1; day <= DaysInYear(year); ++day) {
                const AstroShownTimes t = ShownAstroTimes(model, 0, 0, day, year);
                ASSERT_TRUE(t.rise && t.set) << day;
                ASSERT_GE(*t.rise, kMorning) << c.family << ' ' << c.rule << ' ' << year << ' ' << day;
                ASSERT_LE(*t.set, kEvening) << c.family << ' ' << c.rule << ' ' << year << ' ' << day;
                atMorning += year == 2026 && *t.rise == kMorning;
                atEvening += year == 2026 && *t.set == kEvening;
            }
        }
        // Around midsummer the limits switch, not the sun (Berlin: 4:43 and 21:33 summer time).
        const AstroShownTimes june = ShownAstroTimes(model, 0, 0, 172, 2026);
        EXPECT_EQ(std::pair(*june.rise, *june.set), std::pair(kMorning, c.rule == SwKeine ? sun[171].set : kEvening))
            << c.family << ' ' << c.rule;
        EXPECT_GT(atMorning, 30) << c.family << ' ' << c.rule;
        EXPECT_GT(atEvening, c.rule == SwKeine ? -1 : 30) << c.family << ' ' << c.rule;
        // In winter the sun's own times stay in the table.
        const AstroDay& december = model.program().astro.AstroTab[0][354];
        EXPECT_EQ(std::pair(december.rise, december.set), std::pair(sun[354].rise, sun[354].set));
    }
}

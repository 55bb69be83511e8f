#include "calendar/AstroEingabe.h"
#include "calendar/AstroScrollBars.h"
#include "calendar/AstroTable.h"
#include "calendar/AstroTexts.h"
#include "calendar/PlaceList.h"
#include "calendar/SequentialItems.h"
#include "calendar/SommerzeitTage.h"
#include "calendar/Sonnenstand.h"
#include "language/TextTable.h"
#include "model/ProgramModel.h"
#include "tests/support/TestPrograms.h"
#include "util/CalendarMath.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int kNoTime738 = 1535, kNoTimeOthers = 1791;
constexpr int Hm(int hours, int minutes) { return hours * 60 + minutes; }
// 21 June at 50 degrees north, at Greenwich: sunrise 3:51, sunset 20:13.
constexpr std::size_t kJune21 = 171;
constexpr int kRise = Hm(3, 51), kSet = Hm(20, 13);

ProgramModel ModelFor(int uhrentyp, int year, int swRegel = SwKeine)
{
    ProgramModel model;
    model.device.Uhrentyp = uhrentyp;
    model.device.KeineZeit = FamilyNoTime(uhrentyp);
    model.device.SwRegel = swRegel;
    model.clock = [year] { return QDateTime(QDate(year, 6, 1), QTime(12, 0)); };
    return model;
}

std::pair<int, int> Shown(const ProgramModel& model, int day, int year = 2023)
{
    const AstroShownTimes t = ShownAstroTimes(model, 0, 0, day, year);
    return {t.rise.value_or(-1), t.set.value_or(-1)};
}

// An independent estimate of the sun times (the NOAA general solar position
// formulas) in minutes of the day at Greenwich; for latitudes without polar days.
std::pair<double, double> NoaaEstimate(int dayOfYear, double latitude)
{
    const double pi = std::numbers::pi, g = 2.0 * pi / 365.0 * (dayOfYear - 1);
    const double eqtime = 229.18 * (0.000075 + 0.001868 * std::cos(g) - 0.032077 * std::sin(g) - 0.014615 * std::cos(2 * g) - 0.040849 * std::sin(2 * g));
    const double decl = 0.006918 - 0.399912 * std::cos(g) + 0.070257 * std::sin(g) - 0.006758 * std::cos(2 * g) + 0.000907 * std::sin(2 * g) - 0.002697 * std::cos(3 * g) + 0.00148 * std::sin(3 * g);
    const double lat = latitude * pi / 180.0;
    const double ha = std::acos(std::cos(90.833 * pi / 180.0) / (std::cos(lat) * std::cos(decl)) - std::tan(lat) * std::tan(decl)) * 180.0 / pi;
    return {720.0 - 4.0 * ha - eqtime, 720.0 + 4.0 * ha - eqtime};
}

PlaceList TwoPlaces()
{
    PlaceList list;
    EXPECT_EQ(list.add(Place::fromLocation(u"Berlin"_s, -13.5f, 52.5f, -60)), PlaceFileResult::Ok);
    EXPECT_EQ(list.add(Place::fromLocation(u"Tórshavn Ísland"_s, 7.0f, 60.0f, 0)), PlaceFileResult::Ok);
    return list;
}

} // namespace

TEST(Sonnenstand, WorkedValuesAndPolarDays)
{
    for (const auto& [day, month, latitude, rise, set] : {std::array{21, 12, 50, Hm(7, 56), Hm(16, 0)}, std::array{21, 3, 0, Hm(6, 4), Hm(18, 10)}})
        EXPECT_EQ(std::pair(std::lround(SunriseTime(day, month, latitude) * 60.0), std::lround(SunsetTime(day, month, latitude) * 60.0)), std::pair(long{rise}, long{set})) << day << '.' << month;
    EXPECT_EQ(std::tuple(SunriseTime(21, 6, 70), SunsetTime(21, 6, 70), SunriseCrossing(21, 12, 75).found, SunriseCrossing(21, 12, -75).found, SunsetCrossing(21, 12, -75).found), std::tuple(0.0, 0.0, false, false, false));
    // 29 February is computed as 1 March (the routines' years are not leap years).
    EXPECT_EQ(std::pair(SunriseTime(29, 2, 47.5), SunsetTime(29, 2, -40)), std::pair(SunriseTime(1, 3, 47.5), SunsetTime(1, 3, -40)));
}

// The search finds the times a different method finds, within the few
// minutes the low-precision formulas differ by, in whole minutes.
TEST(Sonnenstand, AgreesWithIndependentEstimateInWholeMinutes)
{
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 28; day += 9) {
            for (const double lat : {-50.0, -33.5, 0.0, 23.0, 45.0, 52.5, 60.0}) {
                const auto [rise, set] = NoaaEstimate(QDate(2023, month, day).dayOfYear(), lat);
                const SunCrossing r = SunriseCrossing(day, month, lat), s = SunsetCrossing(day, month, lat);
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

// Four minutes per degree of the stored (west positive) longitude minus the
// stored zone; the 738 and 731 tables hold the offsets, the 752 adds them itself.
TEST(AstroTable, EveryDayIsTheSunTimeCorrected)
{
    const std::tuple<AstroLocation, int, int, int> cases[] = {
        // place, family, minutes added to the sunrise and the sunset
        {{-10.0f, 50.0f, -60, 0, 0}, kFamily738, 20, 20}, // 10 degrees east, displayed zone +1:00
        {{7.5f, 53.5f, 0, -15, 10}, kFamily731, 15, 40},  // 7.5 degrees west
        {{0.0f, 35.5f, -30, -15, 10}, kFamily752, 30, 30},
        {{0.0f, -30.0f, 0, 0, 0}, kFamily731, 0, 0},
    };
    int inexact = 0;
    for (const auto& [location, family, riseShift, setShift] : cases) {
        const AstroYear t = ComputeAstroYear(location, family, 2023);
        for (int d = 1; d <= 365; ++d) {
            const int day = DayOfMonthOfDayOfYear(d, 2023), month = MonthOfDayOfYear(d, 2023);
            const double rise = SunriseTime(day, month, location.breite) * 60.0, set = SunsetTime(day, month, location.breite) * 60.0;
            ASSERT_EQ(t[d - 1U], (AstroTimes{static_cast<int>(std::lround(rise)) + riseShift, static_cast<int>(std::lround(set)) + setShift})) << family << " day " << d;
            inexact += static_cast<int>(rise) != std::lround(rise); // truncating would lose a minute on 4:05
        }
    }
    EXPECT_GT(inexact, 0);
    EXPECT_EQ(ComputeAstroYear(std::get<0>(cases[0]), kFamily738, 2023)[kJune21], (AstroTimes{kRise + 20, kSet + 20}));
}

TEST(AstroTable, RangeRulesAtBothEndsOfTheDayAndPolarDays)
{
    const std::array<int, 6> cases[] = {
        // family, zone, offsets, the sunrise and sunset of 21 June
        // The bus device: a sunrise before midnight switches at 0:00, a sunset
        // after midnight at 23:59; pushed the other way, no time.
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
    for (const auto& [family, zone, offsetAuf, offsetUnter, rise, set] : cases)
        EXPECT_EQ(ComputeAstroYear(AstroLocation{0.0f, 50.0f, zone, offsetAuf, offsetUnter}, family, 2023)[kJune21], (AstroTimes{rise, set})) << family << " zone " << zone << " offsets " << offsetAuf << " " << offsetUnter;
    // At 70 degrees north the sun does not set on 21 June nor rise on 21 December; it does on 21 March.
    for (const int family : {kFamily738, kFamily752, kFamily731}) {
        const AstroYear t = ComputeAstroYear(AstroLocation{0.0f, 70.0f, -60, 30, -30}, family, 2023);
        const AstroTimes none{FamilyNoTime(family), FamilyNoTime(family)};
        EXPECT_EQ(std::tuple(t[kJune21], t[354], t[79].rise != none.rise), std::tuple(none, none, true)) << family;
    }
    // The calendar of the model's year: day 61 is 1 March in a leap year, 2 March otherwise.
    ProgramModel leap = ModelFor(kFamily738, 2024), common = ModelFor(kFamily738, 2023);
    ComputeAstroTable(leap, -10.0f, 50.0f, -60, 0, 0, 2);
    ComputeAstroTable(common, -10.0f, 50.0f, -60, 0, 0, 2);
    const auto &l = leap.program().astro.AstroTab[2], &c = common.program().astro.AstroTab[2];
    EXPECT_EQ(std::tuple(l[60], l[60].set != c[60].set, leap.program().astro.AstroTab[1][100]), std::tuple(c[59], true, AstroDay{}));
}

TEST(AstroTable, StoreFillsTheChannelAndShowsItWithTheSummerHour)
{
    ProgramModel model = ModelFor(kFamily738, 2023);
    // States the device cannot keep are not stored: OFF at sunrise, ON at sunset.
    const AstroSettings s{AstroLocation{-13.5f, 52.5f, -60, 5, -5}, 360, 1380, -1, 0};
    ASSERT_TRUE(StoreAstroProgram(model, s, 3));
    const AstroProgram& a = model.program().astro;
    // The place, the program and the channel marked as astro, the limits with the device's states.
    EXPECT_EQ(std::tuple(a.AstroLaenge, a.AstroOffsetUnter, a.AstroAktiv[0], a.AstroAktiv[1], a.AstroAktiv[4], a.AstroGrenze[3], model.Geaendert),
              std::tuple(-13.5f, -5, -1, 0, -1, AstroLimits{360, 1380, kAstroRiseState, kAstroSetState}, 1));
    const AstroYear sun = ComputeAstroYear(s.location, kFamily738, 2023);
    for (std::size_t i = 0; i < 366; ++i) ASSERT_EQ(a.AstroTab[3][i], (AstroDay{std::max(sun[i].rise, 360), std::min(sun[i].set, 1380), 0, -1})) << i;
    // Channels without a table are refused and change nothing.
    ProgramModel one = ModelFor(kFamily752, 2023), none = ModelFor(kFamily731, 2023);
    EXPECT_EQ((std::tuple{StoreAstroProgram(one, AstroSettings{}, 1), StoreAstroProgram(one, AstroSettings{}, -1), StoreAstroProgram(none, AstroSettings{}, 0), none.Geaendert, one.Geaendert}), std::tuple(false, false, false, 0, 0));

    // Shown: the summer hour added; a late sunset leaves the day by it (the caller decides).
    ProgramModel shown = ModelFor(kFamily738, 2023, SwEuropa);
    auto& tab = shown.program().astro.AstroTab[0];
    tab[9] = AstroDay{480, 1000, -1, 0};         // 10 January
    tab[189] = AstroDay{300, kNoTime738, -1, 0}; // 9 July
    tab[190] = AstroDay{310, 1420, -1, 0};       // 10 July
    EXPECT_EQ(std::tuple(Shown(shown, 10), Shown(shown, 190), Shown(shown, 191).second, Shown(shown, 367).first), std::tuple(std::pair(480, 1000), std::pair(360, -1), 1480, -1));
    shown.device.SwRegel = SwKeine;
    EXPECT_EQ(Shown(shown, 190).first, 300);
    // The astro device adds its offsets to the shown times.
    ProgramModel astro = ModelFor(kFamily752, 2023, SwEuropa);
    ASSERT_TRUE(StoreAstroProgram(astro, AstroSettings{AstroLocation{0.0f, 50.0f, 0, -20, 15}, 0, 1439, 0, -1}, 0));
    EXPECT_EQ(Shown(astro, 172), std::pair(kRise - 20 + 60, kSet + 15 + 60));
    astro.program().astro.AstroTab[0][10].rise = kNoTimeOthers;
    EXPECT_EQ(Shown(astro, 11).first, -1);
}

// The limits are written into the table the device receives: the device, the
// list and the simulation all switch at the limit on the clock (summer hour
// included), in the year of computing and every year the table serves after
// it, where the changeover days move.
TEST(AstroTable, LimitsAreWrittenIntoTheTableForEveryYearItServes)
{
    constexpr int kMorning = Hm(6, 0), kEvening = Hm(21, 0);
    const std::array<int, 4> cases[] = {{kFamily738, SwEuropa, 0, 0}, {kFamily738, SwUsa, -20, 30}, {kFamily752, SwEuropa, -20, 30}, {kFamily752, SwGrossbritannien, 10, -10}, {kFamily752, SwKeine, 0, 0}};
    for (const auto& [family, rule, riseOffset, setOffset] : cases) {
        SCOPED_TRACE(testing::Message() << family << ' ' << rule);
        ProgramModel model = ModelFor(family, 2026, rule);
        const AstroLocation berlin{-13.5f, 52.5f, -60, riseOffset, setOffset};
        ASSERT_TRUE(StoreAstroProgram(model, AstroSettings{berlin, kMorning, kEvening, 0, -1}, 0));
        const AstroYear sun = ComputeAstroYear(berlin, family, 2026);
        int atMorning = 0, atEvening = 0;
        for (int year = 2026; year < 2026 + kAstroTableYearsServed; ++year) {
            for (int day = 1; day <= DaysInYear(year); ++day) {
                const auto [rise, set] = Shown(model, day, year);
                ASSERT_TRUE(rise >= kMorning && set >= 0 && set <= kEvening) << year << ' ' << day << ": " << rise << ' ' << set;
                atMorning += year == 2026 && rise == kMorning;
                atEvening += year == 2026 && set == kEvening;
            }
        }
        // Around midsummer the limits switch, not the sun (Berlin: 4:43 and 21:33 summer time);
        // in winter the sun's own times stay in the table.
        EXPECT_EQ(Shown(model, 172, 2026), std::pair(kMorning, rule == SwKeine ? sun[171].set : kEvening));
        EXPECT_TRUE(atMorning > 30 && (atEvening > 30 || rule == SwKeine)) << atMorning << ' ' << atEvening;
        const AstroDay& december = model.program().astro.AstroTab[0][354];
        EXPECT_EQ(std::pair(december.rise, december.set), std::pair(sun[354].rise, sun[354].set));
    }
}

TEST(AstroEingabe, ChannelFromTheMainWindowsLabel)
{
    using enum AstroChannelCheck;
    const std::tuple<int, const char*, AstroChannelCheck, int> cases[] = {
        {kFamily738, "C1", Ok, 0},
        {kFamily738, "C4", Ok, 3},
        {kFamily738, "C5", NotAnAstroChannel, 0},
        {kFamily738, "C16", NotAnAstroChannel, 0},
        {kFamily738, "", NotAnAstroChannel, 0},
        {kFamily738, "C", NotAnAstroChannel, 0},
        {kFamily738, "C0", NotAnAstroChannel, 0},
        // The astro device has one table; channel 2 follows it.
        {kFamily752, "C2", Ok, 0},
        {kFamily752, "", Ok, 0},
        {kFamily752, "C99", NotAstroDeviceChannel, 0},
        {kFamily752, "C0", NotAstroDeviceChannel, 0},
        {kFamily731, "C1", NoAstroDevice, 0},
    };
    for (const auto& [uhrentyp, label, check, channel] : cases) {
        const AstroChannel r = AstroChannelOfLabel(uhrentyp, QString::fromLatin1(label));
        EXPECT_EQ(std::pair(r.check, r.channel), std::pair(check, channel)) << uhrentyp << " " << label;
    }
    TextTable texts;
    texts.LoadEnglish();
    EXPECT_EQ(std::pair(AstroChannelMessage(NotAnAstroChannel, texts), AstroChannelMessage(Ok, texts)), std::pair(texts(kAstroNotAnAstroChannel), QString()));
}

TEST(AstroEingabe, BarTextsInTheThreeLanguages)
{
    TextTable de, en, fr;
    de.LoadGerman();
    en.LoadEnglish();
    fr.LoadFrench();
    const int east = BarOfLaenge(-13.5f);
    const std::pair<QString, QString> cases[] = {
        {LaengeText(east, de), u"13,5 Grad Ost"_s},
        {LaengeText(BarOfLaenge(2.0f), de), u"2 Grad West"_s},
        {LaengeText(kLaengeBarMax / 2, de), u"0 Grad"_s},
        {LaengeText(east, en), u"13.5 degrees East"_s},
        {BreiteText(BarOfBreite(52.5f), de), u"52,5 Grad Nord"_s},
        {BreiteText(BarOfBreite(-33.0f), de), u"33 Grad Süd"_s},
        {ZoneText(BarOfZone(-60), de), u"+ 1:00 Std"_s},
        {ZoneText(BarOfZone(210), en), u"- 3:30 hrs"_s},
        {ZoneText(BarOfZone(-345), fr), u"+ 5:45 h"_s},
        {ZoneText(BarOfZone(0), de), u"+ 0:00 Std"_s},
        {OffsetText(BarOfOffset(-15), de), u"-15 Min"_s},
        {LimitText(6 * 60 + 5, de), u"06:05"_s},
    };
    for (const auto& [shown, expected] : cases) EXPECT_EQ(shown.trimmed(), expected);
}

// The dialog shows what was stored, and storing what it shows changes nothing.
TEST(AstroEingabe, BarsRestoreAndStoreTheProgramsSettings)
{
    ProgramModel model = canonical738();
    // 10 degrees east, 50 north, displayed +1:00.
    const AstroBars bars{BarOfTypedLongitude(10.0), BarOfTypedLatitude(50.0), BarOfTypedZone(1.0), BarOfTypedOffset(-20), BarOfTypedOffset(35), 5 * 60, 22 * 60 + 30, 0, -1};
    const AstroLocation s = bars.settings().location;
    EXPECT_EQ(std::tuple(s.laenge, s.breite, s.zone, s.offsetAuf, s.offsetUnter), std::tuple(-10.0f, 50.0f, -60, -20, 35));
    ASSERT_TRUE(StoreAstroProgram(model, bars.settings(), 2));
    EXPECT_EQ(AstroBars::FromProgram(model, 2), bars);
    EXPECT_NE(AstroBars::FromProgram(model, 1).morning, 5 * 60); // other channels show their own limits
    // Stored values beyond the offered ranges come back on the ends of the bars.
    model.program().astro.AstroBreite = 75.0f;
    model.program().astro.AstroOffsetAuf = 127;
    const AstroBars clamped = AstroBars::FromProgram(model, 2);
    EXPECT_EQ(std::pair(clamped.breite, clamped.offsetAuf), std::pair(kBreiteRange.high, kOffsetBarMax));
}

// 10 degrees east with a displayed zone of +1:00 switches 20 minutes after
// Greenwich sun time; today's times add the summer hour and the limits.
TEST(AstroEingabe, PreviewOfTheYearAndOfToday)
{
    ProgramModel model = modelForRow(20);
    model.device.SwRegel = SwEuropa;
    model.clock = [] { return QDateTime(QDate(2025, 6, 21), QTime(9, 0)); };
    AstroBars bars{BarOfTypedLongitude(10.0), BarOfTypedLatitude(50.0), BarOfTypedZone(1.0), BarOfTypedOffset(0), BarOfTypedOffset(0), 0, 1439};
    AstroPreview p = PreviewAstro(model, bars);
    EXPECT_EQ(std::tuple(p.days, p.today, p.rise[171], p.set[171], p.todayRise, p.todaySet), std::tuple(365, 171, kRise + 20, kSet + 20, std::optional(kRise + 20 + 60), std::optional(kSet + 20 + 60)));
    bars.morning = Hm(6, 0);
    bars.evening = Hm(21, 0);
    p = PreviewAstro(model, bars);
    EXPECT_EQ(std::pair(p.todayRise, p.todaySet), std::pair(std::optional(Hm(6, 0)), std::optional(Hm(21, 0))));
    bars.laenge = BarOfTypedLongitude(-10.0); // a wrong sign shows at once: 80 minutes later
    EXPECT_EQ(PreviewAstro(model, bars).rise[171], kRise + 40 + 60);
    // The astro device adds its offsets itself: the preview shows them.
    ProgramModel one = modelForRow(19);
    one.clock = model.clock;
    bars.laenge = BarOfTypedLongitude(0.0);
    bars.zone = BarOfTypedZone(0.0);
    bars.offsetAuf = BarOfTypedOffset(-30);
    EXPECT_EQ(PreviewAstro(one, bars).rise[171], kRise - 30);
}

TEST(AstroScrollBars, BarsRoundTripAndRoundToTheirSteps)
{
    EXPECT_EQ(std::tuple(LaengeOfBar(0), BreiteOfBar(0), ZoneOfBar(kZoneBarMax), OffsetOfBar(kOffsetBarMax / 2 - 7)), std::tuple(180.0f, -90.0f, -14 * 60, -7));
    for (int v = 0; v <= kLaengeBarMax; ++v) {
        const int b = std::min(v, kBreiteBarMax), z = std::min(v, kZoneBarMax), o = std::min(v, kOffsetBarMax);
        ASSERT_EQ(std::tuple(BarOfLaenge(LaengeOfBar(v)), BarOfBreite(BreiteOfBar(b)), BarOfZone(ZoneOfBar(z)), BarOfOffset(OffsetOfBar(o))), std::tuple(v, b, z, o));
    }
    // Typed numbers (east and north positive, zone as displayed) snap to the
    // steps and stay within what the dialog offers; so do stored ones.
    EXPECT_EQ((std::vector{BarOfTypedLongitude(13.4), BarOfTypedLongitude(-200.0), BarOfTypedLongitude(181.0), BarOfTypedLatitude(52.3), BarOfTypedLatitude(64.0), BarOfTypedLatitude(-89.0), BarOfTypedZone(1.0), BarOfTypedZone(5.8), BarOfTypedZone(-14.0), BarOfTypedOffset(-150), BarOfBreite(120.0f), BarOfOffset(-1000)}),
              (std::vector{BarOfLaenge(-13.5f), 0, kLaengeBarMax, BarOfBreite(52.5f), kBreiteRange.high, kBreiteRange.low, BarOfZone(-60), BarOfZone(-345), kZoneRange.low, 0, kBreiteBarMax, 0}));
    EXPECT_EQ(std::tuple(kBreiteRange.low, kBreiteRange.high, kZoneRange.low, kZoneRange.high), std::tuple(BarOfBreite(-60.0f), BarOfBreite(60.0f), BarOfZone(720), BarOfZone(-720)));
    EXPECT_EQ(std::pair(TypedLongitudeOfBar(BarOfTypedLongitude(-7.5)), TypedZoneOfBar(BarOfTypedZone(-3.5))), std::pair(-7.5, -3.5));
    EXPECT_EQ(Place::fromLocation(u"x"_s, -13.4f, 52.3f, -67), Place::fromLocation(u"x"_s, -13.5f, 52.5f, -60));
}

// Each bar is stored as its maximum minus its value: Berlin (13.5 east, 52.5
// north, +1:00) lies 27, 105 and 4 steps from the bars' centres.
TEST(PlaceList, FileRoundTrip)
{
    const PlaceList list = TwoPlaces();
    EXPECT_EQ(list.fileText(), QByteArray("2\r\n\"Berlin\",333,75,52\r\n\"T\xF3rshavn \xCDsland\",374,60,56\r\n"));
    QTemporaryDir dir;
    const QString path = dir.filePath(u"deutsch.ord"_s);
    PlaceList back;
    ASSERT_EQ((std::pair{list.write(path), back.read(path)}), std::pair(PlaceFileResult::Ok, PlaceFileResult::Ok));
    EXPECT_EQ(back.places(), list.places());
    // Older writing styles: unquoted names, blanks, one item per line.
    for (const auto& [text, place] : {std::pair{"1\r\nZurich , 343 , 85 , 52 \r\n\r\n", Place{u"Zurich"_s, 343, 85, 52}}, {"1\n\"Wien\"\n327\n84\n52\n", Place{u"Wien"_s, 327, 84, 52}}}) {
        ASSERT_EQ(back.parse(text), PlaceFileResult::Ok) << text;
        EXPECT_EQ(back.places(), std::vector{place});
    }
}

TEST(PlaceList, DamagedFilesLoadNothingShortFilesTheirRecords)
{
    for (const char* damaged : {"", "x\r\n", "-1\r\n", "40000\r\n\"Berlin\",333,75,52\r\n", "2\r\n\"Berlin\",333,x,52\r\n\"Kiel\",340,71,52\r\n", "1\r\n\"Berlin\",333,7.5,52\r\n", "1\r\n\"Berlin\",333,75,52\r\n\"Extra\",1,2,3\r\n"}) {
        PlaceList list = TwoPlaces();
        EXPECT_EQ(list.parse(damaged), PlaceFileResult::Malformed) << damaged;
        EXPECT_EQ(list.places(), TwoPlaces().places()) << damaged;
    }
    // A count larger than the records: the records there are, no reading past the end.
    PlaceList list;
    ASSERT_EQ(list.parse("9\r\n\"Berlin\",333,75,52\r\n\r\n"), PlaceFileResult::Ok);
    EXPECT_EQ(std::tuple(list.count(), list.endedEarly(), list.announced()), std::tuple(1, true, 9));
    ASSERT_EQ(list.parse("2\r\n\"Berlin\",333,75,52\r\n\"Kiel\",340"), PlaceFileResult::Ok); // last record cut
    EXPECT_EQ(std::pair(list.places(), list.endedEarly()), std::pair(std::vector{Place{u"Berlin"_s, 333, 75, 52}}, true));
    // Records off the offered scales are left out and named: longitude past
    // 180 degrees, latitude past 60 degrees (64 north), zone past 12 hours.
    ASSERT_EQ(list.parse("5\r\n\"Far\",721,75,52\r\n\"Reykjavik\",404,52,56\r\n\"Berlin\",333,75,52\r\n\"Tonga\",333,75,3\r\n\"Quito\",517,181,76\r\n"), PlaceFileResult::Ok);
    EXPECT_EQ(std::tuple(list.refused(), list.count(), list.places()[1].breite(), list.endedEarly()), std::tuple(QStringList{u"Far"_s, u"Reykjavik"_s, u"Tonga"_s}, 2, -0.5f, false));
    // No file: an empty list; a folder or an oversized file under the name: not read.
    QTemporaryDir dir;
    EXPECT_EQ((std::pair{list.read(dir.filePath(u"none.ord"_s)), list.count()}), std::pair(PlaceFileResult::Missing, 0));
    list = TwoPlaces();
    const QString big = dir.filePath(u"big.ord"_s);
    ASSERT_TRUE(writeFile(big, "1\r\n\"Berlin\",333,75,52\r\n" + QByteArray(kMaxSmallFileBytes, ' ')));
    EXPECT_EQ(std::pair(list.read(dir.path()), list.read(big)), std::pair(PlaceFileResult::Unreadable, PlaceFileResult::Unreadable));
    EXPECT_EQ(list.places(), TwoPlaces().places());
}

TEST(PlaceList, AddAndRemoveRewriteTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"english.ord"_s);
    PlaceList list = TwoPlaces();
    const std::pair<Place, PlaceFileResult> refused[] = {
        {Place::fromBars(u"   "_s, 360, 180, 56), PlaceFileResult::EmptyName},
        {Place::fromBars(u"Say \"hi\""_s, 360, 180, 56), PlaceFileResult::InvalidName},
        {Place::fromBars(u"Halle, Saale"_s, 360, 180, 56), PlaceFileResult::InvalidName},
        {Place::fromBars(u"\u65e5\u672c"_s, 360, 180, 56), PlaceFileResult::InvalidName},
        {Place::fromBars(u"North Cape"_s, 360, 322, 56), PlaceFileResult::ValueOutOfRange},
        {Place::fromBars(u"Far"_s, 800, 180, 56), PlaceFileResult::ValueOutOfRange},
    };
    for (const auto& [place, result] : refused) EXPECT_EQ(list.addAndWrite(path, place), result) << place.name.toStdString();
    ASSERT_EQ(list.addAndWrite(path, Place::fromBars(u"Greenwich"_s, 360, 283, 56)), PlaceFileResult::Ok);
    ASSERT_EQ(list.removeAndWrite(path, 0), PlaceFileResult::Ok);
    EXPECT_EQ(list.removeAndWrite(path, 5), PlaceFileResult::NoSuchPlace);
    PlaceList reread;
    ASSERT_EQ(reread.read(path), PlaceFileResult::Ok);
    ASSERT_EQ(reread.count(), 2);
    EXPECT_EQ(std::pair(reread.places()[0].name, reread.places()[1].breite()), std::pair(u"Tórshavn Ísland"_s, 51.5f));
    // A file that cannot be written leaves the list as it was.
    const QString nowhere = dir.filePath(u"missing-folder/deutsch.ord"_s);
    QString error;
    EXPECT_EQ(std::pair(list.addAndWrite(nowhere, Place::fromBars(u"Kiel"_s, 340, 71, 52), &error), list.removeAndWrite(nowhere, 0)), std::pair(PlaceFileResult::WriteFailed, PlaceFileResult::WriteFailed));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(list.places(), reread.places());
}

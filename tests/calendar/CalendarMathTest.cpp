#include "calendar/CalendarMath.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

// Easter Sunday by the anonymous Gregorian algorithm (Meeus, Jones, Butcher),
// a different published method than the devices' Gauss rule.
QDate AnonymousGregorianEaster(int y)
{
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(y, month, day);
}

} // namespace

TEST(CalendarMath, EasterMatchesAnIndependentAlgorithm1900To2099)
{
    for (int year = 1900; year <= 2099; ++year) {
        const QDate expected = AnonymousGregorianEaster(year);
        const CalendarDate got = DateOfDayOfYear(OsterTag(year), year);
        EXPECT_EQ(got.day, expected.day()) << year;
        EXPECT_EQ(got.month, expected.month()) << year;
        // Within 1900..2099 the devices' leap rule agrees with the civil one.
        if (year != 1900) {
            EXPECT_EQ(OsterTag(year), expected.dayOfYear()) << year;
        }
    }
}

TEST(CalendarMath, EasterExamples)
{
    const struct {
        int year, day, month;
    } cases[] = {{2000, 23, 4}, {2046, 25, 3}, {2049, 18, 4}, {2076, 19, 4}, {2079, 23, 4}, {2024, 31, 3}};
    for (const auto& c : cases) {
        const CalendarDate d = DateOfDayOfYear(OsterTag(c.year), c.year);
        EXPECT_EQ(d.day, c.day) << c.year;
        EXPECT_EQ(d.month, c.month) << c.year;
    }
}

TEST(CalendarMath, WeekdayMatchesCivilCalendar1993To2099)
{
    for (QDate d(1993, 1, 1); d <= QDate(2099, 12, 31); d = d.addDays(1))
        ASSERT_EQ(WochentagVon(d.day(), d.month(), d.year()), d.dayOfWeek()) << d.toString(Qt::ISODate).toStdString();
}

TEST(CalendarMath, SundayBeforeIsStrictlyBefore)
{
    for (int year = 1993; year <= 2099; ++year) {
        for (const auto& [day, month] : {std::pair{1, 4}, {1, 11}, {29, 10}, {15, 4}}) {
            QDate expected = QDate(year, month, day).addDays(-1);
            while (expected.dayOfWeek() != Qt::Sunday)
                expected = expected.addDays(-1);
            ASSERT_EQ(SonntagVor(day, month, year), expected.dayOfYear()) << year << " " << day << "." << month;
        }
    }
}

TEST(CalendarMath, NthWeekdayMatchesCivilCalendar)
{
    for (int year = 1993; year <= 2099; ++year) {
        for (int month = 0; month < 12; ++month) {
            for (int weekday = 0; weekday < 7; ++weekday) {
                // Collect the days of the month with that weekday.
                std::vector<int> days;
                const QDate first(year, month + 1, 1);
                for (int d = 1; d <= first.daysInMonth(); ++d) {
                    if (QDate(year, month + 1, d).dayOfWeek() == weekday + 1)
                        days.push_back(d);
                }
                for (int week = 0; week < 4; ++week)
                    ASSERT_EQ(NterWochentag(week, weekday, month, year), days[static_cast<std::size_t>(week)])
                        << year << " " << month << " " << weekday << " " << week;
                ASSERT_EQ(NterWochentag(4, weekday, month, year), days.back()) << year << " " << month << " " << weekday;
            }
        }
    }
}

TEST(CalendarMath, NthWeekdayWindows)
{
    // Last Sunday of February 1996 lies in the window 23..29.
    EXPECT_EQ(NterWochentag(4, 6, 1, 1996), 25);
    // A last weekday always falls into the last seven days of the month.
    for (int month = 0; month < 12; ++month) {
        const int length = TageImMonat(month + 1, 2023);
        for (int weekday = 0; weekday < 7; ++weekday) {
            const int d = NterWochentag(4, weekday, month, 2023);
            EXPECT_GE(d, length - 6);
            EXPECT_LE(d, length);
        }
    }
    EXPECT_EQ(NterWochentag(5, 0, 0, 2023), 0);
    EXPECT_EQ(NterWochentag(0, 7, 0, 2023), 0);
    EXPECT_EQ(NterWochentag(0, 0, 12, 2023), 0);
}

TEST(CalendarMath, MonthTablesCountEveryFourthYearAsLeap)
{
    EXPECT_EQ(TageImMonat(2, 2100), 29);
    EXPECT_EQ(TageImMonat(2, 2023), 28);
    EXPECT_EQ(TageBisMonatsende(2, 2024), 60);
    EXPECT_EQ(TageBisMonatsende(12, 2023), 365);
    EXPECT_EQ(MonthOfDayOfYear(366, 2023), 12);
    EXPECT_EQ(DayOfMonthOfDayOfYear(366, 2023), 32);
    const int leapStarts[] = {32, 61, 92, 122, 153, 183, 214, 245, 275, 306, 336};
    const int commonStarts[] = {32, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335};
    for (int m = 2; m <= 12; ++m) {
        EXPECT_EQ(MonthOfDayOfYear(leapStarts[m - 2], 2024), m);
        EXPECT_EQ(MonthOfDayOfYear(leapStarts[m - 2] - 1, 2024), m - 1);
        EXPECT_EQ(MonthOfDayOfYear(commonStarts[m - 2], 2023), m);
        EXPECT_EQ(DayOfMonthOfDayOfYear(commonStarts[m - 2], 2023), 1);
    }
}

TEST(CalendarMath, DayOfYearAcrossYearEnds)
{
    EXPECT_EQ(DateOfDayOfYear(0, 2024), (CalendarDate{31, 12, 2023}));
    EXPECT_EQ(DateOfDayOfYear(-364, 2024), (CalendarDate{1, 1, 2023}));
    EXPECT_EQ(DateOfDayOfYear(-365, 2024), (CalendarDate{31, 12, 2022}));
    EXPECT_EQ(DateOfDayOfYear(367, 2024), (CalendarDate{1, 1, 2025}));
    EXPECT_EQ(DateOfDayOfYear(366, 2023), (CalendarDate{1, 1, 2024}));
    EXPECT_EQ(DateOfDayOfYear(60, 2024), (CalendarDate{29, 2, 2024}));
}

TEST(CalendarMath, CompareDatesYearFirstThenMonthThenDay)
{
    EXPECT_EQ(CompareDates({1, 1, 2024}, {31, 12, 2023}), -1);
    EXPECT_EQ(CompareDates({31, 12, 2023}, {1, 1, 2024}), 1);
    EXPECT_EQ(CompareDates({1, 3, 2024}, {29, 2, 2024}), -1);
    EXPECT_EQ(CompareDates({28, 2, 2024}, {29, 2, 2024}), 1);
    EXPECT_EQ(CompareDates({5, 5, 2025}, {5, 5, 2025}), 0);
}

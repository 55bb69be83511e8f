#include "util/CalendarMath.h"

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
    return QDate(y, (h + l - 7 * m + 114) / 31, (h + l - 7 * m + 114) % 31 + 1);
}

} // namespace

TEST(CalendarMath, EasterMatchesAnIndependentAlgorithm1900To2099)
{
    for (int year = 1900; year <= 2099; ++year) {
        const QDate e = AnonymousGregorianEaster(year);
        EXPECT_EQ(DateOfDayOfYear(OsterTag(year), year), (CalendarDate{e.day(), e.month(), year})) << year;
    }
}

// 1901..2099: the devices' every-fourth-year rule agrees with the civil one.
TEST(CalendarMath, DaysOfTheYearMatchCivilCalendar)
{
    for (QDate d(1901, 1, 1); d.year() < 2100; d = d.addDays(1)) {
        const int doy = d.dayOfYear();
        ASSERT_EQ(DayOfYear(d.day(), d.month(), d.year()), doy) << d.toString(Qt::ISODate).toStdString();
        ASSERT_EQ(DateOfDayOfYear(doy, d.year()), (CalendarDate{d.day(), d.month(), d.year()}));
        ASSERT_EQ(MonthOfDayOfYear(doy, d.year()), d.month());
        ASSERT_EQ(DayOfMonthOfDayOfYear(doy, d.year()), d.day());
        ASSERT_EQ(TageImMonat(d.month(), d.year()), d.daysInMonth());
        if (d.year() >= 1993) {
            ASSERT_EQ(WochentagVon(d.day(), d.month(), d.year()), d.dayOfWeek());
        }
    }
    // The devices count 2100 as a leap year; day 366 of a common year is "32 December".
    EXPECT_EQ(TageImMonat(2, 2100), 29);
    EXPECT_EQ(TageBisMonatsende(12, 2100), 366);
    EXPECT_EQ(DayOfMonthOfDayOfYear(366, 2023), 32);
    // Day numbers outside the year run into the neighbouring years.
    EXPECT_EQ(DateOfDayOfYear(0, 2024), (CalendarDate{31, 12, 2023}));
    EXPECT_EQ(DateOfDayOfYear(-365, 2024), (CalendarDate{31, 12, 2022}));
    EXPECT_EQ(DateOfDayOfYear(367, 2024), (CalendarDate{1, 1, 2025}));
}

// SonntagVor is checked through the summer-time rule dates.
TEST(CalendarMath, NthWeekdayMatchesCivilCalendar)
{
    for (int year = 1993; year <= 2099; ++year) {
        for (int month = 0; month < 12; ++month) {
            for (int weekday = 0; weekday < 7; ++weekday) {
                std::vector<int> days; // the days of the month with that weekday
                for (QDate d(year, month + 1, 1); d.month() == month + 1; d = d.addDays(1)) {
                    if (d.dayOfWeek() == weekday + 1)
                        days.push_back(d.day());
                }
                for (int week = 0; week < 4; ++week)
                    ASSERT_EQ(NterWochentag(week, weekday, month, year), days[static_cast<std::size_t>(week)])
                        << year << " " << month << " " << weekday << " " << week;
                // Week 4 is the last such weekday, in the month's last seven days.
                ASSERT_EQ(NterWochentag(4, weekday, month, year), days.back())
                    << year << " " << month << " " << weekday;
            }
        }
    }
    EXPECT_EQ(NterWochentag(5, 0, 0, 2023), 0);
    EXPECT_EQ(NterWochentag(0, 7, 0, 2023), 0);
    EXPECT_EQ(NterWochentag(0, 0, 12, 2023), 0);
}

TEST(CalendarMath, CompareDatesYearFirstThenMonthThenDay)
{
    EXPECT_EQ(CompareDates({1, 1, 2024}, {31, 12, 2023}), -1);
    EXPECT_EQ(CompareDates({1, 3, 2024}, {29, 2, 2024}), -1);
    EXPECT_EQ(CompareDates({28, 2, 2024}, {29, 2, 2024}), 1);
    EXPECT_EQ(CompareDates({5, 5, 2025}, {5, 5, 2025}), 0);
}

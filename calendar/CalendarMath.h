#pragma once

namespace zendrik {

// The devices count every year divisible by 4 as a leap year (2100 too).
constexpr bool IsLeapYear(int year)
{
    return year % 4 == 0;
}

// Days from 1 January through the end of the month (month 0 gives 0).
int TageBisMonatsende(int month, int year);
// Days in the month, 1..12.
int TageImMonat(int month, int year);
// Day of year 1..366 of a date.
int DayOfYear(int day, int month, int year);
// Month 1..12 of a day of year; a day past 365 of a common year stays in December.
int MonthOfDayOfYear(int dayOfYear, int year);
// Day of month of a day of year (in December of a common year day 366 gives 32).
int DayOfMonthOfDayOfYear(int dayOfYear, int year);
// Day of year of Easter Sunday (Gauss's rule, 1900..2099).
int OsterTag(int year);
// Weekday 1 = Monday .. 7 = Sunday, for years from 1993 on.
int WochentagVon(int day, int month, int year);

struct DayMonth {
    int day = 0;
    int month = 0;
};

// The date that lies offset days after Easter Sunday of the year.
DayMonth EasterRelativeDate(int offset, int year);

} // namespace zendrik

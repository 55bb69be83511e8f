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
// Whether the day number exists in the month (1..12) in some year: dated
// entries repeat every year, so 29 February exists, 30 February does not.
bool DayExistsInMonth(int day, int month);
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

// A full date of the devices' calendar.
struct CalendarDate {
    int day = 0;
    int month = 0;
    int year = 0;

    bool operator==(const CalendarDate&) const = default;
};

constexpr int DaysInYear(int year)
{
    return IsLeapYear(year) ? 366 : 365;
}

// The date of a day of the year; a day before 1 January or after
// 31 December is counted on into the neighbouring year.
CalendarDate DateOfDayOfYear(int dayOfYear, int year);

// 1 when a is earlier than b, -1 when it is later, 0 when both are the same
// day: the year decides first, then the month, then the day.
int CompareDates(const CalendarDate& a, const CalendarDate& b);

// Day of year of the last Sunday strictly before the date.
int SonntagVor(int day, int month, int year);

// Day of month of the n-th weekday of a month, as the table dialog's
// automatic entry computes it: week 0..3 = first..fourth, 4 = last;
// weekday 0 = Monday .. 6 = Sunday; month 0 = January .. 11 = December.
int NterWochentag(int week, int weekday, int month, int year);

} // namespace zendrik

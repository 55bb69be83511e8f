#include "util/CalendarMath.h"

#include <array>
#include <cmath>

namespace zendrik {

namespace {

constexpr std::array<int, 13> kCumulative = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

} // namespace

int TageBisMonatsende(int month, int year)
{
    if (month <= 0)
        return 0;
    if (month > 12)
        month = 12;
    return kCumulative[static_cast<std::size_t>(month)] + ((IsLeapYear(year) && month >= 2) ? 1 : 0);
}

int TageImMonat(int month, int year)
{
    if (month < 1 || month > 12)
        return 31;
    return TageBisMonatsende(month, year) - TageBisMonatsende(month - 1, year);
}

bool DayExistsInMonth(int day, int month)
{
    constexpr int kAnyLeapYear = 2024;
    return month >= 1 && month <= 12 && day >= 1 && day <= TageImMonat(month, kAnyLeapYear);
}

int DayOfYear(int day, int month, int year)
{
    return TageBisMonatsende(month - 1, year) + day;
}

int MonthOfDayOfYear(int dayOfYear, int year)
{
    for (int month = 1; month < 12; ++month) {
        if (dayOfYear <= TageBisMonatsende(month, year))
            return month;
    }
    return 12;
}

int DayOfMonthOfDayOfYear(int dayOfYear, int year)
{
    return dayOfYear - TageBisMonatsende(MonthOfDayOfYear(dayOfYear, year) - 1, year);
}

int OsterTag(int year)
{
    const int a = year % 19;
    const int b = year % 4;
    const int c = year % 7;
    const int d = (19 * a + 24) % 30;
    const int e = (2 * b + 4 * c + 6 * d + 5) % 7;
    int easter = TageBisMonatsende(2, year) + d + e + 22;
    if (d == 29 && e == 6)
        easter -= 7;
    else if (d == 28 && e == 6 && a > 10)
        easter -= 7;
    return easter;
}

int WochentagVon(int day, int month, int year)
{
    const int base = static_cast<int>(std::floor((year - 1993) * 365.25));
    const int days = base + 3 + TageBisMonatsende(month - 1, year) + day;
    return ((days % 7) + 7) % 7 + 1;
}

DayMonth EasterRelativeDate(int offset, int year)
{
    const int d = OsterTag(year) + offset;
    const int month = MonthOfDayOfYear(d, year);
    return DayMonth{d - TageBisMonatsende(month - 1, year), month};
}

CalendarDate DateOfDayOfYear(int dayOfYear, int year)
{
    while (dayOfYear < 1) {
        --year;
        dayOfYear += DaysInYear(year);
    }
    while (dayOfYear > DaysInYear(year)) {
        dayOfYear -= DaysInYear(year);
        ++year;
    }
    const int month = MonthOfDayOfYear(dayOfYear, year);
    return CalendarDate{dayOfYear - TageBisMonatsende(month - 1, year), month, year};
}

int CompareDates(const CalendarDate& a, const CalendarDate& b)
{
    if (a.year != b.year)
        return a.year < b.year ? 1 : -1;
    if (a.month != b.month)
        return a.month < b.month ? 1 : -1;
    if (a.day != b.day)
        return a.day < b.day ? 1 : -1;
    return 0;
}

int SonntagVor(int day, int month, int year)
{
    return DayOfYear(day, month, year) - WochentagVon(day, month, year);
}

int NterWochentag(int week, int weekday, int month, int year)
{
    if (week < 0 || week > 4 || weekday < 0 || weekday > 6 || month < 0 || month > 11)
        return 0;
    // Days counted from a Monday-based origin in 1993, as WochentagVon does.
    int d = static_cast<int>(std::floor((year - 1993) * 365.25)) + 3;
    if (month > 1 && IsLeapYear(year))
        d += 1;
    d += kCumulative[static_cast<std::size_t>(month)];

    // The window of seven days the wanted weekday is looked for in.
    int start = 1;
    if (week == 4) {
        const int length = TageImMonat(month + 1, year);
        start = length - 6;
    }
    const int r = ((d + start) % 7 + 7) % 7;
    const int offset = (weekday + 7 - r) % 7;
    if (week == 4)
        return offset + start;
    return offset + 1 + 7 * week;
}

} // namespace zendrik

#include "calendar/FeiertagDatum.h"

#include <algorithm>
#include <cstdlib>

namespace zendrik {

namespace {

constexpr int kBewftYearsDefault = 14;
constexpr int kBewftYearsStep = 2;
constexpr int kBewftYearsMax = 30;

// Long enough to find a 29 February and any holiday still ahead this year.
constexpr int kSearchYears = 8;

bool DateExists(int day, int month, int year)
{
    return month >= 1 && month <= 12 && day >= 1 && day <= TageImMonat(month, year);
}

} // namespace

CalendarDate FreierFeiertagDatum(int wochentag, int day, int month, int year)
{
    const int w = WochentagVon(day, month, year);
    const int k = std::abs(wochentag);
    const int base = DayOfYear(day, month, year);
    if (wochentag > 0)
        return DateOfDayOfYear(base + ((k - w + 6) % 7) + 1, year);
    return DateOfDayOfYear(base - (((w - k + 6) % 7) + 1), year);
}

std::optional<CalendarDate> FeiertagDatum(const Feiertag& feiertag, int year)
{
    if (!feiertag.hasValidValues())
        return std::nullopt;
    switch (feiertag.Art) {
    case FeiertagFest:
        if (!DateExists(feiertag.Tag, feiertag.Monat, year))
            return std::nullopt;
        return CalendarDate{feiertag.Tag, feiertag.Monat, year};
    case FeiertagFrei:
        if (!DateExists(feiertag.Tag, feiertag.Monat, year))
            return std::nullopt;
        return FreierFeiertagDatum(feiertag.Wochentag, feiertag.Tag, feiertag.Monat, year);
    case FeiertagOstern:
        return DateOfDayOfYear(OsterTag(year) + feiertag.Tag, year);
    default:
        return std::nullopt;
    }
}

std::vector<CalendarDate> FeiertagDatenAb(const Feiertag& feiertag, const CalendarDate& today, int count)
{
    std::vector<CalendarDate> dates;
    int year = today.year;
    for (; year < today.year + kSearchYears; ++year) {
        const std::optional<CalendarDate> date = FeiertagDatum(feiertag, year);
        if (date && CompareDates(today, *date) >= 0)
            break;
    }
    if (year >= today.year + kSearchYears)
        return dates;
    for (int y = year; y < year + count; ++y) {
        if (const std::optional<CalendarDate> date = FeiertagDatum(feiertag, y))
            dates.push_back(*date);
    }
    return dates;
}

int DefaultJahreFreieFt(int bewft)
{
    return bewft > 0 ? kBewftYearsDefault : 1;
}

std::vector<int> JahreFreieFtChoices(int bewft)
{
    if (bewft <= 0)
        return {1};
    std::vector<int> choices;
    for (int years = kBewftYearsStep; years <= kBewftYearsMax; years += kBewftYearsStep)
        choices.push_back(years);
    return choices;
}

int JahreFreieFtChoiceIndex(int bewft, int jahreFreieFt)
{
    if (bewft <= 0)
        return 0;
    const int last = kBewftYearsMax / kBewftYearsStep - 1;
    return std::clamp(jahreFreieFt / kBewftYearsStep - 1, 0, last);
}

} // namespace zendrik

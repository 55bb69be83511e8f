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
    case FeiertagFestErsatz:
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

namespace {

bool Weekend(const CalendarDate& d)
{
    return WochentagVon(d.day, d.month, d.year) >= 6;
}

CalendarDate NextDay(const CalendarDate& d)
{
    return DateOfDayOfYear(DayOfYear(d.day, d.month, d.year) + 1, d.year);
}

} // namespace

std::vector<std::optional<CalendarDate>> ErsatzTage(const std::vector<Feiertag>& set, int year)
{
    std::vector<std::optional<CalendarDate>> out(set.size());
    // Every holiday of the set is a day off, this year's and the next
    // year's (a substitute for 31 December may reach into January).
    std::vector<CalendarDate> taken;
    std::vector<std::pair<CalendarDate, std::size_t>> weekend;
    for (int y : {year, year + 1}) {
        for (std::size_t i = 0; i < set.size(); ++i) {
            const std::optional<CalendarDate> d = FeiertagDatum(set[i], y);
            if (!d)
                continue;
            taken.push_back(*d);
            if (y == year && set[i].Art == FeiertagFestErsatz && Weekend(*d))
                weekend.emplace_back(*d, i);
        }
    }
    std::stable_sort(weekend.begin(), weekend.end(), [](const auto& a, const auto& b) {
        return CompareDates(a.first, b.first) > 0;
    });
    for (std::size_t k = 0; k < weekend.size(); ++k) {
        const auto& [date, index] = weekend[k];
        // Two holidays on one day are one day off with one substitute.
        if (k > 0 && weekend[k - 1].first == date) {
            out[index] = out[weekend[k - 1].second];
            continue;
        }
        CalendarDate d = NextDay(date);
        while (Weekend(d) || std::find(taken.begin(), taken.end(), d) != taken.end())
            d = NextDay(d);
        taken.push_back(d);
        out[index] = d;
    }
    return out;
}

std::vector<CalendarDate> ErsatzTageAb(const std::vector<Feiertag>& set, std::size_t index, const CalendarDate& today,
                                       int count)
{
    std::vector<CalendarDate> dates;
    if (index >= set.size() || set[index].Art != FeiertagFestErsatz)
        return dates;
    // The years counted as for the weekday-rule holidays: from the first
    // year whose holiday is still ahead.
    int year = today.year;
    const std::optional<CalendarDate> thisYear = FeiertagDatum(set[index], year);
    if (thisYear && CompareDates(today, *thisYear) < 0) {
        const std::optional<CalendarDate> sub = ErsatzTage(set, year)[index];
        if (!sub || CompareDates(today, *sub) < 0)
            ++year;
    }
    for (int y = year; y < year + count; ++y) {
        if (const std::optional<CalendarDate> d = ErsatzTage(set, y)[index]; d && CompareDates(today, *d) >= 0)
            dates.push_back(*d);
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

#include "calendar/Feiertag.h"

#include "util/CalendarMath.h"

namespace zendrik {

namespace {

constexpr int kAnyLeapYear = 2000;

bool IsDayOfMonth(int day, int month)
{
    return month >= 1 && month <= 12 && day >= 1 && day <= TageImMonat(month, kAnyLeapYear);
}

} // namespace

bool Feiertag::hasValidValues() const
{
    switch (Art) {
    case FeiertagFest:
    case FeiertagFestErsatz:
        return Wochentag == 0 && IsDayOfMonth(Tag, Monat);
    case FeiertagFrei:
        return Wochentag != 0 && Wochentag >= -7 && Wochentag <= 7 && IsDayOfMonth(Tag, Monat);
    case FeiertagOstern:
        return Wochentag == 0 && Monat == 0 && Tag >= kMinEasterOffset && Tag <= kMaxEasterOffset;
    default:
        return false;
    }
}

} // namespace zendrik

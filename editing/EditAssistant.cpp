#include "editing/EditAssistant.h"

#include "editing/EntryFields.h"
#include "language/TextTable.h"
#include "util/CalendarMath.h"

#include <algorithm>

namespace zendrik {

namespace {

int nextMonth(int month)
{
    return month % 12 + 1;
}

// Every weekday one day on: Monday to Tuesday .. Sunday to Monday.
int rotateWeekdays(int mask)
{
    return ((mask << 1) | (mask >> 6)) & SwitchingTimeFields::kDaily;
}

QString caption(int value, TextId one, TextId many, const TextTable& texts)
{
    return value == 1 ? texts(one) : QString::number(value) + QLatin1Char(' ') + texts(many);
}

QStringList textItems(TextId first, int count, const TextTable& texts)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << texts(static_cast<TextId>(static_cast<int>(first) + i));
    return items;
}

} // namespace

void AddDays(int& day, int& month, int days, int year)
{
    if (month < 1 || month > 12)
        return;
    day += days;
    while (day > TageImMonat(month, year)) {
        day -= TageImMonat(month, year);
        month = nextMonth(month);
    }
}

void AssistantStep(SwitchingTimeFields& f, const AssistantSettings& s, int year, bool eibFormat)
{
    if (s.AutoZustand == 1)
        f.toggleState();
    f.minute += s.AutoMinuten;
    int carry = 0;
    if (f.minute > 59) {
        f.minute -= 60;
        carry = 1;
    }
    f.stunde += s.AutoStunden + carry;
    carry = 0;
    if (f.stunde > 23) {
        f.stunde -= 24;
        carry = 1;
    }
    if (f.isDated()) {
        AddDays(f.tag, f.monat, s.AutoTage + carry, year);
        if (s.AutoMonat == 1) {
            f.monat = nextMonth(f.monat);
            f.tag = std::min(f.tag, TageImMonat(f.monat, year));
        }
        return;
    }
    if (s.AutoWochentag == 1)
        f.wochentage = rotateWeekdays(f.wochentage);
    if (carry)
        f.wochentage = rotateWeekdays(f.wochentage);
    if (s.AutoPrio != 0 && f.prioritaet < LastProgramPriority(eibFormat))
        ++f.prioritaet;
}

void AssistantStep(PriorityTimeFields& f, const AssistantSettings& s, int year, bool eibFormat)
{
    if (f.prioritaet != kPermanentPriority) {
        if (s.AutoPrio != 0 && f.prioritaet < LastProgramPriority(eibFormat))
            ++f.prioritaet;
    } else if (s.AutoZustand == 1) {
        f.toggleState();
    }
    if (!f.bewFeiertag) {
        AddDays(f.vonTag, f.vonMonat, s.AutoTage, year);
        AddDays(f.bisTag, f.bisMonat, s.AutoTage, year);
    }
    if (s.AutoMonat == 1 && f.vonMonat > 0 && f.bisMonat > 0) {
        f.vonMonat = nextMonth(f.vonMonat);
        f.bisMonat = nextMonth(f.bisMonat);
        // 31 January a month on is the last day of February, not 31 February.
        f.vonTag = std::min(f.vonTag, TageImMonat(f.vonMonat, year));
        f.bisTag = std::min(f.bisTag, TageImMonat(f.bisMonat, year));
    }
}

QString MinutesCaption(int value, const TextTable& texts)
{
    return caption(value, TextId::OneMinute, TextId::Minutes, texts);
}

QString HoursCaption(int value, const TextTable& texts)
{
    return caption(value, TextId::OneHour, TextId::Hours, texts);
}

QString DaysCaption(int value, const TextTable& texts)
{
    return caption(value, TextId::OneDayDateOnly, TextId::DaysDateOnly, texts);
}

QStringList NthItems(const TextTable& texts)
{
    return textItems(TextId::NthFirst, 5, texts);
}

QStringList WeekdayItems(const TextTable& texts)
{
    return textItems(TextId::Monday, 7, texts);
}

} // namespace zendrik

#include "editing/LastEntryPanel.h"

#include "editing/ListTexts.h"
#include "language/TextTable.h"

namespace zendrik {

namespace {

QString priorityText(int priority, const TextTable& texts)
{
    if (priority == 0)
        return QString();
    const QString value = priority >= kPermanentPriority ? texts(TextId::PermShort) : QString::number(priority);
    return texts(TextId::PrioShort) + QLatin1Char(' ') + value;
}

QString onceMark(const Entry& e, const DeviceSettings& device)
{
    return EntryOnce(e, device.EibFormat != 0) ? kOnceText : QString();
}

} // namespace

LastEntryPanel LastEntryPanel::ofSwitchingTime(const Entry& e, const TextTable& texts, const DeviceSettings& device)
{
    const bool eib = device.EibFormat != 0;
    LastEntryPanel p;
    p.channels = EntryChannelsText(e, texts, device);
    p.state = EntryStateText(e, texts, device);
    p.once = onceMark(e, device);
    p.days = IsWeeklyEntry(e) ? FormatWeekdays(e, texts, device)
                              : FormatDate(EntryDay(e), EntryMonth(e), texts, device);
    p.priority = priorityText(EntryPriority(e, eib), texts);
    p.time = FormatTime(EntryTime(e), texts);
    const int pulse = EntryPulse(e);
    if (pulse >= 1 && pulse <= 59)
        p.pulse = QString::number(pulse) + QLatin1Char(' ') + texts(TextId::Seconds);
    return p;
}

LastEntryPanel LastEntryPanel::ofPriorityTime(const Entry& e, const TextTable& texts, const DeviceSettings& device,
                                              const HolidayNameSource& holidayName)
{
    const bool eib = device.EibFormat != 0;
    LastEntryPanel p;
    p.channels = EntryChannelsText(e, texts, device);
    p.state = EntryStateText(e, texts, device);
    p.once = onceMark(e, device);
    if (e.b[0] == kEasterMarker) {
        p.days = EasterOffsetText(PriorityEasterOffset(e), texts, holidayName);
    } else {
        const int yearCode = eib ? 0 : PriorityYearCode(e);
        QString from = FormatDate(PriorityFromDay(e), PriorityFromMonth(e), texts, device);
        if (yearCode != 0)
            from += QLatin1Char(' ') + QString::number(kYearCodeBase + yearCode);
        p.days = from + QStringLiteral(" - ") + FormatDate(PriorityToDay(e), PriorityToMonth(e), texts, device);
    }
    p.priority = priorityText(EntryPriority(e, eib), texts);
    return p;
}

} // namespace zendrik

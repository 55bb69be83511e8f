#include "calendar/SimulationTexts.h"

#include "calendar/TagPrio.h"
#include "language/DateText.h"
#include "language/TextTable.h"

namespace zendrik {

namespace {

QString stateText(bool on, const TextTable& texts)
{
    return texts(on ? TextId::On : TextId::Off).trimmed();
}

QString astroText(const SimulationCause& cause, const TextTable& texts)
{
    // The time once, as the device switches it; the summer hour and the
    // limit say how it came about.
    const AstroCause& a = cause.astro;
    QString text = texts(a.sunset ? kCauseSunset : kCauseSunrise).arg(SimulationTimeText(cause.minute))
        + QLatin1Char(' ') + stateText(cause.switchedOn, texts);
    if (a.summerTime)
        text += texts(kCauseSummerTime);
    if (a.limited)
        text += QStringLiteral(", ") + texts(a.sunset ? TextId::NoSwitchAfter : TextId::NoSwitchBefore).trimmed()
            + QLatin1Char(' ') + SimulationTimeText(a.limit);
    return text;
}

} // namespace

QString SimulationTimeText(int minute)
{
    return QStringLiteral("%1:%2").arg(minute / 60, 2, 10, QLatin1Char('0')).arg(minute % 60, 2, 10, QLatin1Char('0'));
}

QString SimulationDateText(const CalendarDate& date, const TextTable& texts)
{
    return DateText(date.day, date.month, date.year, texts);
}

QString DayPriorityText(int dayPriority, const TextTable& texts)
{
    if (dayPriority == kTagPrioPermanentEin || dayPriority == kTagPrioPermanentAus)
        return texts(TextId::Permanent).trimmed() + QLatin1Char(' ')
            + stateText(dayPriority == kTagPrioPermanentEin, texts);
    if (dayPriority >= 1 && dayPriority <= 9)
        return texts(static_cast<TextId>(static_cast<int>(TextId::ProgramP1) + dayPriority - 1)).trimmed();
    return texts(kBaseProgram);
}

QString SimulationCauseText(const SimulationCause& cause, const TextTable& texts)
{
    QString text;
    switch (cause.kind) {
    case CauseKind::Nothing:
        text = texts(kCauseNothing).arg(stateText(false, texts));
        break;
    case CauseKind::SwitchingTime:
        text = texts(kCauseSwitching)
                   .arg(cause.entryNumber)
                   .arg(SimulationTimeText(cause.minute), stateText(cause.switchedOn, texts));
        break;
    case CauseKind::Pulse:
        text = texts(kCausePulse).arg(cause.entryNumber).arg(SimulationTimeText(cause.minute));
        break;
    case CauseKind::Astro:
        text = astroText(cause, texts);
        break;
    case CauseKind::Permanent:
        // The priority time itself is the cause.
        return texts(kCausePriorityTime).arg(cause.priorityNumber).arg(DayPriorityText(cause.dayPriority, texts));
    case CauseKind::MeterPulse:
        return texts(TextId::MeterPulse).trimmed();
    }
    // A switching of an earlier day left the state the day starts with.
    if (cause.earlierDay)
        text += texts(kCauseEarlierDay).arg(SimulationDateText(cause.date, texts));
    // A permanent priority time held the channel since: name it and its day.
    if (cause.heldEntry >= 0)
        text = texts(kCauseHeld).arg(texts(kCausePriorityTime).arg(cause.heldNumber).arg(DayPriorityText(cause.heldPriority, texts)), SimulationDateText(cause.heldDate, texts), text);
    // A priority time gives the day another program.
    if (cause.priorityEntry >= 0)
        text += QStringLiteral(" \u2013 ")
            + texts(kCausePriorityTime).arg(cause.priorityNumber).arg(DayPriorityText(cause.dayPriority, texts));
    return text;
}

} // namespace zendrik

#include "calendar/BehaviourTexts.h"

#include "calendar/BetriebsstundenText.h"
#include "calendar/SimulationTexts.h"
#include "calendar/YearSimulation.h"
#include "language/TextTable.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zendrik {

namespace {

QString ClockText(int minute)
{
    return QStringLiteral("%1:%2").arg(minute / 60).arg(minute % 60, 2, 10, QLatin1Char('0'));
}

QString ShortDate(const CalendarDate& date)
{
    return QStringLiteral("%1.%2.%3").arg(date.day).arg(date.month).arg(date.year);
}

} // namespace

QString SignedDurationText(long minutes, const TextTable& texts)
{
    const QString sign = minutes > 0 ? QStringLiteral("+") : minutes < 0 ? QStringLiteral("-")
                                                                         : QString();
    const long size = minutes < 0 ? -minutes : minutes;
    return sign + QStringLiteral("%1 h %2 ").arg(size / 60).arg(size % 60, 2, 10, QLatin1Char('0')) + texts(TextId::Min);
}

QString BehaviourChannelLine(const ChannelBehaviour& channel, const TextTable& texts)
{
    const int days = static_cast<int>(channel.days.size());
    const QString dayText = days == 1 ? texts(kBehaviourOneDay) : texts(kBehaviourDays).arg(days);
    return QStringLiteral("C%1: ").arg(channel.channel + 1) + dayText + QStringLiteral(", ")
        + SignedDurationText(channel.minutesSecond - channel.minutesFirst, texts);
}

QString BehaviourFiguresText(const ChannelBehaviour& channel, const TextTable& texts)
{
    auto duration = [&texts](long minutes) { return BetriebsdauerText(static_cast<int>(minutes), texts).trimmed(); };
    return texts(kBehaviourFigures)
        .arg(duration(channel.minutesFirst), duration(channel.minutesSecond), duration(channel.onOnlyInFirst),
             duration(channel.onOnlyInSecond));
}

QString DayStretchesText(const SimulatedDay& day, const TextTable& texts)
{
    std::vector<std::pair<int, QString>> parts;
    for (const OnPeriod& p : day.on)
        parts.emplace_back(p.from, ClockText(p.from) + QStringLiteral("–") + ClockText(p.to) + QLatin1Char(' ') + texts(TextId::On));
    int minute = 0;
    for (const ProfileSegment& s : day.profile.segments) {
        if (s.state == ProfileImpulsEin || s.state == ProfileImpulsAus) {
            // The meter pulse fills the day with its measuring periods (a
            // switching time's pulse is one minute long): its name says it.
            if (s.length > 1)
                return texts(TextId::MeterPulse);
            const QString kind = texts(s.state == ProfileImpulsEin ? TextId::On : TextId::Off);
            parts.emplace_back(minute, ClockText(minute) + QLatin1Char(' ') + texts(TextId::Pulse) + QLatin1Char(' ') + kind);
        }
        minute += s.length;
    }
    if (parts.empty())
        return texts(TextId::Off);
    std::stable_sort(parts.begin(), parts.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QStringList joined;
    for (const auto& part : parts)
        joined << part.second;
    return joined.join(QStringLiteral(", "));
}

QString BehaviourDayLine(const BehaviourDay& day, const TextTable& texts)
{
    return QStringLiteral("  ") + ShortDate(day.first) + QStringLiteral(": ") + DayStretchesText(day.a, texts)
        + QStringLiteral(" → ") + DayStretchesText(day.b, texts);
}

QStringList BehaviourLines(const BehaviourComparison& comparison, const TextTable& texts)
{
    QStringList lines;
    for (const ChannelBehaviour& channel : comparison.channels) {
        if (!channel.differs())
            continue;
        lines << BehaviourChannelLine(channel, texts);
        for (const BehaviourDay& day : channel.days)
            lines << BehaviourDayLine(day, texts);
    }
    return lines;
}

QStringList DayDecisionLines(const YearSimulation& sim, int channel, int dayOfYear, const SimulatedDay& day,
                             const TextTable& texts)
{
    QStringList lines;
    QStringList causes;
    for (const int minute : SwitchingMinutes(day)) {
        const QString cause = SimulationCauseText(sim.Explain(channel, dayOfYear, minute), texts);
        if (causes.contains(cause))
            continue;
        causes << cause;
        lines << ClockText(minute) + QStringLiteral(": ") + cause;
    }
    return lines;
}

} // namespace zendrik

#include "calendar/BehaviourComparison.h"

#include "calendar/YearSimulation.h"

#include <algorithm>

namespace zendrik {

namespace {

int Length(const std::vector<OnPeriod>& periods)
{
    int total = 0;
    for (const OnPeriod& p : periods)
        total += p.to - p.from;
    return total;
}

// Minutes both lists of stretches hold; each list is in the order of the day.
int Overlap(const std::vector<OnPeriod>& a, const std::vector<OnPeriod>& b)
{
    int shared = 0;
    auto i = a.begin();
    auto j = b.begin();
    while (i != a.end() && j != b.end()) {
        shared += std::max(0, std::min(i->to, j->to) - std::max(i->from, j->from));
        if (i->to < j->to)
            ++i;
        else
            ++j;
    }
    return shared;
}

bool IsPulse(int state)
{
    return state == ProfileImpulsAus || state == ProfileImpulsEin;
}

// The pulses of a day graph as (minute, state) pairs.
std::vector<ProfileSegment> Pulses(const DayProfile& profile)
{
    std::vector<ProfileSegment> pulses;
    int minute = 0;
    for (const ProfileSegment& s : profile.segments) {
        if (IsPulse(s.state))
            pulses.push_back(ProfileSegment{s.state, minute});
        minute += s.length;
    }
    return pulses;
}

} // namespace

bool BehaviourComparison::differs() const
{
    return std::any_of(channels.begin(), channels.end(), [](const ChannelBehaviour& c) { return c.differs(); });
}

BehaviourComparison CompareBehaviour(const YearSimulation& first, const YearSimulation& second, int channel)
{
    BehaviourComparison result;
    result.yearFirst = first.SimJahr();
    result.yearSecond = second.SimJahr();
    const int channels = std::min(first.Kanaele(), second.Kanaele());
    for (int c = 0; c < channels; ++c) {
        if (channel >= 0 && c != channel)
            continue;
        ChannelBehaviour behaviour;
        behaviour.channel = c;
        const std::vector<SimulatedDay> a = first.SimulateYear(c);
        const std::vector<SimulatedDay> b = second.SimulateYear(c);
        for (const SimulatedDay& day : a)
            behaviour.minutesFirst += day.profile.betriebsMinuten;
        for (const SimulatedDay& day : b)
            behaviour.minutesSecond += day.profile.betriebsMinuten;
        for (int d = 1; d <= first.Tage(); ++d) {
            const CalendarDate date = DateOfDayOfYear(d, result.yearFirst);
            if (date.month == 2 && date.day == 29 && !IsLeapYear(result.yearSecond))
                continue;
            const int other = DayOfYear(date.day, date.month, result.yearSecond);
            const SimulatedDay& x = a[static_cast<std::size_t>(d - 1)];
            const SimulatedDay& y = b[static_cast<std::size_t>(other - 1)];
            if (x.profile.segments == y.profile.segments && x.on == y.on
                && x.profile.betriebsMinuten == y.profile.betriebsMinuten)
                continue;
            BehaviourDay day{d, date, CalendarDate{date.day, date.month, result.yearSecond}, x, y};
            if (Length(x.on) != x.profile.betriebsMinuten || Length(y.on) != y.profile.betriebsMinuten) {
                // The meter pulse has no stretches: its operating time comes
                // from its period.
                day.onOnlyInFirst = std::max(0, x.profile.betriebsMinuten - y.profile.betriebsMinuten);
                day.onOnlyInSecond = std::max(0, y.profile.betriebsMinuten - x.profile.betriebsMinuten);
            } else {
                const int shared = Overlap(x.on, y.on);
                day.onOnlyInFirst = Length(x.on) - shared;
                day.onOnlyInSecond = Length(y.on) - shared;
            }
            day.pulsesDiffer = Pulses(x.profile) != Pulses(y.profile);
            day.stretchesDiffer = x.on != y.on || Length(x.on) != x.profile.betriebsMinuten
                || Length(y.on) != y.profile.betriebsMinuten;
            behaviour.onOnlyInFirst += day.onOnlyInFirst;
            behaviour.onOnlyInSecond += day.onOnlyInSecond;
            behaviour.days.push_back(std::move(day));
        }
        result.channels.push_back(std::move(behaviour));
    }
    return result;
}

std::vector<int> SwitchingMinutes(const SimulatedDay& day)
{
    std::vector<int> minutes;
    for (const OnPeriod& p : day.on) {
        minutes.push_back(p.from);
        if (p.to < kMinutesOfDay)
            minutes.push_back(p.to);
    }
    int minute = 0;
    for (const ProfileSegment& s : day.profile.segments) {
        if (IsPulse(s.state))
            minutes.push_back(minute);
        minute += s.length;
    }
    std::sort(minutes.begin(), minutes.end());
    minutes.erase(std::unique(minutes.begin(), minutes.end()), minutes.end());
    return minutes;
}

} // namespace zendrik

#include "tests/calendar/NaiveYearSimulation.h"

#include "calendar/AstroTable.h"
#include "model/EntryBuilder.h"
#include "model/ProgramSort.h"

namespace zendrik::test {

namespace {

constexpr int kStartDistance = 600000;
constexpr int kTodaysAstro = 1;
constexpr int kEarlierAstro = 2;

bool IsPulse(const Entry& e)
{
    return EntryPulse(e) >= 1 && EntryPulse(e) <= 59;
}

bool IsPriorityTime(const Entry& e)
{
    return (e.b[0] & 0xE0) == 0x60;
}

} // namespace

NaiveYearSimulation::NaiveYearSimulation(const ProgramModel& model, int year)
    : model_(model), work_(model), year_(year), firstDay_(1 - DaysInYear(year - 1))
{
    work_.SortSpalteSz = 8;
    for (int d = firstDay_; d <= DaysInYear(year); ++d)
        dates_.push_back(DateOfDayOfYear(d, year));
}

const CalendarDate& NaiveYearSimulation::dateOf(int dayNumber) const
{
    return dates_[static_cast<std::size_t>(dayNumber - firstDay_)];
}

bool NaiveYearSimulation::addresses(const Entry& e, int channel) const
{
    if (model_.device.Uhrentyp == kFamily738)
        return EntryChannels(e, false) == channel;
    return channel < model_.device.Kanalzahl && ((EntryChannels(e, false) >> channel) & 1) != 0;
}

bool NaiveYearSimulation::covers(const Entry& e, int dayNumber) const
{
    if (e.b[0] == kEasterMarker)
        return OsterTag(year_) + PriorityEasterOffset(e) == dayNumber;
    const CalendarDate& date = dateOf(dayNumber);
    const int from = PriorityFromMonth(e) * 32 + PriorityFromDay(e);
    const int to = PriorityToMonth(e) * 32 + PriorityToDay(e);
    const int k = date.month * 32 + date.day;
    const bool inRange = from <= to ? (from <= k && k <= to) : (k >= from || k <= to);
    const bool once = (e.b[3] & 0x40) != 0;
    if (!once || PriorityYearCode(e) == 0)
        return inRange;
    const int bound = 1936 + PriorityYearCode(e);
    if (from <= to)
        return year_ == bound && inRange;
    return (year_ == bound && k >= from) || (year_ == bound + 1 && k <= to);
}

int NaiveYearSimulation::Priority(int channel, int dayOfYear) const
{
    const ProgramSlot& s = model_.program();
    int priority = 0;
    for (int i = 0; i < s.AnzEintrag; ++i) {
        const Entry& e = s.Eintrag[static_cast<std::size_t>(i)];
        if (!IsPriorityTime(e) || !addresses(e, channel) || !covers(e, dayOfYear))
            continue;
        const int p = EntryPriority(e, false);
        if (p > 10)
            continue;
        priority = p == 10 ? (EntryState(e, false) != 0 ? 10 : 11) : p;
    }
    return priority;
}

bool NaiveYearSimulation::occursOn(const Entry& e, int dayNumber) const
{
    const CalendarDate& date = dateOf(dayNumber);
    if (IsWeeklyEntry(e))
        return (e.b[3] >> (WochentagVon(date.day, date.month, date.year) - 1)) & 1;
    return EntryDay(e) == date.day && EntryMonth(e) == date.month;
}

int NaiveYearSimulation::lastDateBefore(const Entry& e, int dayNumber) const
{
    for (int d = dayNumber - 1; d >= firstDay_; --d) {
        if (occursOn(e, d))
            return d;
    }
    return firstDay_ - 1;
}

std::vector<NaiveYearSimulation::Added> NaiveYearSimulation::astroEntries(int channel, int dayNumber, int tag) const
{
    const DeviceSettings& d = model_.device;
    const AstroProgram& astro = model_.program().astro;
    // The device switches the table's times (limits written in) with the
    // summer hour, OFF at sunrise and ON at sunset.
    int table = -1;
    if (d.Uhrentyp == kFamily752 && (channel == 0 || (channel == 1 && d.AstroC1C2 == 1)) && astro.AstroAktiv[1] != 0)
        table = 0;
    else if (d.Uhrentyp == kFamily738 && channel < 4 && astro.AstroAktiv[static_cast<std::size_t>(channel + 1)] != 0)
        table = channel;
    std::vector<Added> added;
    if (table < 0)
        return added;
    const CalendarDate& date = dateOf(dayNumber);
    const int dayOfYear = DayOfYear(date.day, date.month, date.year);
    const AstroShownTimes shown = ShownAstroTimes(model_, kProgramSlot, table, dayOfYear, date.year);
    const int channels = d.Uhrentyp == kFamily738 ? channel : 1 << channel;
    auto add = [&](int t, int state) {
        if (t >= 0 && t < 1440)
            added.push_back(Added{BuildDatedEntry(t, date.day, date.month, channels, state != 0 ? 1 : 0, 0, false), tag});
    };
    if (shown.rise)
        add(*shown.rise, 0);
    if (shown.set)
        add(*shown.set, 1);
    return added;
}

DayProfile NaiveYearSimulation::Profile(int channel, int dayOfYear)
{
    DayProfile profile;
    profile.prioritaet = Priority(channel, dayOfYear);
    if (profile.prioritaet >= 10) {
        const bool on = profile.prioritaet == 10;
        profile.segments.push_back(ProfileSegment{on ? 1 : 0, 1440});
        profile.betriebsMinuten = on ? 1440 : 0;
        return profile;
    }
    const int P = profile.prioritaet;

    // The program with the day's astro times, and the astro times of the
    // last earlier day that has any, sorted as the simulation sorts.
    std::vector<Added> added = astroEntries(channel, dayOfYear, kTodaysAstro);
    for (int d = dayOfYear - 1; d >= firstDay_; --d) {
        const std::vector<Added> earlier = astroEntries(channel, d, kEarlierAstro);
        if (!earlier.empty()) {
            added.insert(added.end(), earlier.begin(), earlier.end());
            break;
        }
    }
    const ProgramSlot& s = model_.program();
    ProgramSlot& w = work_.program();
    int n = 0;
    for (; n < s.AnzEintrag; ++n) {
        w.Eintrag[static_cast<std::size_t>(n)] = s.Eintrag[static_cast<std::size_t>(n)];
        w.Eintrag[static_cast<std::size_t>(n)].b[2] = 0;
    }
    for (const Added& a : added) {
        w.Eintrag[static_cast<std::size_t>(n)] = a.entry;
        // The link byte takes part in no key: it marks the added entries.
        w.Eintrag[static_cast<std::size_t>(n++)].b[2] = static_cast<Byte>(a.tag);
    }
    w.AnzSz = s.AnzSz + static_cast<int>(added.size());
    w.AnzPz = s.AnzPz;
    w.AnzEintrag = n;
    SortProgram(work_, 1, kProgramSlot);

    auto considered = [&](const Entry& e) {
        return !IsPriorityTime(e) && EntryTime(e) < 1440 && addresses(e, channel) && EntryPriority(e, false) == P;
    };

    // State at midnight: the smallest distance back in time wins; on equal
    // distances a weekly entry keeps the one found before, a dated one takes over.
    int best = kStartDistance;
    int state = 0;
    for (int i = 0; i < w.AnzEintrag; ++i) {
        const Entry& e = w.Eintrag[static_cast<std::size_t>(i)];
        if (!considered(e) || IsPulse(e) || e.b[2] == kTodaysAstro)
            continue;
        const int T = EntryTime(e);
        if (IsWeeklyEntry(e)) {
            for (int k = 1; k <= 7; ++k) {
                if (occursOn(e, dayOfYear - k)) {
                    const int distance = k * 1440 + 1440 - T;
                    if (distance < best) {
                        best = distance;
                        state = EntryState(e, false);
                    }
                    break;
                }
            }
        } else {
            const int last = lastDateBefore(e, dayOfYear);
            if (last < firstDay_)
                continue;
            const int distance = (dayOfYear - last) * 1440 + 1440 - T;
            if (distance <= best) {
                best = distance;
                state = EntryState(e, false);
            }
        }
    }

    // The day minute by minute.
    struct Minute {
        bool steadySet = false;
        bool steadyOn = false;
        bool pulseSet = false;
        bool pulseOn = false;
    };
    std::vector<Minute> minutes(1440);
    for (int i = 0; i < w.AnzEintrag; ++i) {
        const Entry& e = w.Eintrag[static_cast<std::size_t>(i)];
        if (!considered(e) || e.b[2] == kEarlierAstro || !occursOn(e, dayOfYear))
            continue;
        Minute& m = minutes[static_cast<std::size_t>(EntryTime(e))];
        bool& set = IsPulse(e) ? m.pulseSet : m.steadySet;
        bool& on = IsPulse(e) ? m.pulseOn : m.steadyOn;
        if (!set || !IsWeeklyEntry(e)) {
            set = true;
            on = EntryState(e, false) != 0;
        }
    }
    for (int m = 0; m < 1440; ++m) {
        const Minute& x = minutes[static_cast<std::size_t>(m)];
        if (x.steadySet)
            state = x.steadyOn ? 1 : 0;
        if (state == 1)
            ++profile.betriebsMinuten;
        const int code = x.pulseSet ? (x.pulseOn ? 3 : 2) : state;
        if (!x.pulseSet && !profile.segments.empty() && profile.segments.back().state == code)
            ++profile.segments.back().length;
        else
            profile.segments.push_back(ProfileSegment{code, 1});
    }
    return profile;
}

int NaiveYearSimulation::YearMinutes(int channel)
{
    int total = 0;
    for (int d = 1; d <= DaysInYear(year_); ++d)
        total += Profile(channel, d).betriebsMinuten;
    return total;
}

} // namespace zendrik::test

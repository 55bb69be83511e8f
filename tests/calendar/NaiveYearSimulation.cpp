#include "tests/calendar/NaiveYearSimulation.h"

#include "calendar/AstroTable.h"
#include "model/EntryBuilder.h"
#include "model/ProgramSort.h"

namespace zendrik::test {

namespace {

// Marks of the added astro times in the link byte, which takes part in no sort key.
constexpr Byte kTodaysAstro = 1, kEarlierAstro = 2;

bool IsPulse(const Entry& e) { return EntryPulse(e) >= 1 && EntryPulse(e) <= 59; }
bool IsPriorityTime(const Entry& e) { return (e.b[0] & 0xE0) == 0x60; }

} // namespace

NaiveYearSimulation::NaiveYearSimulation(const ProgramModel& model, int year)
    : model_(model), work_(model), year_(year), first_(1 - DaysInYear(year - 1))
{
    work_.SortSpalteSz = 8;
    for (int d = first_; d <= DaysInYear(year); ++d) dates_.push_back(DateOfDayOfYear(d, year));
}

bool NaiveYearSimulation::addresses(const Entry& e, int channel) const
{
    const int c = EntryChannels(e, false);
    return model_.device.Uhrentyp == kFamily738 ? c == channel : channel < model_.device.Kanalzahl && ((c >> channel) & 1) != 0;
}

bool NaiveYearSimulation::occursOn(const Entry& e, int day) const
{
    const CalendarDate& d = date(day);
    return IsWeeklyEntry(e) ? ((e.b[3] >> (WochentagVon(d.day, d.month, d.year) - 1)) & 1) != 0 : EntryDay(e) == d.day && EntryMonth(e) == d.month;
}

int NaiveYearSimulation::priority(int channel, int day) const
{
    const ProgramSlot& s = model_.program();
    const int k = date(day).month * 32 + date(day).day;
    int priority = 0;
    for (int i = 0; i < s.AnzEintrag; ++i) {
        const Entry& e = s.Eintrag[static_cast<std::size_t>(i)];
        const int p = EntryPriority(e, false);
        if (!IsPriorityTime(e) || !addresses(e, channel) || p > 10) continue;
        const int from = PriorityFromMonth(e) * 32 + PriorityFromDay(e), to = PriorityToMonth(e) * 32 + PriorityToDay(e);
        const int bound = 1936 + PriorityYearCode(e);
        const bool in = from <= to ? from <= k && k <= to : k >= from || k <= to;
        bool covers = in;
        if (e.b[0] == kEasterMarker)
            covers = OsterTag(year_) + PriorityEasterOffset(e) == day;
        else if ((e.b[3] & 0x40) != 0 && PriorityYearCode(e) != 0) // once, in the year given (over the year end: and the next)
            covers = from <= to ? year_ == bound && in : (year_ == bound && k >= from) || (year_ == bound + 1 && k <= to);
        if (covers) priority = p == 10 ? (EntryState(e, false) != 0 ? 10 : 11) : p;
    }
    return priority;
}

// The device switches the table's times (limits written in) with the summer
// hour, OFF at sunrise and ON at sunset.
std::vector<Entry> NaiveYearSimulation::astro(int channel, int day) const
{
    const DeviceSettings& d = model_.device;
    const auto& active = model_.program().astro.AstroAktiv;
    int table = -1;
    if (d.Uhrentyp == kFamily752 && (channel == 0 || (channel == 1 && d.AstroC1C2 == 1)) && active[1] != 0)
        table = 0;
    else if (d.Uhrentyp == kFamily738 && channel < 4 && active[static_cast<std::size_t>(channel + 1)] != 0)
        table = channel;
    std::vector<Entry> out;
    if (table < 0) return out;
    const CalendarDate& at = date(day);
    const AstroShownTimes shown = ShownAstroTimes(model_, kProgramSlot, table, DayOfYear(at.day, at.month, at.year), at.year);
    for (const auto& [t, state] : {std::pair(shown.rise, 0), std::pair(shown.set, 1)})
        if (t && *t >= 0 && *t < 1440) out.push_back(BuildDatedEntry(*t, at.day, at.month, d.Uhrentyp == kFamily738 ? channel : 1 << channel, state, 0, false));
    return out;
}

DayProfile NaiveYearSimulation::Profile(int channel, int day)
{
    DayProfile profile;
    const int P = profile.prioritaet = priority(channel, day);
    if (P >= 10) {
        profile.segments.push_back(ProfileSegment{P == 10 ? 1 : 0, 1440});
        profile.betriebsMinuten = P == 10 ? 1440 : 0;
        return profile;
    }
    // The program with the day's astro times and those of the last earlier day that has any, sorted as the simulation sorts.
    const ProgramSlot& s = model_.program();
    ProgramSlot& w = work_.program();
    std::size_t n = 0;
    const auto add = [&](const std::vector<Entry>& entries, Byte tag) {
        for (Entry e : entries) {
            e.b[2] = tag;
            w.Eintrag[n++] = e;
        }
        return !entries.empty();
    };
    for (; n < static_cast<std::size_t>(s.AnzEintrag); ++n) (w.Eintrag[n] = s.Eintrag[n]).b[2] = 0;
    add(astro(channel, day), kTodaysAstro);
    for (int d = day - 1; d >= first_ && !add(astro(channel, d), kEarlierAstro); --d) { }
    w.AnzSz = s.AnzSz + static_cast<int>(n) - s.AnzEintrag;
    w.AnzPz = s.AnzPz;
    w.AnzEintrag = static_cast<int>(n);
    SortProgram(work_, 1, kProgramSlot);
    const auto considered = [&](const Entry& e) {
        return !IsPriorityTime(e) && EntryTime(e) < 1440 && addresses(e, channel) && EntryPriority(e, false) == P;
    };

    // State at midnight: the smallest distance back in time wins; on equal
    // distances a weekly entry keeps the one found before, a dated one takes over.
    int best = 600000, state = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const Entry& e = w.Eintrag[i];
        if (!considered(e) || IsPulse(e) || e.b[2] == kTodaysAstro) continue;
        const int furthest = IsWeeklyEntry(e) ? 7 : day - first_;
        int k = 1;
        while (k <= furthest && !occursOn(e, day - k)) ++k;
        const int distance = k * 1440 + 1440 - EntryTime(e);
        if (k <= furthest && (distance < best || (distance == best && !IsWeeklyEntry(e))))
            best = distance, state = EntryState(e, false);
    }

    // The day minute by minute: [0] the steady switching, [1] the pulse of the minute.
    struct Minute {
        bool set[2] = {}, on[2] = {};
    };
    std::vector<Minute> minutes(1440);
    for (std::size_t i = 0; i < n; ++i) {
        const Entry& e = w.Eintrag[i];
        if (!considered(e) || e.b[2] == kEarlierAstro || !occursOn(e, day)) continue;
        Minute& m = minutes[static_cast<std::size_t>(EntryTime(e))];
        const int k = IsPulse(e) ? 1 : 0;
        if (!m.set[k] || !IsWeeklyEntry(e)) m.set[k] = true, m.on[k] = EntryState(e, false) != 0;
    }
    for (const Minute& x : minutes) {
        if (x.set[0]) state = x.on[0] ? 1 : 0;
        profile.betriebsMinuten += state == 1;
        const int code = x.set[1] ? (x.on[1] ? 3 : 2) : state;
        if (!x.set[1] && !profile.segments.empty() && profile.segments.back().state == code)
            ++profile.segments.back().length;
        else
            profile.segments.push_back(ProfileSegment{code, 1});
    }
    return profile;
}

int NaiveYearSimulation::YearMinutes(int channel)
{
    int total = 0;
    for (int d = 1; d <= DaysInYear(year_); ++d) total += Profile(channel, d).betriebsMinuten;
    return total;
}

} // namespace zendrik::test

#include "calendar/YearSimulation.h"

#include "calendar/AddressedChannels.h"
#include "calendar/AstroTable.h"
#include "calendar/SommerzeitTage.h"
#include "model/EntryBuilder.h"
#include "model/ProgramModel.h"
#include "model/ProgramSort.h"
#include "util/CalendarMath.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zendrik {

namespace {

// The list column the simulation sorts by: minute of day, then priority,
// pulse, "1x" and state (ON before OFF). Column 9 differs from it only for
// entries with bit 4 of b4 set, which no entry dialog writes.
constexpr int kSimulationSortColumn = 8;

using Switching = YearSimulation::Switching;

bool WalksBefore(const Switching& a, const Switching& b)
{
    return a.key < b.key || (a.key == b.key && a.order < b.order);
}

// Which switching of one minute decides the state. The device tool's rule
// for the state at midnight takes the first switching it meets and lets
// only a dated one displace it; the same rule applies to switchings of the
// same minute within the day, so that the state the graph shows at the end
// of a day is the state the next day starts with. In effect a dated
// switching (or an astro time) outweighs weekly ones; among weekly
// switchings the first in the working order wins (ON before OFF), among
// dated ones the last ("1x" over yearly, then OFF over ON).
struct MinuteWinner {
    bool set = false;
    bool on = false;
    const Switching* who = nullptr;

    void take(const Switching& s)
    {
        if (!set || s.dated) {
            set = true;
            on = s.on;
            who = &s;
        }
    }
};

// Builds the per-day lists of a window of days from (day, switching) pairs.
template <typename DayLists>
void Pack(std::vector<std::pair<int, Switching>>& byDay, int days, DayLists& lists)
{
    std::stable_sort(byDay.begin(), byDay.end(), [](const auto& a, const auto& b) {
        return a.first < b.first || (a.first == b.first && WalksBefore(a.second, b.second));
    });
    lists.start.assign(static_cast<std::size_t>(days + 1), 0);
    lists.items.clear();
    lists.items.reserve(byDay.size());
    std::size_t next = 0;
    for (int d = 0; d < days; ++d) {
        lists.start[static_cast<std::size_t>(d)] = static_cast<int>(lists.items.size());
        while (next < byDay.size() && byDay[next].first == d)
            lists.items.push_back(byDay[next++].second);
    }
    lists.start[static_cast<std::size_t>(days)] = static_cast<int>(lists.items.size());
}

} // namespace

YearSimulation::YearSimulation(const ProgramModel& model, int simJahr, int slot)
    : jahr_(simJahr),
      slot_(slot == kSampleSlot ? kSampleSlot : kProgramSlot),
      vorjahrTage_(DaysInYear(simJahr - 1)),
      ersterWochentag_(WochentagVon(1, 1, simJahr) - 1),
      tagPrio_(model, simJahr, slot_),
      channels_(static_cast<std::size_t>(tagPrio_.Kanaele()))
{
    // The lists number their rows by kind: the switching times from 1, the
    // priority times from 1.
    const ProgramSlot& s = model.slot(slot_);
    const int used = std::clamp(s.AnzEintrag, 0, kEntryRows);
    listNumber_.resize(static_cast<std::size_t>(used));
    int switching = 0;
    int priority = 0;
    for (int i = 0; i < used; ++i)
        listNumber_[static_cast<std::size_t>(i)] =
            IsPriorityTimeByte(s.Eintrag[static_cast<std::size_t>(i)].b[0]) ? ++priority : ++switching;

    buildSwitchingTimes(model);
    buildAstroTimes(model);
    buildMeterPulse(model);
}

void YearSimulation::buildSwitchingTimes(const ProgramModel& model)
{
    SortContext context = SortContext::of(model);
    context.sortColumnSz = kSimulationSortColumn;
    const bool eib = model.eib();
    const ProgramSlot& s = model.slot(slot_);
    const int used = std::clamp(s.AnzEintrag, 0, kEntryRows);
    const int windowDays = vorjahrTage_ + Tage();
    std::vector<std::vector<std::pair<int, Switching>>> dated(channels_.size());

    for (int i = 0; i < used; ++i) {
        const Entry& e = s.Eintrag[static_cast<std::size_t>(i)];
        if (!IsSwitchingTimeByte(e.b[0]))
            continue;
        const int minute = EntryTime(e);
        const int priority = EntryPriority(e, eib);
        const int mask = AddressedChannels(e, model.device);
        if (minute >= kMinutesOfDay || priority >= kPriorityPrograms || mask == 0)
            continue;
        const int pulse = EntryPulse(e);
        Switching sw;
        sw.key = SortKey(e, context);
        sw.order = i;
        sw.minute = minute;
        sw.priority = priority;
        sw.on = EntryState(e, eib) != 0;
        sw.pulse = pulse >= 1 && pulse <= kLongestPulse;
        sw.dated = !IsWeeklyEntry(e);

        for (std::size_t c = 0; c < channels_.size(); ++c) {
            if ((mask & (1 << c)) == 0)
                continue;
            if (!sw.dated) {
                for (int w = 0; w < 7; ++w) {
                    if (e.b[3] & (1 << w))
                        channels_[c].weekly[static_cast<std::size_t>(priority)][static_cast<std::size_t>(w)].push_back(sw);
                }
                continue;
            }
            // A dated switching time comes on its day and month, in the
            // simulated year and in the year before (for the state it
            // leaves at the start of the simulated year).
            const int day = EntryDay(e);
            const int month = EntryMonth(e);
            for (const int year : {jahr_ - 1, jahr_}) {
                if (month < 1 || month > 12 || day < 1 || day > TageImMonat(month, year))
                    continue;
                const int dayNumber = DayOfYear(day, month, year) - (year < jahr_ ? vorjahrTage_ : 0);
                dated[c].emplace_back(dayNumber + vorjahrTage_ - 1, sw);
            }
        }
    }
    for (std::size_t c = 0; c < channels_.size(); ++c) {
        for (auto& program : channels_[c].weekly) {
            for (auto& day : program)
                std::stable_sort(day.begin(), day.end(), WalksBefore);
        }
        Pack(dated[c], windowDays, channels_[c].dated);
    }
}

void YearSimulation::buildAstroTimes(const ProgramModel& model)
{
    const ProgramSlot& slot = model.slot(slot_);
    SortContext context = SortContext::of(model);
    context.sortColumnSz = kSimulationSortColumn;
    const int windowDays = vorjahrTage_ + Tage();

    for (std::size_t c = 0; c < channels_.size(); ++c) {
        // Plain variables: the lambdas below capture them.
        const AstroDrive drive = AstroDriveOf(model, static_cast<int>(c), slot_);
        const int table = drive.table;
        const int morning = drive.morning;
        const int evening = drive.evening;
        channels_[c].astroMorning = morning;
        channels_[c].astroEvening = evening;
        const SommerzeitTage summer[2] = {SommerzeitTageVon(model.device.SwRegel, slot, jahr_ - 1),
                                          SommerzeitTageVon(model.device.SwRegel, slot, jahr_)};
        std::vector<std::pair<int, Switching>> byDay;
        if (table >= 0) {
            byDay.reserve(static_cast<std::size_t>(2 * windowDays));
            for (int index = 0; index < windowDays; ++index) {
                const int dayNumber = index + 1 - vorjahrTage_;
                const int year = dayNumber < 1 ? jahr_ - 1 : jahr_;
                const int dayOfYear = dayNumber < 1 ? dayNumber + vorjahrTage_ : dayNumber;
                // The times as the device switches them and the astro list
                // shows them: the table with the summer hour (and on the
                // one-channel device its offsets). The limits are in the table.
                const AstroShownTimes shown = ShownAstroTimes(model, slot_, table, dayOfYear, year);
                const int month = MonthOfDayOfYear(dayOfYear, year);
                const int dayOfMonth = DayOfMonthOfDayOfYear(dayOfYear, year);
                const bool summerTime = IstSommerzeit(summer[year < jahr_ ? 0 : 1], dayOfYear);
                auto add = [&](int minute, int state, int order) {
                    // A time the summer hour pushes out of the day is not switched that day.
                    if (minute < 0 || minute >= kMinutesOfDay)
                        return;
                    Switching sw;
                    sw.key = SortKey(BuildDatedEntry(minute, dayOfMonth, month, 1, state != 0 ? 1 : 0, 0, false),
                                     context);
                    sw.order = order;
                    sw.minute = minute;
                    sw.on = state != 0;
                    sw.dated = true;
                    sw.astroShown = minute;
                    sw.summerTime = summerTime;
                    byDay.emplace_back(index, sw);
                };
                // The astro times come after every entry of the table, the
                // sunrise before the sunset, in the device's own states.
                if (shown.rise)
                    add(*shown.rise, kAstroRiseState, kEntryRows);
                if (shown.set)
                    add(*shown.set, kAstroSetState, kEntryRows + 1);
            }
        }
        Pack(byDay, windowDays, channels_[c].astro);
    }
}

void YearSimulation::buildMeterPulse(const ProgramModel& model)
{
    const DeviceSettings& d = model.device;
    if (d.Evu != 1 || d.MessKanal < 1 || d.MessKanal > Kanaele() || d.MessPeriode <= 0)
        return;
    messKanal_ = d.MessKanal - 1;
    messPeriode_ = d.MessPeriode;
    messImpDauer_ = d.MessImpDauer;
    messZustand_ = d.MessZustand;
    messZeitpunkt_ = d.MessZeitpunkt;
}

bool YearSimulation::IstMesskanal(int channel) const
{
    return channel == messKanal_ && messKanal_ >= 0;
}

int YearSimulation::weekday(int dayNumber) const
{
    return ((ersterWochentag_ + dayNumber - 1) % 7 + 7) % 7;
}

YearSimulation::DayRun YearSimulation::runDay(const ChannelView& view, int priority, int dayNumber, int startState,
                                              std::vector<ProfileSegment>* segments,
                                              std::vector<DayEvent>* events, std::vector<OnPeriod>* on) const
{
    const std::vector<Switching>& weekly =
        view.weekly[static_cast<std::size_t>(priority)][static_cast<std::size_t>(weekday(dayNumber))];
    const int index = dayNumber + vorjahrTage_ - 1;
    const auto span = [index](const DayLists& lists) {
        if (index < 0 || index + 1 >= static_cast<int>(lists.start.size()))
            return std::pair<const Switching*, const Switching*>{nullptr, nullptr};
        const Switching* base = lists.items.data();
        return std::pair<const Switching*, const Switching*>{base + lists.start[static_cast<std::size_t>(index)],
                                                             base + lists.start[static_cast<std::size_t>(index + 1)]};
    };
    const Switching* w = weekly.data();
    const Switching* wEnd = w + weekly.size();
    // Plain variables rather than structured bindings: the lambdas below capture them, which
    // clang before version 16 refuses for structured bindings.
    const auto datedSpan = span(view.dated);
    const auto astroSpan =
        priority == 0 ? span(view.astro) : std::pair<const Switching*, const Switching*>{nullptr, nullptr};
    const Switching* dt = datedSpan.first;
    const Switching* const dtEnd = datedSpan.second;
    const Switching* as = astroSpan.first;
    const Switching* const asEnd = astroSpan.second;

    DayRun run;
    int state = startState;
    int position = 0;
    const auto addOn = [on](int from, int to) {
        if (!on->empty() && on->back().to == from)
            on->back().to = to;
        else
            on->push_back(OnPeriod{from, to});
    };
    // Closes the running stretch of the day at a minute; a switching that
    // does not change the state continues the stretch.
    auto closeAt = [&](int until) {
        if (until <= position)
            return;
        if (state == 1) {
            run.onMinutes += until - position;
            if (on)
                addOn(position, until);
        }
        if (segments && state >= 0) {
            if (!segments->empty() && segments->back().state == state)
                segments->back().length += until - position;
            else
                segments->push_back(ProfileSegment{state, until - position});
        }
        position = until;
    };

    // Walks the day's switchings in working order: weekly, dated and astro
    // lists are each in that order and are merged here.
    auto next = [&]() -> const Switching* {
        while (dt != dtEnd && dt->priority != priority)
            ++dt;
        const Switching* best = nullptr;
        if (w != wEnd)
            best = w;
        if (dt != dtEnd && (!best || WalksBefore(*dt, *best)))
            best = dt;
        if (as != asEnd && (!best || WalksBefore(*as, *best)))
            best = as;
        if (!best)
            return nullptr;
        if (best == w)
            ++w;
        else if (best == dt)
            ++dt;
        else if (best == as)
            ++as;
        return best;
    };

    const Switching* s = next();
    while (s) {
        const int minute = s->minute;
        MinuteWinner steady;
        MinuteWinner pulse;
        for (; s && s->minute == minute; s = next())
            (s->pulse ? pulse : steady).take(*s);
        if (events)
            events->push_back(DayEvent{minute, steady.who, pulse.who});

        if (pulse.set) {
            // A pulse lasts 1..59 seconds and leaves the relay as it was: the
            // graph shows it as one minute in its pulse state, after which the
            // channel is in the state it had, or in the one a switching of the
            // same minute sets. The pulse neither adds to nor takes from the
            // operating time: that minute counts by the state after it.
            closeAt(minute);
            if (steady.set)
                state = steady.on ? 1 : 0;
            if (segments && state >= 0)
                segments->push_back(ProfileSegment{pulse.on ? ProfileImpulsEin : ProfileImpulsAus, 1});
            if (state == 1) {
                run.onMinutes += 1;
                if (on)
                    addOn(minute, minute + 1);
            }
            position = minute + 1;
        } else if (steady.set) {
            closeAt(minute);
            state = steady.on ? 1 : 0;
        }
    }
    closeAt(kMinutesOfDay);
    run.endState = state;
    return run;
}

YearSimulation::Midnight YearSimulation::midnight(const ChannelView& view, int priority, int dayNumber) const
{
    // The most recent switching before the day: a weekly entry comes within
    // seven days, a dated one on its date this year or last year; astro
    // times come daily except in the polar night or day.
    for (int d = dayNumber - 1; d >= 1 - vorjahrTage_; --d) {
        const DayRun run = runDay(view, priority, d, -1, nullptr);
        if (run.endState >= 0)
            return Midnight{run.endState, d, true};
    }
    // Nothing switched the channel: it is OFF.
    return Midnight{};
}

int YearSimulation::midnightState(const ChannelView& view, int priority, int dayNumber) const
{
    return midnight(view, priority, dayNumber).state;
}

DayProfile YearSimulation::Rechne_SzGrafik(int channel, int dayOfYear) const
{
    DayProfile profile;
    if (channel < 0 || channel >= Kanaele() || dayOfYear < 1 || dayOfYear > Tage()) {
        profile.segments.push_back(ProfileSegment{ProfileAus, kMinutesOfDay});
        return profile;
    }
    profile.prioritaet = tagPrio_(channel, dayOfYear);
    if (IstMesskanal(channel)) {
        DayProfile meter = meterProfile();
        meter.prioritaet = profile.prioritaet;
        return meter;
    }
    if (profile.prioritaet == kTagPrioPermanentEin) {
        profile.segments.push_back(ProfileSegment{ProfileEin, kMinutesOfDay});
        profile.betriebsMinuten = kMinutesOfDay;
        return profile;
    }
    if (profile.prioritaet == kTagPrioPermanentAus) {
        profile.segments.push_back(ProfileSegment{ProfileAus, kMinutesOfDay});
        return profile;
    }
    const ChannelView& view = channels_[static_cast<std::size_t>(channel)];
    const int start = midnightState(view, profile.prioritaet, dayOfYear);
    profile.betriebsMinuten = runDay(view, profile.prioritaet, dayOfYear, start, &profile.segments).onMinutes;
    return profile;
}

int YearSimulation::Betriebsminuten(int channel, int dayOfYear) const
{
    return Rechne_SzGrafik(channel, dayOfYear).betriebsMinuten;
}

std::vector<int> YearSimulation::BetriebsminutenJeTag(int channel) const
{
    std::vector<int> minutes(static_cast<std::size_t>(Tage()), 0);
    if (channel < 0 || channel >= Kanaele())
        return minutes;
    if (IstMesskanal(channel)) {
        std::fill(minutes.begin(), minutes.end(), meterMinutes());
        return minutes;
    }
    std::array<bool, kPriorityPrograms> used{};
    for (int d = 1; d <= Tage(); ++d) {
        const int p = tagPrio_(channel, d);
        if (p == kTagPrioPermanentEin)
            minutes[static_cast<std::size_t>(d - 1)] = kMinutesOfDay;
        else if (p < kPriorityPrograms)
            used[static_cast<std::size_t>(p)] = true;
    }
    // Each priority program runs through the whole year, so that the state
    // it leaves at the end of a day is at hand when it takes over the next
    // day, even after days of another program.
    const ChannelView& view = channels_[static_cast<std::size_t>(channel)];
    for (int p = 0; p < kPriorityPrograms; ++p) {
        if (!used[static_cast<std::size_t>(p)])
            continue;
        int state = midnightState(view, p, 1);
        for (int d = 1; d <= Tage(); ++d) {
            const DayRun run = runDay(view, p, d, state, nullptr);
            if (tagPrio_(channel, d) == p)
                minutes[static_cast<std::size_t>(d - 1)] = run.onMinutes;
            state = run.endState;
        }
    }
    return minutes;
}

std::vector<SimulatedDay> YearSimulation::SimulateYear(int channel) const
{
    std::vector<SimulatedDay> days(static_cast<std::size_t>(Tage()));
    if (channel < 0 || channel >= Kanaele())
        return days;
    const auto day = [&days](int d) -> SimulatedDay& { return days[static_cast<std::size_t>(d - 1)]; };
    if (IstMesskanal(channel)) {
        const DayProfile meter = meterProfile();
        for (int d = 1; d <= Tage(); ++d) {
            day(d).profile = meter;
            day(d).profile.prioritaet = tagPrio_(channel, d);
        }
        return days;
    }
    std::array<bool, kPriorityPrograms> used{};
    for (int d = 1; d <= Tage(); ++d) {
        const int p = tagPrio_(channel, d);
        DayProfile& profile = day(d).profile;
        profile.prioritaet = p;
        if (p == kTagPrioPermanentEin || p == kTagPrioPermanentAus) {
            const bool ein = p == kTagPrioPermanentEin;
            profile.segments.push_back(ProfileSegment{ein ? ProfileEin : ProfileAus, kMinutesOfDay});
            profile.betriebsMinuten = ein ? kMinutesOfDay : 0;
            if (ein)
                day(d).on.push_back(OnPeriod{0, kMinutesOfDay});
        } else if (p < kPriorityPrograms) {
            used[static_cast<std::size_t>(p)] = true;
        }
    }
    // Each priority program runs through the whole year, as for the
    // operating hours, and fills the days it rules.
    const ChannelView& view = channels_[static_cast<std::size_t>(channel)];
    for (int p = 0; p < kPriorityPrograms; ++p) {
        if (!used[static_cast<std::size_t>(p)])
            continue;
        int state = midnightState(view, p, 1);
        for (int d = 1; d <= Tage(); ++d) {
            SimulatedDay& today = day(d);
            const bool rules = tagPrio_(channel, d) == p;
            const DayRun run = runDay(view, p, d, state, rules ? &today.profile.segments : nullptr, nullptr,
                                      rules ? &today.on : nullptr);
            if (rules)
                today.profile.betriebsMinuten = run.onMinutes;
            state = run.endState;
        }
    }
    return days;
}

int YearSimulation::Jahresbetriebsminuten(int channel) const
{
    int total = 0;
    for (const int m : BetriebsminutenJeTag(channel))
        total += m;
    return total;
}

DayProfile YearSimulation::meterProfile() const
{
    // The relay state of the measurement first, for one period when the
    // pulse comes at the end of the period; then the measuring periods in
    // their pulse state. The day ends at midnight: the last period is cut
    // there, and a period that does not divide the day fills it up.
    DayProfile profile;
    const int pulseState = messZustand_ == 1 ? ProfileImpulsAus : ProfileImpulsEin;
    int position = 0;
    if (messZeitpunkt_ != 0) {
        position = std::min(messPeriode_, kMinutesOfDay);
        profile.segments.push_back(ProfileSegment{messZustand_ == 1 ? ProfileEin : ProfileAus, position});
    }
    while (position < kMinutesOfDay) {
        const int length = std::min(messPeriode_, kMinutesOfDay - position);
        profile.segments.push_back(ProfileSegment{pulseState, length});
        position += length;
    }
    profile.betriebsMinuten = meterMinutes();
    return profile;
}

int YearSimulation::meterMinutes() const
{
    // n periods a day; with the relay ON while measuring (MessZustand 1)
    // the channel is ON for the pulses only, else for all but the pulses.
    // A pulse longer than its period must not make the day longer than a day.
    const long periods = std::lround(static_cast<double>(kMinutesOfDay) / messPeriode_);
    const double between = static_cast<double>(periods) * (messPeriode_ * 60.0 - messImpDauer_) / 60.0;
    const int m = std::clamp(static_cast<int>(std::floor(between)), 0, kMinutesOfDay);
    return messZustand_ == 1 ? kMinutesOfDay - m : m;
}

int YearSimulation::ListNumber(int entry) const
{
    return entry >= 0 && entry < static_cast<int>(listNumber_.size()) ? listNumber_[static_cast<std::size_t>(entry)]
                                                                      : 0;
}

void YearSimulation::describeSwitching(const ChannelView& view, const Switching& s, int dayNumber,
                                       SimulationCause& cause) const
{
    cause.date = DateOfDayOfYear(dayNumber, jahr_);
    cause.minute = s.minute;
    cause.switchedOn = s.on;
    if (s.order >= kEntryRows) {
        // The astro times of a day come after every row of the table,
        // the sunrise first.
        cause.kind = CauseKind::Astro;
        cause.astro.sunset = s.order > kEntryRows;
        cause.astro.shown = s.astroShown;
        cause.astro.summerTime = s.summerTime;
        // The table holds the limit where it moved the sun's time: a time
        // at a limit the user set is taken as the limit's.
        cause.astro.limit = cause.astro.sunset ? view.astroEvening : view.astroMorning;
        cause.astro.limited = s.minute == cause.astro.limit
            && (cause.astro.sunset ? cause.astro.limit < kMinutesOfDay - 1 : cause.astro.limit > 0);
        return;
    }
    cause.kind = s.pulse ? CauseKind::Pulse : CauseKind::SwitchingTime;
    cause.entry = s.order;
    cause.entryNumber = ListNumber(s.order);
}

SimulationCause YearSimulation::Explain(int channel, int dayOfYear, int minute) const
{
    SimulationCause cause;
    if (channel < 0 || channel >= Kanaele() || dayOfYear < 1 || dayOfYear > Tage() || minute < 0
        || minute >= kMinutesOfDay)
        return cause;
    cause.dayPriority = tagPrio_(channel, dayOfYear);
    cause.priorityEntry = tagPrio_.Quelle(channel, dayOfYear);
    cause.priorityNumber = ListNumber(cause.priorityEntry);
    cause.date = DateOfDayOfYear(dayOfYear, jahr_);
    if (IstMesskanal(channel)) {
        cause.kind = CauseKind::MeterPulse;
        cause.state = meterProfile().StateAt(minute);
        return cause;
    }
    if (cause.dayPriority == kTagPrioPermanentEin || cause.dayPriority == kTagPrioPermanentAus) {
        cause.kind = CauseKind::Permanent;
        cause.switchedOn = cause.dayPriority == kTagPrioPermanentEin;
        cause.state = cause.switchedOn ? ProfileEin : ProfileAus;
        return cause;
    }

    const ChannelView& view = channels_[static_cast<std::size_t>(channel)];
    const Midnight start = midnight(view, cause.dayPriority, dayOfYear);
    DayProfile profile;
    std::vector<DayEvent> events;
    runDay(view, cause.dayPriority, dayOfYear, start.state, &profile.segments, &events);
    cause.state = profile.StateAt(minute);

    // The pulse of the minute itself, else the last switching at or before
    // it that set the state.
    const Switching* decider = nullptr;
    for (const DayEvent& e : events) {
        if (e.minute > minute)
            break;
        if (e.pulse && e.minute == minute)
            decider = e.pulse;
        else if (e.steady)
            decider = e.steady;
    }
    if (decider) {
        describeSwitching(view, *decider, dayOfYear, cause);
        return cause;
    }
    // The state from midnight: the last switching of the day that left it.
    if (start.found) {
        events.clear();
        runDay(view, cause.dayPriority, start.dayNumber, -1, nullptr, &events);
        for (auto e = events.rbegin(); e != events.rend(); ++e) {
            if (e->steady) {
                describeSwitching(view, *e->steady, start.dayNumber, cause);
                cause.earlierDay = true;
                // Days a permanent priority time held since then: the
                // switching did not run there, the program takes its state up.
                for (int d = dayOfYear - 1; d >= std::max(start.dayNumber, 1); --d) {
                    const int p = tagPrio_(channel, d);
                    if (p == kTagPrioPermanentEin || p == kTagPrioPermanentAus) {
                        cause.heldPriority = p;
                        cause.heldEntry = tagPrio_.Quelle(channel, d);
                        cause.heldNumber = ListNumber(cause.heldEntry);
                        cause.heldDate = DateOfDayOfYear(d, jahr_);
                        break;
                    }
                }
                return cause;
            }
        }
    }
    cause.kind = CauseKind::Nothing;
    return cause;
}

} // namespace zendrik

#include "editing/checks/ProgramChecks.h"

#include "calendar/AddressedChannels.h"
#include "calendar/AstroTable.h"
#include "calendar/SoWiZeitzone.h"
#include "calendar/SommerzeitTage.h"
#include "calendar/TagPrio.h"
#include "calendar/YearSimulation.h"
#include "editing/ListTexts.h"
#include "editing/checks/CheckTexts.h"
#include "language/DateText.h"
#include "language/TextTable.h"
#include "model/DeviceFamily.h"
#include "model/DstRowCodec.h"
#include "model/ProgramModel.h"

#include <algorithm>
#include <array>
#include <bit>
#include <map>
#include <optional>
#include <tuple>

namespace zendrik {

namespace T = checktexts;

namespace {

constexpr int kLeapYear = 2024; // a year that has every date

// One switching time of slot 0, decoded once.
struct SlotSwitching {
    int index = 0;
    int minute = 0;
    int priority = 0;
    int channels = 0; // mask, bit c = channel index c
    int state = 0;
    bool pulse = false;
    bool weekly = false;
    int weekdays = 0; // weekly: bit 0 Monday .. bit 6 Sunday
    int day = 0;      // dated: day and month
    int month = 0;
};

// One priority time of slot 0, decoded once.
struct PriorityTime {
    int index = 0;
    int priority = 0;
    int channels = 0;
    int state = 0;
    bool easter = false;
    bool yearBound = false;
    int year = 0; // the year a year-bound priority time is for
    int fromDay = 0, fromMonth = 0, toDay = 0, toMonth = 0;
    int easterOffset = 0;

    bool wraps() const { return fromMonth * 32 + fromDay > toMonth * 32 + toDay; }
};

int UsedRows(const ProgramSlot& s)
{
    return std::clamp(s.AnzEintrag, 0, kEntryRows);
}

std::vector<SlotSwitching> SwitchingTimes(const ProgramModel& model)
{
    const ProgramSlot& s = model.program();
    const bool eib = model.eib();
    std::vector<SlotSwitching> out;
    out.reserve(static_cast<std::size_t>(UsedRows(s)));
    for (int i = 0; i < UsedRows(s); ++i) {
        const Entry& e = s.Eintrag[static_cast<std::size_t>(i)];
        if (!IsSwitchingTimeByte(e.b[0]))
            continue;
        SlotSwitching sw;
        sw.index = i;
        sw.minute = EntryTime(e);
        sw.priority = EntryPriority(e, eib);
        sw.channels = AddressedChannels(e, model.device);
        sw.state = EntryState(e, eib);
        const int pulse = EntryPulse(e);
        sw.pulse = pulse >= 1 && pulse <= kLongestPulse;
        sw.weekly = IsWeeklyEntry(e);
        sw.weekdays = e.b[3] & 0x7F;
        sw.day = EntryDay(e);
        sw.month = EntryMonth(e);
        out.push_back(sw);
    }
    return out;
}

std::vector<PriorityTime> PriorityTimes(const ProgramModel& model)
{
    const ProgramSlot& s = model.program();
    const bool eib = model.eib();
    std::vector<PriorityTime> out;
    for (int i = 0; i < UsedRows(s); ++i) {
        const Entry& e = s.Eintrag[static_cast<std::size_t>(i)];
        if (!IsPriorityTimeByte(e.b[0]))
            continue;
        PriorityTime p;
        p.index = i;
        p.priority = EntryPriority(e, eib);
        p.channels = AddressedChannels(e, model.device);
        p.state = EntryState(e, eib);
        p.easter = e.b[0] == kEasterMarker;
        // The bus format keeps state and channel where the year would be.
        p.yearBound = !eib && !p.easter && PriorityTimeKind(e) == PrioOnceInYear;
        p.year = kYearCodeBase + PriorityYearCode(e);
        p.fromDay = PriorityFromDay(e);
        p.fromMonth = PriorityFromMonth(e);
        p.toDay = PriorityToDay(e);
        p.toMonth = PriorityToMonth(e);
        p.easterOffset = p.easter ? PriorityEasterOffset(e) : 0;
        out.push_back(p);
    }
    return out;
}

// The first channel of a mask (0-based), -1 for none.
int FirstChannel(int mask)
{
    return mask == 0 ? -1 : std::countr_zero(static_cast<unsigned>(mask));
}

bool ValidDate(int day, int month, int year)
{
    return month >= 1 && month <= 12 && day >= 1 && day <= TageImMonat(month, year);
}

QString HourMinute(int minute)
{
    return QStringLiteral("%1:%2").arg(minute / 60, 2, 10, QLatin1Char('0')).arg(minute % 60, 2, 10, QLatin1Char('0'));
}

QString ChannelsText(int mask)
{
    QStringList parts;
    for (int c = 0; c < 16; ++c) {
        if (mask & (1 << c))
            parts << QStringLiteral("C%1").arg(c + 1);
    }
    return parts.join(QLatin1Char(' '));
}

QString WeekdaysText(int mask, const TextTable& texts)
{
    QStringList parts;
    for (int w = 0; w < 7; ++w) {
        if (mask & (1 << w))
            parts << texts(static_cast<TextId>(static_cast<int>(TextId::ShortMonday) + w)).trimmed();
    }
    return parts.join(QLatin1Char(' '));
}

QString DateText(int day, int month, const CheckContext& ctx)
{
    return FormatDate(day, month, ctx.texts, ctx.model.device).trimmed();
}

// A date with its year as the language writes dates.
QString DateText(const CalendarDate& date, const CheckContext& ctx)
{
    return zendrik::DateText(date.day, date.month, date.year, ctx.texts);
}

QString PriorityLabel(int priority, const TextTable& texts)
{
    return priority == kPermanentPriority ? texts(TextId::Permanent) : QStringLiteral("P%1").arg(priority);
}

// "07:00 C1" for a switching time, for the messages that name one.
QString SwitchingText(const SlotSwitching& s)
{
    return HourMinute(s.minute) + QLatin1Char(' ') + ChannelsText(s.channels);
}

// The range of a priority time as "1.8.–31.8." (a movable one by its distance to Easter).
QString RangeText(const PriorityTime& p)
{
    if (p.easter)
        return QStringLiteral("%1%2").arg(p.easterOffset >= 0 ? QStringLiteral("+") : QString()).arg(p.easterOffset);
    return QStringLiteral("%1.%2.–%3.%4.").arg(p.fromDay).arg(p.fromMonth).arg(p.toDay).arg(p.toMonth);
}

// Whether a switching time comes on a day of the year.
bool ComesOn(const SlotSwitching& s, int dayOfYear, int year)
{
    const CalendarDate date = DateOfDayOfYear(dayOfYear, year);
    if (s.weekly)
        return (s.weekdays & (1 << (WochentagVon(date.day, date.month, date.year) - 1))) != 0;
    return s.day == date.day && s.month == date.month;
}

// The first day of the year that has one of the weekdays of a mask.
int FirstDayWithWeekday(int mask, int year)
{
    for (int d = 1; d <= 7; ++d) {
        const CalendarDate date = DateOfDayOfYear(d, year);
        if (mask & (1 << (WochentagVon(date.day, date.month, date.year) - 1)))
            return d;
    }
    return 1;
}

Finding Make(CheckId id, Severity severity, QString message)
{
    Finding f;
    f.check = id;
    f.severity = severity;
    f.message = std::move(message);
    return f;
}

void SetDay(Finding& f, int dayOfYear, int year)
{
    const CalendarDate date = DateOfDayOfYear(dayOfYear, year);
    f.day = date.day;
    f.month = date.month;
    f.year = date.year;
}

// The days of the year a priority time covers in `year` (first day, and
// whether it covers any); for the day a finding points at.
std::optional<int> FirstCoveredDay(const PriorityTime& p, int year)
{
    if (p.easter)
        return OsterTag(year) + p.easterOffset;
    if (p.fromMonth < 1 || p.fromMonth > 12 || p.fromDay < 1 || p.fromDay > 31)
        return std::nullopt;
    return DayOfYear(std::min(p.fromDay, TageImMonat(p.fromMonth, year)), p.fromMonth, year);
}

struct ClockChange {
    int dayOfYear = 0;
    int year = 0;
    int from = 0; // first minute of the skipped or repeated hour(s)
    int to = 0;   // minute after them
    bool forward = true;
};

// The built-in rules change at fixed hours: Europe at 2:00 to 3:00 and back
// at 3:00 to 2:00, Great Britain at 1:00 to 2:00 and back at 2:00 to 1:00,
// the USA at 2:00 to 3:00 and back at 2:00 to 1:00. A table row names the
// hour the clock is changed at and by how many hours: forward the hours from
// it are skipped, back the hours before it run twice.
struct RuleHours {
    int forwardHour;
    int backHour;
};

std::optional<RuleHours> HoursOfRule(int swRegel)
{
    switch (swRegel) {
    case SwEuropa:
        return RuleHours{2, 3};
    case SwGrossbritannien:
        return RuleHours{1, 2};
    case SwUsa:
        return RuleHours{2, 2};
    default:
        return std::nullopt;
    }
}

std::vector<ClockChange> Changeovers(const CheckContext& ctx)
{
    std::vector<ClockChange> out;
    const ProgramSlot& s = ctx.model.program();
    const int rule = ctx.model.device.SwRegel;
    auto add = [&out](int dayOfYear, int year, int fromHour, int toHour, bool forward) {
        const int from = std::clamp(fromHour, 0, 24) * 60;
        const int to = std::clamp(toHour, 0, 24) * 60;
        if (to > from)
            out.push_back(ClockChange{dayOfYear, year, from, to, forward});
    };
    if (const auto hours = HoursOfRule(rule)) {
        const SommerzeitTage tage = RegelTage(rule, ctx.year);
        add(tage.forward, ctx.year, hours->forwardHour, hours->forwardHour + 1, true);
        add(tage.back, ctx.year, hours->backHour - 1, hours->backHour, false);
        return out;
    }
    if (rule != SwTabelle)
        return out;
    const int base = SoWiBezugsjahr(s);
    for (int row = 1; row < std::min(s.AnzSoWi, kDstRows); ++row) {
        const int year = base + row;
        const SommerzeitTage tage = TabellenTage(s, year);
        if (!tage.hasChangeover())
            continue;
        const DstEntry entry = DecodeDstRow(s.SoWiTab[static_cast<std::size_t>(row)]);
        add(tage.forward, year, entry.forward.hour, entry.forward.hour + entry.forward.shift, true);
        add(tage.back, year, entry.back.hour - entry.back.shift, entry.back.hour, false);
    }
    return out;
}

} // namespace

CheckContext MakeCheckContext(const ProgramModel& model, const TextTable& texts, int year)
{
    CheckContext ctx{model, texts, year, CalendarDate{1, 1, year}, nullptr};
    const QDate now = model.clock().date();
    if (now.year() == year)
        ctx.today = CalendarDate{now.day(), now.month(), now.year()};
    return ctx;
}

Findings CheckSameMinuteClash(const CheckContext& ctx)
{
    std::vector<SlotSwitching> times = SwitchingTimes(ctx.model);
    // Pulses leave the relay as it was; they fight with nothing.
    std::erase_if(times, [](const SlotSwitching& s) {
        return s.pulse || s.channels == 0 || s.minute >= kMinutesOfDay || s.priority >= kPriorityPrograms;
    });
    std::stable_sort(times.begin(), times.end(), [](const SlotSwitching& a, const SlotSwitching& b) {
        return std::tie(a.minute, a.priority) < std::tie(b.minute, b.priority);
    });
    Findings out;
    for (std::size_t first = 0; first < times.size();) {
        std::size_t end = first;
        while (end < times.size() && times[end].minute == times[first].minute
               && times[end].priority == times[first].priority)
            ++end;
        for (std::size_t i = first; i < end; ++i) {
            for (std::size_t j = i + 1; j < end; ++j) {
                const SlotSwitching& a = times[i];
                const SlotSwitching& b = times[j];
                const int channels = a.channels & b.channels;
                if (a.state == b.state || channels == 0)
                    continue;
                Severity severity = Severity::Error;
                QString days;
                int dayOfYear = 0;
                if (a.weekly && b.weekly) {
                    const int common = a.weekdays & b.weekdays;
                    if (common == 0)
                        continue;
                    days = WeekdaysText(common, ctx.texts);
                    dayOfYear = FirstDayWithWeekday(common, ctx.year);
                } else if (a.weekly != b.weekly) {
                    // The dated entry wins on its day, so the weekly one is
                    // lost there: likely, but not surely, a mistake.
                    const SlotSwitching& dated = a.weekly ? b : a;
                    const SlotSwitching& weekly = a.weekly ? a : b;
                    if (!ValidDate(dated.day, dated.month, ctx.year))
                        continue;
                    dayOfYear = DayOfYear(dated.day, dated.month, ctx.year);
                    if (!ComesOn(weekly, dayOfYear, ctx.year))
                        continue;
                    severity = Severity::Warning;
                    days = DateText(CalendarDate{dated.day, dated.month, ctx.year}, ctx);
                } else {
                    if (a.day != b.day || a.month != b.month || !ValidDate(a.day, a.month, kLeapYear))
                        continue;
                    days = DateText(a.day, a.month, ctx);
                    dayOfYear = ValidDate(a.day, a.month, ctx.year) ? DayOfYear(a.day, a.month, ctx.year) : 0;
                }
                Finding f = Make(CheckId::SameMinuteClash, severity,
                                 ctx.texts(T::kClash).arg(ChannelsText(channels), HourMinute(a.minute), days));
                f.entries = {std::min(a.index, b.index), std::max(a.index, b.index)};
                f.channel = FirstChannel(channels);
                if (dayOfYear > 0)
                    SetDay(f, dayOfYear, ctx.year);
                out.push_back(std::move(f));
            }
        }
        first = end;
    }
    std::stable_sort(out.begin(), out.end(), [](const Finding& a, const Finding& b) { return a.entries < b.entries; });
    return out;
}

Findings CheckUncalledPriorityPrograms(const CheckContext& ctx)
{
    std::array<int, kPriorityPrograms> called{};
    for (const PriorityTime& p : PriorityTimes(ctx.model)) {
        if (p.priority >= 1 && p.priority < kPriorityPrograms)
            called[static_cast<std::size_t>(p.priority)] |= p.channels;
    }
    std::array<std::vector<int>, kPriorityPrograms> rows;
    std::array<int, kPriorityPrograms> lonely{};
    for (const SlotSwitching& s : SwitchingTimes(ctx.model)) {
        if (s.priority < 1 || s.priority >= kPriorityPrograms)
            continue;
        const int notCalled = s.channels & ~called[static_cast<std::size_t>(s.priority)];
        if (notCalled == 0)
            continue;
        rows[static_cast<std::size_t>(s.priority)].push_back(s.index);
        lonely[static_cast<std::size_t>(s.priority)] |= notCalled;
    }
    Findings out;
    for (int p = 1; p < kPriorityPrograms; ++p) {
        const auto& r = rows[static_cast<std::size_t>(p)];
        if (r.empty())
            continue;
        const int channels = lonely[static_cast<std::size_t>(p)];
        Finding f = Make(CheckId::UncalledPriorityProgram, Severity::Warning,
                         ctx.texts(T::kUncalled).arg(p).arg(ChannelsText(channels)).arg(r.size()));
        f.entries = r;
        f.channel = FirstChannel(channels);
        out.push_back(std::move(f));
    }
    return out;
}

Findings CheckPriorityWithoutTimes(const CheckContext& ctx)
{
    std::array<int, kPriorityPrograms> served{};
    for (const SlotSwitching& s : SwitchingTimes(ctx.model)) {
        if (s.priority >= 0 && s.priority < kPriorityPrograms)
            served[static_cast<std::size_t>(s.priority)] |= s.channels;
    }
    Findings out;
    for (const PriorityTime& p : PriorityTimes(ctx.model)) {
        if (p.priority < 1 || p.priority >= kPriorityPrograms)
            continue;
        const int missing = p.channels & ~served[static_cast<std::size_t>(p.priority)];
        if (missing == 0)
            continue;
        Finding f = Make(CheckId::PriorityWithoutTimes, Severity::Warning,
                         ctx.texts(T::kWithoutTimes).arg(p.priority).arg(RangeText(p), ChannelsText(missing)));
        f.entries = {p.index};
        f.channel = FirstChannel(missing);
        const int year = p.yearBound ? p.year : ctx.year;
        if (const auto day = FirstCoveredDay(p, year); day && *day >= 1 && *day <= DaysInYear(year))
            SetDay(f, *day, year);
        out.push_back(std::move(f));
    }
    return out;
}

Findings CheckPastPriorityTimes(const CheckContext& ctx)
{
    Findings out;
    for (const PriorityTime& p : PriorityTimes(ctx.model)) {
        if (!p.yearBound)
            continue;
        const int endYear = p.year + (p.wraps() ? 1 : 0);
        const CalendarDate end{p.toDay, p.toMonth, endYear};
        if (CompareDates(end, ctx.today) != 1)
            continue;
        Finding f = Make(CheckId::PastPriorityTime, Severity::Warning,
                         ctx.texts(T::kPast).arg(RangeText(p), ChannelsText(p.channels),
                                                 DateText(p.toDay, p.toMonth, ctx), QString::number(endYear)));
        f.entries = {p.index};
        f.channel = FirstChannel(p.channels);
        f.day = p.fromDay;
        f.month = p.fromMonth;
        f.year = p.year;
        out.push_back(std::move(f));
    }
    return out;
}

Findings CheckExpiringSeries(const CheckContext& ctx)
{
    // Priority times made for a number of years are alike but for their
    // year (and the dates of a holiday by a weekday rule): the same program,
    // channels and state, each bound to its year.
    std::map<std::tuple<int, int, int>, std::vector<const PriorityTime*>> series;
    const std::vector<PriorityTime> times = PriorityTimes(ctx.model);
    for (const PriorityTime& p : times) {
        if (p.yearBound)
            series[{p.priority, p.channels, p.state}].push_back(&p);
    }
    Findings out;
    for (const auto& [key, members] : series) {
        if (members.size() < 2)
            continue;
        int last = 0;
        for (const PriorityTime* p : members)
            last = std::max(last, p->year);
        if (last < ctx.today.year || last > ctx.today.year + 1)
            continue;
        const auto& [priority, channels, state] = key;
        Finding f = Make(CheckId::ExpiringSeries, Severity::Warning,
                         ctx.texts(T::kExpiring)
                             .arg(members.size())
                             .arg(PriorityLabel(priority, ctx.texts), ChannelsText(channels))
                             .arg(last));
        for (const PriorityTime* p : members)
            f.entries.push_back(p->index);
        std::sort(f.entries.begin(), f.entries.end());
        f.channel = FirstChannel(channels);
        f.year = last;
        out.push_back(std::move(f));
    }
    std::stable_sort(out.begin(), out.end(), [](const Finding& a, const Finding& b) { return a.entries < b.entries; });
    return out;
}

Findings CheckChangeoverHours(const CheckContext& ctx)
{
    const std::vector<ClockChange> changeovers = Changeovers(ctx);
    if (changeovers.empty())
        return {};
    const std::vector<SlotSwitching> times = SwitchingTimes(ctx.model);
    // The day priorities of every year a changeover lies in: a switching
    // time acts on a channel only when its program is in force that day.
    std::map<int, TagPrio> priorities;
    auto prioOf = [&](int year) -> const TagPrio& {
        if (ctx.simulation && ctx.simulation->SimJahr() == year && ctx.simulation->Slot() == kProgramSlot)
            return ctx.simulation->Prioritaeten();
        auto it = priorities.find(year);
        if (it == priorities.end())
            it = priorities.emplace(year, TagPrio(ctx.model, year)).first;
        return it->second;
    };

    struct Hit {
        std::vector<CalendarDate> dates;
        int channels = 0;
    };
    // Per switching time and direction, every changeover it falls into.
    std::map<std::pair<int, bool>, Hit> hits;
    for (const ClockChange& c : changeovers) {
        const TagPrio& prio = prioOf(c.year);
        for (const SlotSwitching& s : times) {
            if (s.minute < c.from || s.minute >= c.to || !ComesOn(s, c.dayOfYear, c.year))
                continue;
            int acting = 0;
            for (int ch = 0; ch < prio.Kanaele(); ++ch) {
                if ((s.channels & (1 << ch)) && prio(ch, c.dayOfYear) == s.priority)
                    acting |= 1 << ch;
            }
            if (acting == 0)
                continue;
            Hit& h = hits[{s.index, c.forward}];
            h.dates.push_back(DateOfDayOfYear(c.dayOfYear, c.year));
            h.channels |= acting;
        }
    }
    Findings out;
    for (const auto& [key, hit] : hits) {
        // Plain variables: a lambda captures the row (clang 14 cannot capture bindings).
        const int index = key.first;
        const bool forward = key.second;
        const auto it = std::find_if(times.begin(), times.end(), [index](const SlotSwitching& s) { return s.index == index; });
        QStringList dates;
        for (const CalendarDate& d : hit.dates)
            dates << DateText(d, ctx);
        Finding f = Make(forward ? CheckId::SkippedHour : CheckId::RepeatedHour,
                         forward ? Severity::Warning : Severity::Info,
                         ctx.texts(forward ? T::kSkipped : T::kRepeated)
                             .arg(ctx.texts(T::kSwitchingTime), HourMinute(it->minute), dates.join(QStringLiteral(", "))));
        f.entries = {index};
        f.channel = FirstChannel(hit.channels);
        f.day = hit.dates.front().day;
        f.month = hit.dates.front().month;
        f.year = hit.dates.front().year;
        f.days = static_cast<int>(hit.dates.size());
        out.push_back(std::move(f));
    }
    std::stable_sort(out.begin(), out.end(), [](const Finding& a, const Finding& b) {
        return std::tie(a.entries, a.check) < std::tie(b.entries, b.check);
    });
    return out;
}

Findings CheckAstroLimits(const CheckContext& ctx)
{
    const ProgramModel& model = ctx.model;
    const DeviceSettings& d = model.device;
    std::optional<TagPrio> own;
    const TagPrio* prio =
        ctx.simulation && ctx.simulation->SimJahr() == ctx.year && ctx.simulation->Slot() == kProgramSlot
        ? &ctx.simulation->Prioritaeten()
        : nullptr;
    Findings out;
    const int channels = std::clamp(d.Kanalzahl, 1, 16);
    for (int c = 0; c < std::min(channels, kAstroChannels); ++c) {
        // Which astro table drives the channel, as the simulation has it.
        const AstroDrive drive = AstroDriveOf(model, c);
        const int table = drive.table;
        const int morning = drive.morning;
        const int evening = drive.evening;
        if (table < 0)
            continue;
        if (!prio) {
            own.emplace(model, ctx.year);
            prio = &*own;
        }
        struct Count {
            int days = 0;
            int first = 0;
            void add(int day)
            {
                if (days++ == 0)
                    first = day;
            }
        };
        Count riseOut, setOut, order, riseLimited, setLimited;
        for (int day = 1; day <= DaysInYear(ctx.year); ++day) {
            // Astro times act under the base program only.
            if ((*prio)(c, day) != 0)
                continue;
            // The times as the device switches them and the astro list shows
            // them; the limits are written into the table, so a day at a limit
            // the user set is one the limit moved.
            const AstroShownTimes shown = ShownAstroTimes(model, kProgramSlot, table, day, ctx.year);
            std::optional<int> rise, set;
            if (shown.rise && *shown.rise >= 0 && *shown.rise < kMinutesOfDay) {
                rise = *shown.rise;
                if (morning > 0 && *rise == morning)
                    riseLimited.add(day);
            }
            if (shown.set && *shown.set >= 0 && *shown.set < kMinutesOfDay) {
                set = *shown.set;
                if (evening < kMinutesOfDay - 1 && *set == evening)
                    setLimited.add(day);
            }
            if (!rise)
                riseOut.add(day);
            if (!set)
                setOut.add(day);
            if (rise && set && *rise >= *set)
                order.add(day);
        }
        auto report = [&](const Count& n, CheckId id, Severity severity, const ExtraText& text, int limit) {
            if (n.days == 0)
                return;
            const CalendarDate first = DateOfDayOfYear(n.first, ctx.year);
            QString message = ctx.texts(text).arg(c + 1).arg(n.days);
            message = limit >= 0 ? message.arg(HourMinute(limit), DateText(first.day, first.month, ctx))
                                 : message.arg(DateText(first.day, first.month, ctx));
            Finding f = Make(id, severity, message);
            f.channel = c;
            f.days = n.days;
            SetDay(f, n.first, ctx.year);
            out.push_back(std::move(f));
        };
        report(riseOut, CheckId::AstroSuppressed, Severity::Warning, T::kRiseLeftOut, -1);
        report(setOut, CheckId::AstroSuppressed, Severity::Warning, T::kSetLeftOut, -1);
        report(order, CheckId::AstroSuppressed, Severity::Warning, T::kAstroOrder, -1);
        report(riseLimited, CheckId::AstroLimited, Severity::Info, T::kMorningLimit, morning);
        report(setLimited, CheckId::AstroLimited, Severity::Info, T::kEveningLimit, evening);
    }
    return out;
}

Findings CheckDates(const CheckContext& ctx)
{
    Findings out;
    auto impossible = [&](int index, const QString& what, int day, int month) {
        Finding f = Make(CheckId::ImpossibleDate, Severity::Error,
                         ctx.texts(T::kImpossible).arg(what, QStringLiteral("%1.%2.").arg(day).arg(month)));
        f.entries = {index};
        out.push_back(std::move(f));
    };
    for (const SlotSwitching& s : SwitchingTimes(ctx.model)) {
        if (s.weekly)
            continue;
        const QString what = ctx.texts(T::kSwitchingTime) + QLatin1Char(' ') + SwitchingText(s);
        if (!ValidDate(s.day, s.month, kLeapYear)) {
            impossible(s.index, what, s.day, s.month);
        } else if (s.day == 29 && s.month == 2) {
            Finding f = Make(CheckId::LeapDay, Severity::Info, ctx.texts(T::kLeapDaySwitching).arg(what));
            f.entries = {s.index};
            f.channel = FirstChannel(s.channels);
            out.push_back(std::move(f));
        }
    }
    for (const PriorityTime& p : PriorityTimes(ctx.model)) {
        if (p.easter)
            continue;
        const QString what = RangeText(p);
        if (!ValidDate(p.fromDay, p.fromMonth, kLeapYear) || !ValidDate(p.toDay, p.toMonth, kLeapYear)) {
            const bool fromBad = !ValidDate(p.fromDay, p.fromMonth, kLeapYear);
            impossible(p.index, what, fromBad ? p.fromDay : p.toDay, fromBad ? p.fromMonth : p.toMonth);
        } else if ((p.fromDay == 29 && p.fromMonth == 2) || (p.toDay == 29 && p.toMonth == 2)) {
            // A year-bound one in a leap year has its day.
            if (p.yearBound && IsLeapYear(p.year))
                continue;
            Finding f = Make(CheckId::LeapDay, Severity::Info, ctx.texts(T::kLeapDayPriority).arg(what));
            f.entries = {p.index};
            out.push_back(std::move(f));
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const Finding& a, const Finding& b) { return a.entries < b.entries; });
    return out;
}

Findings CheckChannelStates(const CheckContext& ctx)
{
    const ProgramModel& model = ctx.model;
    std::optional<YearSimulation> own;
    const YearSimulation* sim = ctx.simulation;
    if (!sim || sim->SimJahr() != ctx.year || sim->Slot() != kProgramSlot) {
        own.emplace(model, ctx.year);
        sim = &*own;
    }
    // The channels the program switches: by a switching time that is no
    // pulse, by a permanent ON priority time, or by the sun. A channel of
    // pulses only (a bell) is OFF between them as meant.
    int switched = 0;
    for (const SlotSwitching& s : SwitchingTimes(model)) {
        if (!s.pulse)
            switched |= s.channels;
    }
    for (const PriorityTime& p : PriorityTimes(model)) {
        if (p.priority == kPermanentPriority && p.state != 0)
            switched |= p.channels;
    }
    const DeviceSettings& d = model.device;
    const AstroProgram& astro = model.program().astro;
    if (HasSharedAstroTable(d.Uhrentyp) && astro.AstroAktiv[1] != 0)
        switched |= d.AstroC1C2 == 1 ? 3 : 1;
    if (HasAstroTablePerChannel(d.Uhrentyp)) {
        for (int c = 0; c < kAstroChannels; ++c) {
            if (astro.AstroAktiv[static_cast<std::size_t>(c + 1)] != 0)
                switched |= 1 << c;
        }
    }
    Findings out;
    for (int c = 0; c < sim->Kanaele(); ++c) {
        if ((switched & (1 << c)) == 0 || sim->IstMesskanal(c))
            continue;
        const std::vector<int> minutes = sim->BetriebsminutenJeTag(c);
        const bool neverOn = std::all_of(minutes.begin(), minutes.end(), [](int m) { return m == 0; });
        const bool neverOff = std::all_of(minutes.begin(), minutes.end(), [](int m) { return m == kMinutesOfDay; });
        if (!neverOn && !neverOff)
            continue;
        Finding f = Make(neverOn ? CheckId::NeverOn : CheckId::NeverOff, Severity::Warning,
                         ctx.texts(neverOn ? T::kNeverOn : T::kNeverOff).arg(c + 1).arg(ctx.year));
        f.channel = c;
        f.year = ctx.year;
        f.days = static_cast<int>(minutes.size());
        out.push_back(std::move(f));
    }
    return out;
}

Findings CheckMemory(const CheckContext& ctx)
{
    const int used = ctx.model.program().AnzEintrag;
    const int capacity = std::max(1, ctx.model.device.MaxEintrag);
    if (used * 100 < 95 * capacity)
        return {};
    return {Make(CheckId::MemoryNearlyFull, Severity::Warning,
                 ctx.texts(T::kMemory).arg(used * 100 / capacity).arg(used).arg(capacity))};
}

namespace {

// The rule as the list and the device properties name it.
TextId RuleText(int swRegel)
{
    static constexpr TextId kRules[] = {TextId::DstNone, TextId::DstEurope, TextId::DstUk, TextId::DstUsa,
                                        TextId::DstByTable};
    return kRules[std::clamp(swRegel, 0, 4)];
}

QString DayOfYearText(int dayOfYear, int year, const CheckContext& ctx)
{
    return DateText(DateOfDayOfYear(dayOfYear, year), ctx);
}

bool SwitchesAnything(const ProgramModel& model)
{
    if (model.program().AnzEintrag > 0)
        return true;
    const AstroProgram& astro = model.program().astro;
    return std::any_of(astro.AstroAktiv.begin(), astro.AstroAktiv.end(), [](int a) { return a != 0; });
}

// The last year the table acts in: its rows count from the year after the
// base year (the first row is the base year itself and is never used).
int LastTableYear(const ProgramSlot& s)
{
    return SoWiBezugsjahr(s) + std::min(s.AnzSoWi, kDstRows) - 1;
}

// The zone the program's clock lives in as far as the program says: the
// astro place's, else the one the rule stands for.
QByteArray ZoneToCompare(const ProgramModel& model)
{
    const QByteArray place = AstroOrtZeitzone(model);
    return place.isEmpty() ? ZeitzoneDerRegel(model.device.SwRegel) : place;
}

} // namespace

Findings CheckNoChangeover(const CheckContext& ctx)
{
    const ProgramModel& model = ctx.model;
    if (model.device.SwRegel != SwKeine || !SwitchesAnything(model))
        return {};
    // A place whose zone keeps standard time all year needs no changeover.
    const QByteArray place = AstroOrtZeitzone(model);
    if (!place.isEmpty() && !ZonenTage(place, ctx.year).hasChangeover())
        return {};
    Finding f = Make(CheckId::NoChangeover, Severity::Warning, ctx.texts(T::kNoChangeover));
    f.year = ctx.year;
    f.zone = place.isEmpty() ? ZeitzoneDerSprache(model.device.Sprache) : place;
    return {f};
}

Findings CheckTableRunsOut(const CheckContext& ctx)
{
    const ProgramSlot& s = ctx.model.program();
    if (ctx.model.device.SwRegel != SwTabelle || s.AnzSoWi < 1)
        return {};
    const int last = LastTableYear(s);
    if (last > ctx.year + 3)
        return {};
    Finding f = Make(CheckId::TableRunsOut, Severity::Warning, ctx.texts(T::kTableRunsOut).arg(last).arg(last + 1));
    f.year = last;
    return {f};
}

Findings CheckRuleAgainstZone(const CheckContext& ctx)
{
    const ProgramModel& model = ctx.model;
    const int rule = model.device.SwRegel;
    if (rule == SwKeine)
        return {};
    const QByteArray zone = ZoneToCompare(model);
    if (zone.isEmpty())
        return {};
    const SommerzeitTage own = SommerzeitTageVon(rule, model.program(), ctx.year);
    const SommerzeitTage real = ZonenTage(zone, ctx.year);
    // A table without a row for the year is the other check's concern; a
    // zone without summer time the no-changeover check's.
    if (!own.hasChangeover() || !real.hasChangeover() || own == real)
        return {};
    const QString name = QString::fromLatin1(zone);
    const QString ruleName = rule == SwTabelle ? ctx.texts(T::kTheTable)
                                               : ctx.texts(T::kQuotedRule).arg(ctx.texts(RuleText(rule)).trimmed());
    Finding f = Make(CheckId::RuleDiffersFromZone, Severity::Warning,
                     ctx.texts(T::kRuleDiffers)
                         .arg(ruleName, QString::number(ctx.year), DayOfYearText(own.forward, ctx.year, ctx),
                              DayOfYearText(own.back, ctx.year, ctx), name,
                              DayOfYearText(real.forward, ctx.year, ctx), DayOfYearText(real.back, ctx.year, ctx)));
    // The day of the first changeover that differs.
    SetDay(f, own.forward != real.forward ? own.forward : own.back, ctx.year);
    f.zone = zone;
    return {f};
}

Findings CheckChangeoverDayAstro(const CheckContext& ctx)
{
    const ProgramModel& model = ctx.model;
    const SommerzeitTage tage = SommerzeitTageVon(model.device.SwRegel, model.program(), ctx.year);
    if (!tage.hasChangeover())
        return {};
    const int channels = std::clamp(model.device.Kanalzahl, 1, 16);
    for (int c = 0; c < std::min(channels, kAstroChannels); ++c) {
        const AstroDrive drive = AstroDriveOf(model, c);
        if (drive.table < 0)
            continue;
        const AstroShownTimes shown = ShownAstroTimes(model, kProgramSlot, drive.table, tage.back, ctx.year);
        // The morning switching tells it best; the evening one when the day has none.
        std::optional<int> t;
        if (shown.rise && *shown.rise >= drive.morning && *shown.rise < kMinutesOfDay)
            t = *shown.rise;
        else if (shown.set && *shown.set <= drive.evening && *shown.set < kMinutesOfDay)
            t = *shown.set;
        if (!t || *t < 60)
            continue;
        Finding f = Make(CheckId::ChangeoverDayAstro, Severity::Info,
                         ctx.texts(T::kChangeoverAstro)
                             .arg(DayOfYearText(tage.back, ctx.year, ctx))
                             .arg(c + 1)
                             .arg(HourMinute(*t), HourMinute(*t - 60)));
        f.channel = c;
        SetDay(f, tage.back, ctx.year);
        return {f};
    }
    return {};
}

Findings CheckTableWeekdays(const CheckContext& ctx)
{
    const ProgramModel& model = ctx.model;
    const ProgramSlot& s = model.program();
    if (s.AnzSoWi < 1)
        return {};
    const QByteArray place = AstroOrtZeitzone(model);
    const QByteArray zone = place.isEmpty() ? ZeitzoneDerSprache(model.device.Sprache) : place;
    const int base = SoWiBezugsjahr(s);
    int rows = 0;
    CalendarDate first{};
    for (int row = 0; row < std::min(s.AnzSoWi, kDstRows); ++row) {
        const int year = base + row;
        const DstRow& raw = s.SoWiTab[static_cast<std::size_t>(row)];
        const SommerzeitTage real = ZonenTage(zone, year);
        if (!IsUsedDstRow(raw) || !real.hasChangeover())
            continue;
        auto sunday = [year](int dayOfYear) {
            const CalendarDate d = DateOfDayOfYear(dayOfYear, year);
            return WochentagVon(d.day, d.month, d.year) == 7;
        };
        // Only a zone that changes on Sundays tells that another day is wrong.
        if (!sunday(real.forward) || !sunday(real.back))
            continue;
        const DstEntry entry = DecodeDstRow(raw);
        bool off = false;
        for (const DstChangeover& c : {entry.forward, entry.back}) {
            if (!ValidDate(c.day, c.month, year) || WochentagVon(c.day, c.month, year) == 7)
                continue;
            if (!off && rows == 0)
                first = CalendarDate{c.day, c.month, year};
            off = true;
        }
        if (off)
            ++rows;
    }
    if (rows == 0)
        return {};
    const int weekday = WochentagVon(first.day, first.month, first.year);
    Finding f = Make(CheckId::TableWeekday, Severity::Info,
                     ctx.texts(T::kTableWeekday)
                         .arg(rows)
                         .arg(DateText(first, ctx),
                              ctx.texts(static_cast<TextId>(static_cast<int>(TextId::Monday) + weekday - 1)).trimmed(),
                              QString::fromLatin1(zone)));
    f.day = first.day;
    f.month = first.month;
    f.year = first.year;
    f.days = rows;
    f.zone = zone;
    return {f};
}

Findings RunAllChecks(const ProgramModel& model, const TextTable& texts, int year)
{
    const YearSimulation sim(model, year);
    return RunAllChecks(model, texts, year, sim);
}

Findings RunAllChecks(const ProgramModel& model, const TextTable& texts, int year, const YearSimulation& sim)
{
    CheckContext ctx = MakeCheckContext(model, texts, year);
    ctx.simulation = &sim;
    Findings all;
    for (auto* check : {&CheckSameMinuteClash, &CheckUncalledPriorityPrograms, &CheckPriorityWithoutTimes,
                        &CheckPastPriorityTimes, &CheckExpiringSeries, &CheckChangeoverHours, &CheckAstroLimits,
                        &CheckDates, &CheckChannelStates, &CheckMemory, &CheckNoChangeover, &CheckTableRunsOut,
                        &CheckRuleAgainstZone, &CheckChangeoverDayAstro, &CheckTableWeekdays}) {
        Findings found = check(ctx);
        all.insert(all.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    }
    return all;
}

namespace {

struct CheckInfo {
    CheckId id;
    const char* key;
    const ExtraText* name;
    const ExtraText* explanation;
};

constexpr std::array<CheckInfo, kCheckCount> kChecks = {{
    {CheckId::SameMinuteClash, "same-minute-clash", &T::kNameClash, &T::kExplainClash},
    {CheckId::UncalledPriorityProgram, "uncalled-priority-program", &T::kNameUncalled, &T::kExplainUncalled},
    {CheckId::PriorityWithoutTimes, "priority-without-times", &T::kNameWithoutTimes, &T::kExplainWithoutTimes},
    {CheckId::PastPriorityTime, "past-priority-time", &T::kNamePast, &T::kExplainPast},
    {CheckId::ExpiringSeries, "expiring-series", &T::kNameExpiring, &T::kExplainExpiring},
    {CheckId::SkippedHour, "skipped-hour", &T::kNameSkipped, &T::kExplainSkipped},
    {CheckId::RepeatedHour, "repeated-hour", &T::kNameRepeated, &T::kExplainRepeated},
    {CheckId::AstroSuppressed, "astro-left-out", &T::kNameAstroSuppressed, &T::kExplainAstroSuppressed},
    {CheckId::AstroLimited, "astro-limited", &T::kNameAstroLimited, &T::kExplainAstroLimited},
    {CheckId::LeapDay, "leap-day", &T::kNameLeapDay, &T::kExplainLeapDay},
    {CheckId::ImpossibleDate, "impossible-date", &T::kNameImpossible, &T::kExplainImpossible},
    {CheckId::NeverOn, "never-on", &T::kNameNeverOn, &T::kExplainNeverOn},
    {CheckId::NeverOff, "never-off", &T::kNameNeverOff, &T::kExplainNeverOff},
    {CheckId::MemoryNearlyFull, "memory-nearly-full", &T::kNameMemory, &T::kExplainMemory},
    {CheckId::NoChangeover, "no-changeover", &T::kNameNoChangeover, &T::kExplainNoChangeover},
    {CheckId::TableRunsOut, "table-runs-out", &T::kNameTableRunsOut, &T::kExplainTableRunsOut},
    {CheckId::RuleDiffersFromZone, "rule-differs-from-zone", &T::kNameRuleDiffers, &T::kExplainRuleDiffers},
    {CheckId::ChangeoverDayAstro, "changeover-day-astro", &T::kNameChangeoverAstro, &T::kExplainChangeoverAstro},
    {CheckId::TableWeekday, "table-weekday", &T::kNameTableWeekday, &T::kExplainTableWeekday},
}};

const CheckInfo& InfoOf(CheckId id)
{
    return kChecks[static_cast<std::size_t>(id)];
}

} // namespace

const ExtraText& CheckName(CheckId id)
{
    return *InfoOf(id).name;
}

const ExtraText& CheckExplanation(CheckId id)
{
    return *InfoOf(id).explanation;
}

const char* CheckKey(CheckId id)
{
    return InfoOf(id).key;
}

const ExtraText& SeverityName(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return T::kError;
    case Severity::Warning:
        return T::kWarning;
    case Severity::Info:
        break;
    }
    return T::kInfo;
}

const char* SeverityKey(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Info:
        break;
    }
    return "info";
}

ListRowOfEntry ListRowOf(const ProgramModel& model, int slot, int entryIndex)
{
    const ProgramSlot& s = model.slot(slot);
    if (entryIndex < s.AnzSz)
        return {false, entryIndex + 1};
    return {true, entryIndex - s.AnzSz + 1};
}

} // namespace zendrik

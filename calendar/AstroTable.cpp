#include "calendar/AstroTable.h"

#include "calendar/DayProfile.h"
#include "calendar/SommerzeitTage.h"
#include "calendar/Sonnenstand.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <cmath>

namespace zendrik {

namespace {

// The bus device keeps a switching on the edge of the day: a sunrise before
// midnight switches at 0:00 and a sunset after midnight at 23:59.
int RiseInDay(int minute, int uhrentyp, int keineZeit)
{
    if (KeepsAstroTimesInDay(uhrentyp) && minute < 0)
        return 0;
    return (minute < 0 || minute >= kMinutesOfDay) ? keineZeit : minute;
}

int SetInDay(int minute, int uhrentyp, int keineZeit)
{
    if (KeepsAstroTimesInDay(uhrentyp) && minute >= kMinutesOfDay)
        return kMinutesOfDay - 1;
    return (minute < 0 || minute >= kMinutesOfDay) ? keineZeit : minute;
}

std::optional<int> Shown(int stored, int keineZeit, int offset, bool summer)
{
    if (stored == keineZeit)
        return std::nullopt;
    return stored + offset + (summer ? kSummerHour : 0);
}

} // namespace

AstroYear ComputeAstroYear(const AstroLocation& location, int uhrentyp, int year)
{
    const int keineZeit = FamilyNoTime(uhrentyp);
    // Four minutes per degree west, plus the displayed zone.
    const int correction = static_cast<int>(std::floor(location.laenge * 4.0)) - location.zone;
    const bool withOffsets = AstroTableHoldsOffsets(uhrentyp);
    const int offsetAuf = withOffsets ? location.offsetAuf : 0;
    const int offsetUnter = withOffsets ? location.offsetUnter : 0;

    AstroYear table{};
    for (int i = 0; i < kAstroYearDays; ++i) {
        const int d = i + 1;
        const int month = MonthOfDayOfYear(d, year);
        const int day = DayOfMonthOfDayOfYear(d, year);
        const SunCrossing rise = SunriseCrossing(day, month, location.breite);
        const SunCrossing set = SunsetCrossing(day, month, location.breite);
        AstroTimes& t = table[static_cast<std::size_t>(i)];
        t.rise = rise.found ? RiseInDay(rise.minuteOfDay() + correction + offsetAuf, uhrentyp, keineZeit) : keineZeit;
        t.set = set.found ? SetInDay(set.minuteOfDay() + correction + offsetUnter, uhrentyp, keineZeit) : keineZeit;
    }
    return table;
}

AstroSummerDays AstroSummerDaysFrom(int swRegel, const ProgramSlot& slot, int year)
{
    AstroSummerDays days;
    for (int y = year; y < year + kAstroTableYearsServed; ++y) {
        const SommerzeitTage tage = SommerzeitTageVon(swRegel, slot, y);
        // A table rule without a row for the year is no year the user
        // programmed for; the year of computing always counts.
        if (swRegel == SwTabelle && y != year && !tage.hasChangeover())
            continue;
        for (int i = 0; i < kAstroYearDays; ++i) {
            // Day 366 of a common year is the table's last day, reached only in leap years.
            if (i + 1 > DaysInYear(y))
                continue;
            (IstSommerzeit(tage, i + 1) ? days.summer : days.winter)[static_cast<std::size_t>(i)] = true;
        }
    }
    return days;
}

void ApplyAstroLimits(AstroYear& table, const AstroLocation& location, int uhrentyp, int morning, int evening,
                      const AstroSummerDays& days)
{
    const int keineZeit = FamilyNoTime(uhrentyp);
    // What the device adds to a table time besides the summer hour.
    const bool deviceAddsOffsets = !AstroTableHoldsOffsets(uhrentyp);
    const int riseOffset = deviceAddsOffsets ? location.offsetAuf : 0;
    const int setOffset = deviceAddsOffsets ? location.offsetUnter : 0;
    for (int i = 0; i < kAstroYearDays; ++i) {
        const auto k = static_cast<std::size_t>(i);
        AstroTimes& t = table[k];
        // The earliest a sunrise can come on the clock, the latest a sunset.
        const int earliest = riseOffset + (days.winter[k] || !days.summer[k] ? 0 : kSummerHour);
        const int latest = setOffset + (days.summer[k] ? kSummerHour : 0);
        if (t.rise != keineZeit && t.rise + earliest < morning)
            t.rise = RiseInDay(morning - earliest, uhrentyp, keineZeit);
        if (t.set != keineZeit && t.set + latest > evening)
            t.set = SetInDay(evening - latest, uhrentyp, keineZeit);
    }
}

AstroYear ComputeLimitedAstroYear(const ProgramModel& model, const AstroSettings& settings)
{
    const int year = model.currentYear();
    AstroYear table = ComputeAstroYear(settings.location, model.device.Uhrentyp, year);
    ApplyAstroLimits(table, settings.location, model.device.Uhrentyp, settings.morningLimit, settings.eveningLimit,
                     AstroSummerDaysFrom(model.device.SwRegel, model.program(), year));
    return table;
}

void ComputeAstroTable(ProgramModel& model, float laenge, float breite, int zone, int offsetAuf, int offsetUnter,
                       int channel)
{
    if (channel < 0 || channel >= kAstroChannels)
        return;
    const AstroYear year = ComputeAstroYear(AstroLocation{laenge, breite, zone, offsetAuf, offsetUnter},
                                            model.device.Uhrentyp, model.currentYear());
    auto& table = model.program().astro.AstroTab[static_cast<std::size_t>(channel)];
    for (int i = 0; i < kAstroYearDays; ++i) {
        table[static_cast<std::size_t>(i)].rise = year[static_cast<std::size_t>(i)].rise;
        table[static_cast<std::size_t>(i)].set = year[static_cast<std::size_t>(i)].set;
    }
}

bool StoreAstroProgram(ProgramModel& model, const AstroSettings& settings, int channel)
{
    if (channel < 0 || channel >= AstroTableCount(model.device.Uhrentyp))
        return false;
    AstroProgram& astro = model.program().astro;
    const AstroLocation& l = settings.location;
    astro.AstroLaenge = l.laenge;
    astro.AstroBreite = l.breite;
    astro.AstroZone = l.zone;
    astro.AstroOffsetAuf = l.offsetAuf;
    astro.AstroOffsetUnter = l.offsetUnter;

    const AstroYear table = ComputeLimitedAstroYear(model, settings);
    const auto c = static_cast<std::size_t>(channel);
    for (int i = 0; i < kAstroYearDays; ++i) {
        const auto k = static_cast<std::size_t>(i);
        astro.AstroTab[c][k] = AstroDay{table[k].rise, table[k].set, kAstroRiseState, kAstroSetState};
    }
    astro.AstroAktiv[c + 1] = -1;
    astro.AstroAktiv[0] = -1;
    astro.AstroGrenze[c] = AstroLimits{settings.morningLimit, settings.eveningLimit, kAstroRiseState, kAstroSetState};
    model.Geaendert = 1;
    return true;
}

AstroDrive AstroDriveOf(const ProgramModel& model, int channel, int slot)
{
    const DeviceSettings& d = model.device;
    const AstroProgram& astro = model.slot(slot == kSampleSlot ? kSampleSlot : kProgramSlot).astro;
    AstroDrive drive;
    if (HasSharedAstroTable(d.Uhrentyp) && (channel == 0 || (channel == 1 && d.AstroC1C2 == 1))
        && astro.AstroAktiv[1] != 0) {
        drive.table = 0;
        drive.morning = astro.AstroGrenze[0].morning;
        drive.evening = astro.AstroGrenze[0].evening;
    } else if (HasAstroTablePerChannel(d.Uhrentyp) && channel >= 0 && channel < kAstroChannels
               && astro.AstroAktiv[static_cast<std::size_t>(channel + 1)] != 0) {
        drive.table = channel;
        drive.morning = astro.AstroGrenze[static_cast<std::size_t>(channel)].morning;
        drive.evening = astro.AstroGrenze[static_cast<std::size_t>(channel)].evening;
    }
    return drive;
}

AstroShownTimes ShownAstroTimes(const ProgramModel& model, int slot, int channel, int dayOfYear, int year)
{
    if (channel < 0 || channel >= kAstroChannels || dayOfYear < 1 || dayOfYear > kAstroYearDays)
        return {};
    const ProgramSlot& s = model.slot(slot);
    const AstroDay& day = s.astro.AstroTab[static_cast<std::size_t>(channel)][static_cast<std::size_t>(dayOfYear - 1)];
    const int keineZeit = model.device.KeineZeit;
    const bool offsets = !AstroTableHoldsOffsets(model.device.Uhrentyp);
    const bool summer = IstSommerzeit(SommerzeitTageVon(model.device.SwRegel, s, year), dayOfYear);
    return AstroShownTimes{Shown(day.rise, keineZeit, offsets ? s.astro.AstroOffsetAuf : 0, summer),
                           Shown(day.set, keineZeit, offsets ? s.astro.AstroOffsetUnter : 0, summer)};
}

} // namespace zendrik

#include "calendar/AstroTable.h"

#include "util/CalendarMath.h"
#include "calendar/Sonnenstand.h"
#include "calendar/SommerzeitTage.h"
#include "model/ProgramModel.h"

#include <cmath>

namespace zendrik {

namespace {

constexpr int kMinutesPerDay = 1440;
constexpr int kSummerHour = 60;

int AstroChannelCount(int uhrentyp)
{
    if (uhrentyp == kFamily738)
        return kAstroChannels;
    if (uhrentyp == kFamily752)
        return 1;
    return 0;
}

// The bus device keeps a switching on the edge of the day: a sunrise before
// midnight switches at 0:00 and a sunset after midnight at 23:59.
int RiseInDay(int minute, int uhrentyp, int keineZeit)
{
    if (uhrentyp == kFamily738 && minute < 0)
        return 0;
    return (minute < 0 || minute >= kMinutesPerDay) ? keineZeit : minute;
}

int SetInDay(int minute, int uhrentyp, int keineZeit)
{
    if (uhrentyp == kFamily738 && minute >= kMinutesPerDay)
        return kMinutesPerDay - 1;
    return (minute < 0 || minute >= kMinutesPerDay) ? keineZeit : minute;
}

std::optional<int> Shown(int stored, int keineZeit, int offset, bool summer)
{
    if (stored == keineZeit)
        return std::nullopt;
    return stored + offset + (summer ? kSummerHour : 0);
}

} // namespace

bool AstroTableHoldsOffsets(int uhrentyp)
{
    return uhrentyp != kFamily752;
}

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
    if (channel < 0 || channel >= AstroChannelCount(model.device.Uhrentyp))
        return false;
    AstroProgram& astro = model.program().astro;
    const AstroLocation& l = settings.location;
    astro.AstroLaenge = l.laenge;
    astro.AstroBreite = l.breite;
    astro.AstroZone = l.zone;
    astro.AstroOffsetAuf = l.offsetAuf;
    astro.AstroOffsetUnter = l.offsetUnter;

    ComputeAstroTable(model, l.laenge, l.breite, l.zone, l.offsetAuf, l.offsetUnter, channel);

    const auto c = static_cast<std::size_t>(channel);
    for (int i = 0; i < kAstroYearDays; ++i) {
        AstroDay& day = astro.AstroTab[c][static_cast<std::size_t>(i)];
        day.riseState = settings.riseState;
        day.setState = settings.setState;
    }
    astro.AstroAktiv[c + 1] = -1;
    astro.AstroAktiv[0] = -1;
    astro.AstroGrenze[c] = AstroLimits{settings.morningLimit, settings.eveningLimit, settings.riseState,
                                       settings.setState};
    model.Geaendert = 1;
    return true;
}

AstroDrive AstroDriveOf(const ProgramModel& model, int channel, int slot)
{
    const DeviceSettings& d = model.device;
    const AstroProgram& astro = model.slot(slot == kSampleSlot ? kSampleSlot : kProgramSlot).astro;
    AstroDrive drive;
    if (d.Uhrentyp == kFamily752 && (channel == 0 || (channel == 1 && d.AstroC1C2 == 1)) && astro.AstroAktiv[1] != 0) {
        drive.table = 0;
        drive.morning = astro.AstroGrenze[0].morning;
    } else if (d.Uhrentyp == kFamily738 && channel >= 0 && channel < kAstroChannels
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

#include "calendar/SoWiZeitzone.h"

#include "calendar/SoWiEingabe.h"

#include <QTimeZone>

#include <algorithm>
#include <cstdlib>

namespace zendrik {

namespace {

constexpr int kSecondsPerHour = 3600;

struct Changeover {
    DstChangeover change;
    int delta = 0;   // seconds the clock moves (positive: forward)
};

// The local wall-clock date and hour just before the change: what a clock
// on the wall shows when it is set forward or back.
Changeover ChangeoverOf(const QTimeZone& zone, const QTimeZone::OffsetData& transition)
{
    const int before = zone.offsetFromUtc(transition.atUtc.addSecs(-1));
    const QDateTime local = transition.atUtc.toOffsetFromUtc(before);
    Changeover c;
    c.change.day = local.date().day();
    c.change.month = local.date().month();
    c.change.hour = local.time().hour();
    c.delta = transition.offsetFromUtc - before;
    c.change.shift = std::abs(c.delta) / kSecondsPerHour;
    return c;
}

bool WholeHours(const Changeover& c)
{
    return std::abs(c.delta) % kSecondsPerHour == 0 && c.change.shift >= 1 && c.change.shift <= 3;
}

} // namespace

SoWiZoneResult SoWiZeilenAusZeitzone(const QByteArray& ianaId, int firstYear, int years)
{
    SoWiZoneResult result;
    if (!QTimeZone::isTimeZoneIdAvailable(ianaId)) {
        result.code = SoWiZoneCheck::UnknownZone;
        return result;
    }
    if (years < 1 || years > kDstRows || firstYear < kSoWiFirstYear || firstYear + years - 1 > kSoWiLastYear) {
        result.code = SoWiZoneCheck::YearRange;
        result.year = firstYear;
        return result;
    }
    const QTimeZone zone(ianaId);
    for (int year = firstYear; year < firstYear + years; ++year) {
        const QDateTime from(QDate(year, 1, 1), QTime(0, 0), QTimeZone::utc());
        const QDateTime to(QDate(year + 1, 1, 1), QTime(0, 0), QTimeZone::utc());
        std::vector<Changeover> forward;
        std::vector<Changeover> back;
        // The database counts in UTC; the year is that of the wall clock.
        for (const QTimeZone::OffsetData& t : zone.transitions(from.addDays(-1), to.addDays(1))) {
            const Changeover c = ChangeoverOf(zone, t);
            const int before = t.offsetFromUtc - c.delta;
            if (c.delta == 0 || t.atUtc.toOffsetFromUtc(before).date().year() != year)
                continue;
            (c.delta > 0 ? forward : back).push_back(c);
        }
        if (forward.size() != 1 || back.size() != 1) {
            result.code = SoWiZoneCheck::NoSingleChangeover;
            result.year = year;
            result.rows.clear();
            return result;
        }
        if (!WholeHours(forward.front()) || !WholeHours(back.front())) {
            result.code = SoWiZoneCheck::ShiftNotWholeHours;
            result.year = year;
            result.rows.clear();
            return result;
        }
        result.rows.push_back(DstEntry{forward.front().change, back.front().change});
    }
    return result;
}

SoWiFillResult FillSoWiTabelle(ProgramSlot& slot, int firstYear, const std::vector<DstEntry>& rows, int soWiInfo)
{
    const int info = soWiInfo != 0 ? 1 : 0;
    const int soWiJahr = SoWiJahrFuer(firstYear, info);
    if (rows.empty() || static_cast<int>(rows.size()) > kDstRows || soWiJahr < 0 || soWiJahr > 63)
        return {SoWiZoneCheck::YearRange, firstYear};
    ProgramSlot filled = slot;
    filled.AnzSoWi = 0;
    filled.SoWiJahr = soWiJahr;
    std::fill(filled.SoWiTab.begin(), filled.SoWiTab.end(), DstRow{});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!AddSoWiEntry(filled, rows[i], info).ok())
            return {SoWiZoneCheck::NoSingleChangeover, firstYear + static_cast<int>(i)};
    }
    slot.SoWiTab = filled.SoWiTab;
    slot.AnzSoWi = filled.AnzSoWi;
    slot.SoWiJahr = filled.SoWiJahr;
    slot.SoWiInfo = filled.SoWiInfo;
    return {};
}

QStringList SoWiZeitzonen()
{
    QStringList names;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds())
        names << QString::fromLatin1(id);
    names.sort();
    return names;
}

std::vector<SoWiVorschauJahr> SoWiVorschau(int swRegel, const ProgramSlot& slot, int firstYear, int years)
{
    std::vector<SoWiVorschauJahr> out;
    for (int year = firstYear; year < firstYear + years; ++year)
        out.push_back({year, SommerzeitTageVon(swRegel, slot, year)});
    return out;
}

} // namespace zendrik

#include "calendar/SoWiZeitzone.h"

#include "calendar/SoWiEingabe.h"
#include "model/DeviceFamily.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <QFile>
#include <QTimeZone>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>

namespace zendrik {

namespace {

constexpr int kSecondsPerHour = 3600;

struct Changeover {
    DstChangeover change;
    int delta = 0; // seconds the clock moves (positive: forward)
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

// A zone of the database's zone list with the place of its main city.
struct ZoneCity {
    QByteArray id;
    double breite = 0.0;    // degrees north
    double laenge = 0.0;    // degrees east
    int standardOffset = 0; // seconds east of UTC in standard time
};

// "+4230+00131" or "+423000+0013100": latitude and longitude, degrees and
// minutes (and seconds).
std::optional<std::pair<double, double>> ParseCoordinates(const QByteArray& text)
{
    const qsizetype split = text.indexOf('+', 1) > 0 ? text.indexOf('+', 1) : text.indexOf('-', 1);
    if (split <= 0)
        return std::nullopt;
    auto angle = [](const QByteArray& part, int degreeDigits) -> std::optional<double> {
        if (part.size() < 1 + degreeDigits + 2)
            return std::nullopt;
        const double sign = part[0] == '-' ? -1.0 : 1.0;
        bool ok1 = false, ok2 = false, ok3 = true;
        const int d = part.mid(1, degreeDigits).toInt(&ok1);
        const int m = part.mid(1 + degreeDigits, 2).toInt(&ok2);
        int sec = 0;
        if (part.size() > 1 + degreeDigits + 2)
            sec = part.mid(1 + degreeDigits + 2, 2).toInt(&ok3);
        if (!ok1 || !ok2 || !ok3)
            return std::nullopt;
        return sign * (d + m / 60.0 + sec / 3600.0);
    };
    const std::optional<double> lat = angle(text.left(split), 2);
    const std::optional<double> lon = angle(text.mid(split), 3);
    if (!lat || !lon)
        return std::nullopt;
    return std::pair{*lat, *lon};
}

// The database's list of zones with their main cities, read once.
const std::vector<ZoneCity>& ZoneCities()
{
    static const std::vector<ZoneCity> cities = [] {
        std::vector<ZoneCity> out;
        for (const char* path : {"/usr/share/zoneinfo/zone.tab", "/usr/share/zoneinfo/zone1970.tab"}) {
            QFile file(QString::fromLatin1(path));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            while (!file.atEnd()) {
                const QByteArray line = file.readLine().trimmed();
                if (line.isEmpty() || line.startsWith('#'))
                    continue;
                const QList<QByteArray> fields = line.split('\t');
                if (fields.size() < 3 || !QTimeZone::isTimeZoneIdAvailable(fields[2]))
                    continue;
                const auto c = ParseCoordinates(fields[1]);
                if (!c)
                    continue;
                // The smaller offset of January and July is standard time
                // in either hemisphere.
                const QTimeZone tz(fields[2]);
                const QDateTime january(QDate(2025, 1, 15), QTime(12, 0), QTimeZone::utc());
                const QDateTime july(QDate(2025, 7, 15), QTime(12, 0), QTimeZone::utc());
                const int standard = std::min(tz.offsetFromUtc(january), tz.offsetFromUtc(july));
                out.push_back(ZoneCity{fields[2], c->first, c->second, standard});
            }
            if (!out.empty())
                break;
        }
        return out;
    }();
    return cities;
}

double Distance(double lat1, double lon1, double lat2, double lon2)
{
    const double rad = std::numbers::pi / 180.0;
    const double a = std::sin(lat1 * rad) * std::sin(lat2 * rad)
        + std::cos(lat1 * rad) * std::cos(lat2 * rad) * std::cos((lon1 - lon2) * rad);
    return std::acos(std::clamp(a, -1.0, 1.0));
}

// Whether a zone changes to summer time in `year`.
bool HasSummerTime(const QByteArray& id, int year)
{
    return ZonenTage(id, year).hasChangeover();
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

QByteArray ZeitzoneDerRegel(int swRegel)
{
    switch (swRegel) {
    case SwEuropa:
        return QByteArrayLiteral("Europe/Berlin");
    case SwGrossbritannien:
        return QByteArrayLiteral("Europe/London");
    case SwUsa:
        return QByteArrayLiteral("America/New_York");
    default:
        return {};
    }
}

QByteArray ZeitzoneDerSprache(int sprache)
{
    switch (sprache) {
    case 2:
        return QByteArrayLiteral("Europe/London");
    case 3:
        return QByteArrayLiteral("Europe/Paris");
    default:
        return QByteArrayLiteral("Europe/Berlin");
    }
}

QByteArray ZeitzoneAmOrt(float laenge, float breite, int zone)
{
    const int offset = -zone * 60;
    const QByteArray* best = nullptr;
    double bestDistance = 10.0;
    for (const ZoneCity& city : ZoneCities()) {
        if (city.standardOffset != offset)
            continue;
        const double d = Distance(breite, -laenge, city.breite, city.laenge);
        if (d < bestDistance) {
            bestDistance = d;
            best = &city.id;
        }
    }
    return best ? *best : QByteArray();
}

QByteArray AstroOrtZeitzone(const ProgramModel& model)
{
    const DeviceSettings& d = model.device;
    const AstroProgram& astro = model.program().astro;
    // Astro channels 1..n, one per table of the device.
    const auto first = astro.AstroAktiv.begin() + 1;
    if (std::none_of(first, first + AstroTableCount(d.Uhrentyp), [](int a) { return a != 0; }))
        return {};
    return ZeitzoneAmOrt(astro.AstroLaenge, astro.AstroBreite, astro.AstroZone);
}

QByteArray VorgabeZeitzone(const ProgramModel& model)
{
    const int year = model.currentYear();
    const QByteArray system = QTimeZone::systemTimeZoneId();
    if (QTimeZone::isTimeZoneIdAvailable(system) && HasSummerTime(system, year))
        return system;
    const QByteArray place = AstroOrtZeitzone(model);
    if (!place.isEmpty() && HasSummerTime(place, year))
        return place;
    return ZeitzoneDerSprache(model.device.Sprache);
}

SommerzeitTage ZonenTage(const QByteArray& ianaId, int year)
{
    if (ianaId.isEmpty() || year < kSoWiFirstYear || year > kSoWiLastYear)
        return {};
    const SoWiZoneResult result = SoWiZeilenAusZeitzone(ianaId, year, 1);
    if (!result.ok() || result.rows.empty())
        return {};
    const DstEntry& row = result.rows.front();
    return SommerzeitTage{DayOfYear(row.forward.day, row.forward.month, year),
                          DayOfYear(row.back.day, row.back.month, year)};
}

int ZoneTableFirstYear(int year)
{
    return std::clamp(year - 1, kSoWiFirstYear + 1, kSoWiLastYear - kDstRows + 1);
}

SoWiFillResult FillSoWiTabelleFuerJahr(ProgramModel& model, const QByteArray& ianaId, int year)
{
    const int first = ZoneTableFirstYear(year);
    const SoWiZoneResult rows = SoWiZeilenAusZeitzone(ianaId, first, kDstRows);
    if (!rows.ok())
        return {rows.code, rows.year};
    const SoWiFillResult filled = FillSoWiTabelle(model.program(), first, rows.rows, 0);
    if (!filled.ok())
        return filled;
    model.device.SwRegel = SwTabelle;
    model.Geaendert = 1;
    return filled;
}

} // namespace zendrik

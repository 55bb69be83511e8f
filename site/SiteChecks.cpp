#include "site/SiteChecks.h"

#include "calendar/SommerzeitTage.h"
#include "calendar/YearSimulation.h"
#include "editing/checks/ProgramChecks.h"
#include "model/DeviceFamily.h"
#include "model/DeviceImage.h"
#include "model/DeviceTypes.h"
#include "model/ImageChecksum.h"
#include "model/ProgramModel.h"
#include "site/SiteCheckTexts.h"
#include "site/SiteFile.h"
#include "site/SiteState.h"
#include "util/CalendarMath.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <atomic>
#include <bitset>
#include <cmath>
#include <memory>
#include <thread>

namespace zendrik {

namespace CkT = sitechecktexts;

namespace {

// What the comparisons between devices need of one program; the program
// itself is dropped as soon as its device is checked, so a site of many
// devices holds one program at a time.
struct DeviceSummary {
    bool loaded = false;
    // Summer/winter time: the rule, and for the table its rows and base year.
    int rule = 0;
    int tableYear = 0;
    std::vector<DstRow> table;
    SommerzeitTage days;
    // The astro place, when the device switches by the sun.
    bool astro = false;
    float laenge = 0;
    float breite = 0;
    int zone = 0;
    // The days of the year some channel runs a priority program on; only
    // for programs with priority times.
    bool priority = false;
    std::bitset<366> priorityDays;

    bool sameDst(const DeviceSummary& o) const
    {
        return rule == o.rule && (rule != SwTabelle || (tableYear == o.tableYear && table == o.table));
    }
};

QString CheckDateText(int dayOfYear, int year)
{
    const CalendarDate d = DateOfDayOfYear(dayOfYear, year);
    return QStringLiteral("%1.%2.%3")
        .arg(d.day, 2, 10, QLatin1Char('0'))
        .arg(d.month, 2, 10, QLatin1Char('0'))
        .arg(d.year);
}

QString SiteDstText(const DeviceSummary& s, int year, ExtraLanguage lang)
{
    QString rule;
    switch (s.rule) {
    case SwKeine:
        return CkT::kDstNone.in(lang);
    case SwEuropa:
        rule = CkT::kDstEurope.in(lang);
        break;
    case SwGrossbritannien:
        rule = CkT::kDstBritain.in(lang);
        break;
    case SwUsa:
        rule = CkT::kDstUsa.in(lang);
        break;
    default:
        rule = CkT::kDstTable.in(lang).arg(s.tableYear);
        break;
    }
    if (!s.days.hasChangeover())
        return rule;
    return CkT::kDstDays.in(lang).arg(rule).arg(year).arg(CheckDateText(s.days.forward, year), CheckDateText(s.days.back, year));
}

QString SitePlaceText(const DeviceSummary& s, ExtraLanguage lang)
{
    // Stored west and the zone negative; shown as east longitude and UTC offset.
    const int zone = -s.zone;
    const QString zoneText = QStringLiteral("UTC%1%2:%3")
                                 .arg(zone < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                                 .arg(std::abs(zone) / 60)
                                 .arg(std::abs(zone) % 60, 2, 10, QLatin1Char('0'));
    return CkT::kPlace.in(lang).arg(-s.laenge, 0, 'f', 1).arg(s.breite, 0, 'f', 1).arg(zoneText);
}

SiteFinding SiteFindingOf(SiteCheckId id, Severity severity, const SiteDevice& device, QString text, QString other = {})
{
    SiteFinding f;
    f.id = id;
    f.severity = severity;
    f.device = device.name;
    f.other = std::move(other);
    f.text = std::move(text);
    return f;
}

// Opens the device's program; a finding when it cannot be used.
std::optional<SiteFinding> OpenCheckedProgram(const Site& site, const SiteDevice& device, ProgramModel& model,
                                              ExtraLanguage lang)
{
    const ExtraText* typeName = DeviceTypeText(device.type);
    if (device.mark == SiteDeviceMark::UnknownType || !typeName)
        return SiteFindingOf(SiteCheckId::ProgramUnfitting, Severity::Error, device,
                             CkT::kUnknownType.in(lang).arg(device.type));
    // A device marked on loading is not opened again.
    const SiteDeviceMark mark = device.mark != SiteDeviceMark::None ? device.mark : OpenSiteProgram(site, device, model);
    const ExtraText* missing = nullptr;
    switch (mark) {
    case SiteDeviceMark::None:
        break;
    case SiteDeviceMark::OutsideFolder:
        missing = &CkT::kProgramOutside;
        break;
    case SiteDeviceMark::MissingProgram:
        missing = &CkT::kProgramMissing;
        break;
    case SiteDeviceMark::UnreadableProgram:
        missing = &CkT::kProgramUnreadable;
        break;
    case SiteDeviceMark::UnknownType:
    case SiteDeviceMark::UnfittingProgram:
        return SiteFindingOf(SiteCheckId::ProgramUnfitting, Severity::Error, device,
                             CkT::kProgramUnfitting.in(lang).arg(device.program, typeName->in(lang)));
    }
    if (missing)
        return SiteFindingOf(SiteCheckId::ProgramMissing, Severity::Error, device, missing->in(lang).arg(device.program));
    return std::nullopt;
}

DeviceSummary SummarizeForSite(const ProgramModel& model, const YearSimulation& sim, int year)
{
    const ProgramSlot& slot = model.program();
    DeviceSummary s;
    s.loaded = true;
    s.rule = model.device.SwRegel;
    if (s.rule == SwTabelle) {
        s.tableYear = SoWiBezugsjahr(slot);
        s.table.assign(slot.SoWiTab.begin(), slot.SoWiTab.begin() + std::clamp(slot.AnzSoWi, 0, kDstRows));
    }
    s.days = SommerzeitTageVon(s.rule, slot, year);
    if (HasAstro(model.device.Uhrentyp)) {
        for (const int active : slot.astro.AstroAktiv)
            s.astro = s.astro || active != 0;
    }
    s.laenge = slot.astro.AstroLaenge;
    s.breite = slot.astro.AstroBreite;
    s.zone = slot.astro.AstroZone;
    s.priority = slot.AnzPz > 0;
    if (s.priority) {
        const TagPrio& prio = sim.Prioritaeten();
        for (int day = 1; day <= prio.Tage() && day <= 366; ++day) {
            for (int c = 0; c < prio.Kanaele(); ++c) {
                if (prio(c, day) != 0) {
                    s.priorityDays.set(static_cast<std::size_t>(day - 1));
                    break;
                }
            }
        }
    }
    return s;
}

void SiteTransferFindings(SiteTransferState state, const SiteDevice& device, ExtraLanguage lang,
                          std::vector<SiteFinding>& out)
{
    switch (state) {
    case SiteTransferState::UpToDate:
        break;
    case SiteTransferState::Never:
        out.push_back(SiteFindingOf(SiteCheckId::NeverTransferred, Severity::Warning, device, CkT::kNeverTransferred.in(lang)));
        break;
    case SiteTransferState::ChangedSince:
        out.push_back(SiteFindingOf(SiteCheckId::ChangedSinceTransfer, Severity::Warning, device, CkT::kChangedSince.in(lang)));
        break;
    case SiteTransferState::Failed:
        out.push_back(SiteFindingOf(SiteCheckId::LastTransferFailed, Severity::Error, device,
                                    CkT::kLastFailed.in(lang).arg(device.last ? device.last->when.toString(Qt::ISODate) : QString())));
        break;
    }
}

} // namespace

std::vector<SiteFinding> CheckSite(const Site& site, const TextTable& texts, int year, ExtraLanguage lang)
{
    const std::size_t n = site.devices.size();
    std::vector<std::vector<SiteFinding>> perDevice(n);
    std::vector<DeviceSummary> summaries(n);
    std::vector<SiteTransferState> transfer(n, SiteTransferState::UpToDate);

    // Each program opened and simulated once: its own checks, and what the
    // comparisons below need of it. The devices share nothing but the site
    // and the texts, which are only read, so they are taken in turn by a
    // few workers, each with one model for all its devices (opening a
    // program sets the model up afresh for the device's type).
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        const auto model = std::make_unique<ProgramModel>();
        for (std::size_t i = next++; i < n; i = next++) {
            const SiteDevice& device = site.devices[i];
            std::vector<SiteFinding>& out = perDevice[i];
            if (const std::optional<SiteFinding> refused = OpenCheckedProgram(site, device, *model, lang)) {
                out.push_back(*refused);
                continue;
            }
            transfer[i] = DeviceTransferState(device, *model);
            const YearSimulation sim(*model, year);
            for (const Finding& f : RunAllChecks(*model, texts, year, sim)) {
                SiteFinding s = SiteFindingOf(SiteCheckId::ProgramCheck, f.severity, device, f.message);
                s.programCheck = f.check;
                out.push_back(std::move(s));
            }
            summaries[i] = SummarizeForSite(*model, sim, year);
        }
    };
    const std::size_t workers = std::min<std::size_t>({n, std::max(1u, std::thread::hardware_concurrency()), 4});
    std::vector<std::thread> helpers;
    for (std::size_t w = 1; w < workers; ++w)
        helpers.emplace_back(work);
    work();
    for (std::thread& t : helpers)
        t.join();

    // Two devices answering to the same address on the same bus.
    QHash<QString, std::size_t> firstAt;
    for (std::size_t i = 0; i < n; ++i) {
        const SiteDevice& d = site.devices[i];
        if (d.link != SiteLinkKind::Bus || d.address.isEmpty())
            continue;
        const QString key = d.connection.trimmed() + QLatin1Char('\n') + d.address.trimmed();
        const auto it = firstAt.constFind(key);
        if (it == firstAt.constEnd()) {
            firstAt.insert(key, i);
            continue;
        }
        const SiteDevice& first = site.devices[*it];
        perDevice[i].push_back(SiteFindingOf(SiteCheckId::SameBusAddress, Severity::Error, d,
                                             CkT::kSameBusAddress.in(lang).arg(d.address, first.name, d.connection), first.name));
        perDevice[*it].push_back(SiteFindingOf(SiteCheckId::SameBusAddress, Severity::Error, first,
                                               CkT::kSameBusAddress.in(lang).arg(d.address, d.name, d.connection), d.name));
    }

    // Each device is compared with the first device of the site that the
    // comparison applies to: a site agrees when every device agrees with it.
    const DeviceSummary* dstRef = nullptr;
    const DeviceSummary* placeRef = nullptr;
    const DeviceSummary* prioRef = nullptr;
    std::size_t dstRefIndex = 0, placeRefIndex = 0, prioRefIndex = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const DeviceSummary& s = summaries[i];
        if (!s.loaded)
            continue;
        const SiteDevice& d = site.devices[i];
        if (!dstRef) {
            dstRef = &s;
            dstRefIndex = i;
        } else if (!s.sameDst(*dstRef)) {
            const QString& other = site.devices[dstRefIndex].name;
            // Settings that differ but change the clocks on the same days
            // this year are worth knowing; other days are an hour wrong.
            const Severity severity = s.days == dstRef->days ? Severity::Info : Severity::Warning;
            perDevice[i].push_back(SiteFindingOf(SiteCheckId::DstDiffers, severity, d,
                                                 CkT::kDstDiffers.in(lang).arg(other, SiteDstText(s, year, lang), SiteDstText(*dstRef, year, lang)),
                                                 other));
        }
        if (s.astro) {
            if (!placeRef) {
                placeRef = &s;
                placeRefIndex = i;
            } else if (std::abs(s.laenge - placeRef->laenge) > 1.0f || std::abs(s.breite - placeRef->breite) > 1.0f
                       || s.zone != placeRef->zone) {
                const QString& other = site.devices[placeRefIndex].name;
                perDevice[i].push_back(SiteFindingOf(SiteCheckId::PlacesApart, Severity::Warning, d,
                                                     CkT::kPlacesApart.in(lang).arg(other, SitePlaceText(s, lang), SitePlaceText(*placeRef, lang)),
                                                     other));
            }
        }
        if (s.priority) {
            if (!prioRef) {
                prioRef = &s;
                prioRefIndex = i;
            } else if (const std::bitset<366> differ = s.priorityDays ^ prioRef->priorityDays; differ.any()) {
                std::size_t first = 0;
                while (!differ.test(first))
                    ++first;
                const QString& other = site.devices[prioRefIndex].name;
                const ExtraText& which = s.priorityDays.test(first) ? CkT::kKeptHere : CkT::kKeptThere;
                perDevice[i].push_back(SiteFindingOf(SiteCheckId::HolidaysDiffer, Severity::Warning, d,
                                                     CkT::kHolidaysDiffer.in(lang)
                                                         .arg(differ.count())
                                                         .arg(year)
                                                         .arg(other, CheckDateText(static_cast<int>(first) + 1, year), which.in(lang)),
                                                     other));
            }
        }
        SiteTransferFindings(transfer[i], d, lang, perDevice[i]);
    }

    std::vector<SiteFinding> all;
    for (std::vector<SiteFinding>& list : perDevice)
        all.insert(all.end(), std::make_move_iterator(list.begin()), std::make_move_iterator(list.end()));
    return all;
}

std::vector<SiteDeviceCheck> WorstPerDevice(const Site& site, const std::vector<SiteFinding>& findings)
{
    std::vector<SiteDeviceCheck> worst(site.devices.size());
    for (const SiteFinding& f : findings) {
        const int i = site.indexOf(f.device);
        if (i < 0)
            continue;
        SiteDeviceCheck& w = worst[static_cast<std::size_t>(i)];
        if (!w.hasFinding || f.severity > w.worst)
            w.worst = f.severity;
        w.hasFinding = true;
    }
    return worst;
}

const char* SiteCheckKey(SiteCheckId id)
{
    switch (id) {
    case SiteCheckId::ProgramCheck:
        return "program_check";
    case SiteCheckId::SameBusAddress:
        return "same_bus_address";
    case SiteCheckId::ProgramMissing:
        return "program_missing";
    case SiteCheckId::ProgramUnfitting:
        return "program_unfitting";
    case SiteCheckId::DstDiffers:
        return "dst_differs";
    case SiteCheckId::PlacesApart:
        return "places_apart";
    case SiteCheckId::HolidaysDiffer:
        return "holidays_differ";
    case SiteCheckId::NeverTransferred:
        return "never_transferred";
    case SiteCheckId::ChangedSinceTransfer:
        return "changed_since_transfer";
    case SiteCheckId::LastTransferFailed:
        return "last_transfer_failed";
    }
    return "unknown";
}

} // namespace zendrik

#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/PlaceArgs.h"
#include "cli/SiteCommands.h"

#include "calendar/FeiertagTabelle.h"
#include "calendar/PlaceList.h"
#include "calendar/SoWiZeitzone.h"
#include "calendar/SommerzeitTage.h"
#include "editing/SwitchingTimeText.h"
#include "editing/checks/ProgramChecks.h"
#include "site/SiteChange.h"
#include "site/SiteChecks.h"
#include "site/SiteFile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zendrik::cli {

namespace {

const QString kSiteCheckUsage = QStringLiteral(
    "usage: zendrik-cli site check SITE [--year Y] [--json]\n"
    "  puts every device's program through its checks for the year (default: this year) and\n"
    "  compares the devices: bus addresses, program files, summer/winter time, astro places,\n"
    "  holidays and transfers. One line per finding: DEVICE: SEVERITY: TEXT.\n"
    "  Exit status 0 without findings, 3 with findings.");

const QString kSiteApplyUsage = QStringLiteral(
    "usage: zendrik-cli site apply SITE --only NAME,... (--holidays SET --years Y-Y | --dst-rule R |\n"
    "       --dst-zone ZONE --first-year Y | --place NAME | --add-time TEXT |\n"
    "       --change-time TEXT --to TEXT | --delete-time TEXT) [--dry-run]\n"
    "  makes one change in the programs of the named devices; --dry-run shows what each\n"
    "  program would get and writes nothing. Exit status 3 when a device was left out.\n"
    "  TEXT is a switching time as a row of `zendrik-cli list` shows it, in the language\n"
    "  of --lang, e.g. \"Mo Di Mi Do Fr  6:45 Uhr  C1  EIN\" or \"24. Dezember 14:00 C1 C2 AUS\".");


// "2027-2029" or "2027".
std::optional<std::pair<int, int>> YearRange(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('-'));
    if (parts.size() > 2)
        return std::nullopt;
    const std::optional<int> from = WholeNumberIn(parts.first(), kFirstSimulationYear, kLastSimulationYear);
    const std::optional<int> to = WholeNumberIn(parts.last(), kFirstSimulationYear, kLastSimulationYear);
    if (!from || !to || *to < *from)
        return std::nullopt;
    return std::pair{*from, *to};
}

} // namespace

int runSiteCheck(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {QStringLiteral("year")}, {QStringLiteral("json")}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kSiteCheckUsage);
    if (parsed->positional().size() != 1)
        return ctx.usage(kSiteCheckUsage);
    int yearRc = kExitOk;
    const std::optional<int> chosenYear = YearOption(ctx, *parsed, kFirstSimulationYear, kLastSimulationYear, &yearRc);
    if (!chosenYear)
        return yearRc;
    int year = *chosenYear;
    Site site;
    if (const int rc = LoadSiteOrRefuse(ctx, parsed->positional().first(), site); rc != kExitOk)
        return rc;

    const std::vector<SiteFinding> findings = CheckSite(site, ctx.texts, year, ctx.texts.extraLanguage());
    if (ctx.json || parsed->has(QStringLiteral("json"))) {
        QJsonArray list;
        for (const SiteFinding& f : findings) {
            QJsonObject o;
            o[QStringLiteral("device")] = f.device;
            o[QStringLiteral("other")] = f.other;
            o[QStringLiteral("check")] = QString::fromLatin1(f.id == SiteCheckId::ProgramCheck ? CheckKey(f.programCheck)
                                                                                               : SiteCheckKey(f.id));
            o[QStringLiteral("severity")] = QString::fromLatin1(SeverityKey(f.severity));
            o[QStringLiteral("text")] = f.text;
            list.append(o);
        }
        ctx.out << QJsonDocument(QJsonObject{{QStringLiteral("year"), year}, {QStringLiteral("findings"), list}})
                       .toJson(QJsonDocument::Indented);
    } else {
        for (const SiteFinding& f : findings)
            ctx.out << f.device << ": " << ctx.texts(SeverityName(f.severity)) << ": " << f.text << '\n';
    }
    return findings.empty() ? kExitOk : kExitFindings;
}

int runSiteApply(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(
        args,
        {QStringLiteral("only"), QStringLiteral("holidays"), QStringLiteral("years"), QStringLiteral("dst-rule"),
         QStringLiteral("dst-zone"), QStringLiteral("first-year"), QStringLiteral("place"), QStringLiteral("add-time"),
         QStringLiteral("change-time"), QStringLiteral("to"), QStringLiteral("delete-time")},
        {QStringLiteral("dry-run")}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kSiteApplyUsage);
    const int kinds = int(parsed->has(QStringLiteral("holidays"))) + int(parsed->has(QStringLiteral("dst-rule")))
        + int(parsed->has(QStringLiteral("dst-zone"))) + int(parsed->has(QStringLiteral("place")))
        + int(parsed->has(QStringLiteral("add-time"))) + int(parsed->has(QStringLiteral("change-time")))
        + int(parsed->has(QStringLiteral("delete-time")));
    if (parsed->positional().size() != 1 || !parsed->has(QStringLiteral("only")) || kinds != 1
        || parsed->has(QStringLiteral("holidays")) != parsed->has(QStringLiteral("years"))
        || parsed->has(QStringLiteral("dst-zone")) != parsed->has(QStringLiteral("first-year"))
        || parsed->has(QStringLiteral("change-time")) != parsed->has(QStringLiteral("to")))
        return ctx.usage(kSiteApplyUsage);
    const QStringList only = parsed->value(QStringLiteral("only")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (only.isEmpty())
        return ctx.usage(kSiteApplyUsage);

    SiteChange change;
    if (parsed->has(QStringLiteral("holidays"))) {
        change.kind = SiteChange::Kind::Holidays;
        const std::optional<std::pair<int, int>> years = YearRange(parsed->value(QStringLiteral("years")));
        if (!years)
            return ctx.usage(QStringLiteral("--years takes Y-Y within %1..%2").arg(kFirstSimulationYear).arg(kLastSimulationYear));
        change.fromYear = years->first;
        change.toYear = years->second;
        FeiertagTabelle table;
        const QString path = QDir(ctx.workDir).filePath(ctx.texts(TextId::HolidayFileName));
        if (table.read(path) != FeiertagResult::Ok)
            return ctx.refuse(Prompt::message(Icon::Critical, {path, QStringLiteral(": "), TextId::InvalidFile}));
        change.holidaySet = parsed->value(QStringLiteral("holidays"));
        if (!ResolveSiteChange(change, table, PlaceList()))
            return ctx.usage(QStringLiteral("no holiday set named %1").arg(change.holidaySet));
    } else if (parsed->has(QStringLiteral("dst-rule"))) {
        change.kind = SiteChange::Kind::DstRule;
        const std::optional<int> rule = WholeNumberIn(parsed->value(QStringLiteral("dst-rule")), SwKeine, SwUsa);
        if (!rule)
            return ctx.usage(QStringLiteral("--dst-rule takes 0 (none), 1 (Europe), 2 (UK) or 3 (USA)"));
        change.dstRule = *rule;
    } else if (parsed->has(QStringLiteral("dst-zone"))) {
        change.kind = SiteChange::Kind::DstZone;
        change.zone = parsed->value(QStringLiteral("dst-zone"));
        const std::optional<int> first =
            WholeNumberIn(parsed->value(QStringLiteral("first-year")), kSoWiFirstYear + 1, kSoWiLastFirstYear + 1);
        if (!first)
            return ctx.usage(QStringLiteral("--first-year takes %1..%2").arg(kSoWiFirstYear + 1).arg(kSoWiLastFirstYear + 1));
        change.firstYear = *first;
    } else if (!parsed->has(QStringLiteral("place"))) {
        change.kind = parsed->has(QStringLiteral("add-time"))      ? SiteChange::Kind::AddTime
                      : parsed->has(QStringLiteral("change-time")) ? SiteChange::Kind::ChangeTime
                                                                   : SiteChange::Kind::DeleteTime;
        change.entry = parsed->value(QStringLiteral("add-time")) + parsed->value(QStringLiteral("change-time"))
            + parsed->value(QStringLiteral("delete-time"));
        change.entry2 = parsed->value(QStringLiteral("to"));
        // A text that names no switching time is refused once, not for each device.
        QStringList texts = {change.entry};
        if (change.kind == SiteChange::Kind::ChangeTime)
            texts << change.entry2;
        for (const QString& text : texts) {
            const SwitchingTimeParse read = ParseSwitchingTime(text, ctx.texts);
            if (!read.notation)
                return ctx.usage(SwitchingTimeTextMessage(read, ctx.texts.extraLanguage()));
        }
    } else {
        change.kind = SiteChange::Kind::Place;
        change.place = parsed->value(QStringLiteral("place"));
        const std::optional<PlaceList> places = ReadPlaces(ctx);
        if (!places)
            return kExitRefused;
        ResolveSiteChange(change, FeiertagTabelle(), *places);
        if (!change.placeRecord)
            return ctx.usage(QStringLiteral("no place named %1 in %2").arg(change.place, PlaceFilePath(ctx)));
    }

    Site site;
    if (const int rc = LoadSiteOrRefuse(ctx, parsed->positional().first(), site); rc != kExitOk)
        return rc;
    const bool dryRun = parsed->has(QStringLiteral("dry-run"));
    const ExtraLanguage lang = ctx.texts.extraLanguage();
    const std::vector<SiteChangePreview> done = dryRun ? PreviewSiteChange(site, only, change, ctx.texts, lang)
                                                       : ApplySiteChange(site, only, change, ctx.texts, lang);
    bool leftOut = false;
    int written = 0;
    for (const SiteChangePreview& p : done) {
        if (!p.applicable) {
            ctx.out << p.device << ": not applicable: " << p.reason << '\n';
            leftOut = true;
        } else if (p.differences.isEmpty()) {
            ctx.out << p.device << ": no change\n";
        } else {
            ctx.out << p.device << ":\n";
            for (const QString& line : p.differences)
                ctx.out << "  " << line << '\n';
            if (!dryRun) {
                const int i = site.indexOf(p.device);
                ctx.out << p.device << ": written " << site.devices[static_cast<std::size_t>(i)].program << '\n';
                ++written;
            }
        }
    }
    if (!dryRun)
        ctx.out << written << " written\n";
    return leftOut ? kExitFindings : kExitOk;
}

} // namespace zendrik::cli

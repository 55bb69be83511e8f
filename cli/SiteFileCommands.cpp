#include "cli/CliContext.h"
#include "cli/SiteCommands.h"

#include "model/DeviceImage.h"
#include "model/DeviceTypes.h"
#include "site/SiteFile.h"
#include "site/SiteFileTexts.h"
#include "site/SiteState.h"
#include "transfer/bus/PhysicalAddress.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zendrik::cli {

namespace {

const QString kSiteNewUsage = QStringLiteral("usage: zendrik-cli site new SITE --name NAME");
const QString kSiteAddUsage = QStringLiteral(
    "usage: zendrik-cli site add SITE --device NAME --program FILE --type N [--location TEXT]\n"
    "                            [--bus A.L.D --link L | --chip PORT | --ir 1|2]\n"
    "  the program file must lie in the site's folder or below it.");
const QString kSiteListUsage = QStringLiteral("usage: zendrik-cli site list SITE [--json]");

ExtraLanguage siteLanguage(const CliContext& ctx)
{
    return ctx.texts.extraLanguage();
}

int saveSiteOrRefuse(CliContext& ctx, const Site& site)
{
    QString error;
    if (SaveSite(site, &error))
        return kExitOk;
    ctx.err << site.path << ": " << error << Qt::endl;
    return kExitRefused;
}

bool siteOneLineValue(const QString& text)
{
    return !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'));
}

const char* siteStateKey(SiteTransferState state)
{
    switch (state) {
    case SiteTransferState::UpToDate:
        return "up_to_date";
    case SiteTransferState::ChangedSince:
        return "changed_since";
    case SiteTransferState::Never:
        return "never";
    case SiteTransferState::Failed:
        break;
    }
    return "failed";
}

const char* siteLinkKey(SiteLinkKind kind)
{
    switch (kind) {
    case SiteLinkKind::Bus:
        return "bus";
    case SiteLinkKind::Chip:
        return "chip";
    case SiteLinkKind::Ir:
        return "ir";
    case SiteLinkKind::None:
        break;
    }
    return "none";
}

QString siteTransferJson(const SiteTransfer& t)
{
    QString text = t.when.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    text += t.direction == SiteDirection::Write ? QStringLiteral(" write") : QStringLiteral(" read");
    text += t.result == SiteTransferResult::Ok        ? QStringLiteral(" ok")
            : t.result == SiteTransferResult::Differs ? QStringLiteral(" differs")
                                                      : QStringLiteral(" failed");
    if (!t.checksum.isEmpty())
        text += QLatin1Char(' ') + t.checksum;
    if (t.confirmed)
        text += QStringLiteral(" confirmed");
    return text;
}

} // namespace

int runSiteNew(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {QStringLiteral("name")}, {}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kSiteNewUsage);
    const QString name = parsed->value(QStringLiteral("name")).trimmed();
    if (parsed->positional().size() != 1 || name.isEmpty() || !siteOneLineValue(name))
        return ctx.usage(kSiteNewUsage);
    const QString path = parsed->positional().first();
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink()) {
        ctx.err << SiteFileTexts::kSiteExists.in(siteLanguage(ctx)).arg(path) << Qt::endl;
        return kExitRefused;
    }
    Site site;
    site.name = name;
    site.path = QFileInfo(path).absoluteFilePath();
    return saveSiteOrRefuse(ctx, site);
}

int runSiteAdd(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args,
                                           {QStringLiteral("device"), QStringLiteral("program"), QStringLiteral("type"),
                                            QStringLiteral("location"), QStringLiteral("bus"), QStringLiteral("link"),
                                            QStringLiteral("chip"), QStringLiteral("ir")},
                                           {}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kSiteAddUsage);
    const QString name = parsed->value(QStringLiteral("device")).trimmed();
    const QString location = parsed->value(QStringLiteral("location")).trimmed();
    if (parsed->positional().size() != 1 || name.isEmpty() || !parsed->has(QStringLiteral("program"))
        || !parsed->has(QStringLiteral("type")) || !siteOneLineValue(name) || !siteOneLineValue(location))
        return ctx.usage(kSiteAddUsage);
    bool typeOk = false;
    const int type = parsed->value(QStringLiteral("type")).toInt(&typeOk);
    if (!typeOk || type < 1 || type > kDeviceTypeRows)
        return ctx.usage(QStringLiteral("--type takes a device-type row 1..%1").arg(kDeviceTypeRows));

    SiteDevice device;
    device.name = name;
    device.location = location;
    device.type = type;
    const int links = int(parsed->has(QStringLiteral("bus"))) + int(parsed->has(QStringLiteral("chip")))
                      + int(parsed->has(QStringLiteral("ir")));
    if (links > 1 || parsed->has(QStringLiteral("bus")) != parsed->has(QStringLiteral("link")))
        return ctx.usage(kSiteAddUsage);
    if (parsed->has(QStringLiteral("bus"))) {
        device.link = SiteLinkKind::Bus;
        device.address = parsed->value(QStringLiteral("bus")).trimmed();
        device.connection = parsed->value(QStringLiteral("link")).trimmed();
        if (!ParsePhysAddress(device.address) || device.connection.isEmpty() || !siteOneLineValue(device.connection))
            return ctx.usage(QStringLiteral("--bus takes A.L.D, --link a connection (sim:FILE, knxnetip:HOST[:PORT])"));
    } else if (parsed->has(QStringLiteral("chip"))) {
        device.link = SiteLinkKind::Chip;
        device.port = parsed->value(QStringLiteral("chip")).trimmed();
        if (device.port.isEmpty() || !siteOneLineValue(device.port))
            return ctx.usage(kSiteAddUsage);
    } else if (parsed->has(QStringLiteral("ir"))) {
        device.link = SiteLinkKind::Ir;
        device.port = parsed->value(QStringLiteral("ir")).trimmed();
        if (device.port != QLatin1String("1") && device.port != QLatin1String("2"))
            return ctx.usage(QStringLiteral("--ir takes 1 or 2"));
    }

    Site site;
    if (const int rc = LoadSiteOrRefuse(ctx, parsed->positional().first(), site); rc != kExitOk)
        return rc;
    const ExtraLanguage language = siteLanguage(ctx);
    const QString programFile = QFileInfo(parsed->value(QStringLiteral("program"))).absoluteFilePath();
    const SiteAddCheck check = CheckNewSiteDevice(site, device, programFile);
    const auto refuseAs = [&](SiteDeviceMark mark) {
        ctx.err << programFile << ": " << SiteDeviceMarkText(mark, language) << Qt::endl;
        return kExitRefused;
    };
    switch (check.refusal) {
    case SiteAddRefusal::None:
        break;
    case SiteAddRefusal::NoName:
    case SiteAddRefusal::BadAddress: // both taken as usage above
        return ctx.usage(kSiteAddUsage);
    case SiteAddRefusal::DuplicateName:
        ctx.err << SiteFileTexts::kDeviceExists.in(language).arg(site.path, name) << Qt::endl;
        return kExitRefused;
    case SiteAddRefusal::OutsideFolder:
        return refuseAs(SiteDeviceMark::OutsideFolder);
    case SiteAddRefusal::MissingProgram:
        return refuseAs(SiteDeviceMark::MissingProgram);
    case SiteAddRefusal::UnfittingProgram:
        return refuseAs(SiteDeviceMark::UnfittingProgram);
    case SiteAddRefusal::UnreadableProgram:
        return ctx.refuse(ctx.loadMessage(check.loadResult, programFile));
    }

    site.devices.push_back(device);
    return saveSiteOrRefuse(ctx, site);
}

int runSiteList(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {}, {QStringLiteral("json")}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kSiteListUsage);
    if (parsed->positional().size() != 1)
        return ctx.usage(kSiteListUsage);
    Site site;
    if (const int rc = LoadSiteOrRefuse(ctx, parsed->positional().first(), site); rc != kExitOk)
        return rc;
    const ExtraLanguage language = siteLanguage(ctx);

    if (ctx.json || parsed->has(QStringLiteral("json"))) {
        QJsonArray devices;
        for (const SiteDevice& d : site.devices) {
            const SiteTransferState state = DeviceTransferState(site, d);
            QJsonObject o{{QStringLiteral("name"), d.name},
                          {QStringLiteral("location"), d.location},
                          {QStringLiteral("type"), d.type},
                          {QStringLiteral("program"), d.program},
                          {QStringLiteral("link"), QString::fromLatin1(siteLinkKey(d.link))},
                          {QStringLiteral("address"), d.address},
                          {QStringLiteral("last_transfer"), d.last ? QJsonValue(siteTransferJson(*d.last)) : QJsonValue()},
                          {QStringLiteral("state"), QString::fromLatin1(siteStateKey(state))}};
            if (d.link == SiteLinkKind::Bus)
                o[QStringLiteral("connection")] = d.connection;
            else if (d.link != SiteLinkKind::None)
                o[QStringLiteral("port")] = d.port;
            if (d.mark != SiteDeviceMark::None)
                o[QStringLiteral("mark")] = SiteDeviceMarkText(d.mark, language);
            devices.append(o);
        }
        const QJsonObject root{{QStringLiteral("name"), site.name},
                               {QStringLiteral("address"), site.address},
                               {QStringLiteral("devices"), devices}};
        ctx.out << QString::fromUtf8(QJsonDocument(root).toJson(QJsonDocument::Indented));
        return kExitOk;
    }
    for (const SiteDevice& d : site.devices) {
        // A marked device has no state to show: the mark says why.
        const QString state = d.mark != SiteDeviceMark::None ? SiteDeviceMarkText(d.mark, language)
                                                             : TransferStateText(DeviceTransferState(site, d), language);
        ctx.out << d.name << '\t' << d.type << '\t' << SiteLinkText(d) << '\t' << state << '\n';
    }
    return kExitOk;
}

} // namespace zendrik::cli

#include "cli/Commands.h"
#include "cli/SiteCommands.h"
#include "site/SiteFile.h"

namespace zendrik::cli {

const std::vector<SiteCommand>& siteCommands()
{
    static const std::vector<SiteCommand> table = {
        {"new", "new SITE --name NAME", runSiteNew},
        {"add", "add SITE --device NAME --program FILE --type N [--location TEXT] [--bus A.L.D --link L | --chip PORT | --ir 1|2]", runSiteAdd},
        {"list", "list SITE [--json]", runSiteList},
        {"check", "check SITE [--year Y] [--json]", runSiteCheck},
        {"apply", "apply SITE --only NAME,... (--holidays SET --years Y-Y | --dst-rule R | --dst-zone ZONE --first-year Y | --place NAME | --add-time TEXT | --change-time TEXT --to TEXT | --delete-time TEXT) [--dry-run]", runSiteApply},
        {"write", "write SITE [--only NAME,...] [--changed]", runSiteWrite},
        {"read", "read SITE --out DIR [--only NAME,...]", runSiteRead},
        {"handover", "handover SITE --pdf OUT [--year Y]", runSiteHandover},
    };
    return table;
}

int LoadSiteOrRefuse(CliContext& ctx, const QString& path, Site& site)
{
    const SiteLoadResult result = LoadSite(path, site);
    if (result.ok())
        return kExitOk;
    ctx.err << SiteLoadMessage(result, path, ctx.texts.extraLanguage()) << Qt::endl;
    return kExitRefused;
}

int runSite(CliContext& ctx, const QStringList& args)
{
    QString usage = QStringLiteral("usage:");
    for (const SiteCommand& c : siteCommands())
        usage += QStringLiteral("\n  zendrik-cli site ") + QString::fromUtf8(c.synopsis);
    if (args.isEmpty())
        return ctx.usage(usage);
    for (const SiteCommand& c : siteCommands()) {
        if (args.first() == QLatin1String(c.name))
            return c.run(ctx, args.mid(1));
    }
    return ctx.usage(usage);
}

} // namespace zendrik::cli

#include "cli/CalendarArgs.h"
#include "cli/CliContext.h"
#include "cli/SiteCommands.h"

#include "calendar/SimulationYears.h"
#include "paint/SiteHandoverPainter.h"
#include "site/SiteFile.h"
#include "site/SiteHandover.h"
#include "site/SiteHandoverTexts.h"

#include <QDir>
#include <QFileInfo>

namespace zendrik::cli {

namespace {

const QString kSiteHandoverUsage = QStringLiteral(
    "usage: zendrik-cli site handover SITE --pdf OUT [--year Y]\n"
    "  the site's hand-over record: a cover listing every device with its last transfer\n"
    "  and the signature lines, then each device's record for year Y (default: this year).");

} // namespace

int runSiteHandover(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {QStringLiteral("pdf"), QStringLiteral("year")}, {}, &error);
    if (!parsed)
        return ctx.usage(error + QLatin1Char('\n') + kSiteHandoverUsage);
    if (parsed->positional().size() != 1 || !parsed->has(QStringLiteral("pdf")))
        return ctx.usage(kSiteHandoverUsage);
    int yearRc = kExitOk;
    const std::optional<int> chosenYear = YearOption(ctx, *parsed, kFirstSimulationYear, kLastSimulationYear, &yearRc);
    if (!chosenYear)
        return yearRc;
    int year = *chosenYear;
    if (year < kFirstSimulationYear || year > kLastSimulationYear)
        return ctx.usage(QStringLiteral("the clock gives the year %1; the record covers %2..%3 (give --year)")
                             .arg(year)
                             .arg(kFirstSimulationYear)
                             .arg(kLastSimulationYear));

    const ExtraLanguage language = ctx.texts.extraLanguage();
    const QString sitePath = parsed->positional().first();
    const QString out = parsed->value(QStringLiteral("pdf"));
    Site site;
    if (const int rc = LoadSiteOrRefuse(ctx, sitePath, site); rc != kExitOk)
        return rc;
    if (QDir::cleanPath(QFileInfo(out).absoluteFilePath()) == QDir::cleanPath(QFileInfo(sitePath).absoluteFilePath())) {
        ctx.err << kSiteHandoverOverSiteFile.in(language).arg(out) << Qt::endl;
        return kExitRefused;
    }

    const SiteHandoverDocument document = BuildSiteHandover(site, ctx.texts, year, language);
    for (const QString& skipped : document.skipped)
        ctx.err << kSiteHandoverNoRecord.in(language).arg(skipped) << Qt::endl;
    int pages = 0;
    if (!WriteSiteHandoverPdf(document, ctx.texts, out, &error, {}, &pages)) {
        ctx.err << out << ": " << error << Qt::endl;
        return kExitRefused;
    }
    ctx.out << ctx.texts(TextId::Page).trimmed() << ": " << pages << '\n';
    return kExitOk;
}

} // namespace zendrik::cli

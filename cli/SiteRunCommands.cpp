#include "cli/SiteCommands.h"

#include "site/SiteFile.h"
#include "site/SiteRun.h"
#include "site/SiteRunTexts.h"

#include <QDir>

#include <csignal>

namespace zendrik::cli {

namespace {

volatile std::sig_atomic_t siteRunInterrupted = 0;

void onSiteRunInterrupt(int)
{
    siteRunInterrupted = 1;
}

// One line per device as it ends; Ctrl+C stops the run after the devices in progress.
class RunPrinter : public SiteRunObserver {
public:
    RunPrinter(CliContext& ctx, SiteRun& run) : ctx_(ctx), run_(run) { }
    void deviceStarted(const QString&, int, int) override { stopIfAsked(); }
    void deviceProgress(const QString&, int) override { stopIfAsked(); }
    void deviceFinished(const SiteDeviceResult& r) override
    {
        stopIfAsked();
        QString line = r.device + QStringLiteral(": ");
        switch (r.outcome) {
        case SiteDeviceOutcome::Ok:
            line += QStringLiteral("ok");
            break;
        case SiteDeviceOutcome::Differs:
            line += QStringLiteral("differs");
            break;
        case SiteDeviceOutcome::Skipped:
            line += QStringLiteral("skipped: ") + r.reason;
            break;
        case SiteDeviceOutcome::Failed:
        case SiteDeviceOutcome::NotRun:
            line += QStringLiteral("failed: ")
                    + (r.outcome == SiteDeviceOutcome::NotRun ? SiteOutcomeText(r.outcome, ctx_.texts.extraLanguage())
                                                               : r.reason);
            break;
        }
        ctx_.out << line << Qt::endl;
    }

private:
    void stopIfAsked()
    {
        if (siteRunInterrupted != 0)
            run_.requestStop();
    }
    CliContext& ctx_;
    SiteRun& run_;
};

int runSiteTransfer(CliContext& ctx, const QStringList& argv, SiteDirection direction)
{
    const bool write = direction == SiteDirection::Write;
    QString error;
    const auto args = CommandArgs::parse(argv, write ? QStringList{QStringLiteral("only")} : QStringList{QStringLiteral("only"), QStringLiteral("out")},
                                         write ? QStringList{QStringLiteral("changed")} : QStringList{}, &error);
    if (!args)
        return ctx.usage(error);
    const QString out = args->value(QStringLiteral("out"));
    if (args->positional().size() != 1 || (!write && out.isEmpty()))
        return ctx.usage(write ? QStringLiteral("usage: zendrik-cli site write SITE [--only NAME,...] [--changed]")
                               : QStringLiteral("usage: zendrik-cli site read SITE --out DIR [--only NAME,...]"));
    const ExtraLanguage language = ctx.texts.extraLanguage();
    Site site;
    const QString path = args->positional().first();
    if (const int rc = LoadSiteOrRefuse(ctx, path, site); rc != kExitOk)
        return rc;
    SiteRunOptions options;
    options.direction = direction;
    options.changedOnly = args->has(QStringLiteral("changed"));
    options.workDir = ctx.workDir;
    options.outDir = out;
    if (args->has(QStringLiteral("only"))) {
        options.only = args->value(QStringLiteral("only")).split(u',', Qt::SkipEmptyParts);
        for (QString& name : options.only) {
            name = name.trimmed();
            if (site.indexOf(name) < 0) {
                ctx.err << path << QStringLiteral(": ") << kSiteRunNoSuchDevice.in(language).arg(name) << Qt::endl;
                return kExitRefused;
            }
        }
    }
    if (!write && !QDir().mkpath(out)) {
        ctx.err << ctx.texts(TextId::InvalidFileName) << ": " << out << Qt::endl;
        return kExitRefused;
    }
    SiteRun run(site, ctx.texts, language);
    RunPrinter printer(ctx, run);
    siteRunInterrupted = 0;
    const auto previous = std::signal(SIGINT, onSiteRunInterrupt);
    const SiteRunCounts counts = CountSiteRun(run.run(options, &printer));
    std::signal(SIGINT, previous);
    ctx.out << counts.ok << " ok, " << counts.failed << " failed, " << counts.skipped << " skipped" << Qt::endl;
    if (!run.logError().isEmpty())
        ctx.err << run.logError() << Qt::endl;
    if (!run.siteSaveError().isEmpty())
        ctx.err << path << QStringLiteral(": ") << run.siteSaveError() << Qt::endl;
    return counts.failed == 0 ? kExitOk : kExitFindings;
}

} // namespace

int runSiteWrite(CliContext& ctx, const QStringList& args)
{
    return runSiteTransfer(ctx, args, SiteDirection::Write);
}

int runSiteRead(CliContext& ctx, const QStringList& args)
{
    return runSiteTransfer(ctx, args, SiteDirection::Read);
}

} // namespace zendrik::cli

#include "cli/Commands.h"
#include "cli/IrCommandOptions.h"

#include "transfer/ir/IrTexts.h"

namespace zendrik::cli {

int runIrSetTime(CliContext& ctx, const QStringList& argv)
{
    QString error;
    const auto args = CommandArgs::parse(argv, IrValueOptions({QStringLiteral("time"), QStringLiteral("date")}), {},
                                         &error);
    if (!args)
        return ctx.usage(error);
    if (!args->positional().isEmpty())
        return ctx.usage(QStringLiteral(
            "usage: zendrik-cli ir-settime [--time HH:MM:SS --date DD.MM.YY] [--port 1|2] [--tool CMD] [--timeout S]"));
    int rc = kExitOk;
    const auto options = ParseIrOptions(ctx, *args, &rc);
    if (!options)
        return rc;
    IrJob job;
    job.mode = IrModus::SetTime;
    job.port = options->port;
    // The computer's clock, unless a time or a date was given (that part then
    // counts as typed, the other comes from the clock).
    const QDateTime now = ctx.model.clock();
    job.time = now.time();
    job.date = now.date();
    job.source = IrClockSource::Computer;
    if (args->has(QStringLiteral("time"))) {
        const QString text = args->value(QStringLiteral("time"));
        const auto t = ParseIrTime(text);
        if (!t)
            return ctx.refuse(Prompt::message(Icon::Critical, {ctx.texts(kIrInvalidTime).arg(text)}));
        job.time = *t;
        job.source = IrClockSource::Typed;
    }
    if (args->has(QStringLiteral("date"))) {
        const QString text = args->value(QStringLiteral("date"));
        const auto d = ParseIrDate(text);
        if (!d)
            return ctx.refuse(Prompt::message(Icon::Critical, {ctx.texts(kIrInvalidDate).arg(text)}));
        job.date = *d;
        job.source = IrClockSource::Typed;
    }
    job.time = QTime(job.time.hour(), job.time.minute(), job.time.second());
    return RunIrJob(ctx, job);
}

} // namespace zendrik::cli

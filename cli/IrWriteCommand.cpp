#include "cli/Commands.h"
#include "cli/IrCommandOptions.h"

#include "transfer/TransferJournal.h"

namespace zendrik::cli {

int runIrWrite(CliContext& ctx, const QStringList& argv)
{
    QString error;
    const auto args = CommandArgs::parse(argv, IrValueOptions({}), {}, &error);
    if (!args)
        return ctx.usage(error);
    if (args->positional().size() != 1)
        return ctx.usage(QStringLiteral("usage: zendrik-cli ir-write FILE [--port 1|2] [--tool CMD] [--timeout S]"));
    int rc = kExitOk;
    const auto options = ParseIrOptions(ctx, *args, &rc);
    if (!options)
        return rc;
    // The device gets only a program this device type can open, as it is saved.
    if (rc = ctx.loadOrRefuse(args->positional().first(), kProgramSlot); rc != kExitOk)
        return rc;
    ctx.model.Geaendert = 0;
    IrJob job;
    job.mode = IrModus::Program;
    job.port = options->port;
    const int status = RunIrJob(ctx, job);
    if (status == kExitOk)
        JournalProgramWrite(ctx, TransferPath::Ir, QString::number(job.port), false);
    return status;
}

} // namespace zendrik::cli

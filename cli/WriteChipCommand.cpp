#include "cli/ChipCommandOptions.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/TerminalProgress.h"

#include "transfer/TransferJournal.h"
#include "transfer/chip/QtSerialBytePort.h"
#include "transfer/chip/SerialChipTransfer.h"

#include <unistd.h>

namespace zendrik::cli {

int runWriteChip(CliContext& ctx, const QStringList& argv)
{
    QString error;
    const auto args = CommandArgs::parse(argv, {QStringLiteral("port"), QStringLiteral("verify"), QStringLiteral("pause-ms")},
                                         {}, &error);
    if (!args)
        return ctx.usage(error);
    if (args->positional().size() != 1)
        return ctx.usage(QStringLiteral("usage: zendrik-cli write-chip FILE --port DEVICE [--verify all|block0] [--pause-ms MS]"));
    int rc = kExitOk;
    const auto options = ParseChipOptions(ctx, *args, &rc);
    if (!options)
        return rc;
    const QString file = args->positional().first();
    // The chip gets only a program this device type can open.
    if (rc = ctx.loadOrRefuse(file, kProgramSlot); rc != kExitOk)
        return rc;

    QtSerialBytePort port(options->port);
    TerminalProgress progress(ctx.err, ctx.texts, isatty(STDERR_FILENO) != 0);
    SerialChipTransfer transfer(port, ctx.model.device.Uhrentyp, options->port, ctx.workDir, options->serial, &progress);
    const SerialTransferResult r = transfer.writeChip(file);
    WarnAboutLog(ctx, transfer);
    if (r.result != 0)
        return RefuseTransfer(ctx, r, options->port);
    // The serial adapter reads the chip back after writing (block 0 or all of it).
    JournalProgramWrite(ctx, TransferPath::Chip, options->port, true);
    return kExitOk;
}

} // namespace zendrik::cli

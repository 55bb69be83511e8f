#include "cli/BusCommandOptions.h"
#include "cli/Commands.h"

#include "transfer/TransferJournal.h"
#include "transfer/bus/PhysicalAddress.h"

namespace zendrik::cli {

int runBusWrite(CliContext& ctx, const QStringList& argv)
{
    QString error;
    const auto args = CommandArgs::parse(argv, kBusValueOptions, {}, &error);
    if (!args)
        return ctx.usage(error);
    if (args->positional().size() != 1)
        return ctx.usage(QStringLiteral("usage: zendrik-cli bus-write FILE --link L --address A.L.D"));
    int rc = kExitOk;
    auto session = OpenBusSession(ctx, *args, true, &rc);
    if (!session)
        return rc;
    // The device gets only a program this device type can open.
    if (rc = ctx.loadOrRefuse(args->positional().first(), kProgramSlot); rc != kExitOk)
        return rc;
    ctx.model.Geaendert = 0;
    const BusActionResult result = session->access->Program(session->address);
    // The bus write is not read back: the journal says so.
    if (result.code == 0 && !result.cancelled)
        JournalProgramWrite(ctx, TransferPath::Bus, FormatPhysicalAddress(session->address), false);
    return BusExit(ctx, *session, result);
}

} // namespace zendrik::cli

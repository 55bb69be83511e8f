#include "cli/BusCommandOptions.h"
#include "cli/Commands.h"

namespace zendrik::cli {

int runBusReinstall(CliContext& ctx, const QStringList& argv)
{
    QString error;
    const auto args = CommandArgs::parse(argv, kBusValueOptions, {}, &error);
    if (!args)
        return ctx.usage(error);
    if (!args->positional().isEmpty())
        return ctx.usage(QStringLiteral("usage: zendrik-cli bus-reinstall --link L --address A.L.D"));
    int rc = kExitOk;
    auto session = OpenBusSession(ctx, *args, true, &rc);
    if (!session)
        return rc;
    return BusExit(ctx, *session, session->access->Reinstall(session->address));
}

} // namespace zendrik::cli

#include "cli/BusCommandOptions.h"
#include "cli/Commands.h"

namespace zendrik::cli {

int runBusRead(CliContext& ctx, const QStringList& argv)
{
    QString error;
    const auto args = CommandArgs::parse(argv, kBusValueOptions + QStringList{QStringLiteral("out")}, {}, &error);
    if (!args)
        return ctx.usage(error);
    const QString out = args->value(QStringLiteral("out"));
    if (!args->positional().isEmpty() || out.isEmpty())
        return ctx.usage(QStringLiteral("usage: zendrik-cli bus-read --link L --address A.L.D --out FILE"));
    int rc = kExitOk;
    auto session = OpenBusSession(ctx, *args, true, &rc);
    if (!session)
        return rc;
    const BusActionResult r = session->access->Read(session->address);
    if (r.code != 0)
        return BusExit(ctx, *session, r);
    // Only a complete read becomes the output file.
    return saveOrRefuse(ctx, out, true);
}

} // namespace zendrik::cli

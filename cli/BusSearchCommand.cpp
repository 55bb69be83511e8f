#include "cli/BusCommandOptions.h"
#include "cli/Commands.h"

#include "transfer/PhysicalAddress.h"

namespace zendrik::cli {

int runBusSearch(CliContext& ctx, const QStringList& argv)
{
    QString error;
    const QStringList keys{QStringLiteral("link"), QStringLiteral("area"), QStringLiteral("line"),
                           QStringLiteral("from"), QStringLiteral("to")};
    const auto args = CommandArgs::parse(argv, keys, {}, &error);
    if (!args)
        return ctx.usage(error);
    int numbers[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = args->value(keys[i + 1]).toInt(&ok);
        if (!ok || !args->positional().isEmpty())
            return ctx.usage(QStringLiteral("usage: zendrik-cli bus-search --link L --area A --line L --from N --to M"));
    }
    int rc = kExitOk;
    auto session = OpenBusSession(ctx, *args, false, &rc);
    if (!session)
        return rc;
    const BusActionResult r = session->access->Search(numbers[0], numbers[1], numbers[2], numbers[3]);
    for (const quint16 address : r.found)
        ctx.out << FormatPhysicalAddress(address) << '\n';
    ctx.out.flush();
    return BusExit(ctx, *session, r);
}

} // namespace zendrik::cli

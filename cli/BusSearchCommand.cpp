#include "cli/BusCommandOptions.h"
#include "cli/Commands.h"

#include "transfer/bus/BusTexts.h"
#include "transfer/bus/PhysicalAddress.h"

#include <csignal>

namespace zendrik::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int)
{
    interrupted = 1;
}

} // namespace

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
    // Ctrl+C ends the search after the address in progress, with the time
    // switches found so far, as the window's stop button does.
    interrupted = 0;
    session->access->stopAsked = [] { return interrupted != 0; };
    const auto previous = std::signal(SIGINT, onInterrupt);
    const BusActionResult r = session->access->Search(numbers[0], numbers[1], numbers[2], numbers[3]);
    std::signal(SIGINT, previous);
    for (const quint16 address : r.found)
        ctx.out << FormatPhysicalAddress(address) << '\n';
    ctx.out.flush();
    if (r.stopped)
        ctx.err << ctx.texts(kBusSearchStopped) << Qt::endl;
    return BusExit(ctx, *session, r);
}

} // namespace zendrik::cli

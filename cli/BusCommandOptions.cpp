#include "cli/BusCommandOptions.h"

#include "transfer/bus/BusTexts.h"
#include "transfer/bus/PhysicalAddress.h"
#include "transfer/links/OpenEibLink.h"

#include <unistd.h>

namespace zendrik::cli {

Answer BusInteraction::ask(const Prompt& prompt)
{
    if (prompt.buttons == Buttons::Ok) {
        ctx_.err << prompt.render(ctx_.texts) << Qt::endl;
        return Answer::Ok;
    }
    return answers_.ask(prompt);
}

std::optional<BusSession> OpenBusSession(CliContext& ctx, const CommandArgs& args, bool needsAddress, int* rc)
{
    BusSession s;
    const QString connection = args.value(QStringLiteral("link"));
    if (connection.isEmpty()) {
        *rc = ctx.usage(QStringLiteral("--link is missing (sim:FILE for the simulated bus)"));
        return std::nullopt;
    }
    if (needsAddress) {
        const auto address = ParsePhysAddress(args.value(QStringLiteral("address")));
        if (!address) {
            *rc = ctx.usage(ctx.texts(TextId::EibNoValidPhysicalAddress));
            return std::nullopt;
        }
        s.address = *address;
    }
    QString error;
    s.link = OpenEibLink(connection, ctx.workDir, &error);
    if (!s.link) {
        ctx.err << ctx.texts(kBusNoLink) << error << Qt::endl;
        *rc = kExitRefused;
        return std::nullopt;
    }
    s.ui = std::make_unique<BusInteraction>(ctx, true);
    s.progress = std::make_unique<TerminalProgress>(ctx.err, ctx.texts, isatty(STDERR_FILENO) != 0);
    s.access = std::make_unique<BusAccess>(ctx.model, *s.ui, ctx.texts, ctx.workDir);
    s.access->setLink(s.link.get(), 0, connection);
    s.access->observer = s.progress.get();
    return s;
}

int BusExit(CliContext& ctx, const BusSession&, const BusActionResult& result)
{
    if (result.restorePending)
        ctx.err << ctx.texts(kBusRestorePending) << Qt::endl;
    return result.code == 0 ? kExitOk : kExitRefused;
}

} // namespace zendrik::cli

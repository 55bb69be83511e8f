#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "model/ProgramFile.h"

namespace zendrik::cli {

int runSave(CliContext& ctx, const QStringList& args)
{
    QString error;
    const auto parsed = CommandArgs::parse(args, {QStringLiteral("now")}, {QStringLiteral("yes"), QStringLiteral("no")},
                                           &error);
    if (!parsed)
        return ctx.usage(error);
    if (parsed->positional().size() != 2 || (parsed->has(QStringLiteral("yes")) && parsed->has(QStringLiteral("no"))))
        return ctx.usage(QStringLiteral("usage: zendrik-cli save FILE OUT [--now \"YYYY-MM-DD HH:MM\"] [--yes|--no]"));

    if (parsed->has(QStringLiteral("now")) && !ctx.setNow(parsed->value(QStringLiteral("now"))))
        return ctx.usage(QStringLiteral("--now takes \"YYYY-MM-DD HH:MM\""));

    if (const int rc = ctx.loadOrRefuse(parsed->positional().at(0), kProgramSlot); rc != kExitOk)
        return rc;
    return saveOrRefuse(ctx, parsed->positional().at(1), parsed->has(QStringLiteral("yes")));
}

int saveOrRefuse(CliContext& ctx, const QString& out, bool yes)
{
    ctx.model.program().Dateiname = out;
    return ctx.saveOrRefuse(yes);
}

} // namespace zendrik::cli

#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "model/ProgramFile.h"

#include <QDateTime>

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

    if (parsed->has(QStringLiteral("now"))) {
        const QDateTime fixed =
            QDateTime::fromString(parsed->value(QStringLiteral("now")), QStringLiteral("yyyy-MM-dd HH:mm"));
        if (!fixed.isValid())
            return ctx.usage(QStringLiteral("--now takes \"YYYY-MM-DD HH:MM\""));
        ctx.model.clock = [fixed] { return fixed; };
    }

    if (const int rc = ctx.loadOrRefuse(parsed->positional().at(0), kProgramSlot); rc != kExitOk)
        return rc;
    return saveOrRefuse(ctx, parsed->positional().at(1), parsed->has(QStringLiteral("yes")));
}

int saveOrRefuse(CliContext& ctx, const QString& out, bool yes)
{
    ctx.model.program().Dateiname = out;
    CliInteraction interaction(yes, ctx.texts);
    const SaveOutcome outcome = SaveProgram(ctx.model, interaction);
    if (outcome.result == 1)
        return kExitOk;
    switch (outcome.failure) {
    case SaveFailure::Abandoned:
        if (!interaction.lastDeclined().isEmpty())
            ctx.err << interaction.lastDeclined() << Qt::endl;
        else
            ctx.err << ctx.texts(TextId::ChooseOtherDstRule) << Qt::endl;
        break;
    case SaveFailure::WriteFailed:
        ctx.err << ctx.texts(TextId::InvalidFileName) << ": " << outcome.error << Qt::endl;
        break;
    default:
        ctx.err << ctx.texts(TextId::InvalidFileName) << Qt::endl;
        break;
    }
    return kExitRefused;
}

} // namespace zendrik::cli

#include "cli/IrCommandOptions.h"

#include "language/TextTable.h"
#include "transfer/PortSettings.h"

#include <QDir>

namespace zendrik::cli {

namespace {

// Messages of the job go to the terminal; the job asks no question here
// (the command line has no unsaved changes to keep).
class IrTerminal : public UserInteraction {
public:
    explicit IrTerminal(CliContext& ctx) : ctx_(ctx) { }
    Answer ask(const Prompt& p) override
    {
        const QString text = p.render(ctx_.texts);
        if (p.key() == TextId::IrTransferSucceeded)
            ctx_.out << text << Qt::endl;
        else
            ctx_.err << text << Qt::endl;
        return p.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }

private:
    CliContext& ctx_;
};

} // namespace

QStringList IrValueOptions(QStringList more)
{
    return more << QStringLiteral("port") << QStringLiteral("tool") << QStringLiteral("timeout");
}

std::optional<IrOptions> ParseIrOptions(CliContext& ctx, const CommandArgs& args, int* rc)
{
    ReadPortSettings(QDir(ctx.workDir).filePath(kPortSettingsFileName), ctx.model.device);
    IrOptions o;
    if (args.has(QStringLiteral("port"))) {
        const QString port = args.value(QStringLiteral("port"));
        if (port != QLatin1String("1") && port != QLatin1String("2")) {
            *rc = ctx.usage(QStringLiteral("--port takes 1 (COM1) or 2 (COM2)"));
            return std::nullopt;
        }
        o.port = port.toInt();
    }
    if (args.has(QStringLiteral("tool"))) {
        const QString tool = args.value(QStringLiteral("tool"));
        if (tool.trimmed().isEmpty()) {
            *rc = ctx.usage(QStringLiteral("--tool takes the command of the infrared tool"));
            return std::nullopt;
        }
        ctx.model.device.IrTool = tool;
    }
    if (args.has(QStringLiteral("timeout"))) {
        bool ok = false;
        const int seconds = args.value(QStringLiteral("timeout")).toInt(&ok);
        if (!ok || seconds < kMinIrTimeout || seconds > kMaxIrTimeout) {
            *rc = ctx.usage(QStringLiteral("--timeout takes %1 to %2 seconds").arg(kMinIrTimeout).arg(kMaxIrTimeout));
            return std::nullopt;
        }
        ctx.model.device.IrTimeout = seconds;
    }
    return o;
}

int RunIrJob(CliContext& ctx, const IrJob& job, IrOutcome* outcome)
{
    IrTerminal terminal(ctx);
    IrTransfer transfer(ctx.model, terminal, ctx.texts, ctx.workDir);
    const IrOutcome r = transfer.Run(job);
    if (outcome)
        *outcome = r;
    return r == IrOutcome::Succeeded ? kExitOk : kExitRefused;
}

} // namespace zendrik::cli

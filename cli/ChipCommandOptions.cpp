#include "cli/ChipCommandOptions.h"

#include "transfer/chip/QtSerialBytePort.h"
#include "transfer/chip/SerialChipTransfer.h"

namespace zendrik::cli {

std::optional<ChipOptions> ParseChipOptions(CliContext& ctx, const CommandArgs& args, int* rc)
{
    ChipOptions o;
    // The messages name the device that is opened, as a full path.
    o.port = SerialDevicePath(args.value(QStringLiteral("port")));
    if (o.port.isEmpty()) {
        *rc = ctx.usage(QStringLiteral("--port DEVICE is required"));
        return std::nullopt;
    }
    o.serial.verifyWholeChip = ctx.model.device.VerifyWholeChip;
    if (args.has(QStringLiteral("verify"))) {
        const QString v = args.value(QStringLiteral("verify"));
        if (v != QLatin1String("all") && v != QLatin1String("block0")) {
            *rc = ctx.usage(QStringLiteral("--verify takes all or block0"));
            return std::nullopt;
        }
        o.serial.verifyWholeChip = v == QLatin1String("all");
    }
    if (args.has(QStringLiteral("pause-ms"))) {
        bool ok = false;
        o.serial.dataPhasePauseMs = args.value(QStringLiteral("pause-ms")).toInt(&ok);
        if (!ok || o.serial.dataPhasePauseMs < 0) {
            *rc = ctx.usage(QStringLiteral("--pause-ms takes a number of milliseconds"));
            return std::nullopt;
        }
    }
    return o;
}

int RefuseTransfer(CliContext& ctx, const SerialTransferResult& r, const QString& port)
{
    if (const auto m = SerialFaultMessage(r, port))
        ctx.err << m->render(ctx.texts) << Qt::endl;
    return ctx.refuse(Prompt::message(Icon::None, {TextId::ChipAccessFailed}));
}

void WarnAboutLog(CliContext& ctx, const SerialChipTransfer& transfer)
{
    if (!transfer.logError().isEmpty())
        ctx.err << kSerialLogFileName << ": " << transfer.logError() << Qt::endl;
}

} // namespace zendrik::cli

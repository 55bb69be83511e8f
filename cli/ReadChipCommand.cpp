#include "cli/ChipCommandOptions.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/TerminalProgress.h"

#include "model/ProgramFile.h"
#include "transfer/chip/CardDatFile.h"
#include "transfer/chip/QtSerialBytePort.h"
#include "transfer/chip/SerialChipTransfer.h"
#include "util/AtomicFile.h"

#include <QDir>

#include <unistd.h>

namespace zendrik::cli {

int runReadChip(CliContext& ctx, const QStringList& argv)
{
    QString error;
    const auto args = CommandArgs::parse(argv, {QStringLiteral("port"), QStringLiteral("out"), QStringLiteral("pause-ms")},
                                         {}, &error);
    if (!args)
        return ctx.usage(error);
    const QString out = args->value(QStringLiteral("out"));
    if (!args->positional().isEmpty() || out.isEmpty())
        return ctx.usage(QStringLiteral("usage: zendrik-cli read-chip --port DEVICE --out FILE [--pause-ms MS]"));
    int rc = kExitOk;
    const auto options = ParseChipOptions(ctx, *args, &rc);
    if (!options)
        return rc;

    QtSerialBytePort port(options->port);
    TerminalProgress progress(ctx.err, ctx.texts, isatty(STDERR_FILENO) != 0);
    SerialChipTransfer transfer(port, ctx.model.device.Uhrentyp, options->port, ctx.workDir, options->serial, &progress);
    const SerialTransferResult r = transfer.readChip();
    WarnAboutLog(ctx, transfer);
    // A chip that was read whole goes to --out even when the copy in the
    // working directory could not be written; that failure is told apart.
    const bool onlyCopyFailed = r.fault == SerialFault::CardFileNotWritten && !r.image.empty();
    if (r.result != 0 && !onlyCopyFailed)
        return RefuseTransfer(ctx, r, options->port);

    // The chip's bytes as they are, then the trailer of an imported program.
    const std::array<QString, 17> noNames{};
    const QByteArray text = ProgramFileText(r.image, ctx.model.device.MaxEintrag, ctx.texts(TextId::Unknown), noNames);
    if (!WriteFileAtomically(out, text, &error)) {
        ctx.err << ctx.texts(TextId::InvalidFileName) << ": " << error << Qt::endl;
        return kExitRefused;
    }
    if (onlyCopyFailed) {
        ctx.err << QDir(ctx.workDir).filePath(kCardDatFileName) << ": " << r.error << Qt::endl;
        return kExitRefused;
    }
    // Say so when the chip holds nothing this device type can open; the
    // file keeps the bytes for a closer look.
    ProgramModel check;
    check.device = ctx.model.device;
    if (const int result = LoadProgram(check, out, kProgramSlot); result != LoadOk)
        return ctx.refuse(ctx.loadMessage(result));
    return kExitOk;
}

} // namespace zendrik::cli

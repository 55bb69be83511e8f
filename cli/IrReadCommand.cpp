#include "cli/Commands.h"
#include "cli/IrCommandOptions.h"

#include "transfer/ir/IrJobFile.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QDir>

namespace zendrik::cli {

int runIrRead(CliContext& ctx, const QStringList& argv)
{
    QString error;
    const auto args = CommandArgs::parse(argv, IrValueOptions({QStringLiteral("out")}), {}, &error);
    if (!args)
        return ctx.usage(error);
    const QString out = args->value(QStringLiteral("out"));
    if (!args->positional().isEmpty() || out.isEmpty())
        return ctx.usage(QStringLiteral("usage: zendrik-cli ir-read --out FILE [--port 1|2] [--tool CMD] [--timeout S]"));
    int rc = kExitOk;
    const auto options = ParseIrOptions(ctx, *args, &rc);
    if (!options)
        return rc;
    IrJob job;
    job.mode = IrModus::Read;
    job.port = options->port;
    if (rc = RunIrJob(ctx, job); rc != kExitOk)
        return rc;
    // The device's program as the tool handed it over (the reader took it).
    const QString exchange = QDir(ctx.workDir).filePath(kIrExchangeFileName);
    const LimitedRead read = ReadRegularFile(exchange, 16 * 1024 * 1024);
    if (!read.ok() || !WriteFileAtomically(out, read.data, &error)) {
        ctx.err << ctx.texts(TextId::InvalidFileName) << ": " << (read.ok() ? error : exchange) << Qt::endl;
        return kExitRefused;
    }
    return kExitOk;
}

} // namespace zendrik::cli

#pragma once

#include "cli/CliContext.h"
#include "transfer/ir/IrTransfer.h"

#include <optional>

namespace zendrik::cli {

// What the infrared commands share: the port, the tool and the waiting time.
struct IrOptions {
    int port = 1;
};

// The value options every infrared command takes.
QStringList IrValueOptions(QStringList more);

// --port 1|2, --tool COMMAND (else IRTOOL= of ports.ini), --timeout S (else
// IRTIMEOUT=). On a usage error `rc` is set.
std::optional<IrOptions> ParseIrOptions(CliContext& ctx, const CommandArgs& args, int* rc);

// Runs one job as the window does and prints its one message: the success
// on standard output, anything else on standard error. Returns the exit status.
int RunIrJob(CliContext& ctx, const IrJob& job, IrOutcome* outcome = nullptr);

} // namespace zendrik::cli

#pragma once

#include "cli/CliContext.h"
#include "transfer/chip/SerialTransferOptions.h"
#include "transfer/chip/SerialTransferResult.h"

#include <optional>

namespace zendrik {
class SerialChipTransfer;
}

namespace zendrik::cli {

// What the chip commands share: the serial device and the transfer options.
struct ChipOptions {
    QString port;
    SerialTransferOptions serial;
};

// --port DEVICE, --pause-ms N (the adapter's pause before the data phase;
// tests shorten it) and --verify all|block0. On a usage error `rc` is set.
std::optional<ChipOptions> ParseChipOptions(CliContext& ctx, const CommandArgs& args, int* rc);

// Prints the transfer's own message, then that the access failed.
int RefuseTransfer(CliContext& ctx, const SerialTransferResult& result, const QString& port);

// A log that could not be written is worth a line; the transfer counts.
void WarnAboutLog(CliContext& ctx, const SerialChipTransfer& transfer);

} // namespace zendrik::cli

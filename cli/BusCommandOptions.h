#pragma once

#include "cli/CliContext.h"
#include "cli/TerminalProgress.h"
#include "transfer/bus/BusAccess.h"
#include "transfer/bus/EibLink.h"

#include <memory>
#include <optional>

namespace zendrik::cli {

// Shows the bus actions' messages on stderr as the window shows its
// message boxes, and answers questions from --yes / --no.
class BusInteraction : public UserInteraction {
public:
    BusInteraction(CliContext& ctx, bool yes) : ctx_(ctx), answers_(yes, ctx.texts) { }
    Answer ask(const Prompt& prompt) override;

private:
    CliContext& ctx_;
    CliInteraction answers_;
};

// What every bus command works with: the link named by --link, the bus
// access on it with a progress bar, and the address of --address.
struct BusSession {
    std::unique_ptr<EibLink> link;
    std::unique_ptr<BusInteraction> ui;
    std::unique_ptr<TerminalProgress> progress;
    std::unique_ptr<BusAccess> access;
    quint16 address = 0;
};

// --link L (sim:FILE), and with `needsAddress` --address A.L.D. Returns
// nothing with `rc` set after printing the reason.
std::optional<BusSession> OpenBusSession(CliContext& ctx, const CommandArgs& args, bool needsAddress, int* rc);

// The exit status of an action; says so when a restore is still pending.
int BusExit(CliContext& ctx, const BusSession& session, const BusActionResult& result);

inline const QStringList kBusValueOptions{QStringLiteral("link"), QStringLiteral("address")};

} // namespace zendrik::cli

#include "ui/transfer/ChipCommands.h"

#include "app/FileCommands.h"
#include "language/TextTable.h"
#include "transfer/TransferJournal.h"
#include "transfer/chip/ChipTransfer.h"
#include "ui/frame/FrameServices.h"
#include "ui/frame/UndoHistory.h"
#include "ui/transfer/FrmSerielIo.h"

namespace zendrik {

namespace {
// How long the status bar keeps the confirmation of a finished transfer.
constexpr int kTransferNoticeMs = 10000;
} // namespace

ChipCommands::ChipCommands(DesktopContext& context, FrameServices& frame)
    : QObject(&frame.frameWindow()), ctx_(context), frame_(frame)
{
}

void ChipCommands::writeChip()
{
    run(ChipDirection::Write);
}

void ChipCommands::readChip()
{
    run(ChipDirection::Read);
}

void ChipCommands::run(ChipDirection direction)
{
    frame_.commitHeader();
    // The window lives for this one transfer; it shows itself only when the
    // serial adapter is used.
    FrmSerielIo window(ctx_.texts, &frame_.frameWindow());
    ChipTransfer transfer(ctx_.model, ctx_.ui, ctx_.texts, ctx_.workDir);
    transfer.observer = &window;
    transfer.serialOptions = ctx_.transferOptions;
    transfer.saveBeforeTransfer = [this] { return ctx_.commands.SaveBeforeTransfer() ? 1 : 0; };
    const ChipTransferOutcome outcome =
        direction == ChipDirection::Write ? transfer.ExportToChip() : transfer.ImportFromChip();
    // A read shows the imported program (AktSlot is the program then), and
    // the program read starts a fresh history: two reads in a row get the
    // same free file name, so capture() cannot tell them apart by name.
    const bool read = outcome == ChipTransferOutcome::Done && direction == ChipDirection::Read;
    if (read)
        frame_.history().reset();
    frame_.ShowList();
    if (outcome == ChipTransferOutcome::Done && direction == ChipDirection::Write) {
        if (const auto told = JournalProgramWrite(ctx_.workDir, ctx_.model, TransferPath::Chip, transfer.portName(), transfer.readsBack()))
            ctx_.ui.ask(*told);
    }
    if (outcome == ChipTransferOutcome::Done) {
        frame_.showStatus(ctx_.texts(ChipTransferDoneText(direction)), kTransferNoticeMs);
        if (direction == ChipDirection::Read)
            frame_.offerComparisonAfterRead();
    }
}

} // namespace zendrik

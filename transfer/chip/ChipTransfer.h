#pragma once

#include "language/Prompt.h"
#include "transfer/chip/SerialTransferOptions.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace zendrik {

class BytePort;
class ProgramModel;
class TextTable;
class TransferObserver;
class UserInteraction;

enum class ChipDirection {
    Write, // "s": the saved program file into the chip
    Read,  // "l": the chip into card.dat, then into the program
};

enum class ChipTransferOutcome {
    Done,
    Cancelled, // the user said no before anything was transferred
    Failed,    // reported to the user
};

// The short confirmation a finished transfer leaves in the status bar (a
// failed one has said why in its one message box).
inline constexpr ExtraText kChipWritten{"Programm in den Speicherchip übertragen.",
                                        "Program transferred to the memory chip.",
                                        "Programme transféré dans la puce mémoire."};
inline constexpr ExtraText kChipRead{"Programm aus dem Speicherchip gelesen.", "Program read from the memory chip.",
                                     "Programme lu dans la puce mémoire."};
inline const ExtraText& ChipTransferDoneText(ChipDirection direction)
{
    return direction == ChipDirection::Write ? kChipWritten : kChipRead;
}

// The memory-chip commands: write the saved program into the chip, read
// the chip as the program. On a parallel port (port setting 1..3) the
// external adapter tool does the work, on COM1/COM2 (4, 5) the program
// speaks to the serial adapter itself. Every question and message goes
// through UserInteraction; the serial window follows through the observer.
class ChipTransfer {
public:
    using SaveCallback = std::function<int()>;
    using PortFactory = std::function<std::unique_ptr<BytePort>(const QString& devicePath)>;
    using ToolStarter = std::function<bool(const QString& commandLine, const QString& workDir, QString* error)>;

    // The message file, the transfer copy, card.msg, card.dat and
    // rsproto.txt live in `workDir`.
    ChipTransfer(ProgramModel& model, UserInteraction& ui, const TextTable& texts, QString workDir);

    // Saves the program under its name, or asks for one; returns 0 when
    // nothing was saved. Supplied by the caller (the save command).
    SaveCallback saveBeforeTransfer;
    TransferObserver* observer = nullptr;
    // Timing of the serial transfer; the verification follows the device
    // setting VerifyWholeChip.
    SerialTransferOptions serialOptions;
    PortFactory openPort;
    ToolStarter startTool;

    // mnuDatExp: checks for an empty or unsaved program, then writes.
    ChipTransferOutcome ExportToChip();
    // mnuDatImp: offers to save changes, then reads and imports.
    ChipTransferOutcome ImportFromChip();
    // One transfer in either direction; a successful read is loaded into
    // slot 0 when `importAfterRead` is set.
    ChipTransferOutcome Transfer(ChipDirection direction, bool importAfterRead);

    // Where the chip is written: the serial port's device path, or "LPT1".
    QString portName() const;
    // Whether a write reads the chip back: the serial adapter verifies block 0
    // or the whole chip; the parallel adapter tool does not tell.
    bool readsBack() const;

    // The name of the transfer copy: the language's word for "file".
    QString transferCopyName() const;

private:
    bool runParallel(ChipDirection direction);
    bool runSerial(ChipDirection direction);
    ChipTransferOutcome importCardDat();
    void tell(const Prompt& prompt);
    // Why the transfer is failing: shown together with "not successful" in
    // one box, not as a box of its own before it.
    void holdReason(const Prompt& prompt) { failureReason_ = prompt; }
    QString inWorkDir(const QString& name) const;

    ProgramModel& model_;
    UserInteraction& ui_;
    const TextTable& texts_;
    QString workDir_;
    QString failureDetail_; // why the adapter tool could not be started
    std::optional<Prompt> failureReason_;
};

} // namespace zendrik

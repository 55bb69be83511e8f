#pragma once

#include "language/Prompt.h"
#include "model/DeviceImage.h"

#include <QString>

#include <optional>

namespace zendrik {

// Why a serial chip transfer failed.
enum class SerialFault {
    None,
    NoAnswer, // three time-outs on one block
    NoChip,   // the adapter holds no chip
    ChipNotAnswering,
    TransmissionError,
    UnknownMessage,   // three replies the program cannot take
    NeedNewerAdapter, // the adapter cannot address the 8192-byte chip
    OtherCardType,    // the chip holds a program of another device family
    VerifyMismatch,   // the chip holds other data than written
    Silent,           // failed without a message of its own (identification or verification time-out)
    PortUnavailable,  // the serial device could not be opened
    ProgramFileMissing,
    ProgramFileInvalid, // fewer image numbers than the chip has bytes, or a value above 255
    CardFileNotWritten, // the chip was read but card.dat could not be written
};

struct SerialTransferResult {
    int result = 1; // 0 complete, 1 failed or aborted
    SerialFault fault = SerialFault::None;
    int mismatchAddress = -1; // first differing chip address after a verification
    QString error;            // the system's reason (port, file)
    Image image;              // the chip image after a read
};

// The message the serial transfer shows for its fault, or nothing. The port
// label follows the texts that end in "COM ".
std::optional<Prompt> SerialFaultMessage(const SerialTransferResult& result, const QString& portLabel);

} // namespace zendrik

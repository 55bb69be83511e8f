#pragma once

#include "language/Prompt.h"

#include <QString>

namespace zendrik {

// The result codes of the bus transfer. 0 is success; the link's own error
// numbers (EibLinkError and whatever a link reports) pass through unchanged.
enum BusError : int {
    BusOk = 0,
    BusClockNotReady = 101,        // the transfer application did not take a command
    BusNoAnswerFromClock = 102,    // the mailbox could not be read back
    BusWrongTelegramLength = 103,  // an answer of the wrong length
    BusNoValidData = 104,          // an answer that cannot be what was asked
    BusNoConnectionToBus = 105,    // the local BCU did not answer
    BusNoConnectionToDevice = 106, // the device did not answer in time
    BusNoBusAccess = 107,          // the local BCU did not confirm a frame
    BusConnecting = 108,
    BusNoMaskResponse = 109,
    BusWrongMaskVersion = 110,
    BusAnswerFromWrongDevice = 111, // an answer that does not fit the request
    BusMemoryNotWritten = 112,
    BusWrongDeviceProperties = 113, // not a time switch of ours
    // Our own codes beyond the device's message table.
    BusRunTimeFailure = 114,          // a file could not be read or written (the detail says which)
    BusAddressTableNotRestored = 115, // the local BCU kept the lowered address-table length
    BusNoSavedApplication = 116,      // nothing to reinstall for this address
};

// The message of a failed bus action (ShowBusError). `portLabel` completes
// "kein Buszugriff möglich über COM " (the port's number, or the link's
// name); `detail` is the system's reason of a run-time failure.
Prompt BusErrorMessage(int code, const QString& portLabel, const QString& detail = QString());

} // namespace zendrik

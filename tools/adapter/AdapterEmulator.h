#pragma once

#include "tools/adapter/VirtualEeprom.h"

#include <QByteArray>
#include <QString>

namespace zendrik {

// Faults the emulated adapter can show.
enum class AdapterFault {
    None,
    NoChip,            // status 0x81 (or the configured status)
    ChipNotAnswering,  // status 0x82
    TransmissionError, // status 0x84
    NoReply,           // says nothing
    Garbled,           // noise, or read data of the wrong length
    WrongEcho,         // read data whose control byte echo is wrong
    OldAdapter,        // 0x02 0xA1 to the two-byte address forms
    OtherType,         // the chip holds a program of another family
    Partial,           // the chip keeps only the first bytes written
};

// Parses a fault name as the emulator's command line takes it.
bool ParseAdapterFault(const QString& name, AdapterFault& fault);

struct AdapterFaultSettings {
    AdapterFault fault = AdapterFault::None;
    int skipFrames = 0;   // frames answered normally before the fault starts
    int faultFrames = -1; // frames the fault lasts; -1 for ever
    int status = -1;      // status byte of a status fault; -1: the fault's own
    int keepBytes = -1;   // bytes a partial chip keeps; -1: half of it
};

// The firmware of the serial programming adapter: takes one frame (length
// byte and payload), runs the I2C transaction on the chip, returns the reply
// (empty: no reply). Timing is the caller's.
class AdapterEmulator {
public:
    AdapterEmulator(VirtualEeprom& eeprom, AdapterFaultSettings faults);

    struct Outcome {
        QByteArray reply;
        bool programmed = false; // the chip started a write cycle
    };

    Outcome handle(const QByteArray& frame);

    int framesHandled() const { return frames_; }

private:
    bool faultActive() const;
    QByteArray status(quint8 s) const;

    VirtualEeprom& eeprom_;
    AdapterFaultSettings faults_;
    int frames_ = 0;
};

} // namespace zendrik

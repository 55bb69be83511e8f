#pragma once

#include <QDateTime>
#include <QString>

namespace zendrik {

// The way a program last went into (or came out of) a device.
enum class TransferPath { None,
                          Bus,  // physical address on the bus
                          Chip, // memory chip in the programming adapter
                          Ir }; // infrared adapter

// The last transfer of a program file, as the transfer journal of a single
// program or the site file keeps it. The hand-over record shows it as the
// proof of what the device was given.
struct TransferRecord {
    QDateTime when; // local time, seconds
    TransferPath path = TransferPath::None;
    QString where;          // Bus: "1.1.5"; Chip: the port; Ir: "1" or "2"
    bool read = false;      // the device was read (a site's read run), not written
    bool failed = false;    // the transfer did not end well
    bool differs = false;   // read: the device held another program than its file
    bool confirmed = false; // a read-back right after the write found the same program
    // ImageChecksum of the image transferred; empty when none is known.
    QString checksum;

    bool operator==(const TransferRecord&) const = default;
};

} // namespace zendrik

#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace zendrik {

class BusClock;
struct ExtraText;

// Something a link noticed on its own (frames it ignored, a connection it
// had to give up), for the protocol log: a text of our own and what follows it.
struct LinkNote {
    const ExtraText* text = nullptr;
    QString detail;
};

// The link to the local bus coupling unit (BCU): the few calls the bus
// transfer makes of it. Frames go both ways as the BCU's external message
// interface (EMI) frames, byte for byte with their leading length byte:
// memory access to the local BCU (0x4C read, 0x4B answer, 0x46 write), the
// transport connection to a device (0x23 connect, 0x24 disconnect) and
// application telegrams over it (0x21 data out, 0x39 data in). The BCU runs
// the transport layer (sequence numbers, acknowledgements, repetitions);
// what is above it is the program's own.
//
// Every call returns 0 for success or an error number of the link; the
// numbers are passed on to the user unchanged. One implementation stands
// for each way of reaching the bus (the simulated bus, a tunnelling
// connection to an IP interface); `OpenEibLink` picks one by name (transfer/links). A link
// without a BCU of its own answers the local memory frames itself.
class EibLink {
public:
    virtual ~EibLink() = default;

    // Opens the line to the BCU (port, baud rate and the line's time-outs).
    virtual int install(int port, int baud, int replyTimeoutMs, int charTimeoutMs, int flags) = 0;
    // Resets the line, then the BCU itself.
    virtual int resetLink() = 0;
    virtual int resetBcu() = 0;
    // Switches the BCU's operating layer (150: transport layer access).
    virtual int changeLayer(int layer) = 0;
    // Hands one frame to the BCU.
    virtual int send(const QByteArray& frame) = 0;
    // Whether the BCU confirmed the last frame sent.
    virtual int pollConfirm(bool* done) = 0;
    // Takes the next frame the BCU passed up into `buffer` (40 bytes, the
    // frame from the start; a first byte 0 means nothing came).
    virtual int receive(QByteArray& buffer) = 0;
    virtual int close() = 0;

    // The clock this link's time passes on (the machine's for a real line).
    virtual BusClock& clock() = 0;
    // What the user knows the link by, for messages ("sim:bus-sim.ini").
    virtual QString name() const = 0;
    // What the link noticed since it was last asked.
    virtual std::vector<LinkNote> takeNotes() { return {}; }
};

inline constexpr int kReceiveBufferSize = 40;

// Link error numbers of our own links (the BCU's line, not the device).
enum EibLinkError : int {
    LinkInstallFailed = 1, // the line could not be opened
    LinkNotOpen = 2,       // a call before install or after close
    LinkLost = 3,          // the line went away
    LinkBadFrame = 4,      // a frame the BCU cannot take
};

} // namespace zendrik

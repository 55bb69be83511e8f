#pragma once

#include "transfer/bus/EibLink.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace zendrik {

// What carries cEMI link-layer frames between us and a KNX line over IP:
// a tunnelling connection to an interface, or the routing multicast group.
// The link to the BCU (KnxNetIpLink) runs the transport layer on top of
// either. Frames sent are L_Data.req; every one that went out is confirmed
// by an L_Data.con among the frames taken, as an interface confirms it.
//
// Nothing runs by itself: service() reads what arrived and does what is due.
class KnxCemiCarrier {
public:
    enum class State { Closed,
                       Open,
                       Failed };

    virtual ~KnxCemiCarrier() = default;

    // Opens, waiting up to `timeoutMs` for the other side; false when it
    // could not be opened (openFailureNote() tells why).
    virtual bool open(int timeoutMs) = 0;
    virtual void close() = 0;
    virtual State state() const = 0;
    // Our individual address on the line, the source of every frame we send.
    virtual quint16 address() const = 0;
    // Queues one L_Data.req; false when not open.
    virtual bool send(const QByteArray& cemi) = 0;
    virtual void service(std::int64_t waitUs) = 0;
    virtual bool takeFrame(QByteArray& cemi) = 0;

    // Datagrams ignored: malformed ones, and well-formed ones not meant for us.
    virtual int malformedTotal() const = 0;
    virtual int ignoredForeign() const = 0;

    // For the protocol log: the opening, why an open failed, why an open
    // carrier failed, and what else it noticed since asked last.
    virtual LinkNote openedNote() const = 0;
    virtual LinkNote openFailureNote() const = 0;
    virtual LinkNote failureNote() const = 0;
    virtual std::vector<LinkNote> takeNotes() { return {}; }
};

} // namespace zendrik

#pragma once

#include "transfer/bus/KnxNetIpFrames.h"

namespace zendrik::KnxIp {

// KNXnet/IP routing: KNX IP routers and every other routing device share
// one multicast group (224.0.23.12:3671 unless the installation chose
// another). Each bus frame travels as a cEMI L_Data.ind in a
// ROUTING_INDICATION to the group, without acknowledgement; a router whose
// queue fills asks everybody to hold back for a while (ROUTING_BUSY) and
// tells how many frames it had to drop (ROUTING_LOST_MESSAGE).
enum RoutingService : quint16 {
    RoutingIndication = 0x0530,
    RoutingLostMessage = 0x0531,
    RoutingBusy = 0x0532,
};

inline constexpr quint32 kRoutingGroup = 0xE000170C; // 224.0.23.12

QByteArray routingIndication(const QByteArray& cemi);
QByteArray routingLostMessage(quint8 deviceState, quint16 lost);
QByteArray routingBusy(quint8 deviceState, quint16 waitMs, quint16 control = 0);

// A routing datagram taken apart.
struct RoutingDatagram {
    quint16 service = 0;
    QByteArray cemi;       // of an indication: a whole L_Data frame
    quint8 deviceState = 0;
    quint16 lost = 0;      // frames the sender lost
    quint16 waitMs = 0;    // how long to hold back after a busy
    quint16 control = 0;   // of a busy: 0 = every device holds back
};

// The routing device's parser: any bytes either parse or are named.
Fault parseRouting(const QByteArray& bytes, RoutingDatagram& out);

} // namespace zendrik::KnxIp

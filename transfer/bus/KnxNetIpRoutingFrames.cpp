#include "transfer/bus/KnxNetIpRoutingFrames.h"

#include "transfer/bus/FrameBytes.h"

namespace zendrik::KnxIp {

namespace {

constexpr quint8 kLostLength = 4;
constexpr quint8 kBusyLength = 6;

} // namespace

QByteArray routingIndication(const QByteArray& cemi)
{
    return datagram(RoutingIndication, cemi);
}

QByteArray routingLostMessage(quint8 deviceState, quint16 lost)
{
    QByteArray body;
    body += static_cast<char>(kLostLength);
    body += static_cast<char>(deviceState);
    put16(body, lost);
    return datagram(RoutingLostMessage, body);
}

QByteArray routingBusy(quint8 deviceState, quint16 waitMs, quint16 control)
{
    QByteArray body;
    body += static_cast<char>(kBusyLength);
    body += static_cast<char>(deviceState);
    put16(body, waitMs);
    put16(body, control);
    return datagram(RoutingBusy, body);
}

Fault parseRouting(const QByteArray& b, RoutingDatagram& out)
{
    out = RoutingDatagram();
    if (const Fault f = parseHeader(b, &out.service); f != Fault::None)
        return f;
    const qsizetype n = b.size() - kHeaderLength;
    const qsizetype i = kHeaderLength;
    switch (out.service) {
    case RoutingIndication: {
        out.cemi = b.mid(i);
        Cemi::Frame frame;
        return Cemi::parse(out.cemi, frame) && frame.code == Cemi::kDataIndication ? Fault::None : Fault::BadCemi;
    }
    case RoutingLostMessage:
        if (n != kLostLength || at(b, i) != kLostLength)
            return Fault::BadBody;
        out.deviceState = at(b, i + 1);
        out.lost = word(b, i + 2);
        return Fault::None;
    case RoutingBusy:
        if (n != kBusyLength || at(b, i) != kBusyLength)
            return Fault::BadBody;
        out.deviceState = at(b, i + 1);
        out.waitMs = word(b, i + 2);
        out.control = word(b, i + 4);
        return Fault::None;
    default:
        return Fault::UnknownService;
    }
}

} // namespace zendrik::KnxIp

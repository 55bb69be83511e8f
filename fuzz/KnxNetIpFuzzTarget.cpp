// libFuzzer target of the KNXnet/IP datagram parser: any bytes from the
// network either parse or are named as malformed, and what parses is built
// again byte for byte by the datagram builders.

#include "transfer/bus/KnxNetIpFrames.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace zendrik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    KnxIp::Datagram d;
    if (KnxIp::parse(bytes, d) != KnxIp::Fault::None)
        return 0;
    QByteArray again;
    switch (d.service) {
    case KnxIp::TunnellingRequest: {
        Cemi::Frame f;
        if (!Cemi::parse(d.cemi, f))
            std::abort(); // the parser let a bad cEMI frame through
        again = KnxIp::tunnellingRequest(d.channel, d.sequence, d.cemi);
        // The connection header's last byte is reserved in a request: it is
        // passed over, not checked.
        again[9] = static_cast<char>(d.status);
        break;
    }
    case KnxIp::TunnellingAck:
        again = KnxIp::tunnellingAck(d.channel, d.sequence, d.status);
        break;
    case KnxIp::ConnectionStateResponse:
        again = KnxIp::connectionStateResponse(d.channel, d.status);
        break;
    case KnxIp::DisconnectResponse:
        again = KnxIp::disconnectResponse(d.channel, d.status);
        break;
    default:
        return 0;
    }
    if (again != bytes)
        std::abort();
    return 0;
}

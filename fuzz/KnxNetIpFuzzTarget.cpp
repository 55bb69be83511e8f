// libFuzzer target of the KNXnet/IP datagram parsers (the tunnel client's,
// the routing group's, the interface search's): any bytes from the network
// either parse or are named as malformed, and what parses is built again
// by the datagram builders: byte for byte, or for the search's description
// blocks (whose names are padded and whose further blocks are passed over)
// to the same fields.

#include "transfer/bus/KnxNetIpDiscoveryFrames.h"
#include "transfer/bus/KnxNetIpFrames.h"
#include "transfer/bus/KnxNetIpRoutingFrames.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace zendrik;

namespace {

void routing(const QByteArray& bytes)
{
    KnxIp::RoutingDatagram d;
    if (KnxIp::parseRouting(bytes, d) != KnxIp::Fault::None)
        return;
    QByteArray again;
    switch (d.service) {
    case KnxIp::RoutingIndication: {
        Cemi::Frame f;
        if (!Cemi::parse(d.cemi, f) || f.code != Cemi::kDataIndication)
            std::abort(); // the parser let something else than an indication through
        again = KnxIp::routingIndication(d.cemi);
        break;
    }
    case KnxIp::RoutingBusy:
        again = KnxIp::routingBusy(d.deviceState, d.waitMs, d.control);
        break;
    case KnxIp::RoutingLostMessage:
        again = KnxIp::routingLostMessage(d.deviceState, d.lost);
        break;
    default:
        std::abort(); // a service the parser does not know came through
    }
    if (again != bytes)
        std::abort();
}

void discovery(const QByteArray& bytes)
{
    KnxIp::DiscoveryDatagram d;
    if (KnxIp::parseDiscovery(bytes, d) != KnxIp::Fault::None)
        return;
    QByteArray again;
    switch (d.service) {
    case KnxIp::SearchRequest:
        again = KnxIp::searchRequest(d.endpoint);
        break;
    case KnxIp::DescriptionRequest:
        again = KnxIp::descriptionRequest(d.endpoint);
        break;
    case KnxIp::SearchResponse:
    case KnxIp::DescriptionResponse: {
        if (d.info.serial.size() != 6 || d.info.mac.size() != 6 || d.info.name.size() > 30)
            std::abort();
        const QByteArray built = d.service == KnxIp::SearchResponse ? KnxIp::searchResponse(d.endpoint, d.info)
                                                                     : KnxIp::descriptionResponse(d.info);
        KnxIp::DiscoveryDatagram back;
        if (KnxIp::parseDiscovery(built, back) != KnxIp::Fault::None || !(back.info == d.info)
            || !(back.endpoint == d.endpoint))
            std::abort();
        return;
    }
    default:
        std::abort();
    }
    if (again != bytes)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    routing(bytes);
    discovery(bytes);
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

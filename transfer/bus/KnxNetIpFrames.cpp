#include "transfer/bus/KnxNetIpFrames.h"

#include "transfer/bus/FrameBytes.h"

namespace zendrik {

namespace {

constexpr quint8 kCriLength = 4;
constexpr quint8 kConnectionHeaderLength = 4;

QByteArray channelAndByte(quint8 channel, quint8 second)
{
    QByteArray b;
    b += static_cast<char>(channel);
    b += static_cast<char>(second);
    return b;
}

} // namespace

namespace KnxIp {

quint16 word(const QByteArray& b, qsizetype i)
{
    return static_cast<quint16>(at(b, i) << 8 | at(b, i + 1));
}

void put16(QByteArray& b, quint16 v)
{
    b += static_cast<char>(v >> 8);
    b += static_cast<char>(v & 0xFF);
}

QByteArray hpai(Endpoint e)
{
    QByteArray b;
    b += static_cast<char>(kHpaiLength);
    b += static_cast<char>(kUdp);
    put16(b, static_cast<quint16>(e.ip >> 16));
    put16(b, static_cast<quint16>(e.ip & 0xFFFF));
    put16(b, e.port);
    return b;
}

bool readHpai(const QByteArray& b, qsizetype i, Endpoint& e)
{
    if (b.size() < i + kHpaiLength || at(b, i) != kHpaiLength || at(b, i + 1) != kUdp)
        return false;
    e.ip = static_cast<quint32>(word(b, i + 2)) << 16 | word(b, i + 4);
    e.port = word(b, i + 6);
    return true;
}

QByteArray datagram(quint16 service, const QByteArray& body)
{
    QByteArray b;
    b += static_cast<char>(kHeaderLength);
    b += static_cast<char>(kVersion);
    put16(b, service);
    put16(b, static_cast<quint16>(kHeaderLength + body.size()));
    b += body;
    return b;
}

Fault parseHeader(const QByteArray& b, quint16* service)
{
    *service = 0;
    if (b.size() < kHeaderLength)
        return Fault::TooShort;
    if (at(b, 0) != kHeaderLength)
        return Fault::BadHeaderLength;
    if (at(b, 1) != kVersion)
        return Fault::BadVersion;
    if (word(b, 4) != b.size())
        return Fault::LengthMismatch;
    *service = word(b, 2);
    return Fault::None;
}

QByteArray connectRequest(Endpoint control, Endpoint data)
{
    QByteArray body = hpai(control) + hpai(data);
    body += static_cast<char>(kCriLength);
    body += static_cast<char>(kTunnelConnection);
    body += static_cast<char>(kTunnelLinkLayer);
    body += '\0';
    return datagram(ConnectRequest, body);
}

QByteArray connectResponse(quint8 channel, quint8 status, Endpoint data, quint16 address)
{
    QByteArray body = channelAndByte(channel, status);
    if (status == NoError) {
        body += hpai(data);
        body += static_cast<char>(kCriLength);
        body += static_cast<char>(kTunnelConnection);
        put16(body, address);
    }
    return datagram(ConnectResponse, body);
}

QByteArray connectionStateRequest(quint8 channel, Endpoint control)
{
    return datagram(ConnectionStateRequest, channelAndByte(channel, 0) + hpai(control));
}

QByteArray connectionStateResponse(quint8 channel, quint8 status)
{
    return datagram(ConnectionStateResponse, channelAndByte(channel, status));
}

QByteArray disconnectRequest(quint8 channel, Endpoint control)
{
    return datagram(DisconnectRequest, channelAndByte(channel, 0) + hpai(control));
}

QByteArray disconnectResponse(quint8 channel, quint8 status)
{
    return datagram(DisconnectResponse, channelAndByte(channel, status));
}

QByteArray tunnellingRequest(quint8 channel, quint8 sequence, const QByteArray& cemi)
{
    QByteArray body;
    body += static_cast<char>(kConnectionHeaderLength);
    body += static_cast<char>(channel);
    body += static_cast<char>(sequence);
    body += '\0';
    return datagram(TunnellingRequest, body + cemi);
}

QByteArray tunnellingAck(quint8 channel, quint8 sequence, quint8 status)
{
    QByteArray body;
    body += static_cast<char>(kConnectionHeaderLength);
    body += static_cast<char>(channel);
    body += static_cast<char>(sequence);
    body += static_cast<char>(status);
    return datagram(TunnellingAck, body);
}

Fault parse(const QByteArray& b, Datagram& out)
{
    out = Datagram();
    if (const Fault f = parseHeader(b, &out.service); f != Fault::None)
        return f;
    const qsizetype n = b.size() - kHeaderLength;
    const qsizetype i = kHeaderLength;
    switch (out.service) {
    case ConnectRequest:
        if (n != 2 * kHpaiLength + kCriLength)
            return Fault::BadBody;
        if (!readHpai(b, i, out.control) || !readHpai(b, i + kHpaiLength, out.data))
            return Fault::BadEndpoint;
        if (at(b, i + 16) != kCriLength || at(b, i + 17) != kTunnelConnection || at(b, i + 18) != kTunnelLinkLayer)
            return Fault::BadConnectionType;
        return Fault::None;
    case ConnectResponse:
        if (n < 2)
            return Fault::BadBody;
        out.channel = at(b, i);
        out.status = at(b, i + 1);
        if (out.status != NoError)
            return n == 2 ? Fault::None : Fault::BadBody;
        if (n != 2 + kHpaiLength + kCriLength)
            return Fault::BadBody;
        if (!readHpai(b, i + 2, out.data))
            return Fault::BadEndpoint;
        if (at(b, i + 10) != kCriLength || at(b, i + 11) != kTunnelConnection)
            return Fault::BadConnectionType;
        out.address = word(b, i + 12);
        return Fault::None;
    case ConnectionStateRequest:
    case DisconnectRequest:
        if (n != 2 + kHpaiLength)
            return Fault::BadBody;
        out.channel = at(b, i);
        if (!readHpai(b, i + 2, out.control))
            return Fault::BadEndpoint;
        return Fault::None;
    case ConnectionStateResponse:
    case DisconnectResponse:
        if (n != 2)
            return Fault::BadBody;
        out.channel = at(b, i);
        out.status = at(b, i + 1);
        return Fault::None;
    case TunnellingRequest:
    case TunnellingAck: {
        if (n < kConnectionHeaderLength || at(b, i) != kConnectionHeaderLength)
            return Fault::BadBody;
        out.channel = at(b, i + 1);
        out.sequence = at(b, i + 2);
        out.status = at(b, i + 3);
        if (out.service == TunnellingAck)
            return n == kConnectionHeaderLength ? Fault::None : Fault::BadBody;
        out.cemi = b.mid(i + kConnectionHeaderLength);
        Cemi::Frame frame;
        return Cemi::parse(out.cemi, frame) ? Fault::None : Fault::BadCemi;
    }
    default:
        return Fault::UnknownService;
    }
}

} // namespace KnxIp

namespace Cemi {

using KnxIp::put16;
using KnxIp::word;

QByteArray dataFrame(quint8 code, quint16 source, quint16 destination, const QByteArray& tpdu, quint8 control1)
{
    QByteArray b;
    b += static_cast<char>(code);
    b += '\0'; // no additional information
    b += static_cast<char>(control1);
    b += static_cast<char>(kControl2);
    put16(b, source);
    put16(b, destination);
    b += static_cast<char>(tpdu.isEmpty() ? 0 : tpdu.size() - 1);
    b += tpdu;
    return b;
}

bool parse(const QByteArray& b, Frame& out)
{
    out = Frame();
    if (b.size() < 2)
        return false;
    const quint8 code = at(b, 0);
    if (code != kDataRequest && code != kDataConfirm && code != kDataIndication)
        return false;
    const qsizetype i = 2 + at(b, 1); // after the additional information
    if (b.size() < i + 8)
        return false;
    const int length = at(b, i + 6);
    // Only standard frames: a transport unit of at most 16 bytes.
    if ((at(b, i) & 0x80) == 0 || length + 1 > kMaxTpdu || b.size() != i + 7 + length + 1)
        return false;
    out.code = code;
    out.control1 = at(b, i);
    out.control2 = at(b, i + 1);
    out.source = word(b, i + 2);
    out.destination = word(b, i + 4);
    out.tpdu = b.mid(i + 7);
    return true;
}

} // namespace Cemi

} // namespace zendrik

#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace zendrik {

// The datagrams of a KNXnet/IP tunnelling connection (UDP, port 3671) and
// the cEMI frames inside them. Every datagram starts with the same six-byte
// header (header length 6, protocol version 1.0, service type, total
// length); numbers are high byte first. Builders make one datagram each;
// the parsers take any bytes from the network and either fill in the
// parts or name what is wrong, never more.
namespace KnxIp {

inline constexpr quint16 kDefaultPort = 3671;
inline constexpr int kHeaderLength = 6;
inline constexpr quint8 kVersion = 0x10;

enum Service : quint16 {
    ConnectRequest = 0x0205,
    ConnectResponse = 0x0206,
    ConnectionStateRequest = 0x0207,
    ConnectionStateResponse = 0x0208,
    DisconnectRequest = 0x0209,
    DisconnectResponse = 0x020A,
    TunnellingRequest = 0x0420,
    TunnellingAck = 0x0421,
};

// Status codes of the responses and acknowledgements.
enum Status : quint8 {
    NoError = 0x00,
    ConnectionIdError = 0x21,
    ConnectionTypeError = 0x22,
    ConnectionOptionError = 0x23,
    NoMoreConnections = 0x24,
    DataConnectionError = 0x26,
    KnxConnectionError = 0x27,
    TunnellingLayerError = 0x29,
};

// Connection request information: a tunnel on the link layer.
inline constexpr quint8 kTunnelConnection = 0x04;
inline constexpr quint8 kTunnelLinkLayer = 0x02;

// An IPv4 address and UDP port, in host order (the host protocol address
// information, HPAI, on the wire). 0.0.0.0:0 asks the server to answer
// where the datagram came from.
struct Endpoint {
    quint32 ip = 0;
    quint16 port = 0;
    bool operator==(const Endpoint&) const = default;
};

QByteArray connectRequest(Endpoint control, Endpoint data);
QByteArray connectResponse(quint8 channel, quint8 status, Endpoint data, quint16 address);
QByteArray connectionStateRequest(quint8 channel, Endpoint control);
QByteArray connectionStateResponse(quint8 channel, quint8 status);
QByteArray disconnectRequest(quint8 channel, Endpoint control);
QByteArray disconnectResponse(quint8 channel, quint8 status);
QByteArray tunnellingRequest(quint8 channel, quint8 sequence, const QByteArray& cemi);
QByteArray tunnellingAck(quint8 channel, quint8 sequence, quint8 status);

// Why a datagram was not taken.
enum class Fault {
    None,
    TooShort,          // shorter than its header
    BadHeaderLength,   // the first byte is not 6
    BadVersion,        // not protocol version 1.0
    LengthMismatch,    // the total length is not the datagram's size
    UnknownService,    // a service type a tunnel client has no use for
    BadBody,           // the body does not fit the service
    BadEndpoint,       // an endpoint that is not IPv4 over UDP
    BadConnectionType, // a connect request for something other than a link-layer tunnel
    BadCemi,           // the cEMI frame inside is truncated or not a data frame
};
inline constexpr int kFaultCount = 10;

// A datagram taken apart: the fields its service carries, the rest left as is.
struct Datagram {
    quint16 service = 0;
    quint8 channel = 0;
    quint8 sequence = 0;
    quint8 status = 0;
    Endpoint control;
    Endpoint data;
    quint16 address = 0; // the individual address a connect response assigns
    QByteArray cemi;     // the frame a tunnelling request carries
};

// The tunnel client's parser: the services of a tunnelling connection.
Fault parse(const QByteArray& bytes, Datagram& out);

// The pieces every KNXnet/IP datagram is made of, shared by the tunnel, the
// routing and the discovery frames.
inline constexpr quint8 kHpaiLength = 8;
inline constexpr quint8 kUdp = 0x01;
quint16 word(const QByteArray& b, qsizetype i); // high byte first; the caller checks the size
void put16(QByteArray& b, quint16 v);
QByteArray hpai(Endpoint e);
bool readHpai(const QByteArray& b, qsizetype i, Endpoint& e);
QByteArray datagram(quint16 service, const QByteArray& body);
// The header checks every parser starts with; the service type on success.
Fault parseHeader(const QByteArray& bytes, quint16* service);

} // namespace KnxIp

// The cEMI data frames of the link layer: a request to send (L_Data.req),
// the interface's confirmation of it (L_Data.con) and a frame from the bus
// (L_Data.ind). After the message code and the additional information come
// the two control fields, source and destination, the length of the
// transport unit after its first byte, and the unit itself.
namespace Cemi {

inline constexpr quint8 kDataRequest = 0x11;
inline constexpr quint8 kDataConfirm = 0x2E;
inline constexpr quint8 kDataIndication = 0x29;

// Control field 1 of the frames we send: a standard frame, not repeated on
// the line, system priority. Bit 0 of a confirmation is set on an error.
inline constexpr quint8 kControl1 = 0xB0;
inline constexpr quint8 kConfirmError = 0x01;
// Control field 2: an individual destination, hop count 6. Bit 7 marks a
// group address.
inline constexpr quint8 kControl2 = 0x60;
inline constexpr quint8 kGroupDestination = 0x80;
// The largest transport unit of a standard frame.
inline constexpr int kMaxTpdu = 16;

struct Frame {
    quint8 code = 0;
    quint8 control1 = 0;
    quint8 control2 = 0;
    quint16 source = 0;
    quint16 destination = 0;
    QByteArray tpdu; // transport control byte, then the application data

    bool groupDestination() const { return (control2 & kGroupDestination) != 0; }
    bool confirmError() const { return code == kDataConfirm && (control1 & kConfirmError) != 0; }
};

QByteArray dataFrame(quint8 code, quint16 source, quint16 destination, const QByteArray& tpdu,
                     quint8 control1 = kControl1);
// False for anything but a whole L_Data frame of a standard length.
bool parse(const QByteArray& cemi, Frame& out);

} // namespace Cemi

} // namespace zendrik

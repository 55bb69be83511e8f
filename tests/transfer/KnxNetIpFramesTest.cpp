// The KNXnet/IP datagrams and cEMI frames byte for byte, and the parser's verdict on every way a datagram can be wrong.

#include "tests/transfer/TransferTestSupport.h"

#include "transfer/bus/EibFrames.h"
#include "transfer/bus/KnxNetIpFrames.h"

using namespace zendrik;
using namespace zendrik::test;

namespace {

constexpr KnxIp::Endpoint kClient{0xC0A80A0B, 0x0E57}; // 192.168.10.11:3671

QByteArray toDevice(const QByteArray& tpdu) { return Cemi::dataFrame(Cemi::kDataRequest, 0x11F1, 0x1105, tpdu); }

TEST(KnxNetIpFrames, EveryDatagramByteForByteAndTakenApart)
{
    const std::pair<QByteArray, const char*> cases[] = {
        // connect request for a link-layer tunnel; the response assigning 1.1.240 on channel 1, and "no more connections"
        {KnxIp::connectRequest(kClient, kClient), "06 10 02 05 00 1A 08 01 C0 A8 0A 0B 0E 57 08 01 C0 A8 0A 0B 0E 57 04 04 02 00"},
        {KnxIp::connectResponse(1, 0, {0x7F000001, 3671}, 0x11F0), "06 10 02 06 00 14 01 00 08 01 7F 00 00 01 0E 57 04 04 11 F0"},
        {KnxIp::connectResponse(0, KnxIp::NoMoreConnections, {}, 0), "06 10 02 06 00 08 00 24"},
        {KnxIp::connectionStateRequest(0x15, kClient), "06 10 02 07 00 10 15 00 08 01 C0 A8 0A 0B 0E 57"},
        {KnxIp::connectionStateResponse(0x15, 0), "06 10 02 08 00 08 15 00"},
        {KnxIp::disconnectRequest(0x15, kClient), "06 10 02 09 00 10 15 00 08 01 C0 A8 0A 0B 0E 57"},
        {KnxIp::disconnectResponse(0x15, 0), "06 10 02 0A 00 08 15 00"},
        {KnxIp::tunnellingAck(0x15, 0xFF, 0), "06 10 04 21 00 0A 04 15 FF 00"},
        // a memory read of 3 bytes at 0x0104, sequence 0
        {KnxIp::tunnellingRequest(0x15, 0x03, toDevice(Frame({0x42, 0x03, 0x01, 0x04}))), "06 10 04 20 00 17 04 15 03 00 11 00 B0 60 11 F1 11 05 03 42 03 01 04"},
        // T_Connect, T_Disconnect, T_ACK of sequence 5, T_NAK of sequence 15, mask read with sequence 1
        {toDevice(Frame({Tpci::kConnect})), "11 00 B0 60 11 F1 11 05 00 80"},
        {toDevice(Frame({Tpci::kDisconnect})), "11 00 B0 60 11 F1 11 05 00 81"},
        {toDevice(Frame({Tpci::kAck | 5 << 2})), "11 00 B0 60 11 F1 11 05 00 D6"},
        {toDevice(Frame({Tpci::kNak | 15 << 2})), "11 00 B0 60 11 F1 11 05 00 FF"},
        {toDevice(Frame({Tpci::kDataConnected | 1 << 2 | 0x03, 0x00})), "11 00 B0 60 11 F1 11 05 01 47 00"},
    };
    for (const auto& [datagram, expected] : cases) EXPECT_EQ(datagram.toHex(' ').toUpper(), expected);
    KnxIp::Datagram d;
    ASSERT_EQ(KnxIp::parse(KnxIp::connectResponse(1, 0, {0x7F000001, 3671}, 0x11F0), d), KnxIp::Fault::None);
    EXPECT_EQ(std::tuple(d.service, d.channel, d.address), std::tuple(quint16(KnxIp::ConnectResponse), quint8(1), quint16(0x11F0)));
    EXPECT_EQ(d.data, (KnxIp::Endpoint{0x7F000001, 3671}));
    // A memory answer from 1.1.5 as an L_Data.ind with additional information.
    const QByteArray ind = QByteArray::fromHex("29020300BC60110511F106424301047E0738");
    ASSERT_EQ(KnxIp::parse(KnxIp::tunnellingRequest(9, 200, ind), d), KnxIp::Fault::None);
    EXPECT_EQ(std::pair(int(d.channel), int(d.sequence)), std::pair(9, 200));
    Cemi::Frame f;
    ASSERT_TRUE(Cemi::parse(d.cemi, f));
    EXPECT_EQ(std::tuple(int(f.code), f.source, f.destination, f.groupDestination()), std::tuple(int(Cemi::kDataIndication), quint16(0x1105), quint16(0x11F1), false));
    EXPECT_EQ(f.tpdu, ind.mid(11));
    QByteArray con = Cemi::dataFrame(Cemi::kDataConfirm, 0x11F1, 0x1105, Frame({0x80}));
    ASSERT_TRUE(Cemi::parse(con, f));
    EXPECT_FALSE(f.confirmError());
    con[2] = static_cast<char>(con.at(2) | Cemi::kConfirmError);
    ASSERT_TRUE(Cemi::parse(con, f));
    EXPECT_TRUE(f.confirmError());
}

TEST(KnxNetIpFrames, MalformedDatagramsAreNamed)
{
    const QByteArray good = KnxIp::tunnellingRequest(1, 0, Cemi::dataFrame(Cemi::kDataIndication, 0x1105, 0x11F1, Frame({0x42, 0x03})));
    const auto with = [](QByteArray b, int i, int v) { return b[i] = static_cast<char>(v), b; };
    QByteArray truncated = good.left(good.size() - 1), ack = KnxIp::tunnellingAck(1, 0, 0) + '\0';
    truncated[5] = static_cast<char>(truncated.size());
    ack[5] = 11;
    const std::pair<QByteArray, KnxIp::Fault> cases[] = {
        {QByteArray(), KnxIp::Fault::TooShort}, {good.left(5), KnxIp::Fault::TooShort}, {with(good, 0, 7), KnxIp::Fault::BadHeaderLength}, {with(good, 1, 0x20), KnxIp::Fault::BadVersion}, {with(good, 5, good.size() - 1), KnxIp::Fault::LengthMismatch}, // version 2.0, total length one short
        {good + '\0', KnxIp::Fault::LengthMismatch},
        {with(good, 3, 0x01), KnxIp::Fault::UnknownService}, // a search request
        {with(good, 2, 0x05), KnxIp::Fault::UnknownService},
        {with(good, 6, 5), KnxIp::Fault::BadBody}, // a routing indication, connection header length 5
        {truncated, KnxIp::Fault::BadCemi},
        {with(good, 10, 0xFC), KnxIp::Fault::BadCemi},
        {with(good, 12, 0x30), KnxIp::Fault::BadCemi},                                              // M_PropRead.req, an extended frame
        {with(KnxIp::connectRequest(kClient, kClient), 23, 0x03), KnxIp::Fault::BadConnectionType}, // a device-management connection
        {with(KnxIp::connectionStateRequest(1, kClient), 9, 0x02), KnxIp::Fault::BadEndpoint},      // an endpoint over TCP
        {ack, KnxIp::Fault::BadBody},
        {good, KnxIp::Fault::None}};
    for (const auto& [bytes, fault] : cases) {
        KnxIp::Datagram d;
        EXPECT_EQ(int(KnxIp::parse(bytes, d)), int(fault)) << bytes.toHex(' ').toStdString();
    }
}

} // namespace

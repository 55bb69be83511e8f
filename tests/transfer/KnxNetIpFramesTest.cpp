// The KNXnet/IP datagrams and cEMI frames byte for byte, as the KNXnet/IP
// tunnelling documentation lays them out, and the parser's verdict on
// every way a datagram can be wrong.

#include "tests/transfer/BusTestSupport.h"

#include "transfer/bus/EibFrames.h"
#include "transfer/bus/KnxNetIpFrames.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

std::string hex(const QByteArray& b)
{
    return b.toHex(' ').toUpper().toStdString();
}

constexpr KnxIp::Endpoint kClient{0xC0A80A0B, 0x0E57}; // 192.168.10.11:3671

TEST(KnxNetIpFrames, EveryDatagramByteForByte)
{
    const QByteArray memoryRead = Cemi::dataFrame(Cemi::kDataRequest, 0x11F1, 0x1105, Frame({0x42, 0x03, 0x01, 0x04}));
    const struct {
        const char* what;
        QByteArray datagram;
        QByteArray expected;
    } cases[] = {
        {"connect request for a link-layer tunnel", KnxIp::connectRequest(kClient, kClient),
         Frame({0x06, 0x10, 0x02, 0x05, 0x00, 0x1A, 0x08, 0x01, 0xC0, 0xA8, 0x0A, 0x0B, 0x0E, 0x57, 0x08, 0x01, 0xC0, 0xA8,
                0x0A, 0x0B, 0x0E, 0x57, 0x04, 0x04, 0x02, 0x00})},
        {"connect response assigning 1.1.240 on channel 1", KnxIp::connectResponse(1, 0, {0x7F000001, 3671}, 0x11F0),
         Frame({0x06, 0x10, 0x02, 0x06, 0x00, 0x14, 0x01, 0x00, 0x08, 0x01, 0x7F, 0x00, 0x00, 0x01, 0x0E, 0x57, 0x04, 0x04,
                0x11, 0xF0})},
        {"connect response: no more connections", KnxIp::connectResponse(0, KnxIp::NoMoreConnections, {}, 0),
         Frame({0x06, 0x10, 0x02, 0x06, 0x00, 0x08, 0x00, 0x24})},
        {"connection-state request", KnxIp::connectionStateRequest(0x15, kClient),
         Frame({0x06, 0x10, 0x02, 0x07, 0x00, 0x10, 0x15, 0x00, 0x08, 0x01, 0xC0, 0xA8, 0x0A, 0x0B, 0x0E, 0x57})},
        {"connection-state response", KnxIp::connectionStateResponse(0x15, 0),
         Frame({0x06, 0x10, 0x02, 0x08, 0x00, 0x08, 0x15, 0x00})},
        {"disconnect request", KnxIp::disconnectRequest(0x15, kClient),
         Frame({0x06, 0x10, 0x02, 0x09, 0x00, 0x10, 0x15, 0x00, 0x08, 0x01, 0xC0, 0xA8, 0x0A, 0x0B, 0x0E, 0x57})},
        {"disconnect response", KnxIp::disconnectResponse(0x15, 0), Frame({0x06, 0x10, 0x02, 0x0A, 0x00, 0x08, 0x15, 0x00})},
        {"tunnelling ack", KnxIp::tunnellingAck(0x15, 0xFF, 0),
         Frame({0x06, 0x10, 0x04, 0x21, 0x00, 0x0A, 0x04, 0x15, 0xFF, 0x00})},
        {"tunnelling request with a memory read of 3 bytes at 0x0104, sequence 0",
         KnxIp::tunnellingRequest(0x15, 0x03, memoryRead),
         Frame({0x06, 0x10, 0x04, 0x20, 0x00, 0x17, 0x04, 0x15, 0x03, 0x00, 0x11, 0x00, 0xB0, 0x60, 0x11, 0xF1, 0x11, 0x05,
                0x03, 0x42, 0x03, 0x01, 0x04})},
        {"T_Connect to 1.1.5", Cemi::dataFrame(Cemi::kDataRequest, 0x11F1, 0x1105, Frame({Tpci::kConnect})),
         Frame({0x11, 0x00, 0xB0, 0x60, 0x11, 0xF1, 0x11, 0x05, 0x00, 0x80})},
        {"T_Disconnect", Cemi::dataFrame(Cemi::kDataRequest, 0x11F1, 0x1105, Frame({Tpci::kDisconnect})),
         Frame({0x11, 0x00, 0xB0, 0x60, 0x11, 0xF1, 0x11, 0x05, 0x00, 0x81})},
        {"T_ACK of sequence 5", Cemi::dataFrame(Cemi::kDataRequest, 0x11F1, 0x1105, Frame({Tpci::kAck | 5 << 2})),
         Frame({0x11, 0x00, 0xB0, 0x60, 0x11, 0xF1, 0x11, 0x05, 0x00, 0xD6})},
        {"T_NAK of sequence 15", Cemi::dataFrame(Cemi::kDataRequest, 0x11F1, 0x1105, Frame({Tpci::kNak | 15 << 2})),
         Frame({0x11, 0x00, 0xB0, 0x60, 0x11, 0xF1, 0x11, 0x05, 0x00, 0xFF})},
        {"mask read, sequence 1",
         Cemi::dataFrame(Cemi::kDataRequest, 0x11F1, 0x1105, Frame({Tpci::kDataConnected | 1 << 2 | 0x03, 0x00})),
         Frame({0x11, 0x00, 0xB0, 0x60, 0x11, 0xF1, 0x11, 0x05, 0x01, 0x47, 0x00})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hex(c.datagram), hex(c.expected)) << c.what;
}

TEST(KnxNetIpFrames, DatagramsAreTakenApart)
{
    KnxIp::Datagram d;
    ASSERT_EQ(KnxIp::parse(KnxIp::connectResponse(1, 0, {0x7F000001, 3671}, 0x11F0), d), KnxIp::Fault::None);
    EXPECT_EQ(d.service, KnxIp::ConnectResponse);
    EXPECT_EQ(d.channel, 1);
    EXPECT_EQ(d.address, 0x11F0);
    EXPECT_EQ(d.data, (KnxIp::Endpoint{0x7F000001, 3671}));

    // A memory answer from 1.1.5 as an L_Data.ind with additional information.
    const QByteArray ind = Frame({0x29, 0x02, 0x03, 0x00, 0xBC, 0x60, 0x11, 0x05, 0x11, 0xF1, 0x06, 0x42, 0x43, 0x01, 0x04,
                                  0x7E, 0x07, 0x38});
    ASSERT_EQ(KnxIp::parse(KnxIp::tunnellingRequest(9, 200, ind), d), KnxIp::Fault::None);
    EXPECT_EQ(d.channel, 9);
    EXPECT_EQ(d.sequence, 200);
    Cemi::Frame f;
    ASSERT_TRUE(Cemi::parse(d.cemi, f));
    EXPECT_EQ(f.code, Cemi::kDataIndication);
    EXPECT_EQ(f.source, 0x1105);
    EXPECT_EQ(f.destination, 0x11F1);
    EXPECT_FALSE(f.groupDestination());
    EXPECT_EQ(hex(f.tpdu), hex(Frame({0x42, 0x43, 0x01, 0x04, 0x7E, 0x07, 0x38})));

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
    const auto with = [&](int i, int v) {
        QByteArray b = good;
        b[i] = static_cast<char>(v);
        return b;
    };
    QByteArray connect = KnxIp::connectRequest(kClient, kClient);
    connect[23] = 0x03; // a device-management connection
    QByteArray endpoint = KnxIp::connectionStateRequest(1, kClient);
    endpoint[9] = 0x02; // TCP
    const struct {
        const char* what;
        QByteArray bytes;
        KnxIp::Fault fault;
    } cases[] = {
        {"empty", QByteArray(), KnxIp::Fault::TooShort},
        {"five bytes", good.left(5), KnxIp::Fault::TooShort},
        {"header length 7", with(0, 7), KnxIp::Fault::BadHeaderLength},
        {"version 2.0", with(1, 0x20), KnxIp::Fault::BadVersion},
        {"total length one short", with(5, good.size() - 1), KnxIp::Fault::LengthMismatch},
        {"a byte beyond the total length", good + '\0', KnxIp::Fault::LengthMismatch},
        {"search request", with(3, 0x01), KnxIp::Fault::UnknownService},
        {"routing indication", with(2, 0x05), KnxIp::Fault::UnknownService},
        {"connection header length 5", with(6, 5), KnxIp::Fault::BadBody},
        {"truncated cEMI", [&] { QByteArray b = good.left(good.size() - 1); b[5] = static_cast<char>(b.size()); return b; }(),
         KnxIp::Fault::BadCemi},
        {"cEMI of another kind (M_PropRead.req)", with(10, 0xFC), KnxIp::Fault::BadCemi},
        {"extended frame", with(12, 0x30), KnxIp::Fault::BadCemi},
        {"connect request for another connection type", connect, KnxIp::Fault::BadConnectionType},
        {"endpoint over TCP", endpoint, KnxIp::Fault::BadEndpoint},
        {"ack with a body", [&] { QByteArray b = KnxIp::tunnellingAck(1, 0, 0) + '\0'; b[5] = 11; return b; }(),
         KnxIp::Fault::BadBody},
    };
    for (const auto& c : cases) {
        KnxIp::Datagram d;
        EXPECT_EQ(static_cast<int>(KnxIp::parse(c.bytes, d)), static_cast<int>(c.fault)) << c.what;
    }
    KnxIp::Datagram d;
    EXPECT_EQ(KnxIp::parse(good, d), KnxIp::Fault::None);
}

} // namespace

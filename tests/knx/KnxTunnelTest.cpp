// The tunnelling client and the link on it against a scripted tunnel
// server on loopback: repetition and dropping of unacknowledged requests,
// heartbeats, a server ending the tunnel, and datagrams that are wrong in
// every way a network can make them.

#include "tests/knx/KnxdHarness.h"

#include "transfer/bus/BusTexts.h"
#include "transfer/bus/EibFrames.h"
#include "transfer/bus/EibLink.h"
#include "transfer/bus/KnxNetIpLink.h"

#include <QElapsedTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (const int v : list)
        b += static_cast<char>(v);
    return b;
}

// A tunnel server on 127.0.0.1 in a thread of its own: it answers a
// connect request with channel 7 and address 1.1.240 and hands every other
// datagram to `reply`, which may answer with any bytes.
class ScriptedServer {
public:
    using Reply = std::function<std::vector<QByteArray>(const KnxIp::Datagram&, const QByteArray&)>;
    static constexpr quint8 kChannel = 7;
    static constexpr quint16 kAddress = 0x11F0;

    // With `confirm`, every tunnelling request is acknowledged and its
    // frame confirmed (L_Data.con) instead of going to `reply`.
    explicit ScriptedServer(Reply reply, bool confirm = false) : reply_(std::move(reply)), confirm_(confirm)
    {
        fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t n = sizeof a;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &n);
        port_ = ntohs(a.sin_port);
        timeval tv{0, 10000};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        thread_ = std::thread([this] { run(); });
    }
    ~ScriptedServer()
    {
        stop_ = true;
        thread_.join();
        ::close(fd_);
    }
    quint16 port() const { return port_; }
    // Every datagram received so far, parsed (service 0 when it did not parse).
    std::vector<KnxIp::Datagram> received()
    {
        std::lock_guard lock(mutex_);
        return received_;
    }
    // Waits a moment for datagrams still on their way.
    int countSoon(quint16 service, int expected)
    {
        QElapsedTimer t;
        t.start();
        while (count(service) < expected && t.elapsed() < 1000)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return count(service);
    }
    int count(quint16 service)
    {
        int n = 0;
        for (const KnxIp::Datagram& d : received())
            n += d.service == service;
        return n;
    }
    // Sends to the client's control endpoint.
    void push(const QByteArray& datagram)
    {
        std::lock_guard lock(mutex_);
        pushes_.push_back(datagram);
    }
    // Sends a cEMI frame in a tunnelling request with the server's next sequence number.
    void pushFrame(const QByteArray& cemi)
    {
        std::lock_guard lock(mutex_);
        pushes_.push_back(cemi);
        framePushes_.push_back(true);
    }

private:
    void run()
    {
        sockaddr_in client{};
        bool known = false;
        while (!stop_) {
            {
                std::lock_guard lock(mutex_);
                framePushes_.resize(pushes_.size(), false);
                for (std::size_t i = 0; known && i < pushes_.size(); ++i) {
                    const QByteArray d = framePushes_[i] ? KnxIp::tunnellingRequest(kChannel, sequence_++, pushes_[i])
                                                         : pushes_[i];
                    ::sendto(fd_, d.constData(), static_cast<size_t>(d.size()), 0,
                             reinterpret_cast<sockaddr*>(&client), sizeof client);
                }
                if (known) {
                    pushes_.clear();
                    framePushes_.clear();
                }
            }
            char buffer[512];
            sockaddr_in from{};
            socklen_t n = sizeof from;
            const ssize_t got = ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &n);
            if (got <= 0)
                continue;
            client = from;
            known = true;
            const QByteArray in(buffer, static_cast<qsizetype>(got));
            KnxIp::Datagram d;
            KnxIp::parse(in, d);
            std::vector<QByteArray> out;
            if (d.service == KnxIp::ConnectRequest && refuse)
                out.push_back(KnxIp::connectResponse(0, KnxIp::NoMoreConnections, {}, 0));
            else if (d.service == KnxIp::ConnectRequest)
                out.push_back(KnxIp::connectResponse(kChannel, KnxIp::NoError, {0x7F000001, port_}, kAddress));
            else if (d.service == KnxIp::DisconnectRequest)
                out.push_back(KnxIp::disconnectResponse(d.channel, KnxIp::NoError));
            else if (confirm_ && d.service == KnxIp::TunnellingRequest) {
                QByteArray con = d.cemi;
                con[0] = static_cast<char>(Cemi::kDataConfirm);
                out.push_back(KnxIp::tunnellingAck(d.channel, d.sequence, KnxIp::NoError));
                out.push_back(KnxIp::tunnellingRequest(d.channel, sequence_++, con));
            } else if (reply_)
                out = reply_(d, in);
            {
                std::lock_guard lock(mutex_);
                received_.push_back(d);
            }
            for (const QByteArray& o : out)
                ::sendto(fd_, o.constData(), static_cast<size_t>(o.size()), 0, reinterpret_cast<sockaddr*>(&from), n);
        }
    }

public:
    std::atomic<bool> refuse{false};   // answer connect requests with "no more connections"

private:
    Reply reply_;
    bool confirm_ = false;
    quint8 sequence_ = 0;
    std::vector<bool> framePushes_;
    int fd_ = -1;
    quint16 port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<KnxIp::Datagram> received_;
    std::vector<QByteArray> pushes_;
};

void serviceFor(KnxNetIpTunnel& t, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        t.service(1000);
}

TEST(KnxTunnelTest, TheTestRunsWhereNoNetworkCanBeReached)
{
    EXPECT_EQ(zendrik::test::NotInPrivateNetwork(), QString());
}

TEST(KnxTunnelTest, AnUnacknowledgedRequestIsRepeatedOnceThenTheTunnelIsDroppedAndReopened)
{
    ScriptedServer server([](const KnxIp::Datagram&, const QByteArray&) { return std::vector<QByteArray>{}; });
    KnxNetIpLink link(QHostAddress::LocalHost, server.port(), QStringLiteral("knxnetip:test"));
    ASSERT_EQ(link.install(0, 9600, 2000, 500, 0), 0);
    EXPECT_EQ(link.ownAddress(), ScriptedServer::kAddress);
    ASSERT_EQ(link.send(EibFrame::connect(0x1105)), 0);
    QElapsedTimer t;
    t.start();
    bool done = false;
    int rc = 0;
    while ((rc = link.pollConfirm(&done)) == 0 && !done && t.elapsed() < 5000)
        link.clock().idle();
    EXPECT_EQ(rc, LinkLost);
    EXPECT_GE(t.elapsed(), 1900);
    EXPECT_LT(t.elapsed(), 3000);
    // The request went twice with the same sequence number, then the
    // tunnel was given up with a disconnect request.
    server.countSoon(KnxIp::DisconnectRequest, 1);
    std::vector<KnxIp::Datagram> got = server.received();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0].service, KnxIp::ConnectRequest);
    EXPECT_EQ(got[1].service, KnxIp::TunnellingRequest);
    EXPECT_EQ(got[2].service, KnxIp::TunnellingRequest);
    EXPECT_EQ(got[1].sequence, got[2].sequence);
    EXPECT_EQ(got[2].cemi, got[1].cemi);
    EXPECT_EQ(got[3].service, KnxIp::DisconnectRequest);
    EXPECT_EQ(got[3].channel, ScriptedServer::kChannel);
    bool noted = false;
    for (const LinkNote& n : link.takeNotes())
        noted = noted || n.text == &kKnxNotAcknowledged;
    EXPECT_TRUE(noted);

    // The next open makes a new tunnel; closing it always disconnects.
    ASSERT_EQ(link.install(0, 9600, 2000, 500, 0), 0);
    EXPECT_EQ(server.count(KnxIp::ConnectRequest), 2);
    link.close();
    EXPECT_EQ(server.countSoon(KnxIp::DisconnectRequest, 3), 3);
}

TEST(KnxTunnelTest, MalformedDatagramsAreIgnoredAndCounted)
{
    ScriptedServer server(nullptr, true);
    KnxNetIpTunnel tunnel(QHostAddress::LocalHost, server.port());
    ASSERT_TRUE(tunnel.open());
    const QByteArray cemi = Cemi::dataFrame(Cemi::kDataIndication, 0x1105, ScriptedServer::kAddress, bytes({0x42, 0x03}));
    QByteArray wrongHeader = KnxIp::tunnellingRequest(ScriptedServer::kChannel, 0, cemi);
    wrongHeader[0] = 5;
    QByteArray unknown = KnxIp::connectionStateResponse(ScriptedServer::kChannel, 0);
    unknown[2] = 0x05;
    unknown[3] = 0x30;
    const QByteArray truncated = KnxIp::tunnellingRequest(ScriptedServer::kChannel, 0, cemi.left(cemi.size() - 1));
    const QByteArray wrongChannel = KnxIp::tunnellingRequest(ScriptedServer::kChannel + 1, 0, cemi);
    QByteArray wrongLength = KnxIp::tunnellingRequest(ScriptedServer::kChannel, 0, cemi);
    wrongLength[5] = static_cast<char>(wrongLength.size() + 1);
    for (const QByteArray& d : {wrongHeader, unknown, truncated, wrongChannel, wrongLength, QByteArray("\x06"),
                                QByteArray()})
        server.push(d);
    server.push(KnxIp::tunnellingRequest(ScriptedServer::kChannel, 0, cemi));
    QElapsedTimer t;
    t.start();
    QByteArray got;
    while (!tunnel.takeFrame(got) && t.elapsed() < 2000)
        tunnel.service(1000);
    EXPECT_EQ(got, cemi);
    EXPECT_EQ(tunnel.malformed()[static_cast<int>(KnxIp::Fault::BadHeaderLength)], 1);
    EXPECT_EQ(tunnel.malformed()[static_cast<int>(KnxIp::Fault::UnknownService)], 1);
    EXPECT_EQ(tunnel.malformed()[static_cast<int>(KnxIp::Fault::BadCemi)], 1);
    EXPECT_EQ(tunnel.malformed()[static_cast<int>(KnxIp::Fault::LengthMismatch)], 1);
    EXPECT_EQ(tunnel.malformed()[static_cast<int>(KnxIp::Fault::TooShort)], 2);
    EXPECT_EQ(tunnel.ignoredForeign(), 1);
    EXPECT_EQ(tunnel.state(), KnxNetIpTunnel::State::Open);
    // Only the good one was acknowledged.
    serviceFor(tunnel, 50);
    tunnel.close();
}

TEST(KnxTunnelTest, HeartbeatsAreSentAndTheirAbsenceDropsTheTunnel)
{
    std::atomic<bool> answer{true};
    ScriptedServer server([&answer](const KnxIp::Datagram& d, const QByteArray&) {
        if (d.service == KnxIp::ConnectionStateRequest && answer)
            return std::vector<QByteArray>{KnxIp::connectionStateResponse(d.channel, KnxIp::NoError)};
        return std::vector<QByteArray>{};
    });
    KnxNetIpTunnel tunnel(QHostAddress::LocalHost, server.port());
    tunnel.heartbeatMs = 100;
    tunnel.heartbeatTimeoutMs = 50;
    ASSERT_TRUE(tunnel.open());
    serviceFor(tunnel, 450);
    EXPECT_GE(server.count(KnxIp::ConnectionStateRequest), 3);
    EXPECT_EQ(tunnel.state(), KnxNetIpTunnel::State::Open);
    answer = false;
    QElapsedTimer t;
    t.start();
    while (tunnel.state() == KnxNetIpTunnel::State::Open && t.elapsed() < 3000)
        tunnel.service(1000);
    // Three requests of 50 ms each without an answer.
    EXPECT_GE(t.elapsed(), 140);
    EXPECT_EQ(tunnel.state(), KnxNetIpTunnel::State::Failed);
    EXPECT_EQ(tunnel.failure(), KnxNetIpTunnel::Failure::NoHeartbeat);
    EXPECT_EQ(server.countSoon(KnxIp::DisconnectRequest, 1), 1);
}

TEST(KnxTunnelTest, AServerEndingTheTunnelIsAnsweredAndTheLinkReportsIt)
{
    ScriptedServer server(nullptr, true);
    KnxNetIpLink link(QHostAddress::LocalHost, server.port(), QStringLiteral("knxnetip:test"));
    ASSERT_EQ(link.install(0, 9600, 2000, 500, 0), 0);
    server.push(KnxIp::disconnectRequest(ScriptedServer::kChannel, {0x7F000001, server.port()}));
    QElapsedTimer t;
    t.start();
    QByteArray buffer;
    int rc = 0;
    while ((rc = link.receive(buffer)) == 0 && t.elapsed() < 2000)
        link.clock().idle();
    EXPECT_EQ(rc, LinkLost);
    link.close();
    // Nothing more to disconnect: the server ended it.
    EXPECT_EQ(server.count(KnxIp::DisconnectRequest), 0);
}

TEST(KnxTunnelTest, LocalFramesAreAnsweredByTheVirtualInterface)
{
    ScriptedServer server(nullptr, true);
    KnxNetIpLink link(QHostAddress::LocalHost, server.port(), QStringLiteral("knxnetip:test"));
    ASSERT_EQ(link.install(0, 9600, 2000, 500, 0), 0);
    bool done = false;
    ASSERT_EQ(link.send(EibFrame::localRead(1, 0x0116)), 0);
    ASSERT_EQ(link.pollConfirm(&done), 0);
    EXPECT_TRUE(done);
    QByteArray buffer;
    ASSERT_EQ(link.receive(buffer), 0);
    EXPECT_EQ(buffer.left(6).toHex(' '), QByteArray("05 4b 01 01 16 01"));
    ASSERT_EQ(link.send(EibFrame::localWrite(0x0116, bytes({0x05}))), 0);
    ASSERT_EQ(link.send(EibFrame::localRead(1, 0x0116)), 0);
    ASSERT_EQ(link.receive(buffer), 0);
    EXPECT_EQ(buffer.left(6).toHex(' '), QByteArray("05 4b 01 01 16 05"));
    // Nothing of it went to the server.
    EXPECT_EQ(server.count(KnxIp::TunnellingRequest), 0);

    // A connect goes out as T_Connect from our address, confirmed by the L_Data.con.
    ASSERT_EQ(link.send(EibFrame::connect(0x1105)), 0);
    QElapsedTimer t;
    t.start();
    done = false;
    while (link.pollConfirm(&done) == 0 && !done && t.elapsed() < 1000)
        link.clock().idle();
    EXPECT_TRUE(done);
    server.countSoon(KnxIp::TunnellingRequest, 1);
    QByteArray sent;
    for (const KnxIp::Datagram& d : server.received())
        if (d.service == KnxIp::TunnellingRequest)
            sent = d.cemi;
    EXPECT_EQ(sent.toHex(' '), QByteArray("11 00 b0 60 11 f0 11 05 00 80"));
    link.close();
}

} // namespace

namespace {

// The cEMI frames the link sent (acknowledged by the server), in order.
std::vector<QByteArray> sentTpdus(ScriptedServer& server)
{
    std::vector<QByteArray> out;
    for (const KnxIp::Datagram& d : server.received()) {
        Cemi::Frame f;
        if (d.service == KnxIp::TunnellingRequest && Cemi::parse(d.cemi, f))
            out.push_back(f.tpdu);
    }
    return out;
}

// A frame from the device 1.1.5 to us, as the server passes it on.
QByteArray fromDevice(const QByteArray& tpdu)
{
    return Cemi::dataFrame(Cemi::kDataIndication, 0x1105, ScriptedServer::kAddress, tpdu);
}

TEST(KnxTunnelTest, TheTransportLayerSendsOneTelegramAtATimeAndAcknowledgesTheDevice)
{
    ScriptedServer server(nullptr, true);
    KnxNetIpLink link(QHostAddress::LocalHost, server.port(), QStringLiteral("knxnetip:test"));
    ASSERT_EQ(link.install(0, 9600, 2000, 500, 0), 0);
    const auto confirmed = [&link] {
        QElapsedTimer t;
        t.start();
        bool done = false;
        while (link.pollConfirm(&done) == 0 && !done && t.elapsed() < 1000)
            link.clock().idle();
        return done;
    };
    ASSERT_EQ(link.send(EibFrame::connect(0x1105)), 0);
    ASSERT_TRUE(confirmed());
    // Two memory reads: the second waits for the device's T_ACK of the first.
    ASSERT_EQ(link.send(EibFrame::data(Apci::memoryRead(3, 0x0104))), 0);
    ASSERT_TRUE(confirmed());
    ASSERT_EQ(link.send(EibFrame::data(Apci::memoryRead(1, 0x0116))), 0);
    ASSERT_TRUE(confirmed());
    server.countSoon(KnxIp::TunnellingRequest, 2);
    link.clock().sleepUs(50'000);
    EXPECT_EQ(sentTpdus(server).size(), 2u);   // T_Connect and the first read only

    // The device acknowledges and answers; its answer comes twice (its
    // repetition), then a telegram out of order.
    const QByteArray answer = bytes({0x42, 0x43, 0x01, 0x04, 0x7E, 0x07, 0x38});
    server.pushFrame(fromDevice(bytes({0xC2})));
    server.pushFrame(fromDevice(answer));
    server.pushFrame(fromDevice(answer));
    server.pushFrame(fromDevice(bytes({0x4E, 0x43, 0x01, 0x04, 0x7E, 0x07, 0x38})));   // sequence 3, 1 is due
    server.countSoon(KnxIp::TunnellingRequest, 6);
    link.clock().sleepUs(100'000);
    std::vector<QByteArray> frames;
    QByteArray buffer;
    while (link.receive(buffer) == 0 && buffer.at(0) != 0)
        frames.push_back(buffer.left(static_cast<quint8>(buffer.at(0)) + 1));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].toHex(' '), QByteArray("0e 39 b0 11 05 11 f0 66 42 43 01 04 7e 07 38"));

    std::vector<QByteArray> hex;
    for (const QByteArray& t : sentTpdus(server))
        hex.push_back(t.toHex(' '));
    const std::vector<QByteArray> expected{
        "80",            // T_Connect
        "42 03 01 04",   // the first read, sequence 0
        "46 01 01 16",   // the second read, sequence 1, once the device's T_ACK came
        "c2",            // T_ACK of the device's answer, sequence 0
        "c2",            // the repeated answer acknowledged again, not passed up
        "cf",            // T_NAK for sequence 3
    };
    EXPECT_EQ(hex, expected);
    link.close();
}

TEST(KnxTunnelTest, IgnoredDatagramsAreCountedInTheLinksNotes)
{
    ScriptedServer server(nullptr, true);
    KnxNetIpLink link(QHostAddress::LocalHost, server.port(), QStringLiteral("knxnetip:test"));
    ASSERT_EQ(link.install(0, 9600, 2000, 500, 0), 0);
    link.takeNotes();
    server.push(QByteArray("\x07\x10\x04\x20\x00\x06", 6));
    server.push(KnxIp::tunnellingAck(ScriptedServer::kChannel + 1, 0, 0));
    QElapsedTimer t;
    t.start();
    while (link.tunnel().malformedTotal() + link.tunnel().ignoredForeign() < 2 && t.elapsed() < 1000)
        link.clock().idle();
    QStringList notes;
    for (const LinkNote& n : link.takeNotes())
        notes << QString::fromUtf8(n.text->en) + n.detail;
    EXPECT_EQ(notes, (QStringList{QStringLiteral("malformed KNXnet/IP datagrams ignored: 1"),
                                  QStringLiteral("foreign KNXnet/IP datagrams ignored: 1")}));
    EXPECT_TRUE(link.takeNotes().empty());   // told once
    link.close();
}

} // namespace

namespace {

TEST(KnxTunnelTest, ARefusedOrUnansweredConnectFailsTheOpenWithTheReason)
{
    ScriptedServer server(nullptr, true);
    server.refuse = true;
    KnxNetIpLink link(QHostAddress::LocalHost, server.port(), QStringLiteral("knxnetip:test"));
    EXPECT_EQ(link.install(0, 9600, 2000, 500, 0), LinkInstallFailed);
    std::vector<LinkNote> notes = link.takeNotes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].text, &kKnxRefused);
    EXPECT_EQ(notes[0].detail, QStringLiteral("0x24"));
    // Nothing was opened, so nothing to disconnect.
    EXPECT_EQ(server.count(KnxIp::DisconnectRequest), 0);

    KnxNetIpLink nobody(QHostAddress::LocalHost, 9, QStringLiteral("knxnetip:127.0.0.1:9"));
    nobody.connectTimeoutMs = 300;
    EXPECT_EQ(nobody.install(0, 9600, 2000, 500, 0), LinkInstallFailed);
    notes = nobody.takeNotes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].text, &kKnxNoServer);
    bool done = false;
    EXPECT_EQ(nobody.pollConfirm(&done), LinkNotOpen);
}

} // namespace

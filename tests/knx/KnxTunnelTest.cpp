// The tunnelling client and the link on it against a scripted tunnel
// server on loopback: repetition and dropping of unacknowledged requests,
// heartbeats, a server ending the tunnel, the link's transport layer, and
// datagrams that are wrong in every way a network can make them.

#include "tests/knx/KnxdHarness.h"

#include "transfer/bus/BusTexts.h"
#include "transfer/bus/EibFrames.h"
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

// A tunnel server on 127.0.0.1 in a thread of its own: it answers a connect
// request with channel 7 and address 1.1.240 (or refuses it), a disconnect
// request, and with `confirm` acknowledges every tunnelling request and
// confirms its frame (L_Data.con); every other datagram goes to `reply`.
class ScriptedServer {
public:
    using Reply = std::function<std::vector<QByteArray>(const KnxIp::Datagram&)>;
    static constexpr quint8 kChannel = 7;
    static constexpr quint16 kAddress = 0x11F0;

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
    int count(quint16 service)
    {
        int n = 0;
        for (const KnxIp::Datagram& d : received())
            n += d.service == service;
        return n;
    }
    // The count once `expected` came, or after a second.
    int countSoon(quint16 service, int expected)
    {
        QElapsedTimer t;
        t.start();
        while (count(service) < expected && t.elapsed() < 1000)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return count(service);
    }
    // Sends a datagram to the client, or a cEMI frame in a tunnelling
    // request with the server's next sequence number.
    void push(const QByteArray& datagram, bool frame = false)
    {
        std::lock_guard lock(mutex_);
        pushes_.emplace_back(datagram, frame);
    }

    std::atomic<bool> refuse{false}; // answer connect requests with "no more connections"

private:
    void send(const QByteArray& d, const sockaddr_in& to)
    {
        ::sendto(fd_, d.constData(), static_cast<size_t>(d.size()), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }
    void run()
    {
        sockaddr_in client{};
        bool known = false;
        while (!stop_) {
            {
                std::lock_guard lock(mutex_);
                for (const auto& [d, frame] : known ? pushes_ : decltype(pushes_){})
                    send(frame ? KnxIp::tunnellingRequest(kChannel, sequence_++, d) : d, client);
                if (known)
                    pushes_.clear();
            }
            char buffer[512];
            socklen_t n = sizeof client;
            const ssize_t got = ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&client), &n);
            if (got <= 0)
                continue;
            known = true;
            KnxIp::Datagram d;
            KnxIp::parse(QByteArray(buffer, static_cast<qsizetype>(got)), d);
            std::vector<QByteArray> out;
            if (d.service == KnxIp::ConnectRequest)
                out.push_back(refuse ? KnxIp::connectResponse(0, KnxIp::NoMoreConnections, {}, 0)
                                     : KnxIp::connectResponse(kChannel, KnxIp::NoError, {0x7F000001, port_}, kAddress));
            else if (d.service == KnxIp::DisconnectRequest)
                out.push_back(KnxIp::disconnectResponse(d.channel, KnxIp::NoError));
            else if (confirm_ && d.service == KnxIp::TunnellingRequest) {
                QByteArray con = d.cemi;
                con[0] = static_cast<char>(Cemi::kDataConfirm);
                out = {KnxIp::tunnellingAck(d.channel, d.sequence, KnxIp::NoError),
                       KnxIp::tunnellingRequest(d.channel, sequence_++, con)};
            } else if (reply_)
                out = reply_(d);
            {
                std::lock_guard lock(mutex_);
                received_.push_back(d);
            }
            for (const QByteArray& o : out)
                send(o, client);
        }
    }

    Reply reply_;
    bool confirm_ = false;
    quint8 sequence_ = 0;
    int fd_ = -1;
    quint16 port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<KnxIp::Datagram> received_;
    std::vector<std::pair<QByteArray, bool>> pushes_;
};

// A link on the scripted server, opened.
struct OpenLink {
    explicit OpenLink(ScriptedServer& server) : link(QHostAddress::LocalHost, server.port(), QStringLiteral("knxnetip:test"))
    {
        EXPECT_EQ(link.install(0, 9600, 2000, 500, 0), 0);
    }
    // Polls for the confirmation of the last frame for up to `ms`; the poll's code.
    int confirm(bool& done, int ms = 1000)
    {
        QElapsedTimer t;
        t.start();
        int rc = 0;
        done = false;
        while ((rc = link.pollConfirm(&done)) == 0 && !done && t.elapsed() < ms)
            link.clock().idle();
        return rc;
    }
    bool confirmed()
    {
        bool done = false;
        return confirm(done) == 0 && done;
    }
    KnxNetIpLink link;
};

bool noted(KnxNetIpLink& link, const ExtraText& text)
{
    bool found = false;
    for (const LinkNote& n : link.takeNotes())
        found = found || n.text == &text;
    return found;
}

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (const int v : list)
        b += static_cast<char>(v);
    return b;
}

TEST(KnxTunnelTest, TheTestRunsWhereNoNetworkCanBeReached)
{
    EXPECT_EQ(zendrik::test::NotInPrivateNetwork(), QString());
}

TEST(KnxTunnelTest, AnUnacknowledgedRequestIsRepeatedOnceThenTheTunnelIsDroppedAndReopened)
{
    ScriptedServer server([](const KnxIp::Datagram&) { return std::vector<QByteArray>{}; });
    OpenLink l(server);
    EXPECT_EQ(l.link.ownAddress(), ScriptedServer::kAddress);
    ASSERT_EQ(l.link.send(EibFrame::connect(0x1105)), 0);
    QElapsedTimer t;
    t.start();
    bool done = false;
    EXPECT_EQ(l.confirm(done, 5000), LinkLost);
    EXPECT_GE(t.elapsed(), 1900);
    EXPECT_LT(t.elapsed(), 3000);
    // The request went twice with the same sequence number, then the
    // tunnel was given up with a disconnect request.
    server.countSoon(KnxIp::DisconnectRequest, 1);
    const std::vector<KnxIp::Datagram> got = server.received();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(std::vector<quint16>({got[0].service, got[1].service, got[2].service, got[3].service}),
              std::vector<quint16>({KnxIp::ConnectRequest, KnxIp::TunnellingRequest, KnxIp::TunnellingRequest,
                                    KnxIp::DisconnectRequest}));
    EXPECT_EQ(got[1].sequence, got[2].sequence);
    EXPECT_EQ(got[2].cemi, got[1].cemi);
    EXPECT_EQ(got[3].channel, ScriptedServer::kChannel);
    EXPECT_TRUE(noted(l.link, kKnxNotAcknowledged));
    // The next open makes a new tunnel; closing it always disconnects.
    ASSERT_EQ(l.link.install(0, 9600, 2000, 500, 0), 0);
    EXPECT_EQ(server.count(KnxIp::ConnectRequest), 2);
    l.link.close();
    EXPECT_EQ(server.countSoon(KnxIp::DisconnectRequest, 3), 3);
}

TEST(KnxTunnelTest, MalformedAndForeignDatagramsAreIgnoredCountedAndNoted)
{
    ScriptedServer server(nullptr, true);
    OpenLink l(server);
    l.link.takeNotes();
    const QByteArray cemi = Cemi::dataFrame(Cemi::kDataIndication, 0x1105, ScriptedServer::kAddress, bytes({0x42, 0x03}));
    const auto request = [&](int channel, const QByteArray& c) { return KnxIp::tunnellingRequest(channel, 0, c); };
    const auto with = [](QByteArray d, int i, int v) { return d[i] = static_cast<char>(v), d; };
    const QByteArray good = request(ScriptedServer::kChannel, cemi);
    const QByteArray state = KnxIp::connectionStateResponse(ScriptedServer::kChannel, 0);
    for (const QByteArray& d : {with(good, 0, 5), with(with(state, 2, 0x05), 3, 0x30),
                                request(ScriptedServer::kChannel, cemi.left(cemi.size() - 1)),
                                request(ScriptedServer::kChannel + 1, cemi), with(good, 5, good.size() + 1),
                                QByteArray("\x06"), QByteArray()})
        server.push(d);
    QElapsedTimer t;
    t.start();
    while (l.link.tunnel().malformedTotal() + l.link.tunnel().ignoredForeign() < 7 && t.elapsed() < 2000)
        l.link.clock().idle();
    const auto& malformed = l.link.tunnel().malformed();
    const auto fault = [&](KnxIp::Fault f) { return malformed[static_cast<int>(f)]; };
    EXPECT_EQ(fault(KnxIp::Fault::BadHeaderLength), 1);
    EXPECT_EQ(fault(KnxIp::Fault::UnknownService), 1);
    EXPECT_EQ(fault(KnxIp::Fault::BadCemi), 1);
    EXPECT_EQ(fault(KnxIp::Fault::LengthMismatch), 1);
    EXPECT_EQ(fault(KnxIp::Fault::TooShort), 2);
    EXPECT_EQ(l.link.tunnel().ignoredForeign(), 1);
    QStringList notes;
    for (const LinkNote& n : l.link.takeNotes())
        notes << QString::fromUtf8(n.text->en) + n.detail;
    EXPECT_EQ(notes, (QStringList{QStringLiteral("malformed KNXnet/IP datagrams ignored: 6"), QStringLiteral("foreign KNXnet/IP datagrams ignored: 1")}));
    EXPECT_TRUE(l.link.takeNotes().empty()); // told once
    // A good one after them all is taken: the tunnel is still open.
    server.push(good);
    QByteArray got;
    while (!l.link.tunnel().takeFrame(got) && t.elapsed() < 4000)
        l.link.tunnel().service(1000);
    EXPECT_EQ(got, cemi);
    EXPECT_EQ(l.link.tunnel().state(), KnxNetIpTunnel::State::Open);
    l.link.close();
}

TEST(KnxTunnelTest, HeartbeatsAreSentAndTheirAbsenceDropsTheTunnel)
{
    std::atomic<bool> answer{true};
    ScriptedServer server([&answer](const KnxIp::Datagram& d) {
        if (d.service == KnxIp::ConnectionStateRequest && answer)
            return std::vector<QByteArray>{KnxIp::connectionStateResponse(d.channel, KnxIp::NoError)};
        return std::vector<QByteArray>{};
    });
    KnxNetIpTunnel tunnel(QHostAddress::LocalHost, server.port());
    tunnel.heartbeatMs = 100;
    tunnel.heartbeatTimeoutMs = 50;
    ASSERT_TRUE(tunnel.open());
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 450)
        tunnel.service(1000);
    EXPECT_GE(server.count(KnxIp::ConnectionStateRequest), 3);
    EXPECT_EQ(tunnel.state(), KnxNetIpTunnel::State::Open);
    answer = false;
    t.restart();
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
    OpenLink l(server);
    server.push(KnxIp::disconnectRequest(ScriptedServer::kChannel, {0x7F000001, server.port()}));
    QElapsedTimer t;
    t.start();
    QByteArray buffer;
    int rc = 0;
    while ((rc = l.link.receive(buffer)) == 0 && t.elapsed() < 2000)
        l.link.clock().idle();
    EXPECT_EQ(rc, LinkLost);
    l.link.close();
    // Nothing more to disconnect: the server ended it.
    EXPECT_EQ(server.count(KnxIp::DisconnectRequest), 0);
}

TEST(KnxTunnelTest, TheTransportLayerSendsOneTelegramAtATimeAndAcknowledgesTheDevice)
{
    ScriptedServer server(nullptr, true);
    OpenLink l(server);
    // The BCU's own memory is answered by the link: nothing of it goes out.
    ASSERT_EQ(l.link.send(EibFrame::localWrite(0x0116, bytes({0x05}))), 0);
    ASSERT_EQ(l.link.send(EibFrame::connect(0x1105)), 0);
    ASSERT_TRUE(l.confirmed());
    // Two memory reads: the second waits for the device's T_ACK of the first.
    ASSERT_EQ(l.link.send(EibFrame::data(Apci::memoryRead(3, 0x0104))), 0);
    ASSERT_TRUE(l.confirmed());
    ASSERT_EQ(l.link.send(EibFrame::data(Apci::memoryRead(1, 0x0116))), 0);
    ASSERT_TRUE(l.confirmed());
    server.countSoon(KnxIp::TunnellingRequest, 2);
    l.link.clock().sleepUs(50'000);
    EXPECT_EQ(server.count(KnxIp::TunnellingRequest), 2); // T_Connect and the first read only
    // The device acknowledges and answers; its answer comes twice (its
    // repetition), then a telegram out of order.
    const auto fromDevice = [](const QByteArray& tpdu) {
        return Cemi::dataFrame(Cemi::kDataIndication, 0x1105, ScriptedServer::kAddress, tpdu);
    };
    const QByteArray answer = bytes({0x42, 0x43, 0x01, 0x04, 0x7E, 0x07, 0x38});
    for (const QByteArray& tpdu : {bytes({0xC2}), answer, answer, bytes({0x4E, 0x43, 0x01, 0x04, 0x7E, 0x07, 0x38})})
        server.push(fromDevice(tpdu), true);
    server.countSoon(KnxIp::TunnellingRequest, 6);
    // The device refuses the second read (T_NAK): it goes again at once, and
    // once more when no T_ACK follows within a second.
    server.push(fromDevice(bytes({0xC7})), true);
    server.countSoon(KnxIp::TunnellingRequest, 7);
    l.link.clock().sleepUs(1'100'000);
    EXPECT_EQ(l.link.transportRepetitions(), 2);
    std::vector<QByteArray> frames;
    QByteArray buffer;
    while (l.link.receive(buffer) == 0 && buffer.at(0) != 0)
        frames.push_back(buffer.left(static_cast<quint8>(buffer.at(0)) + 1).toHex(' '));
    EXPECT_EQ(frames, std::vector<QByteArray>{"0e 39 b0 11 05 11 f0 66 42 43 01 04 7e 07 38"});

    std::vector<QByteArray> sent;
    for (const KnxIp::Datagram& d : server.received()) {
        Cemi::Frame f;
        if (d.service == KnxIp::TunnellingRequest && Cemi::parse(d.cemi, f))
            sent.push_back(f.tpdu.toHex(' '));
    }
    const std::vector<QByteArray> expected{
        "80",          // T_Connect
        "42 03 01 04", // the first read, sequence 0
        "46 01 01 16", // the second read, sequence 1, once the device's T_ACK came
        "c2",          // T_ACK of the device's answer, sequence 0
        "c2",          // the repeated answer acknowledged again, not passed up
        "cf",          // T_NAK for sequence 3
        "46 01 01 16", // the second read again for the device's T_NAK
        "46 01 01 16", // and for the missing T_ACK
    };
    EXPECT_EQ(sent, expected);
    l.link.close();
}

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
    bool done = true;
    EXPECT_EQ(nobody.pollConfirm(&done), LinkNotOpen);
}

} // namespace

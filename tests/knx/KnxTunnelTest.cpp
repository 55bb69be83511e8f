// The tunnelling client and the link on it against a scripted tunnel server on loopback.

#include "tests/knx/KnxdHarness.h"

#include "transfer/bus/BusTexts.h"
#include "transfer/bus/EibFrames.h"
#include "transfer/bus/KnxNetIpLink.h"

#include <QElapsedTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

using Datagrams = std::vector<QByteArray>;

// Calls `idle` until `done` says so or `ms` have passed; what `done` said last.
template <class Idle, class Done>
bool Within(int ms, Idle idle, Done done)
{
    QElapsedTimer t;
    t.start();
    bool d = false;
    while (!(d = done()) && t.elapsed() < ms) idle();
    return d;
}

// A tunnel server on 127.0.0.1 in a thread of its own: it answers a connect
// request with channel 7 and address 1.1.240 (or refuses it) and a
// disconnect request; with `confirm` it acknowledges every tunnelling
// request and confirms its frame (L_Data.con); every other datagram goes to `reply`.
class ScriptedServer {
public:
    static constexpr quint8 kChannel = 7;
    static constexpr quint16 kAddress = 0x11F0;

    explicit ScriptedServer(std::function<Datagrams(const KnxIp::Datagram&)> reply, bool confirm = false)
        : reply_(std::move(reply)), confirm_(confirm), fd_(::socket(AF_INET, SOCK_DGRAM, 0))
    {
        sockaddr_in a{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t n = sizeof a;
        ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
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
    // How many of a service came, waiting up to a second for `expected`.
    int count(quint16 service, int expected = 0)
    {
        const auto n = [&] { return std::ranges::count(received(), service, &KnxIp::Datagram::service); };
        const auto pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(5)); };
        Within(1000, pause, [&] { return n() >= expected; });
        return int(n());
    }
    // Sends a datagram to the client, or (`frame`) a cEMI frame in a
    // tunnelling request with the server's next sequence number.
    void push(const QByteArray& datagram, bool frame = false)
    {
        std::lock_guard lock(mutex_);
        pushes_.emplace_back(datagram, frame);
    }

    std::atomic<bool> refuse{false}; // answer connect requests with "no more connections"

private:
    void run()
    {
        sockaddr_in client{};
        bool known = false;
        const auto send = [&](const QByteArray& d) {
            ::sendto(fd_, d.constData(), size_t(d.size()), 0, reinterpret_cast<const sockaddr*>(&client), sizeof client);
        };
        while (!stop_) {
            if (known) {
                std::lock_guard lock(mutex_);
                for (const auto& [d, frame] : pushes_) send(frame ? KnxIp::tunnellingRequest(kChannel, sequence_++, d) : d);
                pushes_.clear();
            }
            char buffer[512];
            socklen_t n = sizeof client;
            const ssize_t got = ::recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&client), &n);
            if (got <= 0) continue;
            known = true;
            KnxIp::Datagram d;
            KnxIp::parse(QByteArray(buffer, qsizetype(got)), d);
            Datagrams out;
            QByteArray con = d.cemi;
            if (!con.isEmpty()) con[0] = static_cast<char>(Cemi::kDataConfirm);
            if (d.service == KnxIp::ConnectRequest) out = {refuse ? KnxIp::connectResponse(0, KnxIp::NoMoreConnections, {}, 0) : KnxIp::connectResponse(kChannel, KnxIp::NoError, {0x7F000001, port_}, kAddress)};
            else if (d.service == KnxIp::DisconnectRequest) out = {KnxIp::disconnectResponse(d.channel, KnxIp::NoError)};
            else if (confirm_ && d.service == KnxIp::TunnellingRequest) out = {KnxIp::tunnellingAck(d.channel, d.sequence, KnxIp::NoError), KnxIp::tunnellingRequest(d.channel, sequence_++, con)};
            else if (reply_) out = reply_(d);
            {
                std::lock_guard lock(mutex_);
                received_.push_back(d);
            }
            for (const QByteArray& o : out) send(o);
        }
    }

    std::function<Datagrams(const KnxIp::Datagram&)> reply_;
    bool confirm_;
    int fd_;
    quint8 sequence_ = 0;
    quint16 port_ = 0;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<KnxIp::Datagram> received_;
    std::vector<std::pair<QByteArray, bool>> pushes_;
};

// A link on the scripted server, opened.
struct OpenLink {
    explicit OpenLink(ScriptedServer& server) : link(QHostAddress::LocalHost, server.port(), QStringLiteral("knxnetip:test")) { EXPECT_EQ(link.install(0, 9600, 2000, 500, 0), 0); }
    // Polls for the confirmation of the last frame for up to `ms`: the poll's code, or 1 when confirmed.
    int confirm(int ms = 1000)
    {
        int rc = 0;
        bool done = false;
        Within(ms, idle, [&] { return (rc = link.pollConfirm(&done)) != 0 || done; });
        return rc ? rc : int(done);
    }
    KnxNetIpLink link;
    std::function<void()> idle = [this] { link.clock().idle(); };
};

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (const int v : list) b += static_cast<char>(v);
    return b;
}

TEST(KnxTunnelTest, AnUnacknowledgedRequestIsRepeatedOnceThenTheTunnelIsDroppedAndReopenedUnlessRefused)
{
    ScriptedServer server(nullptr);
    OpenLink l(server);
    EXPECT_EQ(l.link.ownAddress(), ScriptedServer::kAddress);
    ASSERT_EQ(l.link.send(EibFrame::connect(0x1105)), 0);
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(l.confirm(5000), LinkLost);
    EXPECT_GE(t.elapsed(), 1900);
    EXPECT_LT(t.elapsed(), 3000);
    // The request went twice with the same sequence number, then the tunnel
    // was given up with a disconnect request.
    server.count(KnxIp::DisconnectRequest, 1);
    const std::vector<KnxIp::Datagram> got = server.received();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(std::vector<quint16>({got[0].service, got[1].service, got[2].service, got[3].service}),
              std::vector<quint16>({KnxIp::ConnectRequest, KnxIp::TunnellingRequest, KnxIp::TunnellingRequest, KnxIp::DisconnectRequest}));
    EXPECT_EQ(std::tie(got[1].sequence, got[1].cemi), std::tie(got[2].sequence, got[2].cemi));
    EXPECT_EQ(got[3].channel, ScriptedServer::kChannel);
    const std::vector<LinkNote> notes = l.link.takeNotes();
    EXPECT_TRUE(std::any_of(notes.begin(), notes.end(), [](const LinkNote& n) { return n.text == &kKnxNotAcknowledged; }));
    // The next open makes a new tunnel; closing it always disconnects.
    ASSERT_EQ(l.link.install(0, 9600, 2000, 500, 0), 0);
    EXPECT_EQ(server.count(KnxIp::ConnectRequest), 2);
    l.link.close();
    EXPECT_EQ(server.count(KnxIp::DisconnectRequest, 3), 3);
    // A refused connect, or no server at all, fails the open with the reason; nothing was opened to disconnect.
    server.refuse = true;
    l.link.takeNotes();
    KnxNetIpLink nobody(QHostAddress::LocalHost, 9, QStringLiteral("knxnetip:127.0.0.1:9"));
    nobody.connectTimeoutMs = 300;
    for (const auto& [link, note, detail] : {std::tuple(&l.link, &kKnxRefused, QStringLiteral("0x24")), std::tuple(&nobody, &kKnxNoServer, QString())}) {
        EXPECT_EQ(link->install(0, 9600, 2000, 500, 0), LinkInstallFailed);
        const std::vector<LinkNote> notes = link->takeNotes();
        ASSERT_EQ(notes.size(), 1u);
        EXPECT_EQ(notes[0].text, note);
        if (!detail.isEmpty()) { EXPECT_EQ(notes[0].detail, detail); }
        bool done = true;
        EXPECT_EQ(link->pollConfirm(&done), LinkNotOpen);
    }
    EXPECT_EQ(server.count(KnxIp::DisconnectRequest), 3);
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
    for (const QByteArray& d : {with(good, 0, 5), with(with(state, 2, 0x05), 3, 0x30), request(ScriptedServer::kChannel, cemi.left(cemi.size() - 1)),
                                request(ScriptedServer::kChannel + 1, cemi), with(good, 5, good.size() + 1), QByteArray("\x06"), QByteArray()})
        server.push(d);
    KnxNetIpTunnel& tunnel = l.link.tunnel();
    Within(2000, l.idle, [&] { return tunnel.malformedTotal() + tunnel.ignoredForeign() >= 7; });
    const auto fault = [&](KnxIp::Fault f) { return tunnel.malformed()[static_cast<int>(f)]; };
    EXPECT_EQ(std::vector<int>({fault(KnxIp::Fault::BadHeaderLength), fault(KnxIp::Fault::UnknownService), fault(KnxIp::Fault::BadCemi),
                                fault(KnxIp::Fault::LengthMismatch), fault(KnxIp::Fault::TooShort), tunnel.ignoredForeign()}),
              std::vector<int>({1, 1, 1, 1, 2, 1}));
    QStringList notes;
    for (const LinkNote& n : l.link.takeNotes()) notes << QString::fromUtf8(n.text->en) + n.detail;
    EXPECT_EQ(notes, (QStringList{QStringLiteral("malformed KNXnet/IP datagrams ignored: 6"), QStringLiteral("foreign KNXnet/IP datagrams ignored: 1")}));
    EXPECT_TRUE(l.link.takeNotes().empty()); // told once
    // A good one after them all is taken: the tunnel is still open.
    server.push(good);
    QByteArray got;
    const auto service = [&] { tunnel.service(1000); };
    Within(2000, service, [&] { return tunnel.takeFrame(got); });
    EXPECT_EQ(got, cemi);
    EXPECT_EQ(tunnel.state(), KnxNetIpTunnel::State::Open);
    // A server ending the tunnel is answered and the link reports it; nothing more to disconnect then.
    server.push(KnxIp::disconnectRequest(ScriptedServer::kChannel, {0x7F000001, server.port()}));
    QByteArray buffer;
    int rc = 0;
    Within(2000, l.idle, [&] { return (rc = l.link.receive(buffer)) != 0; });
    EXPECT_EQ(rc, LinkLost);
    l.link.close();
    EXPECT_EQ(server.count(KnxIp::DisconnectRequest), 0);
}

TEST(KnxTunnelTest, HeartbeatsAreSentAndTheirAbsenceDropsTheTunnel)
{
    std::atomic<bool> answer{true};
    ScriptedServer server([&answer](const KnxIp::Datagram& d) {
        return d.service == KnxIp::ConnectionStateRequest && answer ? Datagrams{KnxIp::connectionStateResponse(d.channel, KnxIp::NoError)} : Datagrams{};
    });
    KnxNetIpTunnel tunnel(QHostAddress::LocalHost, server.port());
    tunnel.heartbeatMs = 100;
    tunnel.heartbeatTimeoutMs = 50;
    ASSERT_TRUE(tunnel.open());
    const auto service = [&] { tunnel.service(1000); };
    Within(450, service, [] { return false; });
    EXPECT_GE(server.count(KnxIp::ConnectionStateRequest), 3);
    EXPECT_EQ(tunnel.state(), KnxNetIpTunnel::State::Open);
    answer = false;
    QElapsedTimer t;
    t.start();
    Within(3000, service, [&] { return tunnel.state() != KnxNetIpTunnel::State::Open; });
    EXPECT_GE(t.elapsed(), 140); // three requests of 50 ms each without an answer
    EXPECT_EQ(tunnel.state(), KnxNetIpTunnel::State::Failed);
    EXPECT_EQ(tunnel.failure(), KnxNetIpTunnel::Failure::NoHeartbeat);
    EXPECT_EQ(server.count(KnxIp::DisconnectRequest, 1), 1);
}

TEST(KnxTunnelTest, TheTransportLayerSendsOneTelegramAtATimeAndAcknowledgesTheDevice)
{
    ScriptedServer server(nullptr, true);
    OpenLink l(server);
    // The BCU's own memory is answered by the link: nothing of it goes out.
    // The second memory read waits for the device's T_ACK of the first.
    ASSERT_EQ(l.link.send(EibFrame::localWrite(0x0116, bytes({0x05}))), 0);
    for (const QByteArray& frame : {EibFrame::connect(0x1105), EibFrame::data(Apci::memoryRead(3, 0x0104)), EibFrame::data(Apci::memoryRead(1, 0x0116))}) {
        ASSERT_EQ(l.link.send(frame), 0);
        ASSERT_EQ(l.confirm(), 1);
    }
    server.count(KnxIp::TunnellingRequest, 2);
    l.link.clock().sleepUs(50'000);
    EXPECT_EQ(server.count(KnxIp::TunnellingRequest), 2); // T_Connect and the first read only
    // The device acknowledges and answers; its answer comes twice (its
    // repetition), then a telegram out of order.
    const auto fromDevice = [](const QByteArray& tpdu) { return Cemi::dataFrame(Cemi::kDataIndication, 0x1105, ScriptedServer::kAddress, tpdu); };
    const QByteArray answer = bytes({0x42, 0x43, 0x01, 0x04, 0x7E, 0x07, 0x38});
    for (const QByteArray& tpdu : {bytes({0xC2}), answer, answer, bytes({0x4E, 0x43, 0x01, 0x04, 0x7E, 0x07, 0x38})}) server.push(fromDevice(tpdu), true);
    server.count(KnxIp::TunnellingRequest, 6);
    // The device refuses the second read (T_NAK): it goes again at once, and
    // once more when no T_ACK follows within a second.
    server.push(fromDevice(bytes({0xC7})), true);
    server.count(KnxIp::TunnellingRequest, 7);
    l.link.clock().sleepUs(1'100'000);
    EXPECT_EQ(l.link.transportRepetitions(), 2);
    Datagrams frames;
    QByteArray buffer;
    while (l.link.receive(buffer) == 0 && buffer.at(0) != 0) frames.push_back(buffer.left(static_cast<quint8>(buffer.at(0)) + 1).toHex(' '));
    EXPECT_EQ(frames, Datagrams{"0e 39 b0 11 05 11 f0 66 42 43 01 04 7e 07 38"});
    Datagrams sent;
    for (const KnxIp::Datagram& d : server.received())
        if (Cemi::Frame f; d.service == KnxIp::TunnellingRequest && Cemi::parse(d.cemi, f)) sent.push_back(f.tpdu.toHex(' '));
    // T_Connect; the first read (sequence 0); the second (sequence 1) once the device's T_ACK came; T_ACK of the
    // device's answer; again for its repetition, which is not passed up; T_NAK for sequence 3; the second read
    // again for the device's T_NAK, and for the missing T_ACK.
    EXPECT_EQ(sent, (Datagrams{"80", "42 03 01 04", "46 01 01 16", "c2", "c2", "cf", "46 01 01 16", "46 01 01 16"}));
    l.link.close();
}

} // namespace

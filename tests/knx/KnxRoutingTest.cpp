// KNXnet/IP routing and discovery: the parsers of their datagrams; the
// routing group against a scripted router (busy, lost messages, junk); and
// through knxd as a KNX IP router, with zendrik-bus-device as the time
// switch behind its tunnel: bus-interfaces finds it, and bus-search,
// bus-write and bus-read reach the device through the group.

#include "tests/knx/KnxdHarness.h"
#include "tests/knx/KnxdRouter.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include "transfer/bus/BusTexts.h"
#include "transfer/bus/KnxNetIpDiscoveryFrames.h"
#include "transfer/bus/KnxNetIpRouter.h"
#include "transfer/bus/KnxNetIpRoutingFrames.h"
#include "transfer/bus/KnxNetIpTunnel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QTemporaryDir>
#include <QUdpSocket>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

constexpr quint16 kOwn = 0xFFFA; // 15.15.250
const QHostAddress kGroup(KnxIp::kRoutingGroup);

// A mask read from 1.1.5, or from us as a request to send.
QByteArray frameTo(quint16 destination, quint8 code = Cemi::kDataIndication)
{
    return Cemi::dataFrame(code, 0x1105, destination, QByteArray::fromHex("0300"));
}
QByteArray ours(quint8 code = Cemi::kDataRequest)
{
    return Cemi::dataFrame(code, kOwn, 0x1105, QByteArray::fromHex("0300"));
}

KnxIp::DeviceInfo routerInfo()
{
    KnxIp::DeviceInfo i;
    i.address = 0x11FA;
    i.serial = QByteArray::fromHex("00c5000102ab");
    i.multicast = KnxIp::kRoutingGroup;
    i.mac = QByteArray::fromHex("0a0b0c0d0e0f");
    i.name = u"Linie 1 Keller"_s;
    i.families = {{KnxIp::FamilyCore, 1}, {KnxIp::FamilyTunnelling, 1}, {KnxIp::FamilyRouting, 1}};
    return i;
}

QByteArray withByte(QByteArray b, int i, int v)
{
    b[i] = static_cast<char>(v);
    return b;
}

TEST(KnxRoutingFrames, ParsersNameWhatIsWrongAndTakeBackWhatTheyBuild)
{
    const QByteArray indication = KnxIp::routingIndication(frameTo(kOwn));
    const QByteArray search = KnxIp::searchResponse({0x7F000001, 3671}, routerInfo());
    const QByteArray description = KnxIp::descriptionResponse(routerInfo());
    const struct {
        const char* what;
        QByteArray bytes;
        KnxIp::Fault routing;
        KnxIp::Fault discovery;
    } cases[] = {
        {"indication", indication, KnxIp::Fault::None, KnxIp::Fault::UnknownService},
        {"busy", KnxIp::routingBusy(0, 100), KnxIp::Fault::None, KnxIp::Fault::UnknownService},
        {"lost message", KnxIp::routingLostMessage(0, 3), KnxIp::Fault::None, KnxIp::Fault::UnknownService},
        {"search response", search, KnxIp::Fault::UnknownService, KnxIp::Fault::None},
        {"description response", description, KnxIp::Fault::UnknownService, KnxIp::Fault::None},
        {"search request", KnxIp::searchRequest({0x7F000001, 40000}), KnxIp::Fault::UnknownService, KnxIp::Fault::None},
        {"short header", indication.left(4), KnxIp::Fault::TooShort, KnxIp::Fault::TooShort},
        {"wrong total length", withByte(indication, 5, indication.size() + 2), KnxIp::Fault::LengthMismatch,
         KnxIp::Fault::LengthMismatch},
        {"a request to send inside", KnxIp::routingIndication(frameTo(kOwn, Cemi::kDataRequest)),
         KnxIp::Fault::BadCemi, KnxIp::Fault::UnknownService},
        {"busy one byte short", withByte(KnxIp::routingBusy(0, 100).left(11), 5, 11), KnxIp::Fault::BadBody,
         KnxIp::Fault::UnknownService},
        {"lost with structure length 5", withByte(KnxIp::routingLostMessage(0, 1), 6, 5), KnxIp::Fault::BadBody,
         KnxIp::Fault::UnknownService},
        {"tunnelling ack", KnxIp::tunnellingAck(1, 0, 0), KnxIp::Fault::UnknownService, KnxIp::Fault::UnknownService},
        {"device block overrunning the datagram", withByte(description, 6, 60), KnxIp::Fault::UnknownService,
         KnxIp::Fault::BadBody},
        {"without the services block", withByte(description.left(60), 5, 60), KnxIp::Fault::UnknownService,
         KnxIp::Fault::BadBody},
        {"search response over TCP", withByte(search, 7, 2), KnxIp::Fault::UnknownService, KnxIp::Fault::BadEndpoint},
    };
    for (const auto& c : cases) {
        KnxIp::RoutingDatagram r;
        KnxIp::DiscoveryDatagram d;
        EXPECT_EQ(static_cast<int>(KnxIp::parseRouting(c.bytes, r)), static_cast<int>(c.routing)) << c.what;
        EXPECT_EQ(static_cast<int>(KnxIp::parseDiscovery(c.bytes, d)), static_cast<int>(c.discovery)) << c.what;
    }
    KnxIp::DiscoveryDatagram d;
    ASSERT_EQ(KnxIp::parseDiscovery(search, d), KnxIp::Fault::None);
    EXPECT_EQ(d.endpoint, (KnxIp::Endpoint{0x7F000001, 3671}));
    EXPECT_EQ(d.info, routerInfo());
    EXPECT_TRUE(d.info.offers(KnxIp::FamilyRouting));
    EXPECT_FALSE(d.info.offers(KnxIp::FamilySecurity));
    KnxIp::RoutingDatagram r;
    ASSERT_EQ(KnxIp::parseRouting(KnxIp::routingBusy(1, 250, 7), r), KnxIp::Fault::None);
    EXPECT_EQ(std::tuple(r.deviceState, r.waitMs, r.control), std::tuple(quint8(1), quint16(250), quint16(7)));
}

// A router of our own on the group, inside the private namespace: it hears
// what the link sends and says what a busy router says.
struct ScriptedRouter {
    QUdpSocket listen;
    QUdpSocket speak;
    bool open()
    {
        return listen.bind(kGroup, KnxIp::kDefaultPort, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)
            && listen.joinMulticastGroup(kGroup) && speak.bind(QHostAddress::LocalHost, 0);
    }
    void say(const QByteArray& datagram) { speak.writeDatagram(datagram, kGroup, KnxIp::kDefaultPort); }
    // The cEMI frame of the next indication on the group, waiting up to `ms`.
    QByteArray heard(int ms)
    {
        for (QElapsedTimer t; !t.isValid() || t.elapsed() < ms;) {
            if (!t.isValid())
                t.start();
            if (!listen.hasPendingDatagrams() && !listen.waitForReadyRead(10))
                continue;
            KnxIp::RoutingDatagram d;
            if (KnxIp::parseRouting(listen.receiveDatagram().data(), d) == KnxIp::Fault::None
                && d.service == KnxIp::RoutingIndication)
                return d.cemi;
        }
        return {};
    }
};

class KnxRoutingTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(NotInPrivateNetwork().isEmpty()) << "only in a private network namespace"; }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString protocol() const
    {
        QFile f(path(u"protocol.txt"_s));
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
    }
    void serviceUntil(KnxNetIpRouter& router, const std::function<bool()>& done, int ms = 2000)
    {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < ms)
            router.service(5000);
    }
    QTemporaryDir dir;
};

TEST_F(KnxRoutingTest, AScriptedRouterHoldsUsBackCountsLossesAndJunkIsIgnored)
{
    ScriptedRouter peer;
    ASSERT_TRUE(peer.open());
    KnxNetIpRouter router(kGroup, KnxIp::kDefaultPort, kOwn);
    ASSERT_TRUE(router.open(0));

    // A frame goes out as an indication from our address, confirmed at once.
    ASSERT_TRUE(router.send(ours()));
    EXPECT_EQ(peer.heard(500), ours(Cemi::kDataIndication));
    QByteArray got;
    ASSERT_TRUE(router.takeFrame(got));
    EXPECT_EQ(got, ours(Cemi::kDataConfirm));

    // A busy holds the next frame back for its time (and up to 50 ms at
    // random for the first busy); the slowdown then wears off.
    peer.say(KnxIp::routingBusy(0, 200));
    serviceUntil(router, [&] { return router.busies() == 1; });
    QElapsedTimer held;
    held.start();
    router.send(ours());
    serviceUntil(router, [&] { return !router.holding(); }, 1000);
    EXPECT_FALSE(peer.heard(300).isEmpty());
    EXPECT_TRUE(router.takeFrame(got));
    EXPECT_GE(held.elapsed(), 190);
    EXPECT_LT(held.elapsed(), 400);
    EXPECT_EQ(router.slowdown(), 1);
    serviceUntil(router, [&] { return router.slowdown() == 0; }, 500);
    EXPECT_EQ(router.slowdown(), 0);

    // Lost messages are counted and told; a busy for one router's tunnels is not ours.
    peer.say(KnxIp::routingLostMessage(0, 3));
    peer.say(KnxIp::routingLostMessage(0, 2));
    peer.say(KnxIp::routingBusy(0, 500, 0x1234));
    // Junk and frames for others are ignored and counted; our own looped
    // back frames are dropped silently; a frame for us comes up.
    const QByteArray junk[] = {
        KnxIp::routingIndication(frameTo(kOwn)).left(5),                          // short header
        withByte(KnxIp::routingIndication(frameTo(kOwn)), 5, 40),                 // wrong length
        KnxIp::tunnellingAck(1, 0, 0),                                            // another service type
        KnxIp::routingIndication(frameTo(kOwn, Cemi::kDataRequest)),              // not an indication inside
    };
    for (const QByteArray& j : junk)
        peer.say(j);
    peer.say(KnxIp::routingIndication(frameTo(0x1106)));
    peer.say(KnxIp::routingIndication(Cemi::dataFrame(Cemi::kDataIndication, kOwn, 0x1105, QByteArray(1, 0))));
    peer.say(KnxIp::routingIndication(frameTo(kOwn)));
    serviceUntil(router, [&] { return router.malformedTotal() + router.ignoredForeign() >= 6 && router.lostTotal() == 5; });
    EXPECT_EQ(router.lostTotal(), 5);
    EXPECT_EQ(router.busies(), 1);
    const auto& m = router.malformed();
    EXPECT_EQ((std::vector<int>{m[int(KnxIp::Fault::TooShort)], m[int(KnxIp::Fault::LengthMismatch)],
                                m[int(KnxIp::Fault::UnknownService)], m[int(KnxIp::Fault::BadCemi)]}),
              (std::vector<int>{1, 1, 1, 1}));
    EXPECT_EQ(router.ignoredForeign(), 2);
    ASSERT_TRUE(router.takeFrame(got));
    EXPECT_EQ(got, frameTo(kOwn));
    EXPECT_FALSE(router.takeFrame(got));
    QStringList notes;
    for (const LinkNote& n : router.takeNotes())
        notes << QString::fromUtf8(n.text->en) + n.detail;
    EXPECT_EQ(notes, (QStringList{u"KNX IP router busy (ROUTING_BUSY), holding back 200 ms"_s,
                                  u"KNX IP router lost telegrams (ROUTING_LOST_MESSAGE), count (total): 3 (3)"_s,
                                  u"KNX IP router lost telegrams (ROUTING_LOST_MESSAGE), count (total): 2 (5)"_s}));
}

TEST_F(KnxRoutingTest, BusInterfacesFindsKnxdWithTheNameAndServicesItAnnounces)
{
    KnxdRouter knxd;
    ASSERT_TRUE(knxd.start()) << knxd.failure().toStdString();
    QElapsedTimer t;
    t.start();
    const CliRun found = RunCli({u"bus-interfaces"_s}, dir.path());
    EXPECT_LT(t.elapsed(), 3500); // the search's three seconds and the program's start
    EXPECT_EQ(found.exitCode, 0) << found.err.toStdString();
    EXPECT_EQ(found.out, u"127.0.0.1:3671\t1.1.250\t"_s + QLatin1String(KnxdRouter::kName) + u"\ttunnelling,routing\n"_s);
    const CliRun json = RunCli({u"bus-interfaces"_s, u"--timeout"_s, u"0.5"_s, u"--json"_s}, dir.path());
    const QJsonArray list = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(list.size(), 1) << json.out.toStdString();
    EXPECT_EQ(list[0][u"connections"_s].toArray(),
              QJsonArray({u"knxnetip:127.0.0.1:3671"_s, u"routing:224.0.23.12"_s}));
    EXPECT_TRUE(list[0][u"described"_s].toBool());
    knxd.stop();
    const CliRun none = RunCli({u"bus-interfaces"_s, u"--timeout"_s, u"0.3"_s}, dir.path());
    EXPECT_EQ(none.exitCode, 3);
    EXPECT_EQ(none.out, QString());
    EXPECT_EQ(RunCli({u"bus-interfaces"_s, u"--timeout"_s, u"-1"_s}, dir.path()).exitCode, 2);
}

TEST_F(KnxRoutingTest, SearchWriteAndReadBackThroughTheRoutingGroup)
{
    ASSERT_TRUE(QFile::copy(u"" ZENDRIK_SHIPPED_DATA "/remote.s19"_s, path(u"remote.s19"_s)));
    ProgramModel m = canonical738();
    ASSERT_FALSE(saveProgramAs(m, path(u"prog.zpg"_s)).isEmpty());
    KnxdRouter knxd;
    ASSERT_TRUE(knxd.start()) << knxd.failure().toStdString();
    ASSERT_TRUE(writeFile(path(u"line.ini"_s), "[device 1.1.5]\n[device 1.1.6]\nmask = 0x0020\n"));
    BusDevice device;
    ASSERT_TRUE(device.start({u"--link"_s, knxd.tunnelLink(), path(u"line.ini"_s)}, dir.path()))
        << device.failure().toStdString();
    // Paced: knxd passes frames onto the group at the pace of a KNX line,
    // as a KNX IP router does, slower than an unpaced link would wait.
    const auto cli = [&](const QStringList& args, const QString& own = QString()) {
        return RunCli(QStringList{u"--type"_s, u"20"_s} + args + QStringList{u"--link"_s, knxd.routingLink() + own},
                      dir.path(), 180000);
    };
    const CliRun s = cli({u"bus-search"_s, u"--area"_s, u"1"_s, u"--line"_s, u"1"_s, u"--from"_s, u"4"_s, u"--to"_s, u"7"_s},
                         u"#1.1.251"_s);
    EXPECT_EQ(s.exitCode, 0) << s.err.toStdString();
    EXPECT_EQ(s.out, u"1.1.5\n"_s);
    EXPECT_TRUE(protocol().contains(u"224.0.23.12:3671, 1.1.251"_s)) << protocol().toStdString();

    const CliRun w = cli({u"bus-write"_s, path(u"prog.zpg"_s), u"--address"_s, u"1.1.5"_s});
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString() << protocol().toStdString();
    EXPECT_TRUE(protocol().contains(u"224.0.23.12:3671, 15.15.250"_s)) << protocol().toStdString();
    const CliRun r = cli({u"bus-read"_s, u"--address"_s, u"1.1.5"_s, u"--out"_s, path(u"back.zpg"_s)});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const auto list = [&](const QString& file) { return RunCli({u"--type"_s, u"20"_s, u"list"_s, file}, dir.path()).out; };
    ASSERT_FALSE(list(path(u"prog.zpg"_s)).isEmpty());
    EXPECT_EQ(list(path(u"back.zpg"_s)), list(path(u"prog.zpg"_s)));

    // A connection text that names no multicast group is refused before anything is sent.
    const CliRun bad = RunCli({u"--type"_s, u"20"_s, u"bus-search"_s, u"--link"_s, u"routing:10.0.0.1"_s, u"--area"_s,
                               u"1"_s, u"--line"_s, u"1"_s, u"--from"_s, u"1"_s, u"--to"_s, u"1"_s},
                              dir.path());
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains(u"routing group"_s)) << bad.err.toStdString();
}

// Not routing, but what knxd does to a tunnel when a router is on: a frame
// for the new tunnel right behind the connect response is taken and
// acknowledged, not left for the server to wait on. The server is a plain
// socket on a thread of its own, as the tunnel's open() waits on its own.
TEST_F(KnxRoutingTest, AFrameRightBehindTheConnectResponseIsTakenAndAcknowledged)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof at;
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &length);
    const timeval wait{2, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    const QByteArray frame = Cemi::dataFrame(Cemi::kDataIndication, 0x1105, 0x11F0, QByteArray::fromHex("0080"));
    std::vector<quint16> heard; // the services the server received
    std::thread server([&] {
        char buffer[512];
        sockaddr_in client{};
        for (int i = 0; i < 3; ++i) {
            socklen_t size = sizeof client;
            const auto n = ::recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&client), &size);
            KnxIp::Datagram d;
            if (n <= 0 || KnxIp::parse(QByteArray(buffer, int(n)), d) != KnxIp::Fault::None)
                break;
            heard.push_back(d.service);
            if (d.service != KnxIp::ConnectRequest)
                continue;
            for (const QByteArray& answer : {KnxIp::connectResponse(7, 0, {0x7F000001, ntohs(at.sin_port)}, 0x11F0),
                                             KnxIp::tunnellingRequest(7, 0, frame)})
                ::sendto(fd, answer.constData(), size_t(answer.size()), 0, reinterpret_cast<sockaddr*>(&client), size);
        }
    });
    KnxNetIpTunnel tunnel(QHostAddress::LocalHost, ntohs(at.sin_port));
    EXPECT_TRUE(tunnel.open(1000));
    QByteArray got;
    for (QElapsedTimer t; (t.isValid() || (t.start(), true)) && t.elapsed() < 1000 && !tunnel.takeFrame(got);)
        tunnel.service(1000);
    EXPECT_EQ(got, frame);
    tunnel.close();
    server.join();
    ::close(fd);
    EXPECT_EQ(heard, (std::vector<quint16>{KnxIp::ConnectRequest, KnxIp::TunnellingAck, KnxIp::DisconnectRequest}));
}

} // namespace

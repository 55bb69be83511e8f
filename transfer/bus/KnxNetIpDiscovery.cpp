#include "transfer/bus/KnxNetIpDiscovery.h"

#include "transfer/bus/KnxNetIpFrames.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QUdpSocket>

#include <poll.h>

#include <algorithm>

namespace zendrik {

namespace {

constexpr qint64 kDiscoveryDatagramMax = 512;

QString endpointString(quint32 ip, quint16 port)
{
    return QStringLiteral("%1:%2").arg(QHostAddress(ip).toString()).arg(port);
}

// Every IPv4 address of the interfaces that are up, loopback included
// (a router or knxd on this machine answers there).
std::vector<QHostAddress> localAddresses()
{
    std::vector<QHostAddress> out;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        if (!(i.flags() & QNetworkInterface::IsUp))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries())
            if (e.ip().protocol() == QAbstractSocket::IPv4Protocol)
                out.push_back(e.ip());
    }
    return out;
}

} // namespace

QString KnxIpInterface::endpointText() const
{
    return endpointString(control.ip, control.port);
}

QStringList KnxIpInterface::services() const
{
    QStringList s;
    if (tunnelling())
        s << QStringLiteral("tunnelling");
    if (routing())
        s << QStringLiteral("routing");
    return s;
}

QStringList KnxIpInterface::connections() const
{
    QStringList c;
    if (tunnelling())
        c << QStringLiteral("knxnetip:") + endpointText();
    if (routing()) {
        const quint32 group = info.multicast != 0 ? info.multicast : 0xE000170C;
        QString text = QStringLiteral("routing:") + QHostAddress(group).toString();
        if (control.port != KnxIp::kDefaultPort && control.port != 0)
            text += QStringLiteral(":%1").arg(control.port);
        c << text;
    }
    return c;
}

struct KnxNetIpDiscovery::Socket {
    QUdpSocket udp;
    KnxIp::Endpoint local;
};

KnxNetIpDiscovery::KnxNetIpDiscovery(Options options) : options_(std::move(options)) { }

KnxNetIpDiscovery::~KnxNetIpDiscovery() = default;

bool KnxNetIpDiscovery::start()
{
    sockets_.clear();
    found_.clear();
    malformed_ = foreign_ = 0;
    timer_.start();
    started_ = true;
    const auto open = [this](const QHostAddress& local) -> Socket* {
        auto s = std::make_unique<Socket>();
        if (!s->udp.bind(local, 0))
            return nullptr;
        s->local = {local.toIPv4Address(), s->udp.localPort()};
        sockets_.push_back(std::move(s));
        return sockets_.back().get();
    };
    bool sent = false;
    const std::vector<QHostAddress> locals =
        options_.localAddresses.empty() ? localAddresses() : options_.localAddresses;
    for (const QHostAddress& local : locals) {
        Socket* s = open(local);
        if (!s)
            continue;
        // The search leaves through the interface of this address.
        for (const QNetworkInterface& i : QNetworkInterface::allInterfaces())
            for (const QNetworkAddressEntry& e : i.addressEntries())
                if (e.ip() == local)
                    s->udp.setMulticastInterface(i);
        sent |= s->udp.writeDatagram(KnxIp::searchRequest(s->local), options_.group, options_.port) > 0;
    }
    if (!options_.unicast.isNull() && options_.unicast.protocol() == QAbstractSocket::IPv4Protocol) {
        // From the address the route to the device leaves from.
        QHostAddress local = options_.unicast.isLoopback() ? QHostAddress(QHostAddress::LocalHost) : QHostAddress();
        if (local.isNull()) {
            QUdpSocket probe;
            probe.connectToHost(options_.unicast, options_.port);
            if (probe.waitForConnected(1000))
                local = probe.localAddress();
        }
        if (Socket* s = local.isNull() ? nullptr : open(local))
            sent |= s->udp.writeDatagram(KnxIp::searchRequest(s->local), options_.unicast, options_.port) > 0;
    }
    return sent;
}

bool KnxNetIpDiscovery::finished() const
{
    return !started_ || timer_.elapsed() >= options_.timeoutMs;
}

void KnxNetIpDiscovery::service(std::int64_t waitUs)
{
    if (sockets_.empty())
        return;
    std::vector<pollfd> fds;
    for (const auto& s : sockets_)
        fds.push_back({static_cast<int>(s->udp.socketDescriptor()), POLLIN, 0});
    waitUs = std::clamp<std::int64_t>(waitUs, 0, std::max<std::int64_t>(0, options_.timeoutMs - timer_.elapsed()) * 1000);
    const timespec t{static_cast<time_t>(waitUs / 1'000'000), static_cast<long>(waitUs % 1'000'000) * 1000};
    ::ppoll(fds.data(), fds.size(), &t, nullptr);
    for (const auto& s : sockets_) {
        while (s->udp.hasPendingDatagrams()) {
            const QNetworkDatagram d = s->udp.receiveDatagram(kDiscoveryDatagramMax);
            if (!d.isValid())
                break;
            handle(*s, d.data(), d.senderAddress(), static_cast<quint16>(d.senderPort()));
        }
    }
}

void KnxNetIpDiscovery::handle(Socket& socket, const QByteArray& bytes, const QHostAddress& from, quint16 fromPort)
{
    KnxIp::DiscoveryDatagram d;
    if (KnxIp::parseDiscovery(bytes, d) != KnxIp::Fault::None) {
        ++malformed_;
        return;
    }
    if (d.service == KnxIp::SearchResponse) {
        // A control endpoint of 0.0.0.0 means the address the answer came from.
        KnxIp::Endpoint control = d.endpoint;
        if (control.ip == 0)
            control.ip = from.toIPv4Address();
        if (control.port == 0)
            control.port = fromPort;
        const auto known = std::find_if(found_.begin(), found_.end(), [&](const KnxIpInterface& i) {
            return i.control == control;
        });
        if (known != found_.end())
            return; // heard again through another interface or the direct search
        found_.push_back({control, d.info, false});
        socket.udp.writeDatagram(KnxIp::descriptionRequest(socket.local), QHostAddress(control.ip), control.port);
        return;
    }
    if (d.service == KnxIp::DescriptionResponse) {
        const quint32 ip = from.toIPv4Address();
        auto it = std::find_if(found_.begin(), found_.end(), [&](const KnxIpInterface& i) {
            return !i.described && i.control.ip == ip && i.control.port == fromPort;
        });
        if (it == found_.end())
            it = std::find_if(found_.begin(), found_.end(),
                              [&](const KnxIpInterface& i) { return !i.described && i.control.ip == ip; });
        if (it == found_.end()) {
            ++foreign_;
            return;
        }
        it->info = d.info;
        it->described = true;
        return;
    }
    ++foreign_; // a request (our own search, looped back, among them)
}

std::vector<KnxIpInterface> KnxNetIpDiscovery::run(const Options& options, bool* sent)
{
    KnxNetIpDiscovery discovery(options);
    const bool ok = discovery.start();
    if (sent)
        *sent = ok;
    while (ok && !discovery.finished())
        discovery.service(50'000);
    return discovery.found();
}

} // namespace zendrik

#include "transfer/bus/KnxNetIpTunnel.h"

#include "transfer/bus/BusTexts.h"
#include "transfer/bus/PhysicalAddress.h"

#include <QHostInfo>
#include <QNetworkDatagram>
#include <QUdpSocket>

#include <poll.h>

#include <algorithm>

namespace zendrik {

namespace {

constexpr int kConnectRepeatMs = 100;
constexpr int kHeartbeatTries = 3;
constexpr int kCloseFlushMs = 300;
constexpr int kDisconnectWaitMs = 200;
constexpr qint64 kMaxDatagram = 512;

KnxIp::Endpoint endpointOf(const QHostAddress& address, quint16 port)
{
    bool ok = false;
    const quint32 ip = address.toIPv4Address(&ok);
    return {ok ? ip : 0, port};
}

} // namespace

bool ParseKnxNetIpTarget(const QString& text, QHostAddress* host, quint16* port)
{
    QString name = text.trimmed();
    *port = KnxIp::kDefaultPort;
    if (const qsizetype colon = name.lastIndexOf(QLatin1Char(':')); colon >= 0) {
        bool ok = false;
        const uint p = name.mid(colon + 1).toUInt(&ok);
        if (!ok || p == 0 || p > 65535)
            return false;
        *port = static_cast<quint16>(p);
        name = name.left(colon);
    }
    if (name.isEmpty())
        return false;
    QHostAddress address(name);
    if (address.isNull()) {
        // A host name: its first IPv4 address.
        const QHostInfo info = QHostInfo::fromName(name);
        for (const QHostAddress& a : info.addresses())
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                address = a;
                break;
            }
    }
    if (address.isNull() || address.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    *host = address;
    return true;
}

KnxNetIpTunnel::KnxNetIpTunnel(QHostAddress host, quint16 port) : host_(std::move(host)), port_(port)
{
    timer_.start();
}

KnxNetIpTunnel::~KnxNetIpTunnel()
{
    close();
}

int KnxNetIpTunnel::malformedTotal() const
{
    int n = 0;
    for (const int c : malformed_)
        n += c;
    return n;
}

LinkNote KnxNetIpTunnel::openedNote() const
{
    return {&kKnxTunnelOpened, FormatPhysicalAddress(address_)};
}

LinkNote KnxNetIpTunnel::openFailureNote() const
{
    switch (failure_) {
    case Failure::Refused:
        return {&kKnxRefused, QStringLiteral("0x%1").arg(failureStatus_, 2, 16, QLatin1Char('0'))};
    case Failure::NoSocket:
        return {&kKnxNoSocket, {}};
    default:
        return {&kKnxNoServer, {}};
    }
}

LinkNote KnxNetIpTunnel::failureNote() const
{
    switch (failure_) {
    case Failure::NotAcknowledged:
        return {&kKnxNotAcknowledged, {}};
    case Failure::NoHeartbeat:
        return {&kKnxNoHeartbeat, {}};
    default:
        return {&kKnxDroppedByServer, {}};
    }
}

bool KnxNetIpTunnel::open(int timeoutMs)
{
    close();
    failure_ = Failure::None;
    failureStatus_ = 0;
    socket_ = std::make_unique<QUdpSocket>();
    // The local address the server can answer to: loopback for a server on
    // this machine, else the address the route to the server leaves from.
    QHostAddress local = host_.isLoopback() ? QHostAddress(QHostAddress::LocalHost) : QHostAddress();
    if (local.isNull()) {
        QUdpSocket probe;
        probe.connectToHost(host_, port_);
        if (probe.waitForConnected(1000))
            local = probe.localAddress();
    }
    if (local.isNull() || !socket_->bind(local, 0)) {
        socket_.reset();
        failure_ = Failure::NoSocket;
        return false;
    }
    local_ = endpointOf(local, socket_->localPort());
    server_ = endpointOf(host_, port_);
    data_ = server_;
    sendSequence_ = receiveSequence_ = 0;
    inFlight_ = false;
    queue_.clear();
    received_.clear();
    connectAnswered_ = false;
    channel_ = 0;

    const QByteArray request = KnxIp::connectRequest(local_, local_);
    const std::int64_t end = nowMs() + timeoutMs;
    std::int64_t lastSent = -kConnectRepeatMs;
    while (!connectAnswered_) {
        if (nowMs() >= end) {
            failure_ = Failure::NoAnswer;
            socket_.reset();
            return false;
        }
        if (nowMs() - lastSent >= kConnectRepeatMs) {
            transmit(request, server_);
            lastSent = nowMs();
        }
        service(1000);
        if (failure_ == Failure::Refused) {
            socket_.reset();
            return false;
        }
    }
    state_ = State::Open;
    lastHeartbeatMs_ = nowMs();
    heartbeatSentMs_ = -1;
    heartbeatTries_ = 0;
    return true;
}

void KnxNetIpTunnel::close()
{
    if (!socket_)
        return;
    if (state_ == State::Open) {
        // Frames already handed over (a transport disconnect among them) go
        // out before the tunnel ends.
        const std::int64_t end = nowMs() + kCloseFlushMs;
        while (sending() && state_ == State::Open && nowMs() < end)
            service(1000);
    }
    if (connectAnswered_) {
        disconnectAnswered_ = false;
        transmit(KnxIp::disconnectRequest(channel_, local_), server_);
        const std::int64_t end = nowMs() + kDisconnectWaitMs;
        while (!disconnectAnswered_ && nowMs() < end)
            service(1000);
    }
    connectAnswered_ = false;
    state_ = State::Closed;
    inFlight_ = false;
    queue_.clear();
    socket_.reset();
}

void KnxNetIpTunnel::fail(Failure why)
{
    if (state_ != State::Open)
        return;
    failure_ = why;
    state_ = State::Failed;
    inFlight_ = false;
    queue_.clear();
    // The server is told the tunnel is over, whatever it still knows of it.
    if (why != Failure::DroppedByServer)
        transmit(KnxIp::disconnectRequest(channel_, local_), server_);
    connectAnswered_ = why != Failure::DroppedByServer;
}

bool KnxNetIpTunnel::send(const QByteArray& cemi)
{
    if (state_ != State::Open)
        return false;
    queue_.push_back(cemi);
    if (!inFlight_)
        sendNext();
    return true;
}

void KnxNetIpTunnel::sendNext()
{
    if (inFlight_ || queue_.empty() || state_ != State::Open)
        return;
    inFlightFrame_ = queue_.front();
    queue_.pop_front();
    inFlight_ = true;
    repeated_ = false;
    sentAtMs_ = nowMs();
    transmit(KnxIp::tunnellingRequest(channel_, sendSequence_, inFlightFrame_), data_);
}

bool KnxNetIpTunnel::takeFrame(QByteArray& cemi)
{
    if (received_.empty())
        return false;
    cemi = std::move(received_.front());
    received_.pop_front();
    return true;
}

void KnxNetIpTunnel::transmit(const QByteArray& datagram, KnxIp::Endpoint to)
{
    if (socket_)
        socket_->writeDatagram(datagram, QHostAddress(to.ip), to.port);
}

bool KnxNetIpTunnel::waitReadable(std::int64_t waitUs)
{
    if (!socket_)
        return false;
    if (socket_->hasPendingDatagrams())
        return true;
    if (waitUs <= 0)
        return false;
    pollfd p{};
    p.fd = static_cast<int>(socket_->socketDescriptor());
    p.events = POLLIN;
    const timespec t{static_cast<time_t>(waitUs / 1'000'000), static_cast<long>(waitUs % 1'000'000) * 1000};
    return ::ppoll(&p, 1, &t, nullptr) > 0;
}

void KnxNetIpTunnel::service(std::int64_t waitUs)
{
    if (!socket_)
        return;
    waitReadable(waitUs);
    while (socket_ && socket_->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket_->receiveDatagram(kMaxDatagram);
        if (!d.isValid())
            break;
        handle(d.data(), d.senderAddress(), static_cast<quint16>(d.senderPort()));
    }
    if (state_ != State::Open)
        return;
    const std::int64_t now = nowMs();
    if (inFlight_ && now - sentAtMs_ >= ackTimeoutMs) {
        if (repeated_) {
            fail(Failure::NotAcknowledged);
            return;
        }
        // One repetition with the same sequence number.
        repeated_ = true;
        sentAtMs_ = now;
        ++repetitions_;
        transmit(KnxIp::tunnellingRequest(channel_, sendSequence_, inFlightFrame_), data_);
    }
    if (heartbeatSentMs_ >= 0 && now - heartbeatSentMs_ >= heartbeatTimeoutMs) {
        if (heartbeatTries_ >= kHeartbeatTries) {
            fail(Failure::NoHeartbeat);
            return;
        }
        heartbeatSentMs_ = -1;
        lastHeartbeatMs_ = now - heartbeatMs; // ask again at once
    }
    if (heartbeatSentMs_ < 0 && now - lastHeartbeatMs_ >= heartbeatMs) {
        ++heartbeatTries_;
        heartbeatSentMs_ = now;
        transmit(KnxIp::connectionStateRequest(channel_, local_), server_);
    }
}

void KnxNetIpTunnel::handle(const QByteArray& bytes, const QHostAddress& from, quint16 fromPort)
{
    Q_UNUSED(fromPort);
    bool ok = false;
    if (from.toIPv4Address(&ok) != server_.ip || !ok) {
        ++foreign_;
        return;
    }
    KnxIp::Datagram d;
    if (const KnxIp::Fault f = KnxIp::parse(bytes, d); f != KnxIp::Fault::None) {
        ++malformed_[static_cast<std::size_t>(f)];
        return;
    }
    switch (d.service) {
    case KnxIp::ConnectResponse:
        if (connectAnswered_ || state_ != State::Closed) {
            // The answer to a repeated request: a second tunnel nobody uses.
            if (d.status == KnxIp::NoError && d.channel != channel_)
                transmit(KnxIp::disconnectRequest(d.channel, local_), server_);
            else
                ++foreign_;
            return;
        }
        if (d.status != KnxIp::NoError) {
            failure_ = Failure::Refused;
            failureStatus_ = d.status;
            return;
        }
        channel_ = d.channel;
        address_ = d.address;
        // A server behind NAT may leave its data endpoint open (0.0.0.0:0).
        data_ = d.data.ip != 0 && d.data.port != 0 ? d.data : server_;
        connectAnswered_ = true;
        return;
    case KnxIp::ConnectionStateResponse:
        if (d.channel != channel_ || state_ != State::Open) {
            ++foreign_;
            return;
        }
        if (d.status != KnxIp::NoError) {
            fail(Failure::DroppedByServer);
            return;
        }
        heartbeatSentMs_ = -1;
        heartbeatTries_ = 0;
        lastHeartbeatMs_ = nowMs();
        return;
    case KnxIp::DisconnectRequest:
        if (d.channel != channel_ || !connectAnswered_) {
            ++foreign_;
            return;
        }
        transmit(KnxIp::disconnectResponse(d.channel, KnxIp::NoError), d.control.ip ? d.control : server_);
        fail(Failure::DroppedByServer);
        connectAnswered_ = false;
        disconnectAnswered_ = true;
        return;
    case KnxIp::DisconnectResponse:
        if (d.channel == channel_)
            disconnectAnswered_ = true;
        else
            ++foreign_;
        return;
    case KnxIp::TunnellingAck:
        if (d.channel != channel_ || state_ != State::Open || !inFlight_ || d.sequence != sendSequence_) {
            ++foreign_;
            return;
        }
        if (d.status != KnxIp::NoError)
            return; // refused: the time-out repeats it
        inFlight_ = false;
        sendSequence_ = static_cast<quint8>(sendSequence_ + 1);
        sendNext();
        return;
    case KnxIp::TunnellingRequest:
        // A server may pass on a frame for the new tunnel right behind its
        // connect response, before open() has returned: it is taken (and
        // acknowledged) as well, or the server would wait for our
        // acknowledgement and hold back everything after it.
        if (d.channel != channel_ || !(state_ == State::Open || (state_ == State::Closed && connectAnswered_))) {
            ++foreign_;
            return;
        }
        if (d.sequence == receiveSequence_) {
            transmit(KnxIp::tunnellingAck(channel_, d.sequence, KnxIp::NoError), data_);
            receiveSequence_ = static_cast<quint8>(receiveSequence_ + 1);
            received_.push_back(d.cemi);
        } else if (d.sequence == static_cast<quint8>(receiveSequence_ - 1)) {
            // A repetition of the last one: our acknowledgement was lost.
            transmit(KnxIp::tunnellingAck(channel_, d.sequence, KnxIp::NoError), data_);
        } else {
            ++foreign_;
        }
        return;
    default:
        ++foreign_;
        return;
    }
}

} // namespace zendrik

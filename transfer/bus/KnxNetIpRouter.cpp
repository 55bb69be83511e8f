#include "transfer/bus/KnxNetIpRouter.h"

#include "transfer/bus/BusTexts.h"
#include "transfer/bus/FrameBytes.h"
#include "transfer/bus/KnxNetIpRoutingFrames.h"
#include "transfer/bus/PhysicalAddress.h"

#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QUdpSocket>

#include <poll.h>

#include <algorithm>

namespace zendrik {

namespace {

constexpr int kRouterFlushMs = 300;
constexpr qint64 kRoutingDatagramMax = 512;

} // namespace

bool ParseRoutingTarget(const QString& text, QHostAddress* group, quint16* port, quint16* ownAddress)
{
    QString rest = text.trimmed();
    *ownAddress = kDefaultRoutingAddress;
    if (const qsizetype hash = rest.indexOf(QLatin1Char('#')); hash >= 0) {
        const QStringList parts = rest.mid(hash + 1).split(QLatin1Char('.'));
        const int highest[3] = {15, 15, 255};
        unsigned values[3] = {};
        if (parts.size() != 3)
            return false;
        for (int i = 0; i < 3; ++i) {
            bool ok = false;
            values[i] = parts[i].toUInt(&ok);
            if (!ok || values[i] > static_cast<unsigned>(highest[i]) || parts[i].startsWith(QLatin1Char('+')))
                return false;
        }
        if (values[2] == 0) // device 0 is the line's coupler
            return false;
        *ownAddress = PhysicalAddress(values[0], values[1], values[2]);
        rest = rest.left(hash);
    }
    *port = KnxIp::kDefaultPort;
    if (const qsizetype colon = rest.indexOf(QLatin1Char(':')); colon >= 0) {
        bool ok = false;
        const uint p = rest.mid(colon + 1).toUInt(&ok);
        if (!ok || p == 0 || p > 65535)
            return false;
        *port = static_cast<quint16>(p);
        rest = rest.left(colon);
    }
    const QHostAddress address = rest.isEmpty() ? QHostAddress(KnxIp::kRoutingGroup) : QHostAddress(rest);
    if (address.protocol() != QAbstractSocket::IPv4Protocol || !address.isMulticast())
        return false;
    *group = address;
    return true;
}

KnxNetIpRouter::KnxNetIpRouter(QHostAddress group, quint16 port, quint16 ownAddress)
    : group_(std::move(group)), port_(port), address_(ownAddress)
{
    timer_.start();
}

KnxNetIpRouter::~KnxNetIpRouter()
{
    close();
}

bool KnxNetIpRouter::open(int)
{
    close();
    malformed_ = {};
    foreign_ = busies_ = lost_ = slowdown_ = 0;
    holdUntilUs_ = 0;
    socket_ = std::make_unique<QUdpSocket>();
    sender_ = std::make_unique<QUdpSocket>();
    // Every routing device on this machine (knxd, a second program) listens
    // on the same port: the port is shared. Bound to the group's address,
    // the socket takes only what goes to the group: datagrams to a tunnel
    // server on this machine's port 3671 stay its own. We send from a port
    // of our own:
    // a router on this machine takes datagrams from its own address and
    // port for its own, looped back, and drops them.
    if (!socket_->bind(group_, port_, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)
        || !socket_->joinMulticastGroup(group_) || !sender_->bind(QHostAddress::AnyIPv4, 0)) {
        socket_.reset();
        sender_.reset();
        return false;
    }
    // Routers on this machine hear our frames too.
    sender_->setSocketOption(QAbstractSocket::MulticastLoopbackOption, 1);
    state_ = State::Open;
    return true;
}

void KnxNetIpRouter::close()
{
    if (!socket_)
        return;
    // Frames handed over (a transport disconnect among them) go out first,
    // unless a router holds us back longer.
    const std::int64_t end = nowUs() + kRouterFlushMs * 1000;
    while (!queue_.empty() && nowUs() < end)
        service(1000);
    socket_->leaveMulticastGroup(group_);
    socket_.reset();
    sender_.reset();
    state_ = State::Closed;
    queue_.clear();
    received_.clear();
}

int KnxNetIpRouter::malformedTotal() const
{
    int n = 0;
    for (const int c : malformed_)
        n += c;
    return n;
}

LinkNote KnxNetIpRouter::openedNote() const
{
    return {&kKnxRoutingOpened, QStringLiteral("%1:%2, %3").arg(group_.toString()).arg(port_).arg(FormatPhysicalAddress(address_))};
}

LinkNote KnxNetIpRouter::openFailureNote() const
{
    return {&kKnxRoutingNoSocket, QStringLiteral("%1:%2").arg(group_.toString()).arg(port_)};
}

LinkNote KnxNetIpRouter::failureNote() const
{
    return openFailureNote();
}

std::vector<LinkNote> KnxNetIpRouter::takeNotes()
{
    return std::exchange(notes_, {});
}

bool KnxNetIpRouter::send(const QByteArray& cemi)
{
    if (state_ != State::Open || cemi.isEmpty())
        return false;
    // On the group every frame is an indication; its source is ours.
    QByteArray frame = cemi;
    frame[0] = static_cast<char>(Cemi::kDataIndication);
    queue_.push_back(frame);
    flush();
    return true;
}

void KnxNetIpRouter::flush()
{
    while (socket_ && !queue_.empty() && nowUs() >= holdUntilUs_) {
        QByteArray frame = std::move(queue_.front());
        queue_.pop_front();
        sender_->writeDatagram(KnxIp::routingIndication(frame), group_, port_);
        // Out on the group: as an interface confirms a frame it put on its line.
        frame[0] = static_cast<char>(Cemi::kDataConfirm);
        received_.push_back(frame);
    }
}

bool KnxNetIpRouter::takeFrame(QByteArray& cemi)
{
    if (received_.empty())
        return false;
    cemi = std::move(received_.front());
    received_.pop_front();
    return true;
}

void KnxNetIpRouter::service(std::int64_t waitUs)
{
    if (!socket_)
        return;
    if (!socket_->hasPendingDatagrams() && waitUs > 0) {
        // Not beyond the end of a hold, so held frames go out in time.
        if (!queue_.empty())
            waitUs = std::clamp<std::int64_t>(holdUntilUs_ - nowUs(), 0, waitUs);
        pollfd p{};
        p.fd = static_cast<int>(socket_->socketDescriptor());
        p.events = POLLIN;
        const timespec t{static_cast<time_t>(waitUs / 1'000'000), static_cast<long>(waitUs % 1'000'000) * 1000};
        ::ppoll(&p, 1, &t, nullptr);
    }
    while (socket_->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket_->receiveDatagram(kRoutingDatagramMax);
        if (!d.isValid())
            break;
        handle(d.data());
    }
    // The slowdown wears off once N × 100 ms passed without a busy.
    const std::int64_t now = nowUs();
    while (slowdown_ > 0 && now >= decayFromUs_) {
        --slowdown_;
        decayFromUs_ += kDecayStepMs * 1000;
    }
    flush();
}

void KnxNetIpRouter::handle(const QByteArray& bytes)
{
    KnxIp::RoutingDatagram d;
    if (const KnxIp::Fault f = KnxIp::parseRouting(bytes, d); f != KnxIp::Fault::None) {
        ++malformed_[static_cast<std::size_t>(f)];
        return;
    }
    switch (d.service) {
    case KnxIp::RoutingIndication: {
        Cemi::Frame f;
        Cemi::parse(d.cemi, f);
        if (f.source == address_)
            return; // our own, back from the group
        if (f.groupDestination() || f.destination != address_) {
            ++foreign_;
            return;
        }
        received_.push_back(d.cemi);
        return;
    }
    case KnxIp::RoutingBusy: {
        if (d.control != 0) {
            ++foreign_; // meant for the tunnelling connections of that router
            return;
        }
        const std::int64_t now = nowUs();
        // Routers ask for some tens of milliseconds; a longer wait from a
        // broken or hostile sender would stall every transfer.
        const std::int64_t waitUs = std::min<std::int64_t>(d.waitMs, kLongestBusyWaitMs) * 1000;
        if (now - lastBusyUs_ > kBusyMergeMs * 1000)
            ++slowdown_;
        lastBusyUs_ = now;
        ++busies_;
        const std::int64_t random = static_cast<std::int64_t>(
            QRandomGenerator::global()->bounded(slowdown_ * kRandomWaitMsPerBusy * 1000 + 1));
        holdUntilUs_ = std::max(holdUntilUs_, now + waitUs + random);
        decayFromUs_ = now + waitUs + std::int64_t(slowdown_) * kSlowMsPerBusy * 1000;
        notes_.push_back({&kKnxRoutingBusy, QStringLiteral("%1 ms").arg(d.waitMs)});
        return;
    }
    case KnxIp::RoutingLostMessage:
        lost_ += d.lost;
        notes_.push_back({&kKnxRoutingLost, QStringLiteral("%1 (%2)").arg(d.lost).arg(lost_)});
        return;
    default:
        ++foreign_;
        return;
    }
}

} // namespace zendrik

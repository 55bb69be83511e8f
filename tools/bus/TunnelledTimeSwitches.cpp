#include "tools/bus/TunnelledTimeSwitches.h"

#include "transfer/bus/EibFrames.h"
#include "transfer/bus/FrameBytes.h"
#include "transfer/bus/TransferMailbox.h"

namespace zendrik {

TunnelledTimeSwitches::TunnelledTimeSwitches(SimulatedBusConfig config, QString statePrefix, KnxNetIpTunnel& tunnel)
    : config_(config), bus_(std::move(config), std::move(statePrefix)), tunnel_(tunnel)
{
    timer_.start();
}

bool TunnelledTimeSwitches::saveState(QString* error) const
{
    return bus_.saveState(error);
}

void TunnelledTimeSwitches::sendFrom(quint16 source, quint16 destination, const QByteArray& tpdu)
{
    tunnel_.send(Cemi::dataFrame(Cemi::kDataRequest, source, destination, tpdu));
}

void TunnelledTimeSwitches::announce()
{
    // A transport disconnect to the tunnel's own address: nobody acts on it.
    for (const SimulatedBusConfig::Device& d : config_.devices)
        sendFrom(d.address, tunnel_.address(), QByteArray(1, static_cast<char>(Tpci::kDisconnect)));
}

bool TunnelledTimeSwitches::service(std::int64_t waitUs)
{
    tunnel_.service(waitUs);
    QByteArray cemi;
    while (tunnel_.takeFrame(cemi))
        frame(cemi);
    const std::int64_t now = nowUs();
    if (silentUntilUs_ >= 0 && now >= silentUntilUs_)
        silentUntilUs_ = -1;
    for (auto it = pending_.begin(); it != pending_.end();) {
        Pending& p = it->second;
        if (now - p.sentUs < kAnswerRepeatUs) {
            ++it;
            continue;
        }
        EmulatedTimeSwitch* device = bus_.device(it->first);
        if (p.repetitions >= kMaxRepetitions || !device) {
            // The partner is gone: the device ends the connection.
            if (device)
                device->receive(p.partner, QByteArray(1, static_cast<char>(Tpci::kDisconnect)), now);
            sendFrom(it->first, p.partner, QByteArray(1, static_cast<char>(Tpci::kDisconnect)));
            it = pending_.erase(it);
            continue;
        }
        ++p.repetitions;
        p.sentUs = now;
        if (silentUntilUs_ == -1)
            sendFrom(device->faults.answerSource ? device->faults.answerSource : it->first, p.partner, p.tpdu);
        ++it;
    }
    return tunnel_.state() == KnxNetIpTunnel::State::Open;
}

void TunnelledTimeSwitches::frame(const QByteArray& cemi)
{
    Cemi::Frame f;
    if (!Cemi::parse(cemi, f) || f.code != Cemi::kDataIndication || f.groupDestination() || f.tpdu.isEmpty())
        return;
    EmulatedTimeSwitch* device = bus_.device(f.destination);
    if (!device || bus_.device(f.source))
        return;
    const std::int64_t now = nowUs();
    if (silentUntilUs_ != -1)
        return;
    const quint8 control = at(f.tpdu, 0);
    if (Tpci::isAck(control)) {
        const auto it = pending_.find(f.destination);
        if (it != pending_.end() && it->second.partner == f.source
            && Tpci::sequenceOf(at(it->second.tpdu, 0)) == Tpci::sequenceOf(control))
            pending_.erase(it);
    }
    if (control == Tpci::kConnect || control == Tpci::kDisconnect)
        pending_.erase(f.destination);

    const bool dataConnected = Tpci::isDataConnected(control);
    const bool mailbox = dataConnected && Apci::serviceOf(f.tpdu) == Apci::kMemoryWrite && f.tpdu.size() >= 4
        && (at(f.tpdu, 2) << 8 | at(f.tpdu, 3)) == Mailbox::kAddress;
    if (dataConnected)
        ++connectedTelegrams_;
    if (mailbox) {
        ++mailboxCommands_;
        if (onCommand)
            onCommand(mailboxCommands_);
        if (mailboxCommands_ == faults.vanishAtCommand) {
            silentUntilUs_ = faults.backAfterMs < 0 ? -2 : now + faults.backAfterMs * 1000LL;
            pending_.clear();
            return;
        }
    }
    std::vector<QByteArray> replies = device->receive(f.source, f.tpdu, now);
    const quint16 source = device->faults.answerSource ? device->faults.answerSource : device->address();
    for (const QByteArray& r : replies) {
        const quint8 c = at(r, 0);
        if (Tpci::isAck(c) && dataConnected && connectedTelegrams_ == faults.ackLostAt)
            continue; // lost on the line
        if (Tpci::isDataConnected(c))
            pending_[device->address()] = {r, f.source, now, 0};
        sendFrom(source, f.source, r);
    }
}

} // namespace zendrik

#pragma once

#include "transfer/bus/KnxNetIpTunnel.h"
#include "transfer/sim/SimulatedBus.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace zendrik {

// What the devices do wrong beyond their own faults.
struct TunnelledFaults {
    int ackLostAt = 0;       // the T_ACK of the n-th connected telegram to a device is never sent
    int vanishAtCommand = 0; // all devices fall silent as the n-th mailbox command arrives ...
    int backAfterMs = -1;    // ... and answer again after this long (-1: never)
};

// Emulated time switches on a real bus line: a tunnelling client to a KNX
// IP interface or knxd, answering for each device's physical address as the
// simulated bus does (the same devices, memory, transfer application and
// mailbox), with the transport layer of a device on the line: the partner's
// connected telegrams are acknowledged, the device's own answers wait for
// the partner's T_ACK and are repeated after 3 s, three times at most.
// The devices' state is kept in the files beside the description, as the
// simulated bus keeps it.
class TunnelledTimeSwitches {
public:
    TunnelledTimeSwitches(SimulatedBusConfig config, QString statePrefix, KnxNetIpTunnel& tunnel);

    // Sends one frame per device with its address as the source, so the
    // server learns where the device is.
    void announce();
    // Handles what arrived, waiting up to `waitUs`; false once the tunnel failed.
    bool service(std::int64_t waitUs);
    bool saveState(QString* error = nullptr) const;

    TunnelledFaults faults;
    // Called with every mailbox command (its number from 1).
    std::function<void(int)> onCommand;
    int mailboxCommands() const { return mailboxCommands_; }

    static constexpr std::int64_t kAnswerRepeatUs = 3'000'000;
    static constexpr int kMaxRepetitions = 3;

private:
    struct Pending {
        QByteArray tpdu;
        quint16 partner = 0;
        std::int64_t sentUs = 0;
        int repetitions = 0;
    };
    void frame(const QByteArray& cemi);
    void sendFrom(quint16 source, quint16 destination, const QByteArray& tpdu);
    std::int64_t nowUs() const { return timer_.nsecsElapsed() / 1000; }

    SimulatedBusConfig config_;
    SimulatedBus bus_;
    KnxNetIpTunnel& tunnel_;
    QElapsedTimer timer_;
    std::map<quint16, Pending> pending_;
    int connectedTelegrams_ = 0;
    int mailboxCommands_ = 0;
    std::int64_t silentUntilUs_ = -1; // -1: not silent; -2: silent for good
};

} // namespace zendrik

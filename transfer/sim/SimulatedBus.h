#pragma once

#include "transfer/bus/BusClock.h"
#include "transfer/bus/EibLink.h"
#include "transfer/bus/LocalBcuMemory.h"
#include "transfer/sim/EmulatedTimeSwitch.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>

namespace zendrik {

// Faults of the local BCU and its line.
struct LocalBcuFaults {
    bool noConfirm = false;    // never confirms a frame
    bool missing = false;      // no BCU at the port: the line cannot be opened
    int linkLostAtCommand = 0; // the line breaks once, as the n-th mailbox command reaches the device
    int linkDeadAtCommand = 0; // ... and cannot be opened again
    int ackLostAt = 0;         // the device's acknowledgement of the n-th connected telegram is lost
    int lengthWriteFails = 0;  // the first n write-backs of the address-table length are not taken
};

// The bus description (bus-sim.ini), one "key = value" per line:
//   [bus]              pacing = on | off   (off: virtual time, for tests)
//   [bcu]              address = 15.15.250, address-table-length = 5,
//                      no-confirm, missing, link-lost-at-command = N,
//                      link-dead-at-command = N, ack-lost-at = N,
//                      length-write-fails = N
//   [device 1.1.5]     mask = 0x0012, manufacturer = 0x7E, silent,
//                      busy = N (commands taken only after busy-ms, from the
//                      busy-from-th on; -1: none ever), restore-fails,
//                      answer-from = 1.1.9, delete-ms = 300,
//                      wrong-answer = 0x44 (that command's answer starts wrong)
// Numbers are decimal or 0x hex; a flag alone or "= 1" switches it on.
struct SimulatedBusConfig {
    bool paced = true;
    quint16 ownAddress = 0xFFFA;
    int addressTableLength = 1;
    LocalBcuFaults bcu;
    struct Device {
        quint16 address = 0;
        int mask = 0x0012;
        int manufacturer = 0x7E;
        TimeSwitchFaults faults;
    };
    std::vector<Device> devices;
};

// Reads a bus description; false with the line and reason in `error`.
bool ParseSimulatedBusConfig(const QByteArray& text, SimulatedBusConfig& config, QString* error);

// A bus line with a local BCU and emulated time switches, behind the link
// contract. Telegrams take the time they take on a TP1 line (9600 bit/s:
// 13 bit times per character with its gap, the line-busy time before every
// frame and the acknowledgement character after it), the BCU's own memory
// frames the serial line's 9600 baud; on a paced bus this is real time,
// unpaced it is virtual time that costs nothing to wait for.
//
// Each device keeps its memory and program in a file beside the bus
// description (bus-sim.ini -> bus-sim-1.1.5.mem), and the BCU its address
// table length (bus-sim-bcu.mem), so separate runs meet the same devices.
class SimulatedBus : public EibLink {
public:
    // A bus from a description file; nothing (with the reason) when it cannot be read.
    static std::unique_ptr<SimulatedBus> fromFile(const QString& path, QString* error);
    // A bus from a description in memory; state files only when `statePrefix` is set.
    explicit SimulatedBus(SimulatedBusConfig config, QString statePrefix = QString());
    ~SimulatedBus() override;

    int install(int port, int baud, int replyTimeoutMs, int charTimeoutMs, int flags) override;
    int resetLink() override;
    int resetBcu() override;
    int changeLayer(int layer) override;
    int send(const QByteArray& frame) override;
    int pollConfirm(bool* done) override;
    int receive(QByteArray& buffer) override;
    int close() override;
    BusClock& clock() override { return *clock_; }
    QString name() const override { return name_; }
    void setName(const QString& name) { name_ = name; }

    EmulatedTimeSwitch* device(quint16 address);
    // The local BCU's memory byte at `address` (0x0100..0x01FF).
    int localByte(int address) const;
    void setLocalByte(int address, int value);
    bool isOpen() const { return open_; }
    // Time the line was busy with telegrams, and the serial line with frames.
    std::int64_t lineBusyUs() const { return lineBusyUs_; }
    std::int64_t serialBusyUs() const { return serialBusyUs_; }
    int framesSent() const { return framesSent_; }
    // Telegrams the BCU's transport layer sent again for a lost acknowledgement.
    int repetitions() const { return repetitions_; }

    // Writes the state files now (also done at every close).
    bool saveState(QString* error = nullptr) const;

    static std::int64_t tp1FrameUs(int bytes);
    static std::int64_t serialFrameUs(int bytes);

private:
    struct Delivery {
        std::int64_t atUs;
        QByteArray frame;
    };
    void loadState();
    std::int64_t nextEventUs() const;
    // Puts a frame on the line from `at` on; returns when it and its
    // acknowledgement are over.
    std::int64_t onLine(std::int64_t at, int bytes);
    void deviceTelegram(const QByteArray& tpdu, std::int64_t at, std::int64_t* confirmAt);

    SimulatedBusConfig config_;
    QString statePrefix_;
    QString name_;
    std::unique_ptr<BusClock> clock_;
    std::map<quint16, std::unique_ptr<EmulatedTimeSwitch>> devices_;
    LocalBcuMemory bcu_;
    bool open_ = false;
    bool broken_ = false;
    bool dead_ = false;
    quint16 connectedTo_ = 0;
    bool connection_ = false;
    int txSeq_ = 0;
    std::int64_t confirmAtUs_ = -1; // -1: nothing to confirm
    std::int64_t lineFreeUs_ = 0;
    std::int64_t lineBusyUs_ = 0;
    std::int64_t serialBusyUs_ = 0;
    int framesSent_ = 0;
    int repetitions_ = 0;
    int connectedTelegrams_ = 0;
    int mailboxCommands_ = 0;
    int lengthWritesRefused_ = 0;
    std::deque<Delivery> incoming_;
};

} // namespace zendrik

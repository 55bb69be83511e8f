#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <cstdint>
#include <vector>

namespace zendrik {

// What an emulated time switch can do wrong, for tests and demonstrations.
struct TimeSwitchFaults {
    bool silent = false;  // never answers: as if nothing were at its address
    int busyCommands = 0; // mailbox commands taken late (after busyMs); -1: never takes one
    int busyFrom = 1;     // the first of them (1 = the first command)
    int busyMs = 1500;
    bool restoreFails = false; // ignores application writes once a program was exchanged
    quint16 answerSource = 0;  // answers go out with this source address (0: its own)
    int deleteMs = 300;        // how long deleting the switching times takes
    int wrongAnswerTo = -1;    // the answer to this read command has its first data byte wrong
};

// A bus time switch as the bus sees it: its memory (the mailbox in RAM at
// 0x00CE, the application area 0x0100..0x01FF with the identification at
// 0x0104), its mask version, its transport layer (one connection at a time,
// four-bit sequence numbers) and, while the transfer application is
// installed, the switching program it keeps behind the mailbox.
class EmulatedTimeSwitch {
public:
    static constexpr int kMemorySize = 0x0200;
    static constexpr int kMaxEntries = 509;
    static constexpr int kDstRows = 20;
    // A connection with no telegram for this long is closed by the device.
    static constexpr std::int64_t kConnectionTimeoutUs = 6'000'000;

    explicit EmulatedTimeSwitch(quint16 address, int manufacturer = 0x7E);

    quint16 address() const { return address_; }
    int mask = 0x0012;
    TimeSwitchFaults faults;

    // The device's reaction to one transport unit (TPCI byte, then the
    // application data) from `source`: the units it sends back to the
    // source, in order (acknowledgement first, then an answer).
    std::vector<QByteArray> receive(quint16 source, const QByteArray& tpdu, std::int64_t nowUs);

    bool connected(std::int64_t nowUs) const;
    // Telegrams applied (a repeated sequence number is not applied again).
    int appliedTelegrams() const { return applied_; }
    // Mailbox command blocks written into the device.
    int commandsReceived() const { return commandsSeen_; }

    bool runsTransferApplication() const;
    QByteArray application() const; // 0x0107..0x01FE
    std::array<quint8, 3> identification() const;
    void setManufacturer(int code) { memory_[0x0104] = static_cast<quint8>(code); }

    // The switching program behind the mailbox.
    struct DstRowBytes {
        std::array<quint8, 4> b{0xFF, 0xFF, 0xFF, 0xFF};
        bool operator==(const DstRowBytes&) const = default;
    };
    int sowiYear = 0;
    std::array<DstRowBytes, kDstRows> rows{};
    std::vector<std::array<quint8, 6>> entries;

    // What the device keeps between two uses of the bus: memory and program,
    // as text lines "key=hex".
    QByteArray stateText() const;
    bool restoreState(const QByteArray& text);

    const std::array<quint8, kMemorySize>& memory() const { return memory_; }

private:
    QByteArray apply(const QByteArray& apdu, std::int64_t nowUs);
    void runMailbox(std::int64_t nowUs, bool late = false);
    void finishPendingWork(std::int64_t nowUs);
    void setMailbox(const QByteArray& block);
    void markTaken();
    QByteArray entryAnswer(std::size_t index) const;

    quint16 address_;
    std::array<quint8, kMemorySize> memory_{};
    bool connected_ = false;
    quint16 partner_ = 0;
    std::int64_t lastTelegramUs_ = 0;
    int rxSeq_ = 0;
    int txSeq_ = 0;
    int applied_ = 0;
    std::size_t readCursor_ = 0;
    std::int64_t deleteDoneUs_ = -1;  // a delete in progress ends then
    std::int64_t lateCommandUs_ = -1; // a command taken late is taken then
    int commandsSeen_ = 0;
    bool programExchanged_ = false;
};

} // namespace zendrik

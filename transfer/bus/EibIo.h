#pragma once

#include <QByteArray>
#include <QString>
#include <QTime>

#include <cstdint>
#include <functional>

namespace zendrik {

class BusLog;
class EibLink;
class TextTable;
class TransferObserver;

// The program's side of the bus link: opening and closing the link to the
// local BCU, frames with their confirmation, the waits for answers with
// their time-outs, the transport connection to a device and the memory and
// mask services over it. Every step writes its line into the bus log; the
// results are the codes of BusError (0 = success) or the link's own
// numbers. Waits have a deadline on the link's clock and let the observer
// process events meanwhile.
class EibIo {
public:
    EibIo(EibLink& link, const TextTable& texts, BusLog& log);

    int EibPort = 0; // 0 = the first interface, 1 = the second
    int EibLayer = 150;
    int EibTelegramLength = 18;
    // The local BCU's address-table length found when the link was first
    // opened, written back when it is closed; 0 = nothing to restore. A
    // reopen before it was written back keeps the first value (the bus
    // access hands in the value an earlier action or run could not write
    // back).
    int AdrTabLaenge = 0;
    TransferObserver* observer = nullptr;
    // The time of day of the connection log lines.
    std::function<QTime()> timeOfDay = [] { return QTime::currentTime(); };

    int EibOpen(int port, int baud);
    // Writes the address-table length back (when one was saved) and closes
    // the link. Returns the code of the write: a failed write keeps the
    // value for the next close.
    int EibCloseAll();

    int SendLocal(const QByteArray& frame);
    int WaitLocalAnswer(QByteArray& data);
    int WaitDeviceAnswer(quint16 address, QByteArray& telegram);

    int Connect(quint16 address);
    int Disconnect();
    int SendTelegram(const QByteArray& telegram);

    int AskMemory(int count, quint16 address);
    int WaitMemory(int count, quint16 address, QByteArray& data);
    int WriteMemory(quint16 address, const QByteArray& data);
    int WriteMemoryVerified(quint16 address, const QByteArray& data);
    int ReadMemoryRetried(int count, quint16 address, QByteArray& data);
    int AskMask();
    int WaitMask(int& version);

    // A pause of the transfer protocol on the link's clock.
    void BusPause(int ms);

    // The device the last Connect was made to.
    quint16 connectedAddress() const { return connected_; }
    // The sum of all pauses so far (the protocol's own waiting), in µs.
    std::int64_t pausedUs() const { return pausedUs_; }

    EibLink& link() { return link_; }
    void log(const QString& text);
    // Writes what the link noticed on its own into the log.
    void takeLinkNotes();

private:
    void idle();
    int errorAt(const QString& step, int code);

    EibLink& link_;
    const TextTable& texts_;
    BusLog& log_;
    quint16 connected_ = 0;
    std::int64_t pausedUs_ = 0;
    std::int64_t lastWaitingUs_ = 0;
};

// 1 when any byte differs from 0xFF.
int HasNonFF(const QByteArray& bytes);

} // namespace zendrik

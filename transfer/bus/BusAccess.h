#pragma once

#include "language/TextId.h"
#include "transfer/bus/BusLog.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTime>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace zendrik {

class EibIo;
class EibLink;
class ProgramModel;
struct ProgramSlot;
class TextTable;
class TransferObserver;
class UserInteraction;

// How a bus action ended.
struct BusActionResult {
    int code = 0;                // 0 success, else a BusError code or a link's number
    QString detail;              // the reason of a run-time failure
    bool cancelled = false;      // the user stopped before anything was sent
    bool restorePending = false; // the device still runs the transfer application
    bool stopped = false;        // search: the user stopped it; `found` holds the devices until then
    QList<quint16> found;        // search: the time switches that answered
};

// The bus access window's work, without the window: find time switches on
// a line, write the program into one, read it back, and put a device's own
// application back. Every action empties protocol.txt, logs its steps there,
// ends with the link closed and the device disconnected, and tells a failure
// with exactly one message.
//
// A transfer saves the device's application (0x0107..0x01FE) per physical
// address (appl-1.1.5.old), installs the transfer application (remote.s19),
// exchanges the program through its mailbox and writes the saved
// application back; the saved file stays, and the restore is offered, until
// that write-back succeeded.
class BusAccess {
public:
    using SaveCallback = std::function<int()>;

    // protocol.txt, remote.s19 and the saved applications live in `workDir`.
    BusAccess(ProgramModel& model, UserInteraction& ui, const TextTable& texts, QString workDir);
    ~BusAccess();

    // The link the actions use; `eibPort` is the interface number (0, 1) and
    // `portLabel` what follows "COM " in the messages.
    void setLink(EibLink* link, int eibPort, QString portLabel);

    SaveCallback saveBeforeTransfer;
    TransferObserver* observer = nullptr;
    // Where the protocol goes instead of protocol.txt in the working
    // directory: a run over several connections at once keeps one per connection.
    QString protocolFile;
    std::function<QTime()> timeOfDay = [] { return QTime::currentTime(); };
    // How often the search asks a device again after an error other than a
    // missing or wrong mask answer.
    int searchRetries = 2;

    // Asks the next device after another on the line. A stop asked for
    // meanwhile (while the search processes events) ends it once the address
    // in progress is answered: the devices found so far are the result.
    BusActionResult Search(int area, int line, int fromDevice, int toDevice);
    void requestStop() { stopRequested_ = true; }
    // Asked before each address as well: a stop from outside the event loop
    // (the command line's Ctrl+C).
    std::function<bool()> stopAsked;
    BusActionResult Program(quint16 address);
    // Reads the switching program and the summer/winter table into the open
    // program; its texts, program number, write protection and astro settings
    // stay (the bus does not carry them). It gets the free default name.
    BusActionResult Read(quint16 address);
    BusActionResult Reinstall(quint16 address);
    // An action that could not start because the link could not be opened
    // (`reason` says why): protocol.txt tells so, and one message.
    BusActionResult LinkNotOpened(const QString& reason);

    // Whether the application of the device at `address` waits to be put back.
    bool restorePending(quint16 address) const;
    // Every address with a pending restore in the working directory.
    QList<quint16> pendingRestores() const;

    const BusLog& log() const { return log_; }
    // The protocol's own pauses of the last action, in µs.
    std::int64_t pausedUs() const { return pausedUs_; }

private:
    enum class Direction { Write,
                           Read };

    BusActionResult transfer(Direction direction, quint16 address);
    // Empties the log and sets up the link layer; without a link it ends the action.
    bool startAction(BusActionResult& r);
    void finishAction(BusActionResult& r);
    int open();
    int closeAll();
    // The address-table length of the link's BCU still to be written back
    // (0: none), as kept in the working directory across actions and runs.
    int savedAddressTableLength() const;
    void keepAddressTableLength(int length);

    int connectAndIdentify(quint16 address, std::array<quint8, 3>& ident, int& mask);
    int disconnect(int rc);
    int ProbeDevice(quint16 address, std::array<quint8, 3>& ident);
    int SaveApplication(quint16 address, QString& detail);
    int InstallApplication(quint16 address, const QString& file, QString& detail);
    int TransferProgram(Direction direction, quint16 address, ProgramSlot& scratch);
    int writeProgram(quint16 address);
    int readProgram(quint16 address, ProgramSlot& scratch);
    int SendToTransferApp(quint16 address, quint8 command, const QByteArray& data, QByteArray* answer = nullptr);
    int reopen(quint16 address);

    void status(TextId text, int number = -1);
    void status(const QString& text);
    void step();
    QString inWorkDir(const QString& name) const;
    QString protocolPath() const;

    ProgramModel& model_;
    UserInteraction& ui_;
    const TextTable& texts_;
    QString workDir_;
    EibLink* link_ = nullptr;
    bool stopRequested_ = false;
    int eibPort_ = 0;
    QString portLabel_;
    BusLog log_;
    std::unique_ptr<EibIo> io_;
    bool reopened_ = false;
    int progress_ = 0;
    int progressMax_ = 1;
    std::int64_t pausedUs_ = 0;
    int keptAddressTableLength_ = 0;
};

} // namespace zendrik

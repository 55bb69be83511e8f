#include "transfer/bus/BusAccess.h"

#include "language/TextTable.h"
#include "model/DstRowCodec.h"
#include "model/FileNames.h"
#include "model/ProgramModel.h"
#include "model/UserInteraction.h"
#include "transfer/TransferObserver.h"
#include "transfer/bus/BusApplication.h"
#include "transfer/bus/BusClock.h"
#include "transfer/bus/BusErrors.h"
#include "transfer/bus/BusTexts.h"
#include "transfer/bus/EibIo.h"
#include "transfer/bus/EibLink.h"
#include "transfer/bus/PhysicalAddress.h"
#include "transfer/bus/TransferMailbox.h"

#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <map>
#include <mutex>

namespace zendrik {

namespace {

constexpr int kBaud = 9600;
constexpr int kInstallAttempts = 3;
constexpr int kMailboxAttempts = 3;
constexpr int kAfterWriteMs = 100;
constexpr int kNotReadyPauseMs = 1000;
constexpr int kSettleMs = 5000;
// Deleting all switching times may take the device a while.
constexpr int kDeleteWaitMs = 30000;
constexpr int kDeletePollMs = 100;
// Entries are sent again from the delete command when the link had to be
// reopened; this often at most.
constexpr int kEntryRounds = 3;
constexpr int kMaskA = 0x0011;
constexpr int kMaskB = 0x0012;

QString applicationError(const TextTable& texts, ApplicationFileError e)
{
    switch (e) {
    case ApplicationFileError::Missing:
        return texts(kBusApplicationFileMissing);
    case ApplicationFileError::Invalid:
        return texts(kBusApplicationFileInvalid);
    default:
        break;
    }
    return texts(kBusApplicationFileUnreadable);
}

} // namespace

BusAccess::BusAccess(ProgramModel& model, UserInteraction& ui, const TextTable& texts, QString workDir)
    : model_(model), ui_(ui), texts_(texts), workDir_(std::move(workDir))
{
}

BusAccess::~BusAccess() = default;

void BusAccess::setLink(EibLink* link, int eibPort, QString portLabel)
{
    link_ = link;
    eibPort_ = eibPort;
    portLabel_ = std::move(portLabel);
}

QString BusAccess::protocolPath() const
{
    return protocolFile.isEmpty() ? inWorkDir(kBusLogFileName) : protocolFile;
}

QString BusAccess::inWorkDir(const QString& name) const
{
    return QDir(workDir_.isEmpty() ? QStringLiteral(".") : workDir_).filePath(name);
}

bool BusAccess::restorePending(quint16 address) const
{
    return QFile::exists(inWorkDir(SavedApplicationFileName(address)));
}

QList<quint16> BusAccess::pendingRestores() const
{
    QList<quint16> list;
    static const QRegularExpression pattern(QStringLiteral("^appl-(\\d+\\.\\d+\\.\\d+)\\.old$"));
    const QStringList names = QDir(workDir_.isEmpty() ? QStringLiteral(".") : workDir_)
                                  .entryList({QStringLiteral("appl-*.old")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        const auto m = pattern.match(name);
        if (!m.hasMatch())
            continue;
        if (const auto address = ParsePhysAddress(m.captured(1)); address && !list.contains(*address))
            list << *address;
    }
    return list;
}

// --- one action ------------------------------------------------------------

bool BusAccess::startAction(BusActionResult& r)
{
    pausedUs_ = 0;
    progress_ = 0;
    reopened_ = false;
    log_.start(protocolPath());
    if (!link_) {
        r.code = BusRunTimeFailure;
        r.detail = texts_(kBusNoLink);
        finishAction(r);
        return false;
    }
    io_ = std::make_unique<EibIo>(*link_, texts_, log_);
    io_->EibPort = eibPort_;
    // A length left lowered by an earlier action or run is the BCU's own
    // until its write-back was confirmed.
    keptAddressTableLength_ = savedAddressTableLength();
    io_->AdrTabLaenge = keptAddressTableLength_;
    io_->observer = observer;
    io_->timeOfDay = timeOfDay;
    if (observer)
        observer->transferStarted();
    return true;
}

void BusAccess::finishAction(BusActionResult& r)
{
    if (io_) {
        pausedUs_ = io_->pausedUs();
        io_->takeLinkNotes();
    }
    log_.close();
    if (observer) {
        if (r.code == 0 && !r.stopped)
            observer->progressChanged(progressMax_, progressMax_);
        observer->transferEnded();
    }
    io_.reset();
    if (r.code != 0 && !r.cancelled)
        ui_.ask(BusErrorMessage(r.code, portLabel_, r.detail));
}

int BusAccess::open()
{
    const int rc = io_->EibOpen(eibPort_, kBaud);
    keepAddressTableLength(io_->AdrTabLaenge);
    return rc;
}

int BusAccess::closeAll()
{
    const int rc = io_->EibCloseAll();
    keepAddressTableLength(io_->AdrTabLaenge);
    return rc == 0 ? 0 : BusAddressTableNotRestored;
}

namespace {

// "link=length" lines; the link's name may itself hold '='.
std::map<QString, int> parseAddressTableFile(const QByteArray& text)
{
    std::map<QString, int> lengths;
    for (const QByteArray& line : SplitLines(text)) {
        const qsizetype eq = line.lastIndexOf('=');
        if (eq <= 0)
            continue;
        bool ok = false;
        const int length = line.mid(eq + 1).trimmed().toInt(&ok);
        if (ok && length > 0 && length <= 0xFF)
            lengths[QString::fromUtf8(line.left(eq))] = length;
    }
    return lengths;
}

} // namespace

int BusAccess::savedAddressTableLength() const
{
    const LimitedRead read = ReadRegularFile(inWorkDir(kAddressTableFileName), 64 * 1024);
    if (!read.ok() || !link_)
        return 0;
    const auto lengths = parseAddressTableFile(read.data);
    const auto it = lengths.find(link_->name());
    return it == lengths.end() ? 0 : it->second;
}

void BusAccess::keepAddressTableLength(int length)
{
    if (length == keptAddressTableLength_ || !link_)
        return;
    // One file keeps the lengths of every link: accesses on several links at
    // once (a site run) must not write it over each other.
    static std::mutex fileLock;
    const std::lock_guard lock(fileLock);
    const QString file = inWorkDir(kAddressTableFileName);
    const LimitedRead read = ReadRegularFile(file, 64 * 1024);
    std::map<QString, int> lengths = read.ok() ? parseAddressTableFile(read.data) : std::map<QString, int>{};
    if (length == 0)
        lengths.erase(link_->name());
    else
        lengths[link_->name()] = length;
    bool written = true;
    if (lengths.empty()) {
        written = !QFile::exists(file) || QFile::remove(file);
    } else {
        QByteArray text;
        for (const auto& [name, value] : lengths)
            text += name.toUtf8() + '=' + QByteArray::number(value) + '\n';
        written = WriteFileAtomically(file, text);
    }
    // Kept in memory for this action even when the file cannot be written.
    if (written)
        keptAddressTableLength_ = length;
}

void BusAccess::status(TextId text, int number)
{
    status(number < 0 ? texts_(text) : texts_(text) + QString::number(number));
}

void BusAccess::status(const QString& text)
{
    log_.line(text);
    if (observer)
        observer->labelChanged(Prompt::message(Icon::None, {text}));
}

void BusAccess::step()
{
    ++progress_;
    if (observer)
        observer->progressChanged(std::min(progress_, progressMax_), progressMax_);
}

// --- device steps ----------------------------------------------------------

int BusAccess::disconnect(int rc)
{
    // A device left connected refuses the next connection: always end it.
    const int d = io_->Disconnect();
    return rc != 0 ? rc : d;
}

int BusAccess::connectAndIdentify(quint16 address, std::array<quint8, 3>& ident, int& mask)
{
    if (const int rc = io_->Connect(address); rc != 0)
        return rc;
    if (const int rc = io_->AskMask(); rc != 0)
        return rc;
    if (const int rc = io_->WaitMask(mask); rc != 0)
        return rc == BusNoConnectionToDevice ? BusNoMaskResponse : rc;
    if (mask != kMaskA && mask != kMaskB)
        return BusWrongMaskVersion;
    QByteArray data;
    if (const int rc = io_->AskMemory(3, kIdentificationAddress); rc != 0)
        return rc;
    if (const int rc = io_->WaitMemory(3, kIdentificationAddress, data); rc != 0)
        return rc;
    for (int i = 0; i < 3; ++i)
        ident[static_cast<std::size_t>(i)] = static_cast<quint8>(data.at(i));
    return BusOk;
}

int BusAccess::ProbeDevice(quint16 address, std::array<quint8, 3>& ident)
{
    int mask = 0;
    const int rc = disconnect(connectAndIdentify(address, ident, mask));
    if (rc != 0) {
        // Start the next device on a fresh link.
        log_.line(texts_(TextId::EibLogResetLocalBcu));
        link_->resetBcu();
        closeAll();
        if (const int o = open(); o != 0)
            return o;
    }
    return rc;
}

int BusAccess::SaveApplication(quint16 address, QString& detail)
{
    status(TextId::EibLogReadApplication);
    std::array<quint8, 3> ident{};
    int mask = 0;
    int rc = connectAndIdentify(address, ident, mask);
    if (rc == 0 && ident[0] != kBusManufacturerCode)
        rc = BusWrongDeviceProperties;
    QByteArray application;
    for (int a = kApplicationFirst; rc == 0 && a <= kApplicationLast; a += kApplicationBlock) {
        QByteArray block;
        rc = io_->ReadMemoryRetried(kApplicationBlock, static_cast<quint16>(a), block);
        application += block;
        step();
    }
    rc = disconnect(rc);
    if (rc != 0)
        return rc;
    // Only a complete application is kept, and never over one still to be
    // put back (the device may be running the transfer application then).
    const QString file = inWorkDir(SavedApplicationFileName(address));
    if (QFile::exists(file))
        return BusOk;
    if (!WriteApplicationFile(file, application, &detail)) {
        detail = file + QStringLiteral(": ") + detail;
        return BusRunTimeFailure;
    }
    return BusOk;
}

int BusAccess::InstallApplication(quint16 address, const QString& file, QString& detail)
{
    ApplicationFileError fileError = ApplicationFileError::None;
    const std::optional<QByteArray> application = ReadApplicationFile(inWorkDir(file), &fileError);
    if (!application) {
        detail = inWorkDir(file) + QStringLiteral(": ") + applicationError(texts_, fileError);
        return BusRunTimeFailure;
    }
    status(texts_(TextId::EibLogWriteApplication) + file);
    std::array<quint8, 3> ident{};
    int mask = 0;
    int rc = connectAndIdentify(address, ident, mask);
    if (rc == 0 && ident[0] != kBusManufacturerCode)
        rc = BusWrongDeviceProperties;
    for (int offset = 0; rc == 0 && offset < kApplicationSize; offset += kApplicationBlock) {
        rc = io_->WriteMemoryVerified(static_cast<quint16>(kApplicationFirst + offset),
                                      application->mid(offset, kApplicationBlock));
        step();
    }
    return disconnect(rc);
}

// --- the transfer application's mailbox -------------------------------------

int BusAccess::reopen(quint16 address)
{
    reopened_ = true;
    io_->Disconnect();
    closeAll();
    if (const int rc = open(); rc != 0)
        return rc;
    return io_->Connect(address);
}

int BusAccess::SendToTransferApp(quint16 address, quint8 command, const QByteArray& data, QByteArray* answer)
{
    const QByteArray block = Mailbox::commandBlock(command, data);
    const bool longWork = command == Mailbox::kDeleteEntries;
    bool written = false; // the device has the block (its write was confirmed)
    int rc = BusClockNotReady;
    // The device's work on a long command is waited for this long in all,
    // over every attempt.
    const std::int64_t deadline = link_->clock().nowMs() + kDeleteWaitMs;
    for (int attempt = 1; attempt <= kMailboxAttempts; ++attempt) {
        if (!written) {
            rc = io_->WriteMemory(Mailbox::kAddress, block);
            io_->BusPause(kAfterWriteMs);
            if (rc != 0) {
                log_.line(texts_(TextId::EibErrorInReceive) + QString::number(attempt));
                if (attempt < kMailboxAttempts)
                    if (const int o = reopen(address); o != 0)
                        return o; // the link cannot be had again
                continue;
            }
            written = true;
        }
        QByteArray back;
        for (;;) {
            rc = io_->ReadMemoryRetried(Mailbox::kSize, Mailbox::kAddress, back);
            if (rc != 0 || !longWork || Mailbox::stateOf(back, block) != Mailbox::State::Pending
                || link_->clock().nowMs() >= deadline)
                break;
            // The device keeps the command in the mailbox while it works.
            io_->BusPause(kDeletePollMs);
        }
        if (rc != 0) {
            log_.line(texts_(TextId::EibNoAnswerFromClock) + QLatin1Char(' ') + QString::number(attempt));
            rc = BusNoAnswerFromClock;
            io_->BusPause(kNotReadyPauseMs);
            if (attempt < kMailboxAttempts)
                if (const int o = reopen(address); o != 0)
                    return o;
            continue;
        }
        const Mailbox::State state = Mailbox::stateOf(back, block);
        if (answer) {
            if (state == Mailbox::State::Answer && Mailbox::answerData(back, command, answer))
                return BusOk;
        } else if (state == Mailbox::State::Taken) {
            return BusOk;
        }
        log_.line(texts_(TextId::EibClockNotReady) + QString::number(attempt));
        rc = BusClockNotReady;
        if (longWork && state == Mailbox::State::Pending && link_->clock().nowMs() >= deadline)
            return rc; // still at work when the time was up
        // A command still in the mailbox is waited for, not written again,
        // so it cannot run twice; anything else means it never arrived.
        written = state == Mailbox::State::Pending;
        io_->BusPause(kNotReadyPauseMs);
    }
    return rc;
}

int BusAccess::writeProgram(quint16 address)
{
    const ProgramSlot& s = model_.program();
    int block = 1;
    status(TextId::EibLogWriteDst, block++);
    int rc = SendToTransferApp(address, Mailbox::kWriteDst,
                               QByteArray(1, '\0') + static_cast<char>(StoredSoWiJahr(s)) + QByteArray(3, '\0'));
    step();
    for (int r = 0; rc == 0 && r < kDstRows; ++r) {
        QByteArray data(1, static_cast<char>(r + 1));
        for (int k = 0; k < 4; ++k)
            data += static_cast<char>(r < s.AnzSoWi ? s.SoWiTab[static_cast<std::size_t>(r)].b[static_cast<std::size_t>(k)]
                                                    : 0xFF);
        status(TextId::EibLogWriteDst, block++);
        rc = SendToTransferApp(address, Mailbox::kWriteDst, data);
        step();
    }
    const int entryProgress = progress_;
    for (int round = 0; rc == 0; ++round) {
        if (round == kEntryRounds)
            return BusMemoryNotWritten;
        progress_ = entryProgress;
        reopened_ = false;
        status(TextId::EibLogDeleteSwitchingTimes);
        rc = SendToTransferApp(address, Mailbox::kDeleteEntries, QByteArray(1, static_cast<char>(Mailbox::kDeleteKey)));
        step();
        for (int i = 0; rc == 0 && !reopened_ && i < s.AnzEintrag; ++i) {
            const Entry& e = s.Eintrag[static_cast<std::size_t>(i)];
            QByteArray data;
            for (const Byte b : e.b)
                data += static_cast<char>(b);
            status(TextId::EibLogWriteSwitchingTime, i + 1);
            rc = SendToTransferApp(address, Mailbox::kWriteEntry, data);
            step();
        }
        // A reopened link may have lost or doubled an entry: start again
        // from the delete command.
        if (!reopened_)
            break;
    }
    return rc;
}

int BusAccess::readProgram(quint16 address, ProgramSlot& scratch)
{
    int block = 1;
    QByteArray data;
    status(TextId::EibLogReadDst, block++);
    int rc = SendToTransferApp(address, Mailbox::kReadDstYear, {}, &data);
    if (rc == 0 && data.size() != 2)
        rc = BusWrongTelegramLength;
    else if (rc == 0 && data.at(0) != 0)
        rc = BusNoValidData; // the answer always starts with 0x00
    if (rc == 0)
        scratch.SoWiJahr = static_cast<quint8>(data.at(1));
    step();
    scratch.AnzSoWi = 0;
    for (int r = 0; rc == 0 && r < kDstRows; ++r) {
        status(TextId::EibLogReadDst, block++);
        rc = SendToTransferApp(address, Mailbox::kReadDstRow, QByteArray(1, static_cast<char>(r + 1)), &data);
        if (rc == 0 && data.size() != 5)
            rc = BusWrongTelegramLength;
        else if (rc == 0 && static_cast<quint8>(data.at(0)) != r + 1)
            rc = BusNoValidData;
        if (rc != 0)
            break;
        DstRow& row = scratch.SoWiTab[static_cast<std::size_t>(r)];
        for (int k = 0; k < 4; ++k)
            row.b[static_cast<std::size_t>(k)] = static_cast<quint8>(data.at(k + 1));
        if (row.b[0] < 240)
            ++scratch.AnzSoWi;
        step();
    }
    const int entryProgress = progress_;
    for (int round = 0; rc == 0; ++round) {
        if (round == kEntryRounds)
            return BusNoValidData;
        progress_ = entryProgress;
        reopened_ = false;
        scratch.AnzSz = scratch.AnzPz = scratch.AnzEintrag = 0;
        // Never more entries than the device type holds.
        for (int i = 0; rc == 0 && !reopened_ && i < model_.device.MaxEintrag; ++i) {
            status(TextId::EibLogReadSwitchingTime, i + 1);
            rc = SendToTransferApp(address, i == 0 ? Mailbox::kReadFirstEntry : Mailbox::kReadNextEntry, {}, &data);
            if (rc == 0 && data.size() != 6)
                rc = BusWrongTelegramLength;
            if (rc != 0 || reopened_)
                break;
            step();
            if (data == QByteArray(6, '\xFF'))
                break; // after the last entry
            Entry e;
            for (int k = 0; k < 6; ++k)
                e.b[static_cast<std::size_t>(k)] = static_cast<quint8>(data.at(k));
            if (IsSwitchingTimeByte(e.b[0]))
                ++scratch.AnzSz;
            else if (IsPriorityTimeByte(e.b[0]))
                ++scratch.AnzPz;
            else
                rc = BusNoValidData;
            scratch.Eintrag[static_cast<std::size_t>(scratch.AnzEintrag++)] = e;
        }
        if (!reopened_)
            break;
    }
    return rc;
}

int BusAccess::TransferProgram(Direction direction, quint16 address, ProgramSlot& scratch)
{
    int rc = open();
    if (rc == 0)
        rc = io_->Connect(address);
    if (rc == 0)
        rc = direction == Direction::Write ? writeProgram(address) : readProgram(address, scratch);
    rc = disconnect(rc);
    const int closed = closeAll();
    return rc != 0 ? rc : closed;
}

// --- the actions ------------------------------------------------------------

BusActionResult BusAccess::Search(int area, int line, int fromDevice, int toDevice)
{
    BusActionResult r;
    if (area < 0 || area > kHighestArea || line < 0 || line > kHighestLine || fromDevice < kFirstDevice
        || toDevice > kHighestDevice || fromDevice > toDevice) {
        ui_.ask(Prompt::message(Icon::None, {kBusInvalidSearchRange}));
        r.cancelled = true;
        r.code = BusNoValidData;
        return r;
    }
    progressMax_ = toDevice - fromDevice + 1;
    stopRequested_ = false;
    if (!startAction(r))
        return r;
    r.code = open();
    for (int device = fromDevice; r.code == 0 && device <= toDevice; ++device) {
        if (stopRequested_ || (stopAsked && stopAsked())) {
            // The devices asked so far stand; the link is closed as after a whole search.
            r.stopped = true;
            status(texts_(kBusSearchStopped));
            break;
        }
        const quint16 address =
            PhysicalAddress(static_cast<unsigned>(area), static_cast<unsigned>(line), static_cast<unsigned>(device));
        status(texts_(TextId::EibLogCheckDevice) + FormatPhysicalAddress(address));
        std::array<quint8, 3> ident{};
        int rc = 0;
        for (int attempt = 0; attempt <= searchRetries; ++attempt) {
            rc = ProbeDevice(address, ident);
            if (rc == 0 || rc == BusNoMaskResponse || rc == BusWrongMaskVersion)
                break;
        }
        if (rc == 0 && ident[0] == kBusManufacturerCode)
            r.found << address;
        else if (rc != 0 && rc != BusNoMaskResponse && rc != BusWrongMaskVersion)
            r.code = rc;
        step();
    }
    const int closed = closeAll();
    if (r.code == 0)
        r.code = closed;
    finishAction(r);
    return r;
}

BusActionResult BusAccess::Program(quint16 address)
{
    BusActionResult r;
    if (model_.Geaendert == 1) {
        if (ui_.ask(Prompt::question(Buttons::OkCancel, Icon::Question, {TextId::OnlySavedDataExport})) != Answer::Ok
            || !saveBeforeTransfer || saveBeforeTransfer() == 0) {
            r.cancelled = true;
            return r;
        }
    }
    return transfer(Direction::Write, address);
}

BusActionResult BusAccess::Read(quint16 address)
{
    BusActionResult r;
    if (model_.Geaendert == 1) {
        const Answer a = ui_.ask(Prompt::question(Buttons::YesNoCancel, Icon::Question,
                                                  {TextId::SaveChangesIn, model_.program().Dateiname,
                                                   QStringLiteral(" ?")}));
        if (a == Answer::Cancel || (a == Answer::Yes && (!saveBeforeTransfer || saveBeforeTransfer() == 0))) {
            r.cancelled = true;
            return r;
        }
    }
    return transfer(Direction::Read, address);
}

BusActionResult BusAccess::transfer(Direction direction, quint16 address)
{
    BusActionResult r;
    const ProgramSlot& s = model_.program();
    const int programBlocks = direction == Direction::Write ? 1 + kDstRows + 1 + s.AnzEintrag
                                                            : 1 + kDstRows + model_.device.MaxEintrag / 4;
    const int applicationBlocks = kApplicationSize / kApplicationBlock;
    progressMax_ = 3 * applicationBlocks + programBlocks;
    if (!startAction(r))
        return r;
    const QString saved = SavedApplicationFileName(address);
    // Without a transfer application to install nothing is sent at all.
    ApplicationFileError fileError = ApplicationFileError::None;
    if (!ReadApplicationFile(inWorkDir(kTransferApplicationFileName), &fileError)) {
        r.code = BusRunTimeFailure;
        r.detail = inWorkDir(kTransferApplicationFileName) + QStringLiteral(": ") + applicationError(texts_, fileError);
        r.restorePending = restorePending(address);
        finishAction(r);
        return r;
    }
    r.code = open();
    if (r.code == 0 && !restorePending(address))
        r.code = SaveApplication(address, r.detail);
    else
        progress_ += applicationBlocks;
    if (r.code != 0) {
        // Nothing of the device was changed yet.
        r.restorePending = restorePending(address);
        closeAll();
        finishAction(r);
        return r;
    }
    r.restorePending = true;
    if (observer)
        observer->labelChanged(Prompt::message(Icon::None, {kBusRestorePending}));

    int rc = BusMemoryNotWritten;
    const int installStart = progress_;
    for (int attempt = 0; attempt < kInstallAttempts && rc != 0; ++attempt) {
        progress_ = installStart;
        rc = InstallApplication(address, kTransferApplicationFileName, r.detail);
        if (rc == BusRunTimeFailure)
            break; // the file will not be better next time
    }
    io_->BusPause(kSettleMs);
    closeAll();

    auto scratch = std::make_unique<ProgramSlot>();
    if (rc == 0)
        rc = TransferProgram(direction, address, *scratch);

    // Whatever happened since the install began, the device's own
    // application goes back.
    progress_ = progressMax_ - applicationBlocks;
    int restore = open();
    QString restoreDetail;
    for (int attempt = 0; restore == 0 && attempt < kInstallAttempts; ++attempt) {
        progress_ = progressMax_ - applicationBlocks;
        restore = InstallApplication(address, saved, restoreDetail);
        if (restore == 0 || restore == BusRunTimeFailure)
            break;
    }
    const int closed = closeAll();
    if (restore == 0) {
        QFile::remove(inWorkDir(saved));
        r.restorePending = false;
    }
    r.code = rc != 0 ? rc : restore != 0 ? restore
                                         : closed;
    if (rc == 0 && restore != 0)
        r.detail = restoreDetail;

    if (r.code == 0 && direction == Direction::Read) {
        // The program read replaces the open one only now, whole: its
        // switching and priority times and its summer/winter table. What the
        // bus does not carry stays as the open program had it: description,
        // channel names, program number, write protection, astro settings.
        ProgramSlot& target = model_.program();
        const ProgramSlot kept = target;
        model_.ClearSlot(kProgramSlot);
        target.Eintrag = scratch->Eintrag;
        target.AnzSz = scratch->AnzSz;
        target.AnzPz = scratch->AnzPz;
        target.AnzEintrag = scratch->AnzEintrag;
        target.SoWiTab = scratch->SoWiTab;
        target.AnzSoWi = scratch->AnzSoWi;
        target.SoWiJahr = scratch->SoWiJahr;
        target.Verwendung = kept.Verwendung.isEmpty() ? texts_(TextId::Unknown) : kept.Verwendung;
        target.Kanalname = kept.Kanalname;
        target.ProgNr = kept.ProgNr;
        target.Schreibschutz = kept.Schreibschutz;
        target.astro = kept.astro;
        const QString prefix = texts_(TextId::FreeNamePrefix);
        const QString name = NextFreeFileName(workDir_, prefix);
        if (name.isEmpty())
            ui_.ask(Prompt::message(Icon::Critical, {TextId::SaveUnderOtherName, prefix + QStringLiteral("xxx.zpg")}));
        target.Dateiname = name.isEmpty() ? QString() : inWorkDir(name);
        model_.Geaendert = 1;
        model_.AktSlot = kProgramSlot;
    }
    finishAction(r);
    return r;
}

BusActionResult BusAccess::LinkNotOpened(const QString& reason)
{
    BusActionResult r;
    r.code = BusRunTimeFailure;
    r.detail = reason;
    log_.start(protocolPath());
    log_.line(texts_(kBusNoLink) + reason);
    log_.close();
    ui_.ask(Prompt::message(Icon::Critical, {kBusNoLink, reason}));
    return r;
}

BusActionResult BusAccess::Reinstall(quint16 address)
{
    BusActionResult r;
    const QString saved = SavedApplicationFileName(address);
    progressMax_ = kApplicationSize / kApplicationBlock;
    if (!restorePending(address)) {
        r.code = BusNoSavedApplication;
        r.detail = inWorkDir(saved);
        ui_.ask(BusErrorMessage(r.code, portLabel_, r.detail));
        return r;
    }
    if (!startAction(r))
        return r;
    r.restorePending = true;
    r.code = open();
    if (r.code == 0)
        r.code = InstallApplication(address, saved, r.detail);
    io_->BusPause(kSettleMs);
    const int closed = closeAll();
    if (r.code == 0) {
        QFile::remove(inWorkDir(saved));
        r.restorePending = false;
        r.code = closed;
    }
    finishAction(r);
    return r;
}

} // namespace zendrik

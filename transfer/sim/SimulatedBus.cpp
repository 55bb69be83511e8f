#include "transfer/sim/SimulatedBus.h"

#include "transfer/bus/EibFrames.h"
#include "transfer/bus/FrameBytes.h"
#include "transfer/bus/PhysicalAddress.h"
#include "transfer/bus/TransferMailbox.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QFileInfo>

#include <algorithm>

namespace zendrik {

namespace {

constexpr qint64 kMaxConfigSize = 256 * 1024;
constexpr qint64 kMaxStateSize = 256 * 1024;
// One bit on the bus and on the serial line at 9600 bit/s, in ns.
constexpr std::int64_t kBitNs = 104'167;
// TP1: every character takes 13 bit times (start, 8 data, parity, stop and
// two bits of gap); a frame waits 50 bit times for a free line, and its
// acknowledgement character follows 15 bit times after its end.
constexpr int kCharBits = 13;
constexpr int kLineBusyBits = 50;
constexpr int kAckGapBits = 15;
// The serial line to the BCU: 11 bits per byte (start, 8 data, parity, stop).
constexpr int kSerialBits = 11;
// The transport layer repeats an unacknowledged telegram after 3 s.
constexpr std::int64_t kRepeatAfterUs = 3'000'000;

bool parseNumber(const QByteArray& text, int* value)
{
    bool ok = false;
    const QByteArray t = text.trimmed().toLower();
    *value = t.startsWith("0x") ? t.mid(2).toInt(&ok, 16) : t.toInt(&ok, 10);
    return ok;
}

} // namespace

bool ParseSimulatedBusConfig(const QByteArray& text, SimulatedBusConfig& config, QString* error)
{
    QString section;
    SimulatedBusConfig::Device* device = nullptr;
    int lineNumber = 0;
    const auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("line %1: %2").arg(lineNumber).arg(why);
        return false;
    };
    for (const QByteArray& raw : SplitLines(text)) {
        ++lineNumber;
        QByteArray line = raw.trimmed();
        if (const qsizetype hash = line.indexOf('#'); hash >= 0)
            line = line.left(hash).trimmed();
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            const QString name = QString::fromUtf8(line.mid(1, line.size() - 2)).trimmed();
            device = nullptr;
            if (name.startsWith(QLatin1String("device"))) {
                const auto address = ParsePhysAddress(name.mid(6).trimmed());
                if (!address)
                    return fail(QStringLiteral("no valid physical address in [%1]").arg(name));
                config.devices.push_back({});
                device = &config.devices.back();
                device->address = *address;
                section = QStringLiteral("device");
            } else if (name == QLatin1String("bus") || name == QLatin1String("bcu")) {
                section = name;
            } else {
                return fail(QStringLiteral("unknown section [%1]").arg(name));
            }
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        const QByteArray key = (eq < 0 ? line : line.left(eq)).trimmed().toLower();
        const QByteArray value = eq < 0 ? QByteArray("1") : line.mid(eq + 1).trimmed();
        const QByteArray lower = value.toLower();
        const bool on = lower == "1" || lower == "on" || lower == "yes" || lower == "true";
        int number = 0;
        const bool numeric = parseNumber(value, &number);
        const auto needNumber = [&](int* target) {
            if (!numeric)
                return fail(QStringLiteral("%1 needs a number").arg(QString::fromUtf8(key)));
            *target = number;
            return true;
        };
        if (section == QLatin1String("bus") && key == "pacing") {
            config.paced = on;
        } else if (section == QLatin1String("bcu")) {
            if (key == "address") {
                const auto address = ParsePhysAddress(QString::fromUtf8(value));
                if (!address)
                    return fail(QStringLiteral("no valid physical address"));
                config.ownAddress = *address;
            } else if (key == "address-table-length") {
                if (!needNumber(&config.addressTableLength))
                    return false;
            } else if (key == "no-confirm") {
                config.bcu.noConfirm = on;
            } else if (key == "missing") {
                config.bcu.missing = on;
            } else if (key == "link-lost-at-command") {
                if (!needNumber(&config.bcu.linkLostAtCommand))
                    return false;
            } else if (key == "link-dead-at-command") {
                if (!needNumber(&config.bcu.linkDeadAtCommand))
                    return false;
            } else if (key == "ack-lost-at") {
                if (!needNumber(&config.bcu.ackLostAt))
                    return false;
            } else if (key == "length-write-fails") {
                if (!needNumber(&config.bcu.lengthWriteFails))
                    return false;
            } else {
                return fail(QStringLiteral("unknown key %1").arg(QString::fromUtf8(key)));
            }
        } else if (device) {
            if (key == "mask") {
                if (!needNumber(&device->mask))
                    return false;
            } else if (key == "manufacturer") {
                if (!needNumber(&device->manufacturer))
                    return false;
            } else if (key == "silent") {
                device->faults.silent = on;
            } else if (key == "busy") {
                if (!needNumber(&device->faults.busyCommands))
                    return false;
            } else if (key == "busy-from") {
                if (!needNumber(&device->faults.busyFrom))
                    return false;
            } else if (key == "busy-ms") {
                if (!needNumber(&device->faults.busyMs))
                    return false;
            } else if (key == "restore-fails") {
                device->faults.restoreFails = on;
            } else if (key == "delete-ms") {
                if (!needNumber(&device->faults.deleteMs))
                    return false;
            } else if (key == "wrong-answer") {
                if (!needNumber(&device->faults.wrongAnswerTo))
                    return false;
            } else if (key == "answer-from") {
                const auto address = ParsePhysAddress(QString::fromUtf8(value));
                if (!address)
                    return fail(QStringLiteral("no valid physical address"));
                device->faults.answerSource = *address;
            } else {
                return fail(QStringLiteral("unknown key %1").arg(QString::fromUtf8(key)));
            }
        } else {
            return fail(QStringLiteral("key outside a section"));
        }
    }
    return true;
}

std::unique_ptr<SimulatedBus> SimulatedBus::fromFile(const QString& path, QString* error)
{
    const LimitedRead read = ReadRegularFile(path, kMaxConfigSize);
    if (!read.ok()) {
        if (error)
            *error = path + QStringLiteral(": ") + FileStateReason(read.tooLarge ? FileState::Unreadable : read.state);
        return nullptr;
    }
    SimulatedBusConfig config;
    QString why;
    if (!ParseSimulatedBusConfig(read.data, config, &why)) {
        if (error)
            *error = path + QStringLiteral(": ") + why;
        return nullptr;
    }
    const QFileInfo info(path);
    QString prefix = info.absoluteFilePath();
    if (!info.suffix().isEmpty())
        prefix.chop(info.suffix().size() + 1);
    return std::make_unique<SimulatedBus>(std::move(config), prefix);
}

SimulatedBus::SimulatedBus(SimulatedBusConfig config, QString statePrefix)
    : config_(std::move(config)), statePrefix_(std::move(statePrefix)), name_(QStringLiteral("sim"))
{
    if (config_.paced) {
        clock_ = std::make_unique<SteadyBusClock>();
    } else {
        auto clock = std::make_unique<VirtualBusClock>();
        clock->nextEventUs = [this] { return nextEventUs(); };
        clock_ = std::move(clock);
    }
    bcu_.setByte(EibFrame::kAddressTableLength, config_.addressTableLength);
    for (const SimulatedBusConfig::Device& d : config_.devices) {
        auto device = std::make_unique<EmulatedTimeSwitch>(d.address, d.manufacturer);
        device->mask = d.mask;
        device->faults = d.faults;
        devices_[d.address] = std::move(device);
    }
    loadState();
}

SimulatedBus::~SimulatedBus()
{
    saveState();
}

void SimulatedBus::loadState()
{
    if (statePrefix_.isEmpty())
        return;
    for (const SimulatedBusConfig::Device& d : config_.devices) {
        const LimitedRead read =
            ReadRegularFile(statePrefix_ + QLatin1Char('-') + FormatPhysicalAddress(d.address) + QStringLiteral(".mem"),
                            kMaxStateSize);
        EmulatedTimeSwitch& device = *devices_[d.address];
        if (read.ok())
            device.restoreState(read.data);
        // The description decides who the device is.
        device.setManufacturer(d.manufacturer);
    }
    const LimitedRead bcu = ReadRegularFile(statePrefix_ + QStringLiteral("-bcu.mem"), kMaxStateSize);
    if (bcu.ok()) {
        bcu_.restore(QByteArray::fromHex(bcu.data.trimmed()));
    }
}

bool SimulatedBus::saveState(QString* error) const
{
    if (statePrefix_.isEmpty())
        return true;
    bool ok = true;
    for (const auto& [address, device] : devices_)
        ok = WriteFileAtomically(statePrefix_ + QLatin1Char('-') + FormatPhysicalAddress(address) + QStringLiteral(".mem"),
                                 device->stateText(), error)
            && ok;
    const QByteArray bcu = bcu_.bytes().toHex() + "\n";
    ok = WriteFileAtomically(statePrefix_ + QStringLiteral("-bcu.mem"), bcu, error) && ok;
    return ok;
}

EmulatedTimeSwitch* SimulatedBus::device(quint16 address)
{
    const auto it = devices_.find(address);
    return it == devices_.end() ? nullptr : it->second.get();
}

int SimulatedBus::localByte(int address) const
{
    return bcu_.byte(address);
}

void SimulatedBus::setLocalByte(int address, int value)
{
    bcu_.setByte(address, value);
}

std::int64_t SimulatedBus::tp1FrameUs(int bytes)
{
    return (kLineBusyBits + kCharBits * bytes + kAckGapBits + kCharBits) * kBitNs / 1000;
}

std::int64_t SimulatedBus::serialFrameUs(int bytes)
{
    return kSerialBits * bytes * kBitNs / 1000;
}

std::int64_t SimulatedBus::nextEventUs() const
{
    const std::int64_t now = clock_->nowUs();
    std::int64_t next = 0;
    const auto consider = [&](std::int64_t t) {
        if (t > now && (next == 0 || t < next))
            next = t;
    };
    if (confirmAtUs_ >= 0 && !config_.bcu.noConfirm)
        consider(confirmAtUs_);
    if (!incoming_.empty())
        consider(incoming_.front().atUs);
    return next;
}

int SimulatedBus::install(int, int, int, int, int)
{
    if (config_.bcu.missing || dead_)
        return LinkInstallFailed;
    open_ = true;
    broken_ = false;
    connection_ = false;
    confirmAtUs_ = -1;
    incoming_.clear();
    return 0;
}

int SimulatedBus::resetLink()
{
    if (!open_)
        return LinkNotOpen;
    if (broken_)
        return LinkLost;
    incoming_.clear();
    return 0;
}

int SimulatedBus::resetBcu()
{
    if (!open_)
        return LinkNotOpen;
    if (broken_)
        return LinkLost;
    // A reset drops the BCU's connection without telling the device.
    connection_ = false;
    confirmAtUs_ = -1;
    incoming_.clear();
    return 0;
}

int SimulatedBus::changeLayer(int)
{
    if (!open_)
        return LinkNotOpen;
    return broken_ ? LinkLost : 0;
}

std::int64_t SimulatedBus::onLine(std::int64_t atUs, int bytes)
{
    const std::int64_t start = std::max(atUs, lineFreeUs_);
    const std::int64_t length = tp1FrameUs(bytes);
    lineFreeUs_ = start + length;
    lineBusyUs_ += length;
    return lineFreeUs_;
}

void SimulatedBus::deviceTelegram(const QByteArray& tpdu, std::int64_t atUs, std::int64_t* confirmAt)
{
    EmulatedTimeSwitch* target = device(connectedTo_);
    std::int64_t t = onLine(atUs, static_cast<int>(tpdu.size()) + 7);
    *confirmAt = t;
    if (!target)
        return;
    const bool dataConnected = Tpci::isDataConnected(at(tpdu, 0));
    if (dataConnected)
        ++connectedTelegrams_;
    const bool mailbox = dataConnected && Apci::serviceOf(tpdu) == Apci::kMemoryWrite && tpdu.size() >= 4
        && (at(tpdu, 2) << 8 | at(tpdu, 3)) == Mailbox::kAddress;
    if (mailbox)
        ++mailboxCommands_;
    std::vector<QByteArray> replies = target->receive(config_.ownAddress, tpdu, t);
    const quint16 source = target->faults.answerSource ? target->faults.answerSource : target->address();

    if (mailbox && (mailboxCommands_ == config_.bcu.linkLostAtCommand || mailboxCommands_ == config_.bcu.linkDeadAtCommand)) {
        // The device has the command, the PC never hears of it.
        broken_ = true;
        dead_ = dead_ || mailboxCommands_ == config_.bcu.linkDeadAtCommand;
        *confirmAt = -1;
        return;
    }
    if (dataConnected && connectedTelegrams_ == config_.bcu.ackLostAt && !replies.empty()
        && Tpci::isAck(at(replies.front(), 0))) {
        // The acknowledgement is lost on the line: after the repetition time
        // the BCU's transport layer sends the telegram again, unchanged.
        t = onLine(t, 8);
        ++repetitions_;
        replies.erase(replies.begin());
        std::vector<QByteArray> again = target->receive(config_.ownAddress, tpdu, t + kRepeatAfterUs);
        t = onLine(t + kRepeatAfterUs, static_cast<int>(tpdu.size()) + 7);
        replies.insert(replies.begin(), again.begin(), again.end());
    }
    // The BCU confirmed the frame once it was over the line (with its line
    // acknowledgement); the transport layer's exchange goes on behind it and
    // holds the line for the next frame.
    for (const QByteArray& r : replies) {
        const quint8 tpci = at(r, 0);
        t = onLine(t, static_cast<int>(r.size()) + 7);
        if (tpci == Tpci::kDisconnect) {
            connection_ = false;
        } else if (Tpci::isDataConnected(tpci)) {
            const QByteArray frame = EibFrame::dataIn(source, config_.ownAddress, r);
            incoming_.push_back({t, frame});
            // The BCU acknowledges the device's telegram.
            if (source == target->address()) {
                const QByteArray ack(1, static_cast<char>(Tpci::kAck | (Tpci::sequenceOf(tpci) << 2)));
                target->receive(config_.ownAddress, ack, t);
                t = onLine(t, 8);
            }
        }
    }
}

int SimulatedBus::send(const QByteArray& frame)
{
    if (!open_)
        return LinkNotOpen;
    if (broken_)
        return LinkLost;
    // The length byte counts the bytes after it, modulo 32.
    if (frame.size() < 2 || at(frame, 0) != (frame.size() - 1) % 32)
        return LinkBadFrame;
    ++framesSent_;
    const std::int64_t now = clock_->nowUs();
    const quint8 kind = at(frame, 1);
    // The local frames travel the serial line to the BCU and back; telegrams
    // for the bus go onto the line as they come (the line is what counts).
    const std::int64_t serialDone = now + serialFrameUs(static_cast<int>(frame.size()));
    switch (kind) {
    case EibFrame::kLocalRead:
    case EibFrame::kLocalWrite: {
        if (kind == EibFrame::kLocalWrite && frame.size() == 6 && at(frame, 2) == 1
            && (at(frame, 3) << 8 | at(frame, 4)) == EibFrame::kAddressTableLength && at(frame, 5) != 1
            && lengthWritesRefused_ < config_.bcu.lengthWriteFails) {
            // The write-back of the address-table length is lost: never confirmed.
            ++lengthWritesRefused_;
            serialBusyUs_ += serialFrameUs(static_cast<int>(frame.size()));
            confirmAtUs_ = -1;
            return 0;
        }
        QByteArray answer;
        if (const int rc = bcu_.take(frame, &answer); rc != 0)
            return rc;
        // A read's answer comes back over the serial line after the frame.
        serialBusyUs_ += serialFrameUs(static_cast<int>(frame.size() + answer.size()));
        confirmAtUs_ = serialDone;
        if (!answer.isEmpty())
            incoming_.push_back({serialDone + serialFrameUs(static_cast<int>(answer.size())), answer});
        return 0;
    }
    case EibFrame::kConnect:
        if (frame.size() != 7)
            return LinkBadFrame;
        connectedTo_ = static_cast<quint16>(at(frame, 5) << 8 | at(frame, 6));
        connection_ = true;
        txSeq_ = 0;
        deviceTelegram(QByteArray(1, static_cast<char>(Tpci::kConnect)), now, &confirmAtUs_);
        return 0;
    case EibFrame::kDisconnect:
        if (frame.size() != 7)
            return LinkBadFrame;
        if (connection_)
            deviceTelegram(QByteArray(1, static_cast<char>(Tpci::kDisconnect)), now, &confirmAtUs_);
        else
            confirmAtUs_ = now;
        connection_ = false;
        return 0;
    case EibFrame::kData: {
        if (frame.size() < 9 || frame.size() != 9 + at(frame, 7))
            return LinkBadFrame;
        QByteArray tpdu = frame.mid(8);
        if (!connection_) {
            confirmAtUs_ = now; // nothing goes out without a connection
            return 0;
        }
        tpdu[0] = static_cast<char>(Tpci::kDataConnected | (txSeq_ << 2) | (at(tpdu, 0) & 0x03));
        txSeq_ = (txSeq_ + 1) & 0x0F;
        deviceTelegram(tpdu, now, &confirmAtUs_);
        return 0;
    }
    default:
        return LinkBadFrame;
    }
}

int SimulatedBus::pollConfirm(bool* done)
{
    *done = false;
    if (!open_)
        return LinkNotOpen;
    if (broken_)
        return LinkLost;
    if (config_.bcu.noConfirm || confirmAtUs_ < 0)
        return 0;
    if (clock_->nowUs() >= confirmAtUs_) {
        *done = true;
        confirmAtUs_ = -1;
    }
    return 0;
}

int SimulatedBus::receive(QByteArray& buffer)
{
    buffer = QByteArray(kReceiveBufferSize, '\0');
    if (!open_)
        return LinkNotOpen;
    if (broken_)
        return LinkLost;
    if (incoming_.empty() || incoming_.front().atUs > clock_->nowUs())
        return 0;
    const QByteArray frame = incoming_.front().frame.left(kReceiveBufferSize);
    incoming_.pop_front();
    buffer.replace(0, frame.size(), frame);
    return 0;
}

int SimulatedBus::close()
{
    open_ = false;
    broken_ = false;
    connection_ = false;
    confirmAtUs_ = -1;
    incoming_.clear();
    saveState();
    return 0;
}

} // namespace zendrik

#include "transfer/sim/EmulatedTimeSwitch.h"

#include "transfer/bus/BusApplication.h"
#include "transfer/bus/EibFrames.h"
#include "transfer/bus/FrameBytes.h"
#include "transfer/bus/TransferMailbox.h"

#include <QList>

namespace zendrik {

namespace {

// The largest memory access the device serves: eight data bytes, and the
// whole nine-byte mailbox in one piece (so a command block never arrives
// and an answer is never read half old, half new).
constexpr int kMaxAccessBytes = 8;

bool servedAccess(int address, int count)
{
    if (address == Mailbox::kAddress && count == Mailbox::kSize)
        return true;
    return count >= 1 && count <= kMaxAccessBytes && address + count <= EmulatedTimeSwitch::kMemorySize;
}

// The device's own application before anyone touched it: different for
// every address, and never the transfer application.
quint8 ownApplicationByte(quint16 address, int i)
{
    return static_cast<quint8>((i * 11 + (address & 0xFF) * 3 + 0x21) & 0xFF);
}

} // namespace

EmulatedTimeSwitch::EmulatedTimeSwitch(quint16 address, int manufacturer) : address_(address)
{
    memory_.fill(0x00);
    for (int i = 0x0100; i < kMemorySize; ++i)
        memory_[static_cast<std::size_t>(i)] = ownApplicationByte(address, i - 0x0100);
    memory_[kIdentificationAddress] = static_cast<quint8>(manufacturer);
    memory_[kIdentificationAddress + 1] = 0x07;
    memory_[kIdentificationAddress + 2] = 0x38;
    for (int i = 0; i < Mailbox::kSize; ++i)
        memory_[Mailbox::kAddress + static_cast<std::size_t>(i)] = 0xFF;
}

bool EmulatedTimeSwitch::connected(std::int64_t nowUs) const
{
    return connected_ && nowUs - lastTelegramUs_ < kConnectionTimeoutUs;
}

std::vector<QByteArray> EmulatedTimeSwitch::receive(quint16 source, const QByteArray& tpdu, std::int64_t nowUs)
{
    if (faults.silent || tpdu.isEmpty())
        return {};
    const quint8 tpci = at(tpdu, 0);
    const QByteArray disconnect(1, static_cast<char>(Tpci::kDisconnect));
    if (tpci == Tpci::kConnect) {
        // One connection at a time: a device still connected refuses.
        if (connected(nowUs))
            return {disconnect};
        connected_ = true;
        partner_ = source;
        lastTelegramUs_ = nowUs;
        rxSeq_ = txSeq_ = 0;
        return {};
    }
    const bool fromPartner = connected(nowUs) && source == partner_;
    if (tpci == Tpci::kDisconnect) {
        if (fromPartner)
            connected_ = false;
        return {};
    }
    if (Tpci::isAck(tpci) || Tpci::isNak(tpci))
        return {};
    if (!Tpci::isDataConnected(tpci))
        return {};
    if (!fromPartner)
        return {disconnect};
    lastTelegramUs_ = nowUs;
    const int seq = Tpci::sequenceOf(tpci);
    const auto ack = [](int s) { return QByteArray(1, static_cast<char>(Tpci::kAck | (s << 2))); };
    if (seq == ((rxSeq_ + 15) & 0x0F))
        return {ack(seq)}; // a repetition: acknowledged, not applied again
    if (seq != rxSeq_)
        return {QByteArray(1, static_cast<char>(Tpci::kNak | (seq << 2)))};
    rxSeq_ = (rxSeq_ + 1) & 0x0F;
    ++applied_;
    QByteArray apdu = tpdu;
    apdu[0] = static_cast<char>(tpci & 0x03);
    std::vector<QByteArray> out{ack(seq)};
    QByteArray answer = apply(apdu, nowUs);
    if (!answer.isEmpty()) {
        answer[0] = static_cast<char>(Tpci::kDataConnected | (txSeq_ << 2) | (at(answer, 0) & 0x03));
        txSeq_ = (txSeq_ + 1) & 0x0F;
        out.push_back(answer);
    }
    return out;
}

QByteArray EmulatedTimeSwitch::apply(const QByteArray& apdu, std::int64_t nowUs)
{
    const quint16 service = Apci::serviceOf(apdu);
    if (service == Apci::kMaskRead) {
        QByteArray a;
        a += static_cast<char>(Apci::kMaskResponse >> 8);
        a += static_cast<char>(Apci::kMaskResponse & 0xC0);
        a += static_cast<char>(mask >> 8);
        a += static_cast<char>(mask & 0xFF);
        return a;
    }
    if ((service != Apci::kMemoryRead && service != Apci::kMemoryWrite) || apdu.size() < 4)
        return {};
    const int count = Apci::countOf(apdu);
    const int address = at(apdu, 2) << 8 | at(apdu, 3);
    const bool inRange = servedAccess(address, count);
    finishPendingWork(nowUs);
    if (service == Apci::kMemoryRead) {
        // A read the device cannot serve is answered with count 0.
        QByteArray a = Apci::memoryRead(inRange ? count : 0, static_cast<quint16>(address));
        a[1] = static_cast<char>((Apci::kMemoryResponse & 0xC0) | (inRange ? count : 0));
        if (inRange)
            for (int i = 0; i < count; ++i)
                a += static_cast<char>(memory_[static_cast<std::size_t>(address + i)]);
        return a;
    }
    if (!inRange || apdu.size() < 4 + count)
        return {};
    const bool application = address + count > kApplicationFirst && address <= kApplicationLast;
    if (application && faults.restoreFails && programExchanged_)
        return {};
    for (int i = 0; i < count; ++i)
        memory_[static_cast<std::size_t>(address + i)] = at(apdu, 4 + i);
    if (address <= Mailbox::kAddress && address + count > Mailbox::kAddress && runsTransferApplication())
        runMailbox(nowUs);
    return {};
}

bool EmulatedTimeSwitch::runsTransferApplication() const
{
    return application() == TransferApplicationImage();
}

QByteArray EmulatedTimeSwitch::application() const
{
    return QByteArray(reinterpret_cast<const char*>(memory_.data()) + kApplicationFirst, kApplicationSize);
}

std::array<quint8, 3> EmulatedTimeSwitch::identification() const
{
    return {memory_[kIdentificationAddress], memory_[kIdentificationAddress + 1], memory_[kIdentificationAddress + 2]};
}

void EmulatedTimeSwitch::setMailbox(const QByteArray& answer)
{
    QByteArray block = answer;
    if (block.size() > 3 && at(block, 0) == Mailbox::kAnswerMark && at(block, 2) == faults.wrongAnswerTo)
        block[3] = static_cast<char>(at(block, 3) ^ 0x80);
    for (int i = 0; i < Mailbox::kSize; ++i)
        memory_[Mailbox::kAddress + static_cast<std::size_t>(i)] = at(block, i);
}

void EmulatedTimeSwitch::markTaken()
{
    for (int i = 1; i < Mailbox::kSize; ++i)
        memory_[Mailbox::kAddress + static_cast<std::size_t>(i)] = 0xFF;
}

void EmulatedTimeSwitch::finishPendingWork(std::int64_t nowUs)
{
    if (lateCommandUs_ >= 0 && nowUs >= lateCommandUs_) {
        lateCommandUs_ = -1;
        runMailbox(nowUs, true);
    }
    if (deleteDoneUs_ >= 0 && nowUs >= deleteDoneUs_) {
        entries.clear();
        deleteDoneUs_ = -1;
        markTaken();
    }
}

QByteArray EmulatedTimeSwitch::entryAnswer(std::size_t index) const
{
    QByteArray data(6, '\xFF');
    if (index < entries.size())
        for (int k = 0; k < 6; ++k)
            data[k] = static_cast<char>(entries[index][static_cast<std::size_t>(k)]);
    return data;
}

void EmulatedTimeSwitch::runMailbox(std::int64_t nowUs, bool late)
{
    const QByteArray block(reinterpret_cast<const char*>(memory_.data()) + Mailbox::kAddress, Mailbox::kSize);
    if (at(block, 0) != Mailbox::kCommandMark || deleteDoneUs_ >= 0)
        return;
    if (!late) {
        lateCommandUs_ = -1;
        ++commandsSeen_;
        if (faults.busyCommands < 0)
            return; // never ready
        if (commandsSeen_ >= faults.busyFrom && commandsSeen_ < faults.busyFrom + faults.busyCommands) {
            // Busy with something else: the command waits in the mailbox.
            lateCommandUs_ = nowUs + faults.busyMs * 1000LL;
            return;
        }
    }
    const int length = at(block, 1) - 1;
    if (length < 0 || length > Mailbox::kSize - 3)
        return;
    const quint8 command = at(block, 2);
    const QByteArray data = block.mid(3, length);
    const auto byte = [&data](int i) { return static_cast<quint8>(data.at(i)); };
    switch (command) {
    case Mailbox::kWriteDst:
        if (length != 5)
            return;
        if (byte(0) == 0)
            sowiYear = byte(1);
        else if (byte(0) <= kDstRows)
            for (int k = 0; k < 4; ++k)
                rows[byte(0) - 1u].b[static_cast<std::size_t>(k)] = byte(k + 1);
        else
            return;
        programExchanged_ = true;
        markTaken();
        return;
    case Mailbox::kDeleteEntries:
        if (length != 1 || byte(0) != Mailbox::kDeleteKey)
            return;
        // The device keeps the command in the mailbox while it works.
        deleteDoneUs_ = nowUs + faults.deleteMs * 1000LL;
        programExchanged_ = true;
        finishPendingWork(nowUs);
        return;
    case Mailbox::kWriteEntry:
        if (length != 6 || static_cast<int>(entries.size()) >= kMaxEntries)
            return;
        entries.push_back({byte(0), byte(1), byte(2), byte(3), byte(4), byte(5)});
        programExchanged_ = true;
        markTaken();
        return;
    case Mailbox::kReadDstYear:
        setMailbox(Mailbox::answerBlock(command, QByteArray::fromRawData("\0", 1) + static_cast<char>(sowiYear)));
        programExchanged_ = true;
        return;
    case Mailbox::kReadDstRow: {
        if (length != 1 || byte(0) < 1 || byte(0) > kDstRows)
            return;
        QByteArray answer(1, static_cast<char>(byte(0)));
        for (const quint8 b : rows[byte(0) - 1u].b)
            answer += static_cast<char>(b);
        setMailbox(Mailbox::answerBlock(command, answer));
        programExchanged_ = true;
        return;
    }
    case Mailbox::kReadFirstEntry:
    case Mailbox::kReadNextEntry:
        if (command == Mailbox::kReadFirstEntry)
            readCursor_ = 0;
        setMailbox(Mailbox::answerBlock(command, entryAnswer(readCursor_)));
        if (readCursor_ < entries.size())
            ++readCursor_;
        programExchanged_ = true;
        return;
    default:
        return; // a command it does not know stays untaken
    }
}

QByteArray EmulatedTimeSwitch::stateText() const
{
    QByteArray text;
    text += "memory=" + QByteArray(reinterpret_cast<const char*>(memory_.data()), kMemorySize).toHex() + "\n";
    text += "year=" + QByteArray::number(sowiYear) + "\n";
    for (const DstRowBytes& r : rows)
        text += "row=" + QByteArray(reinterpret_cast<const char*>(r.b.data()), 4).toHex() + "\n";
    for (const auto& e : entries)
        text += "entry=" + QByteArray(reinterpret_cast<const char*>(e.data()), 6).toHex() + "\n";
    return text;
}

bool EmulatedTimeSwitch::restoreState(const QByteArray& text)
{
    EmulatedTimeSwitch fresh(address_);
    std::size_t row = 0;
    bool sawMemory = false;
    for (const QByteArray& raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        const QByteArray key = line.left(eq);
        const QByteArray value = line.mid(eq + 1);
        const QByteArray bytes = QByteArray::fromHex(value);
        if (key == "memory" && bytes.size() == kMemorySize) {
            std::copy(bytes.begin(), bytes.end(), fresh.memory_.begin());
            sawMemory = true;
        } else if (key == "year") {
            fresh.sowiYear = value.toInt() & 0xFF;
        } else if (key == "row" && bytes.size() == 4 && row < rows.size()) {
            std::copy(bytes.begin(), bytes.end(), fresh.rows[row++].b.begin());
        } else if (key == "entry" && bytes.size() == 6 && fresh.entries.size() < kMaxEntries) {
            std::array<quint8, 6> e{};
            std::copy(bytes.begin(), bytes.end(), e.begin());
            fresh.entries.push_back(e);
        } else {
            return false;
        }
    }
    if (!sawMemory)
        return false;
    memory_ = fresh.memory_;
    sowiYear = fresh.sowiYear;
    rows = fresh.rows;
    entries = std::move(fresh.entries);
    return true;
}

} // namespace zendrik

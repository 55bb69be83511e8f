#include "transfer/chip/SerialChipTransfer.h"

#include "model/DeviceSettings.h"
#include "model/FileNames.h"
#include "model/ProgramFile.h"
#include "transfer/BytePort.h"
#include "transfer/TransferObserver.h"
#include "transfer/chip/AdapterFrames.h"
#include "transfer/chip/CardDatFile.h"
#include "transfer/chip/ReceiveReply.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <span>

namespace zendrik {

namespace {

constexpr int kAttempts = 3;
constexpr int kMaxProgramFileSize = 16 * 1024 * 1024;

// Chip byte 1 holds the device identification; these values on a chip
// mean a program of another family than the device's.
bool isOtherFamily(int uhrentyp, int identification)
{
    if (uhrentyp == kFamily738)
        return identification == 72 || identification == 73 || identification == 80;
    return identification == 74;
}

std::span<const Byte> blockOf(const Image& image, int address)
{
    return std::span<const Byte>(image).subspan(static_cast<std::size_t>(address), kChipBlockBytes);
}

} // namespace

SerialChipTransfer::SerialChipTransfer(BytePort& port, int uhrentyp, QString portLabel, QString workDir,
                                       SerialTransferOptions options, TransferObserver* observer)
    : port_(port), uhrentyp_(uhrentyp), size_(FamilyImageSize(uhrentyp)), portLabel_(std::move(portLabel)),
      workDir_(std::move(workDir)), options_(options), observer_(observer)
{
}

SerialTransferResult SerialChipTransfer::writeChip(const QString& programFile)
{
    return run(true, programFile);
}

SerialTransferResult SerialChipTransfer::readChip()
{
    return run(false, QString());
}

SerialTransferResult SerialChipTransfer::run(bool writing, const QString& programFile)
{
    SerialTransferResult r;
    log_.clear();
    logError_.clear();

    // The program file is read whole before the first block goes out, so a
    // short or damaged file never leaves a half-written chip.
    Image written;
    if (writing) {
        const LimitedRead file = ReadRegularFile(programFile, kMaxProgramFileSize);
        if (file.state != FileState::Regular) {
            r.fault = SerialFault::ProgramFileMissing;
            return r;
        }
        if (file.ok())
            written = ReadImageNumbers(file.data, size_);
        if (written.empty()) {
            r.fault = SerialFault::ProgramFileInvalid;
            return r;
        }
    }

    if (observer_) {
        observer_->transferStarted();
        observer_->progressChanged(0, blocks() + 1);
    }
    if (!openPort(r)) {
        finish(r);
        return r;
    }

    SerialFault fault = SerialFault::None;
    if (size_ == 8192)
        fault = adapterCheck();
    if (fault == SerialFault::None && !writing)
        fault = identificationTest();
    if (fault != SerialFault::None) {
        r.fault = fault;
        finish(r);
        return r;
    }

    if (writing) {
        label({TextId::SerialWritingChip, FileTitle(programFile), QStringLiteral(" "), TextId::ViaCom, portLabel_});
        pause(options_.dataPhasePauseMs);
        for (int a = 0; a < size_ && fault == SerialFault::None; a += kChipBlockBytes) {
            fault = writeBlock(ChipWriteFrame(size_, a, blockOf(written, a)));
            if (fault == SerialFault::None)
                progress(a / kChipBlockBytes + 1);
        }
        if (fault == SerialFault::None) {
            if (options_.verifyWholeChip) {
                label({TextId::SerialReadingChip, TextId::ViaCom, portLabel_});
                progress(0);
                fault = verifyWholeChip(written, r.mismatchAddress);
            } else {
                fault = verifyBlock0(written);
            }
        }
    } else {
        label({TextId::SerialReadingChip, TextId::ViaCom, portLabel_});
        pause(options_.dataPhasePauseMs);
        fault = readAllBlocks(r.image);
        if (fault != SerialFault::None)
            r.image.clear();
    }

    r.fault = fault;
    if (fault == SerialFault::None && !writing) {
        if (!WriteFileAtomically(QDir(workDir_).filePath(kCardDatFileName), CardDatText(r.image), &r.error))
            r.fault = SerialFault::CardFileNotWritten;
    }
    finish(r);
    return r;
}

bool SerialChipTransfer::openPort(SerialTransferResult& r)
{
    if (!port_.isOpen() && !port_.open()) {
        r.fault = SerialFault::PortUnavailable;
        r.error = port_.errorString();
        return false;
    }
    port_.discardInput();
    return true;
}

void SerialChipTransfer::finish(SerialTransferResult& r)
{
    // The log is rewritten by every transfer, also one that ended before
    // its data phase, so it never shows an older transfer.
    {
        QByteArray text;
        for (const QString& line : std::as_const(log_))
            text += line.toLatin1() + "\r\n";
        if (!WriteFileAtomically(QDir(workDir_).filePath(kSerialLogFileName), text, &logError_) && logError_.isEmpty())
            logError_ = QStringLiteral("rsproto.txt");
    }
    r.result = r.fault == SerialFault::None ? 0 : 1;
    if (r.result == 0)
        progress(blocks() + 1);
    port_.close();
    if (observer_)
        observer_->transferEnded();
}

SerialChipTransfer::Exchange SerialChipTransfer::exchange(const QByteArray& frame, bool logged)
{
    // A reply that came too late for the attempt before, or the tail of a
    // garbled one, must not be taken for the answer to this frame.
    port_.discardInput();
    Exchange e;
    const bool sent = port_.write(frame);
    if (logged)
        log_ << HexLine(frame);
    const std::function<void()> idle = observer_ ? std::function<void()>([this] { observer_->waiting(); })
                                                 : std::function<void()>();
    if (sent)
        e.timedOut = ReceiveReply(port_, e.reply, {options_.firstByteTimeoutMs, options_.silenceMs}, idle) != 0;
    if (logged)
        log_ << HexLine(e.reply);
    return e;
}

SerialFault SerialChipTransfer::writeBlock(const QByteArray& frame)
{
    return blockExchange(frame, AdapterReply::WriteAcknowledged, true, nullptr);
}

SerialFault SerialChipTransfer::readBlock(const QByteArray& frame, QByteArray& data, bool logged)
{
    return blockExchange(frame, AdapterReply::ReadData, logged, &data);
}

SerialFault SerialChipTransfer::blockExchange(const QByteArray& frame, AdapterReply wanted, bool logged,
                                              QByteArray* data)
{
    // Three attempts; the last one decides the message. A missing chip
    // will not come back, so that ends at once.
    SerialFault last = SerialFault::NoAnswer;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const Exchange e = exchange(frame, logged);
        if (e.timedOut) {
            last = SerialFault::NoAnswer;
            continue;
        }
        const AdapterReply kind = ClassifyAdapterReply(e.reply, frame);
        if (kind == wanted) {
            if (data)
                *data = ReadReplyData(e.reply);
            return SerialFault::None;
        }
        switch (kind) {
        case AdapterReply::NoChip:
            return SerialFault::NoChip;
        case AdapterReply::ChipNotAnswering:
            last = SerialFault::ChipNotAnswering;
            break;
        case AdapterReply::TransmissionError:
            last = SerialFault::TransmissionError;
            break;
        default:
            // Also a write acknowledgement to a read, or data to a write.
            last = SerialFault::UnknownMessage;
            break;
        }
    }
    return last;
}

SerialFault SerialChipTransfer::adapterCheck()
{
    // An adapter that only knows one address byte answers the two-byte
    // address form with 0x02 0xA1. An adapter that says nothing useful
    // three times is given the benefit of the doubt.
    const QByteArray frame = ChipReadFrame(size_, 0);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const Exchange e = exchange(frame, false);
        if (e.timedOut)
            continue;
        if (e.reply.size() >= 2 && static_cast<quint8>(e.reply.at(0)) == 0x12
            && static_cast<quint8>(e.reply.at(1)) == 0xA1)
            return SerialFault::None;
        if (ClassifyAdapterReply(e.reply, frame) == AdapterReply::OldAdapter)
            return SerialFault::NeedNewerAdapter;
    }
    return SerialFault::None;
}

SerialFault SerialChipTransfer::identificationTest()
{
    // Each chip gets its own read frame: a 24C16 would take a second
    // address byte as data and move its address pointer past byte 0.
    const QByteArray frame = ChipReadFrame(size_, 0);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const Exchange e = exchange(frame, false);
        if (e.timedOut) {
            if (attempt == kAttempts - 1)
                return SerialFault::Silent;
            continue;
        }
        if (ClassifyAdapterReply(e.reply, frame) == AdapterReply::ReadData) {
            const int identification = static_cast<quint8>(ReadReplyData(e.reply).at(1));
            return isOtherFamily(uhrentyp_, identification) ? SerialFault::OtherCardType : SerialFault::None;
        }
    }
    // Unexpected replies only: the data phase will tell.
    return SerialFault::None;
}

SerialFault SerialChipTransfer::verifyBlock0(const Image& written)
{
    QByteArray data;
    const SerialFault fault = readBlock(ChipReadFrame(size_, 0), data, false);
    if (fault == SerialFault::NoAnswer)
        return SerialFault::Silent;
    if (fault != SerialFault::None)
        return fault;
    for (int i = 0; i < kChipBlockBytes; ++i) {
        if (static_cast<quint8>(data.at(i)) != written[static_cast<std::size_t>(i)])
            return SerialFault::VerifyMismatch;
    }
    return SerialFault::None;
}

SerialFault SerialChipTransfer::verifyWholeChip(const Image& written, int& mismatch)
{
    Image chip;
    return readAllBlocks(chip, &written, &mismatch);
}

SerialFault SerialChipTransfer::readAllBlocks(Image& image, const Image* expected, int* mismatch)
{
    image.assign(static_cast<std::size_t>(size_), 0);
    QByteArray data;
    for (int a = 0; a < size_; a += kChipBlockBytes) {
        const SerialFault fault = readBlock(ChipReadFrame(size_, a), data, true);
        if (fault != SerialFault::None)
            return fault;
        for (int i = 0; i < kChipBlockBytes; ++i) {
            const auto at = static_cast<std::size_t>(a + i);
            image[at] = static_cast<quint8>(data.at(i));
            if (expected && image[at] != (*expected)[at]) {
                // The rest of the chip cannot make the write good again.
                *mismatch = a + i;
                log_ << QStringLiteral("*** verify: first difference at address %1, written %2, read %3")
                            .arg(QString::number(a + i, 16).toUpper(),
                                 QString::number((*expected)[at], 16).toUpper(),
                                 QString::number(image[at], 16).toUpper());
                return SerialFault::VerifyMismatch;
            }
        }
        progress(a / kChipBlockBytes + 1);
    }
    return SerialFault::None;
}

void SerialChipTransfer::pause(int ms)
{
    const QDeadlineTimer deadline(std::max(ms, 0));
    while (!deadline.hasExpired()) {
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(deadline.remainingTime(), 20)));
        if (observer_)
            observer_->waiting();
    }
}

void SerialChipTransfer::progress(int value)
{
    if (observer_)
        observer_->progressChanged(value, blocks() + 1);
}

void SerialChipTransfer::label(std::initializer_list<Prompt::Part> parts)
{
    if (observer_)
        observer_->labelChanged(Prompt::message(Icon::None, parts));
}

} // namespace zendrik

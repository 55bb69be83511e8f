#include "transfer/bus/EibIo.h"

#include "language/TextTable.h"
#include "transfer/TransferObserver.h"
#include "transfer/bus/BusClock.h"
#include "transfer/bus/BusErrors.h"
#include "transfer/bus/BusLog.h"
#include "transfer/bus/EibFrames.h"
#include "transfer/bus/EibLink.h"
#include "util/HexLine.h"

namespace zendrik {

namespace {

constexpr int kReceiveTimeoutMs = 2000;
constexpr quint16 kConnectFlags = 0x010D;
constexpr int kVerifiedWriteAttempts = 3;
constexpr int kReadAttempts = 15;
constexpr int kVerifyPauseMs = 50;
// How often a long wait lets the window process its events.
constexpr std::int64_t kWaitingIntervalUs = 20'000;

} // namespace

int HasNonFF(const QByteArray& bytes)
{
    for (const char c : bytes)
        if (static_cast<quint8>(c) != 0xFF)
            return 1;
    return 0;
}

EibIo::EibIo(EibLink& link, const TextTable& texts, BusLog& log) : link_(link), texts_(texts), log_(log) { }

void EibIo::log(const QString& text)
{
    takeLinkNotes();
    log_.line(text);
}

void EibIo::takeLinkNotes()
{
    for (const LinkNote& note : link_.takeNotes())
        if (note.text)
            log_.line(texts_(*note.text) + note.detail);
}

void EibIo::idle()
{
    BusClock& clock = link_.clock();
    clock.idle();
    if (observer && clock.nowUs() - lastWaitingUs_ >= kWaitingIntervalUs) {
        lastWaitingUs_ = clock.nowUs();
        observer->waiting();
    }
}

int EibIo::errorAt(const QString& step, int code)
{
    log(texts_(TextId::EibErrorAt) + step);
    return code;
}

int EibIo::EibOpen(int port, int baud)
{
    EibTelegramLength = 18;
    log(texts_(TextId::EibLogInstallAst));
    if (link_.install(port, baud, 2000, 500, 0) != 0)
        return errorAt(texts_(TextId::EibLogInstallAst), LinkInstallFailed);
    log(texts_(TextId::EibLogResetAst));
    if (const int rc = link_.resetLink(); rc != 0)
        return errorAt(texts_(TextId::EibLogResetAst), rc);
    log(texts_(TextId::EibLogResetLocalBcu));
    if (const int rc = link_.resetBcu(); rc != 0)
        return errorAt(texts_(TextId::EibLogResetLocalBcu), rc);
    log(texts_(TextId::EibLogChangeLayer));
    if (const int rc = link_.changeLayer(EibLayer); rc != 0)
        return errorAt(texts_(TextId::EibLogChangeLayer), rc);

    log(texts_(TextId::EibLogReadAddressTableLength));
    if (const int rc = SendLocal(EibFrame::localRead(1, EibFrame::kAddressTableLength)); rc != 0)
        return errorAt(texts_(TextId::EibLogReadAddressTableLength), rc);
    log(texts_(TextId::EibLogWaitAddressTableLength));
    QByteArray data;
    if (const int rc = WaitLocalAnswer(data); rc != 0)
        return errorAt(texts_(TextId::EibLogWaitAddressTableLength), rc);
    if (data.isEmpty())
        return errorAt(texts_(TextId::EibLogWaitAddressTableLength), BusNoValidData);
    const int found = static_cast<quint8>(data.at(0));
    // A value saved before and not yet written back is the BCU's own; what
    // the BCU holds now may be the 1 this program put there.
    if (AdrTabLaenge == 0)
        AdrTabLaenge = found;
    if (found == 0)
        return BusOk;
    log(texts_(TextId::EibLogSetAddressTableLength) + QString::number(found));
    if (const int rc = SendLocal(EibFrame::localWrite(EibFrame::kAddressTableLength, QByteArray(1, '\x01'))); rc != 0)
        return errorAt(texts_(TextId::EibLogSetAddressTableLength) + QString::number(found), rc);
    return BusOk;
}

int EibIo::EibCloseAll()
{
    int result = BusOk;
    if (AdrTabLaenge != 0) {
        log(texts_(TextId::EibLogSetAddressTableLength) + QString::number(AdrTabLaenge));
        result = SendLocal(EibFrame::localWrite(EibFrame::kAddressTableLength, QByteArray(1, static_cast<char>(AdrTabLaenge))));
        if (result != 0)
            errorAt(texts_(TextId::EibLogSetAddressTableLength) + QString::number(AdrTabLaenge), result);
        else
            AdrTabLaenge = 0;
    }
    link_.close();
    return result;
}

int EibIo::SendLocal(const QByteArray& frame)
{
    BusClock& clock = link_.clock();
    const std::int64_t deadline = clock.nowUs() + kReceiveTimeoutMs * 1000LL;
    const QString step = texts_(TextId::EibLogSendToLocalBcu);
    log(step + HexLine(frame));
    if (const int rc = link_.send(frame); rc != 0) {
        log(texts_(TextId::EibErrorAt) + step + QLatin1Char(' ') + QString::number(rc));
        return rc;
    }
    for (;;) {
        bool done = false;
        if (const int rc = link_.pollConfirm(&done); rc != 0)
            return rc;
        if (done)
            return BusOk;
        if (clock.nowUs() >= deadline) {
            log(texts_(TextId::EibTimeoutAt) + texts_(TextId::EibLogSendTelegram) + QLatin1Char(' ')
                + QString::number(BusNoBusAccess));
            return BusNoBusAccess;
        }
        idle();
    }
}

int EibIo::WaitLocalAnswer(QByteArray& data)
{
    BusClock& clock = link_.clock();
    const std::int64_t deadline = clock.nowUs() + kReceiveTimeoutMs * 1000LL;
    log(texts_(TextId::EibLogExpectConfirmation));
    for (;;) {
        QByteArray buffer(kReceiveBufferSize, '\0');
        if (const int rc = link_.receive(buffer); rc != 0)
            return rc;
        if (buffer.size() > 1 && buffer.at(0) != 0 && EibFrame::parseLocalAnswer(buffer, &data))
            return BusOk;
        if (buffer.at(0) == 0) {
            if (clock.nowUs() >= deadline)
                return BusNoConnectionToBus;
            idle();
        }
    }
}

int EibIo::WaitDeviceAnswer(quint16 address, QByteArray& telegram)
{
    BusClock& clock = link_.clock();
    const std::int64_t deadline = clock.nowUs() + kReceiveTimeoutMs * 1000LL;
    const QString step = texts_(TextId::EibLogExpectAnswer);
    log(step);
    for (;;) {
        QByteArray buffer(kReceiveBufferSize, '\0');
        if (const int rc = link_.receive(buffer); rc != 0) {
            log(texts_(TextId::EibErrorAt) + step + HexLine(buffer));
            return rc;
        }
        quint16 source = 0;
        if (!buffer.isEmpty() && buffer.at(0) != 0) {
            // Frames of other devices and of other kinds are passed over.
            if (EibFrame::parseDataIn(buffer, &source, &telegram) && source == address) {
                log(texts_(TextId::EibLogAnswer) + HexLine(telegram));
                return BusOk;
            }
            continue;
        }
        if (clock.nowUs() >= deadline) {
            log(texts_(TextId::EibTimeoutAt) + step);
            return BusNoConnectionToDevice;
        }
        idle();
    }
}

int EibIo::Connect(quint16 address)
{
    const QTime t = timeOfDay();
    const double seconds = t.msecsSinceStartOfDay() / 1000.0;
    log(texts_(TextId::EibLogConnectTo) + QString::number(address) + QLatin1Char(' ')
        + QString::number(seconds, 'f', 2));
    if (const int rc = SendLocal(EibFrame::localWrite(kConnectFlags, QByteArray(1, '\xFF'))); rc != 0)
        return rc;
    log(texts_(TextId::EibLogChangeLayer) + QString::number(EibLayer));
    if (const int rc = link_.changeLayer(EibLayer); rc != 0)
        return errorAt(texts_(TextId::EibLogChangeLayer) + QString::number(EibLayer), rc);
    const int rc = SendLocal(EibFrame::connect(address));
    if (rc == 0)
        connected_ = address;
    return rc;
}

int EibIo::Disconnect()
{
    log(texts_(TextId::EibLogDisconnect));
    return SendLocal(EibFrame::disconnect());
}

int EibIo::SendTelegram(const QByteArray& telegram)
{
    return SendLocal(EibFrame::data(telegram));
}

int EibIo::AskMemory(int count, quint16 address)
{
    log(texts_(TextId::EibLogQueryMemory));
    return SendTelegram(Apci::memoryRead(count, address));
}

int EibIo::WaitMemory(int count, quint16 address, QByteArray& data)
{
    log(texts_(TextId::EibLogExpectMemory));
    QByteArray t;
    if (const int rc = WaitDeviceAnswer(connected_, t); rc != 0)
        return rc;
    if (Apci::serviceOf(t) != Apci::kMemoryResponse || t.size() < 4)
        return BusAnswerFromWrongDevice;
    // Only the answer to this request counts: the same count and address.
    const quint16 answered = static_cast<quint16>(static_cast<quint8>(t.at(2)) << 8 | static_cast<quint8>(t.at(3)));
    if (Apci::countOf(t) != count || answered != address || t.size() < 4 + count)
        return BusAnswerFromWrongDevice;
    data = t.mid(4, count);
    return BusOk;
}

int EibIo::WriteMemory(quint16 address, const QByteArray& data)
{
    return SendTelegram(Apci::memoryWrite(address, data));
}

int EibIo::WriteMemoryVerified(quint16 address, const QByteArray& data)
{
    int rc = BusMemoryNotWritten;
    for (int attempt = 0; attempt < kVerifiedWriteAttempts; ++attempt) {
        if (rc = WriteMemory(address, data); rc != 0)
            continue;
        BusPause(kVerifyPauseMs);
        if (rc = AskMemory(static_cast<int>(data.size()), address); rc != 0)
            continue;
        QByteArray back;
        if (rc = WaitMemory(static_cast<int>(data.size()), address, back); rc != 0)
            continue;
        if (back == data)
            return BusOk;
        rc = BusMemoryNotWritten;
    }
    return rc;
}

int EibIo::ReadMemoryRetried(int count, quint16 address, QByteArray& data)
{
    int rc = BusNoConnectionToDevice;
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        if (rc = AskMemory(count, address); rc != 0)
            continue;
        if (rc = WaitMemory(count, address, data); rc == 0)
            return BusOk;
    }
    return rc;
}

int EibIo::AskMask()
{
    log(texts_(TextId::EibLogWaitMaskVersionAlt));
    return SendTelegram(Apci::maskRead());
}

int EibIo::WaitMask(int& version)
{
    log(texts_(TextId::EibLogWaitMaskVersion));
    QByteArray t;
    if (const int rc = WaitDeviceAnswer(connected_, t); rc != 0)
        return rc;
    if (Apci::serviceOf(t) != Apci::kMaskResponse || t.size() < 4)
        return BusAnswerFromWrongDevice;
    version = static_cast<quint8>(t.at(2)) << 8 | static_cast<quint8>(t.at(3));
    return BusOk;
}

void EibIo::BusPause(int ms)
{
    BusClock& clock = link_.clock();
    const std::int64_t end = clock.nowUs() + ms * 1000LL;
    pausedUs_ += ms * 1000LL;
    while (clock.nowUs() < end) {
        const std::int64_t left = end - clock.nowUs();
        clock.sleepUs(std::min<std::int64_t>(left, kWaitingIntervalUs));
        if (observer)
            observer->waiting();
    }
}

} // namespace zendrik

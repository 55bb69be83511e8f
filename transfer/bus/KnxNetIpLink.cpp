#include "transfer/bus/KnxNetIpLink.h"

#include "transfer/bus/BusTexts.h"
#include "transfer/bus/EibFrames.h"
#include "transfer/bus/FrameBytes.h"
#include "transfer/bus/PhysicalAddress.h"
#include "util/HexLine.h"

namespace zendrik {

namespace {

QByteArray tpci(quint8 control)
{
    return QByteArray(1, static_cast<char>(control));
}

} // namespace

void KnxNetIpLink::Clock::idle()
{
    if (paced) {
        link_.service(200);
        return;
    }
    if (!link_.service(1000))
        skippedUs_ += 1000 * (kUnpacedSpeed - 1);
}

void KnxNetIpLink::Clock::sleepUs(std::int64_t us)
{
    if (!paced && us > 0) {
        // A share of the pause passes for real: the emulated device's own
        // work (deleting its switching times) takes real time.
        const std::int64_t real = us / kUnpacedSpeed;
        skippedUs_ += us - real;
        us = real;
    }
    const std::int64_t end = nowUs() + us;
    for (std::int64_t left = us; left > 0; left = end - nowUs())
        link_.service(std::min<std::int64_t>(left, 2000));
}

KnxNetIpLink::KnxNetIpLink(QHostAddress host, quint16 port, QString name)
    : KnxNetIpLink(std::make_unique<KnxNetIpTunnel>(std::move(host), port), std::move(name))
{
    tunnel_ = static_cast<KnxNetIpTunnel*>(carrier_.get());
}

KnxNetIpLink::KnxNetIpLink(std::unique_ptr<KnxCemiCarrier> carrier, QString name)
    : carrier_(std::move(carrier)), name_(std::move(name)), clock_(*this)
{
    // A BCU's table holds at least its own address.
    bcu_.setByte(EibFrame::kAddressTableLength, 1);
}

KnxNetIpLink::~KnxNetIpLink()
{
    close();
}

std::vector<LinkNote> KnxNetIpLink::takeNotes()
{
    for (LinkNote& note : carrier_->takeNotes())
        notes_.push_back(std::move(note));
    // The counts since the carrier was opened, told when they grew.
    if (carrier_->malformedTotal() != malformedTold_) {
        malformedTold_ = carrier_->malformedTotal();
        notes_.push_back({&kKnxMalformed, QString::number(malformedTold_)});
    }
    if (carrier_->ignoredForeign() != foreignTold_) {
        foreignTold_ = carrier_->ignoredForeign();
        notes_.push_back({&kKnxForeign, QString::number(foreignTold_)});
    }
    return std::exchange(notes_, {});
}

void KnxNetIpLink::noteCarrierState()
{
    if (carrier_->state() != KnxCemiCarrier::State::Failed || failureNoted_)
        return;
    failureNoted_ = true;
    notes_.push_back(carrier_->failureNote());
    connected_ = false;
    awaitingAck_ = false;
    held_.clear();
    confirms_.clear();
}

int KnxNetIpLink::state() const
{
    if (!open_)
        return LinkNotOpen;
    return carrier_->state() == KnxCemiCarrier::State::Open ? 0 : LinkLost;
}

int KnxNetIpLink::install(int, int, int, int, int)
{
    if (open_ && carrier_->state() == KnxCemiCarrier::State::Open)
        return 0;
    // A tunnel that failed is dropped and opened again.
    carrier_->close();
    open_ = false;
    failureNoted_ = false;
    incoming_.clear();
    confirms_.clear();
    confirmed_ = false;
    connected_ = false;
    awaitingAck_ = false;
    held_.clear();
    if (!carrier_->open(connectTimeoutMs)) {
        LinkNote why = carrier_->openFailureNote();
        if (why.detail.isEmpty())
            why.detail = name_;
        notes_.push_back(why);
        return LinkInstallFailed;
    }
    open_ = true;
    notes_.push_back(carrier_->openedNote());
    return 0;
}

int KnxNetIpLink::resetLink()
{
    if (const int rc = state(); rc != 0)
        return rc;
    incoming_.clear();
    return 0;
}

int KnxNetIpLink::resetBcu()
{
    if (const int rc = state(); rc != 0)
        return rc;
    // As a BCU's reset: the connection is forgotten without telling the
    // device (its own time-out ends it there).
    connected_ = false;
    awaitingAck_ = false;
    held_.clear();
    confirmed_ = false;
    incoming_.clear();
    return 0;
}

int KnxNetIpLink::changeLayer(int)
{
    return state();
}

void KnxNetIpLink::sendTpdu(quint16 destination, const QByteArray& tpdu, bool confirmsFrame)
{
    if (carrier_->send(Cemi::dataFrame(Cemi::kDataRequest, carrier_->address(), destination, tpdu)))
        confirms_.push_back(confirmsFrame);
}

void KnxNetIpLink::sendConnected(QByteArray tpdu)
{
    tpdu[0] = static_cast<char>(Tpci::kDataConnected | (txSequence_ << 2) | (at(tpdu, 0) & 0x03));
    unacknowledged_ = tpdu;
    awaitingAck_ = true;
    repetitions_ = 0;
    sentAtUs_ = clock_.nowUs();
    lastTelegramUs_ = sentAtUs_;
    sendTpdu(partner_, tpdu, true);
}

void KnxNetIpLink::endConnection(bool tellDevice)
{
    if (connected_ && tellDevice)
        sendTpdu(partner_, tpci(Tpci::kDisconnect), false);
    connected_ = false;
    awaitingAck_ = false;
    held_.clear();
}

int KnxNetIpLink::send(const QByteArray& frame)
{
    if (const int rc = state(); rc != 0)
        return rc;
    if (frame.size() < 2 || at(frame, 0) != (frame.size() - 1) % 32)
        return LinkBadFrame;
    service(0);
    if (const int rc = state(); rc != 0)
        return rc;
    confirmed_ = false;
    switch (at(frame, 1)) {
    case EibFrame::kLocalRead:
    case EibFrame::kLocalWrite: {
        QByteArray answer;
        if (const int rc = bcu_.take(frame, &answer); rc != 0)
            return rc;
        if (!answer.isEmpty())
            incoming_.push_back(answer);
        confirmed_ = true;
        return 0;
    }
    case EibFrame::kConnect:
        if (frame.size() != 7)
            return LinkBadFrame;
        endConnection(true);
        partner_ = static_cast<quint16>(at(frame, 5) << 8 | at(frame, 6));
        connected_ = true;
        txSequence_ = rxSequence_ = 0;
        lastTelegramUs_ = clock_.nowUs();
        sendTpdu(partner_, tpci(Tpci::kConnect), true);
        return 0;
    case EibFrame::kDisconnect:
        if (frame.size() != 7)
            return LinkBadFrame;
        if (connected_) {
            endConnection(false);
            sendTpdu(partner_, tpci(Tpci::kDisconnect), true);
        } else {
            confirmed_ = true;
        }
        return 0;
    case EibFrame::kData: {
        if (frame.size() < 9 || frame.size() != 9 + at(frame, 7) || frame.size() - 8 > Cemi::kMaxTpdu)
            return LinkBadFrame;
        const QByteArray tpdu = frame.mid(8);
        if (!connected_) {
            confirmed_ = true; // nothing goes out without a connection
            return 0;
        }
        if (awaitingAck_) {
            // The transport layer sends one telegram at a time: this one
            // follows when the device acknowledged the last. The interface
            // has taken it, which is its confirmation.
            held_.push_back(tpdu);
            confirmed_ = true;
            return 0;
        }
        sendConnected(tpdu);
        return 0;
    }
    default:
        return LinkBadFrame;
    }
}

int KnxNetIpLink::pollConfirm(bool* done)
{
    *done = false;
    if (const int rc = state(); rc != 0)
        return rc;
    service(0);
    if (const int rc = state(); rc != 0)
        return rc;
    if (confirmed_) {
        confirmed_ = false;
        *done = true;
    }
    return 0;
}

int KnxNetIpLink::receive(QByteArray& buffer)
{
    buffer = QByteArray(kReceiveBufferSize, '\0');
    if (const int rc = state(); rc != 0)
        return rc;
    service(0);
    if (const int rc = state(); rc != 0)
        return rc;
    if (incoming_.empty())
        return 0;
    const QByteArray frame = incoming_.front().left(kReceiveBufferSize);
    incoming_.pop_front();
    buffer.replace(0, frame.size(), frame);
    return 0;
}

int KnxNetIpLink::close()
{
    if (open_ && carrier_->state() == KnxCemiCarrier::State::Open)
        endConnection(true);
    // The disconnect request goes out whatever happened before.
    carrier_->close();
    open_ = false;
    incoming_.clear();
    confirms_.clear();
    confirmed_ = false;
    connected_ = false;
    return 0;
}

bool KnxNetIpLink::service(std::int64_t waitUs)
{
    if (!open_)
        return false;
    carrier_->service(waitUs);
    QByteArray cemi;
    bool arrived = false;
    while (carrier_->takeFrame(cemi)) {
        arrived = true;
        handleFrame(cemi);
    }
    noteCarrierState();
    if (carrier_->state() != KnxCemiCarrier::State::Open)
        return arrived;
    const std::int64_t now = clock_.nowUs();
    if (connected_ && awaitingAck_ && now - sentAtUs_ >= kAckTimeoutUs) {
        if (repetitions_ >= kMaxRepetitions) {
            // The device is gone: the connection ends, and what waits for
            // it is dropped; the waits above time out on the missing answer.
            notes_.push_back({&kKnxTransportGivenUp, {}});
            endConnection(true);
        } else {
            ++repetitions_;
            ++transportRepetitions_;
            sentAtUs_ = now;
            lastTelegramUs_ = now;
            notes_.push_back({&kKnxTransportRepeated, HexLine(unacknowledged_)});
            sendTpdu(partner_, unacknowledged_, false);
        }
    }
    if (connected_ && now - lastTelegramUs_ >= kConnectionTimeoutUs) {
        notes_.push_back({&kKnxTransportTimeout, {}});
        endConnection(true);
    }
    return arrived;
}

void KnxNetIpLink::handleFrame(const QByteArray& bytes)
{
    Cemi::Frame f;
    if (!Cemi::parse(bytes, f) || f.tpdu.isEmpty())
        return;
    if (f.code == Cemi::kDataConfirm) {
        if (confirms_.empty())
            return;
        const bool mine = confirms_.front();
        confirms_.pop_front();
        if (f.confirmError())
            notes_.push_back({&kKnxConfirmError, HexLine(f.tpdu)});
        // A negative confirmation ends the wait as well: the device's
        // missing answer tells the rest.
        if (mine)
            confirmed_ = true;
        return;
    }
    if (f.code != Cemi::kDataIndication || f.groupDestination() || f.destination != carrier_->address())
        return;
    const quint8 control = at(f.tpdu, 0);
    if (!connected_ || f.source != partner_)
        return; // a connection we do not have: nothing to answer
    const std::int64_t now = clock_.nowUs();
    if (control == Tpci::kDisconnect) {
        connected_ = false;
        awaitingAck_ = false;
        held_.clear();
        return;
    }
    if (Tpci::isAck(control) || Tpci::isNak(control)) {
        if (!awaitingAck_ || Tpci::sequenceOf(control) != txSequence_)
            return;
        lastTelegramUs_ = now;
        if (Tpci::isNak(control)) {
            if (repetitions_ >= kMaxRepetitions) {
                notes_.push_back({&kKnxTransportGivenUp, {}});
                endConnection(true);
                return;
            }
            ++repetitions_;
            ++transportRepetitions_;
            sentAtUs_ = now;
            sendTpdu(partner_, unacknowledged_, false);
            return;
        }
        awaitingAck_ = false;
        txSequence_ = (txSequence_ + 1) & 0x0F;
        if (!held_.empty()) {
            QByteArray next = held_.front();
            held_.pop_front();
            sendConnected(next);
        }
        return;
    }
    if (!Tpci::isDataConnected(control))
        return;
    lastTelegramUs_ = now;
    const int sequence = Tpci::sequenceOf(control);
    const QByteArray ack = tpci(static_cast<quint8>(Tpci::kAck | (sequence << 2)));
    if (sequence == ((rxSequence_ + 15) & 0x0F)) {
        sendTpdu(partner_, ack, false); // a repetition: acknowledged again, not passed up
        return;
    }
    if (sequence != rxSequence_) {
        sendTpdu(partner_, tpci(static_cast<quint8>(Tpci::kNak | (sequence << 2))), false);
        return;
    }
    rxSequence_ = (rxSequence_ + 1) & 0x0F;
    sendTpdu(partner_, ack, false);
    incoming_.push_back(EibFrame::dataIn(f.source, f.destination, f.tpdu));
}

} // namespace zendrik

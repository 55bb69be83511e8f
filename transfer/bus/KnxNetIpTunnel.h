#pragma once

#include "transfer/bus/KnxCemiCarrier.h"
#include "transfer/bus/KnxNetIpFrames.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QString>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>

class QUdpSocket;

namespace zendrik {

// One KNXnet/IP tunnelling connection on the link layer, from the client's
// side: CONNECT_REQUEST for a link-layer tunnel, cEMI frames both ways in
// TUNNELLING_REQUESTs with their own sequence counters and acknowledgements
// (one frame in flight at a time, repeated once after a second without an
// acknowledgement, the tunnel given up after the second), a
// CONNECTIONSTATE_REQUEST every minute, and a DISCONNECT_REQUEST whenever
// the tunnel ends, also after a failure.
//
// Nothing runs by itself: service() reads what arrived and does what is
// due, waiting for the next datagram a moment if told to. The caller's
// waits call it, so the tunnel works the same with and without an event loop.
class KnxNetIpTunnel : public KnxCemiCarrier {
public:
    using State = KnxCemiCarrier::State;
    // Why a tunnel failed or could not be opened.
    enum class Failure {
        None,
        NoSocket,        // no local UDP socket
        NoAnswer,        // the server did not answer the connect request
        Refused,         // the server refused the connection (status in failureStatus())
        NotAcknowledged, // a tunnelling request was not acknowledged, also when repeated
        NoHeartbeat,     // the server did not answer the connection-state requests
        DroppedByServer, // the server ended the connection
    };

    KnxNetIpTunnel(QHostAddress host, quint16 port);
    ~KnxNetIpTunnel() override;
    KnxNetIpTunnel(const KnxNetIpTunnel&) = delete;
    KnxNetIpTunnel& operator=(const KnxNetIpTunnel&) = delete;

    // Connects, waiting up to `timeoutMs` for the server (the request is
    // sent again every 100 ms meanwhile). False with failure() set.
    bool open(int timeoutMs = 2000) override;
    // Ends the tunnel: what is still queued goes out first (briefly), then
    // the disconnect request, always.
    void close() override;

    State state() const override { return state_; }
    Failure failure() const { return failure_; }
    quint8 failureStatus() const { return failureStatus_; }
    // The individual address the server assigned to this tunnel.
    quint16 address() const override { return address_; }
    quint8 channel() const { return channel_; }

    // Queues one cEMI frame for the server; false when the tunnel is not open.
    bool send(const QByteArray& cemi) override;
    // Frames sent but not yet acknowledged by the server, or still queued.
    bool sending() const { return inFlight_ || !queue_.empty(); }
    // Reads every datagram that arrived (after waiting up to `waitUs` for
    // the first when none is there) and does what is due.
    void service(std::int64_t waitUs = 0) override;
    // The next cEMI frame the server sent; false when there is none.
    bool takeFrame(QByteArray& cemi) override;

    // Datagrams ignored, by reason; ignoredForeign counts well-formed
    // datagrams for another channel or from another sender.
    const std::array<int, KnxIp::kFaultCount>& malformed() const { return malformed_; }
    int malformedTotal() const override;
    int ignoredForeign() const override { return foreign_; }
    int repetitions() const { return repetitions_; }

    LinkNote openedNote() const override;
    LinkNote openFailureNote() const override;
    LinkNote failureNote() const override;

    // Timings, for tests: the acknowledgement time-out and the heartbeat interval.
    int ackTimeoutMs = 1000;
    int heartbeatMs = 60'000;
    int heartbeatTimeoutMs = 10'000;

private:
    void handle(const QByteArray& bytes, const QHostAddress& from, quint16 fromPort);
    void transmit(const QByteArray& datagram, KnxIp::Endpoint to);
    void sendNext();
    void fail(Failure why);
    std::int64_t nowMs() const { return timer_.elapsed(); }
    bool waitReadable(std::int64_t waitUs);

    QHostAddress host_;
    quint16 port_;
    std::unique_ptr<QUdpSocket> socket_;
    KnxIp::Endpoint local_;
    KnxIp::Endpoint server_;
    KnxIp::Endpoint data_;
    QElapsedTimer timer_;
    State state_ = State::Closed;
    Failure failure_ = Failure::None;
    quint8 failureStatus_ = 0;
    quint8 channel_ = 0;
    quint16 address_ = 0;
    bool connectAnswered_ = false;
    bool disconnectAnswered_ = false;

    quint8 sendSequence_ = 0;
    quint8 receiveSequence_ = 0;
    bool inFlight_ = false;
    QByteArray inFlightFrame_;
    std::int64_t sentAtMs_ = 0;
    bool repeated_ = false;
    std::deque<QByteArray> queue_;
    std::deque<QByteArray> received_;

    std::int64_t lastHeartbeatMs_ = 0;
    std::int64_t heartbeatSentMs_ = -1; // -1: no request outstanding
    int heartbeatTries_ = 0;

    std::array<int, KnxIp::kFaultCount> malformed_{};
    int foreign_ = 0;
    int repetitions_ = 0;
};

// "HOST[:PORT]" of a connection text; false for anything else.
bool ParseKnxNetIpTarget(const QString& text, QHostAddress* host, quint16* port);

} // namespace zendrik

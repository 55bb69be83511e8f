#pragma once

#include "transfer/bus/KnxCemiCarrier.h"
#include "transfer/bus/KnxNetIpFrames.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QString>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>

class QUdpSocket;

namespace zendrik {

// The KNX line reached through KNXnet/IP routing: our frames go as
// ROUTING_INDICATIONs to the multicast group, where every KNX IP router
// takes them onto its line, and the frames of the lines come back the same
// way. There is no connection and no acknowledgement: a frame counts as
// confirmed once it went out. Our individual address is our own choice
// (the connection text's, 15.15.250 unless given); frames carrying it as
// their source are our own, looped back by the group.
//
// Flow control as the routing protocol asks: a ROUTING_BUSY (for every
// device: control field 0) holds our frames back for the time it names;
// busies arriving more than 10 ms apart raise a count N, and each hold
// ends N × 0..50 ms (at random) later still, so that the devices do not
// all start again at once. N falls by one every 5 ms once N × 100 ms have
// passed without a busy. ROUTING_LOST_MESSAGE is counted and told in the
// protocol log. A busy's wait is cut to one second. Only frames addressed to us are passed up; the others on
// the group, and our own, are dropped.
class KnxNetIpRouter : public KnxCemiCarrier {
public:
    KnxNetIpRouter(QHostAddress group, quint16 port, quint16 ownAddress);
    ~KnxNetIpRouter() override;
    KnxNetIpRouter(const KnxNetIpRouter&) = delete;
    KnxNetIpRouter& operator=(const KnxNetIpRouter&) = delete;

    bool open(int timeoutMs) override;
    void close() override;
    State state() const override { return state_; }
    quint16 address() const override { return address_; }
    bool send(const QByteArray& cemi) override;
    void service(std::int64_t waitUs) override;
    bool takeFrame(QByteArray& cemi) override;
    int malformedTotal() const override;
    int ignoredForeign() const override { return foreign_; }
    LinkNote openedNote() const override;
    LinkNote openFailureNote() const override;
    LinkNote failureNote() const override;
    std::vector<LinkNote> takeNotes() override;

    const std::array<int, KnxIp::kFaultCount>& malformed() const { return malformed_; }
    int busies() const { return busies_; }
    int lostTotal() const { return lost_; }
    // The busy count N of the flow control.
    int slowdown() const { return slowdown_; }
    // Frames waiting for a hold to end.
    bool holding() const { return !queue_.empty(); }

    static constexpr int kBusyMergeMs = 10;
    static constexpr int kRandomWaitMsPerBusy = 50;
    static constexpr int kSlowMsPerBusy = 100;
    static constexpr int kDecayStepMs = 5;
    // The longest hold a busy may ask for (its wait is cut to this).
    static constexpr int kLongestBusyWaitMs = 1000;

private:
    void handle(const QByteArray& bytes);
    void flush();
    std::int64_t nowUs() const { return timer_.nsecsElapsed() / 1000; }

    QHostAddress group_;
    quint16 port_;
    quint16 address_;
    std::unique_ptr<QUdpSocket> socket_; // on the group's port: what the group carries
    std::unique_ptr<QUdpSocket> sender_; // on a port of its own: what we send
    QElapsedTimer timer_;
    State state_ = State::Closed;

    std::deque<QByteArray> queue_;
    std::deque<QByteArray> received_;
    std::int64_t holdUntilUs_ = 0;
    std::int64_t lastBusyUs_ = -1'000'000;
    std::int64_t decayFromUs_ = 0;
    int slowdown_ = 0;

    std::array<int, KnxIp::kFaultCount> malformed_{};
    int foreign_ = 0;
    int busies_ = 0;
    int lost_ = 0;
    std::vector<LinkNote> notes_;
};

// "GROUP[:PORT][#A.L.D]" of a routing connection text: the multicast group
// (224.0.23.12 when empty), the port (3671) and our individual address
// (15.15.250). False for anything else.
bool ParseRoutingTarget(const QString& text, QHostAddress* group, quint16* port, quint16* ownAddress);

inline constexpr quint16 kDefaultRoutingAddress = 0xFFFA; // 15.15.250

} // namespace zendrik

#pragma once

#include "transfer/bus/BusClock.h"
#include "transfer/bus/EibLink.h"
#include "transfer/bus/KnxNetIpTunnel.h"
#include "transfer/bus/LocalBcuMemory.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <array>
#include <cstdint>
#include <deque>
#include <memory>

namespace zendrik {

// The bus reached through a KNX IP interface, router or knxd: a KNXnet/IP
// tunnel on the link layer, or the routing multicast group, behind the
// link contract (the carrier of the cEMI frames is the only difference).
// What a BCU would do on its own happens here:
// - the transport layer to the device: the connect and disconnect frames
//   become T_Connect and T_Disconnect, a data frame T_Data_Connected with
//   the next four-bit sequence number; every connected telegram of the
//   device is acknowledged (T_ACK), and ours wait for the device's T_ACK
//   before the next one goes out; unacknowledged ones are repeated three
//   times, then the connection is given up; six seconds without a telegram
//   end the connection as well;
// - the device's connected data come up as "data from device" frames;
// - the local memory frames are answered by a small virtual interface
//   (an IP interface has no BCU memory): the address-table length at
//   0x0116 and the connection flags at 0x010D.
// The confirmation poll reports the L_Data.con of the frame. The link's
// clock is the machine's; its waits keep the carrier serviced.
class KnxNetIpLink : public EibLink {
public:
    // A tunnel to the server at host:port.
    KnxNetIpLink(QHostAddress host, quint16 port, QString name);
    // Any carrier (the routing group).
    KnxNetIpLink(std::unique_ptr<KnxCemiCarrier> carrier, QString name);
    ~KnxNetIpLink() override;

    int install(int port, int baud, int replyTimeoutMs, int charTimeoutMs, int flags) override;
    int resetLink() override;
    int resetBcu() override;
    int changeLayer(int layer) override;
    int send(const QByteArray& frame) override;
    int pollConfirm(bool* done) override;
    int receive(QByteArray& buffer) override;
    int close() override;
    BusClock& clock() override { return clock_; }
    QString name() const override { return name_; }
    std::vector<LinkNote> takeNotes() override;

    // Our individual address (a tunnel's is the server's choice, 0 while closed).
    quint16 ownAddress() const { return carrier_->address(); }
    // The tunnel of a tunnelling link (only there).
    const KnxNetIpTunnel& tunnel() const { return *tunnel_; }
    KnxNetIpTunnel& tunnel() { return *tunnel_; }
    KnxCemiCarrier& carrier() { return *carrier_; }
    // Our connected telegrams sent again for a missing T_ACK.
    int transportRepetitions() const { return transportRepetitions_; }
    // How long the connect waits for the server.
    int connectTimeoutMs = 2000;
    // Unpaced (for emulated devices only, which need little time): the
    // protocol's pauses and the waits in which nothing arrives pass twenty
    // times faster, so transfers and time-outs come quickly.
    void setPaced(bool paced) { clock_.paced = paced; }
    bool paced() const { return clock_.paced; }

    // The transport layer's times.
    static constexpr std::int64_t kAckTimeoutUs = 1'000'000;
    static constexpr int kMaxRepetitions = 3;
    static constexpr int kUnpacedSpeed = 20;
    static constexpr std::int64_t kConnectionTimeoutUs = 6'000'000;

    // Reads and handles what came from the tunnel, waiting up to `waitUs`.
    // Returns whether anything arrived.
    bool service(std::int64_t waitUs);

private:
    // The machine's time, or on an unpaced link the machine's time plus
    // what the waits skipped.
    class Clock : public BusClock {
    public:
        explicit Clock(KnxNetIpLink& link) : link_(link) { timer_.start(); }
        std::int64_t nowUs() const override { return timer_.nsecsElapsed() / 1000 + skippedUs_; }
        void idle() override;
        void sleepUs(std::int64_t us) override;
        bool paced = true;

    private:
        KnxNetIpLink& link_;
        QElapsedTimer timer_;
        std::int64_t skippedUs_ = 0;
    };

    int state() const;
    void sendTpdu(quint16 destination, const QByteArray& tpdu, bool confirmsFrame);
    void sendConnected(QByteArray tpdu);
    void handleFrame(const QByteArray& cemi);
    void endConnection(bool tellDevice);
    void noteCarrierState();

    std::unique_ptr<KnxCemiCarrier> carrier_;
    KnxNetIpTunnel* tunnel_ = nullptr;
    QString name_;
    Clock clock_;
    bool open_ = false;
    LocalBcuMemory bcu_;
    std::deque<QByteArray> incoming_;
    // One entry per L_Data.req awaiting its L_Data.con: whether it is the
    // frame the confirmation poll waits for.
    std::deque<bool> confirms_;
    bool confirmed_ = false;

    bool connected_ = false;
    quint16 partner_ = 0;
    int txSequence_ = 0;
    int rxSequence_ = 0;
    bool awaitingAck_ = false;
    QByteArray unacknowledged_;
    std::int64_t sentAtUs_ = 0;
    int repetitions_ = 0;
    std::deque<QByteArray> held_;
    std::int64_t lastTelegramUs_ = 0;
    int transportRepetitions_ = 0;

    std::vector<LinkNote> notes_;
    bool failureNoted_ = false;
    int malformedTold_ = 0;
    int foreignTold_ = 0;
};

} // namespace zendrik

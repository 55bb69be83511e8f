#pragma once

#include "transfer/bus/KnxNetIpDiscoveryFrames.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

class QUdpSocket;

namespace zendrik {

// A KNXnet/IP interface or router that answered a search.
struct KnxIpInterface {
    KnxIp::Endpoint control; // where it takes connections
    KnxIp::DeviceInfo info;  // from its description when that came, else from its search response
    bool described = false;

    bool tunnelling() const { return info.offers(KnxIp::FamilyTunnelling); }
    bool routing() const { return info.offers(KnxIp::FamilyRouting); }
    // "HOST:PORT" of the control endpoint.
    QString endpointText() const;
    // "tunnelling", "routing" (those it offers, in this order).
    QStringList services() const;
    // The connection texts that reach the bus through it, the tunnel first:
    // "knxnetip:HOST:PORT", "routing:GROUP[:PORT]".
    QStringList connections() const;
};

// Finds the KNXnet/IP interfaces and routers: a SEARCH_REQUEST to the
// routing multicast group from each local IPv4 interface (and to one
// address when given), the SEARCH_RESPONSEs collected until the time is
// up, and a DESCRIPTION_REQUEST to each control endpoint as soon as it is
// known. Datagrams that do not parse, and well-formed ones that answer
// nothing we asked, are ignored and counted.
//
// Nothing runs by itself: start(), then service() until finished() (a
// window calls it from a timer, the command line in a loop); or run().
class KnxNetIpDiscovery {
public:
    struct Options {
        int timeoutMs = 3000;
        // The local addresses to search from; empty: every IPv4 address of
        // every interface that is up.
        std::vector<QHostAddress> localAddresses;
        // A device to ask directly as well (an address outside the local
        // network, where the multicast search does not reach).
        QHostAddress unicast;
        QHostAddress group = QHostAddress(quint32(0xE000170C)); // 224.0.23.12
        quint16 port = 3671;
    };

    explicit KnxNetIpDiscovery(Options options);
    ~KnxNetIpDiscovery();
    KnxNetIpDiscovery(const KnxNetIpDiscovery&) = delete;
    KnxNetIpDiscovery& operator=(const KnxNetIpDiscovery&) = delete;

    // Sends the search requests; false when not one could be sent.
    bool start();
    void service(std::int64_t waitUs);
    bool finished() const;
    // Milliseconds since start().
    std::int64_t elapsedMs() const { return timer_.elapsed(); }

    // In the order they answered.
    const std::vector<KnxIpInterface>& found() const { return found_; }
    int malformed() const { return malformed_; }
    int foreign() const { return foreign_; }

    // Searches for the whole time and returns what answered.
    static std::vector<KnxIpInterface> run(const Options& options, bool* sent = nullptr);

private:
    struct Socket;
    void handle(Socket& socket, const QByteArray& bytes, const QHostAddress& from, quint16 fromPort);

    Options options_;
    std::vector<std::unique_ptr<Socket>> sockets_;
    std::vector<KnxIpInterface> found_;
    QElapsedTimer timer_;
    bool started_ = false;
    int malformed_ = 0;
    int foreign_ = 0;
};

} // namespace zendrik

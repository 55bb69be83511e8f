#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace zendrik::test {

// knxd as a KNX IP router on loopback: its tunnelling server, the routing
// multicast group and the answers to searches (discover = true), under the
// name kName. Only in a private network namespace (see NotInPrivateNetwork),
// where the group's route leads to loopback. Stopped when destroyed.
// knxd passes frames onto the group at the pace of a KNX line (its "pace"
// filter: 20 ms and 1 ms per byte between frames, and what came in counts
// too); with `linePace` false it passes them 1 ms apart, so that mostly
// our own time shows.
class KnxdRouter {
public:
    static constexpr const char* kName = "Zendrik Testlinie";
    explicit KnxdRouter(bool linePace = true) : linePace_(linePace) { }
    ~KnxdRouter() { stop(); }
    // Starts knxd and waits until it answers a connect request; false with failure().
    bool start();
    void stop();
    const QString& failure() const { return failure_; }
    QString tunnelLink() const { return QStringLiteral("knxnetip:127.0.0.1:3671"); }
    QString routingLink() const { return QStringLiteral("routing:224.0.23.12"); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<QProcess> process_;
    QString failure_;
    bool linePace_;
};

} // namespace zendrik::test

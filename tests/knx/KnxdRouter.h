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
class KnxdRouter {
public:
    static constexpr const char* kName = "Zendrik Testlinie";
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
};

} // namespace zendrik::test

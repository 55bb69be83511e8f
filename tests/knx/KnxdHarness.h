#pragma once

#include <QProcess>
#include <QTemporaryDir>

#include <memory>

namespace zendrik::test {

// The network interfaces this process sees that are not loopback: knxd starts only where there are none.
QString NotInPrivateNetwork();

// knxd as a tunnelling server on 127.0.0.1 in a folder of its own, stopped (and waited for) when destroyed.
class Knxd {
public:
    static constexpr quint16 kPort = 3671;
    ~Knxd() { stop(); }
    // Starts knxd and waits until it answers a connect request; false with failure().
    bool start();
    void stop();
    const QString& failure() const { return failure_; }
    QString link() const { return QStringLiteral("knxnetip:127.0.0.1:%1").arg(kPort); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<QProcess> process_;
    QString failure_;
};

// zendrik-bus-device as a child process, ended with SIGTERM (saving its devices' state) when destroyed or stopped.
class BusDevice {
public:
    ~BusDevice() { stop(); }
    // Starts it with the arguments and waits for its "ready" line.
    bool start(const QStringList& args, const QString& workDir);
    void stop();
    // Waits until it printed "command N" (it runs with --verbose then).
    bool waitForCommand(int n, int timeoutMs);
    const QString& failure() const { return failure_; }
    QString output() const { return out_; }

private:
    std::unique_ptr<QProcess> process_;
    QString failure_;
    QString out_;
};

// The channel a fresh tunnel gets (the lowest free one): tells how many tunnels are still open; 0 when none was given.
int NextTunnelChannel(quint16 port = Knxd::kPort);

} // namespace zendrik::test

#include "tests/knx/KnxdHarness.h"

#include "transfer/bus/KnxNetIpTunnel.h"
#include "util/AtomicFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QNetworkInterface>

namespace zendrik::test {

namespace {

// A tunnelling server on loopback only, a dummy second connection (knxd wants two), no routing.
constexpr const char* kConfig = "[main]\naddr = 1.1.250\nclient-addrs = 1.1.240:8\nconnections = server,dummy\n"
                                "[server]\nserver = ets_router\ntunnel = tunnel\nport = 3671\ninterface = lo\n"
                                "discover = false\n[tunnel]\n[dummy]\ndriver = dummy\n";

// Ends a child process: asked first, killed when it does not go.
void Stop(std::unique_ptr<QProcess>& process, int graceMs)
{
    if (!process || process->state() == QProcess::NotRunning) return;
    process->terminate();
    if (!process->waitForFinished(graceMs)) {
        process->kill();
        process->waitForFinished(3000);
    }
}

// Starts a child process in `workDir`; false with the reason.
bool Launch(std::unique_ptr<QProcess>& process, const QString& program, const QStringList& args, const QString& workDir, QString& failure,
            QProcess::ProcessChannelMode mode = QProcess::SeparateChannels)
{
    process = std::make_unique<QProcess>();
    process->setWorkingDirectory(workDir);
    process->setProcessChannelMode(mode);
    process->start(program, args);
    const bool started = process->waitForStarted(5000);
    if (!started) failure = program + QStringLiteral(" did not start: ") + process->errorString();
    return started;
}

} // namespace

QString NotInPrivateNetwork()
{
    QStringList others;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces())
        if (!(i.flags() & QNetworkInterface::IsLoopBack)) others << i.name();
    return others.join(QStringLiteral(", "));
}

bool Knxd::start()
{
    if (const QString others = NotInPrivateNetwork(); !others.isEmpty()) {
        failure_ = QStringLiteral("not in a private network namespace (interfaces %1): refusing to start knxd").arg(others);
        return false;
    }
    const QString config = QDir(dir_.path()).filePath(QStringLiteral("knxd.ini"));
    if (!WriteFileAtomically(config, kConfig, &failure_)) return false;
    if (!Launch(process_, QStringLiteral("knxd"), {config}, dir_.path(), failure_, QProcess::MergedChannels)) return false;
    // Up when it answers a connect request (about 20 ms).
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) {
        KnxNetIpTunnel probe(QHostAddress::LocalHost, kPort);
        if (probe.open(100)) {
            probe.close();
            return true;
        }
        if (process_->state() == QProcess::NotRunning) break;
    }
    failure_ = QStringLiteral("knxd does not answer: %1").arg(QString::fromUtf8(process_->readAll()));
    return false;
}

void Knxd::stop()
{
    Stop(process_, 3000);
    process_.reset();
}

bool BusDevice::start(const QStringList& args, const QString& workDir)
{
    if (!Launch(process_, QStringLiteral(ZENDRIK_BUS_DEVICE), args, workDir, failure_)) return false;
    if (waitForCommand(-1, 10000)) return true;
    failure_ = QStringLiteral("zendrik-bus-device did not come up: %1 %2").arg(out_, QString::fromUtf8(process_->readAllStandardError()));
    return false;
}

bool BusDevice::waitForCommand(int n, int timeoutMs)
{
    const QString line = n < 0 ? QStringLiteral("ready ") : QStringLiteral("command %1\n").arg(n);
    QElapsedTimer t;
    t.start();
    while (process_ && t.elapsed() < timeoutMs) {
        out_ += QString::fromUtf8(process_->readAllStandardOutput());
        if (out_.contains(line)) return true;
        if (process_->state() == QProcess::NotRunning) return false;
        process_->waitForReadyRead(20);
    }
    return false;
}

void BusDevice::stop()
{
    if (!process_) return;
    Stop(process_, 5000);
    out_ += QString::fromUtf8(process_->readAllStandardOutput());
    process_.reset();
}

int NextTunnelChannel(quint16 port)
{
    KnxNetIpTunnel probe(QHostAddress::LocalHost, port);
    if (!probe.open(500)) return 0;
    const int channel = probe.channel();
    probe.close();
    return channel;
}

} // namespace zendrik::test

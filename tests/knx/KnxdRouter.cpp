#include "tests/knx/KnxdRouter.h"

#include "tests/knx/KnxdHarness.h"
#include "transfer/bus/KnxNetIpTunnel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

namespace zendrik::test {

namespace {

constexpr const char* kRouterConfig = "[main]\naddr = 1.1.250\nclient-addrs = 1.1.240:8\nconnections = server,dummy\n"
                                      "[server]\nserver = ets_router\ntunnel = tunnel\nrouter = router\n"
                                      "discover = true\nport = 3671\ninterface = lo\nname = Zendrik Testlinie\n"
                                      "[tunnel]\n[dummy]\ndriver = dummy\n";
// The group at a line's pace (knxd's own), or nearly at once (knxd wants a
// delay of 1 ms at least).
constexpr const char* kLinePace = "[router]\n";
constexpr const char* kNoPace = "[router]\nfilters = nopace\n[nopace]\nfilter = pace\ndelay = 1\n"
                                "delay-per-byte = 0\nincoming = 0\n";

} // namespace

bool KnxdRouter::start()
{
    if (const QString others = NotInPrivateNetwork(); !others.isEmpty()) {
        failure_ = QStringLiteral("not in a private network namespace (interfaces %1): refusing to start knxd").arg(others);
        return false;
    }
    const QString config = QDir(dir_.path()).filePath(QStringLiteral("knxd.ini"));
    QFile f(config);
    if (!f.open(QIODevice::WriteOnly) || f.write(kRouterConfig) < 0 || f.write(linePace_ ? kLinePace : kNoPace) < 0) {
        failure_ = QStringLiteral("cannot write %1").arg(config);
        return false;
    }
    f.close();
    process_ = std::make_unique<QProcess>();
    process_->setWorkingDirectory(dir_.path());
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->start(QStringLiteral("knxd"), {config});
    if (!process_->waitForStarted(5000)) {
        failure_ = QStringLiteral("knxd did not start: %1").arg(process_->errorString());
        return false;
    }
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000 && process_->state() == QProcess::Running) {
        KnxNetIpTunnel probe(QHostAddress::LocalHost, 3671);
        if (probe.open(100)) {
            probe.close();
            return true;
        }
    }
    failure_ = QStringLiteral("knxd does not answer: %1").arg(QString::fromUtf8(process_->readAll()));
    return false;
}

void KnxdRouter::stop()
{
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(3000)) {
            process_->kill();
            process_->waitForFinished(3000);
        }
    }
    process_.reset();
}

} // namespace zendrik::test

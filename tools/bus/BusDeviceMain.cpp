// zendrik-bus-device: emulated time switches on a real bus line. Connects
// to a KNX IP interface or knxd as a tunnelling client and answers for the
// devices of a bus description (the [device A.L.D] sections of bus-sim.ini,
// with their faults) or of --device options, keeping their memory and
// program in the state files beside the description. Prints "ready" and
// the tunnel's address once the devices are announced, and "command N" for
// every mailbox command when --verbose is given; ends on SIGTERM or SIGINT,
// saving the devices' state.

#include "tools/bus/TunnelledTimeSwitches.h"

#include "transfer/bus/PhysicalAddress.h"
#include "util/FileCheck.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <csignal>
#include <cstdio>

using namespace zendrik;

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int)
{
    stopRequested = 1;
}

int fail(const QString& text, int code = 2)
{
    std::fprintf(stderr, "zendrik-bus-device: %s\n", qPrintable(text));
    return code;
}

bool number(const QCommandLineParser& p, const QString& name, int& value)
{
    if (!p.isSet(name))
        return true;
    bool ok = false;
    value = p.value(name).toInt(&ok, 0);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zendrik-bus-device"));
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Emulated bus time switches behind a KNXnet/IP tunnel."));
    p.addHelpOption();
    p.addOptions({
        {QStringLiteral("link"), QStringLiteral("The tunnel server: knxnetip:HOST[:PORT]."), QStringLiteral("link")},
        {QStringLiteral("device"), QStringLiteral("A time switch at this physical address (repeatable)."),
         QStringLiteral("address")},
        {QStringLiteral("ack-lost-at"), QStringLiteral("Never acknowledge the n-th connected telegram."),
         QStringLiteral("n")},
        {QStringLiteral("vanish-at-command"), QStringLiteral("Fall silent as the n-th mailbox command arrives."),
         QStringLiteral("n")},
        {QStringLiteral("back-after-ms"), QStringLiteral("Answer again this long after falling silent."),
         QStringLiteral("ms")},
        {QStringLiteral("connect-timeout-ms"), QStringLiteral("How long to wait for the server (default 5000)."),
         QStringLiteral("ms")},
        {QStringLiteral("verbose"), QStringLiteral("Print every mailbox command.")},
    });
    p.addPositionalArgument(QStringLiteral("description"), QStringLiteral("A bus description (bus-sim.ini)."));
    p.process(app);

    const QString connection = p.value(QStringLiteral("link"));
    QHostAddress host;
    quint16 port = 0;
    if (!connection.startsWith(QLatin1String("knxnetip:")) || !ParseKnxNetIpTarget(connection.mid(9), &host, &port))
        return fail(QStringLiteral("--link knxnetip:HOST[:PORT] is needed"));

    SimulatedBusConfig config;
    QString prefix;
    const QStringList args = p.positionalArguments();
    if (args.size() > 1)
        return fail(QStringLiteral("one bus description at most"));
    if (!args.isEmpty()) {
        const LimitedRead read = ReadRegularFile(args.first(), 256 * 1024);
        if (!read.ok())
            return fail(args.first() + QStringLiteral(": ") + FileStateReason(read.state));
        QString why;
        if (!ParseSimulatedBusConfig(read.data, config, &why))
            return fail(args.first() + QStringLiteral(": ") + why);
        const QFileInfo info(args.first());
        prefix = info.absoluteFilePath();
        if (!info.suffix().isEmpty())
            prefix.chop(info.suffix().size() + 1);
    }
    for (const QString& a : p.values(QStringLiteral("device"))) {
        const auto address = ParsePhysAddress(a);
        if (!address)
            return fail(a + QStringLiteral(": no valid physical address"));
        SimulatedBusConfig::Device d;
        d.address = *address;
        config.devices.push_back(d);
    }
    if (config.devices.empty())
        return fail(QStringLiteral("no device: give a description or --device"));

    TunnelledFaults faults;
    faults.ackLostAt = config.bcu.ackLostAt;
    int connectTimeout = 5000;
    if (!number(p, QStringLiteral("ack-lost-at"), faults.ackLostAt)
        || !number(p, QStringLiteral("vanish-at-command"), faults.vanishAtCommand)
        || !number(p, QStringLiteral("back-after-ms"), faults.backAfterMs)
        || !number(p, QStringLiteral("connect-timeout-ms"), connectTimeout))
        return fail(QStringLiteral("a number is expected"));

    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);

    KnxNetIpTunnel tunnel(host, port);
    if (!tunnel.open(connectTimeout))
        return fail(QStringLiteral("%1: no tunnel to the server").arg(connection), 1);
    TunnelledTimeSwitches devices(config, prefix, tunnel);
    devices.faults = faults;
    const bool verbose = p.isSet(QStringLiteral("verbose"));
    devices.onCommand = [verbose](int n) {
        if (verbose) {
            std::printf("command %d\n", n);
            std::fflush(stdout);
        }
    };
    devices.announce();
    // The announcement is out before anyone hears of us.
    while (tunnel.sending() && tunnel.state() == KnxNetIpTunnel::State::Open)
        devices.service(1000);
    std::printf("ready %s\n", qPrintable(FormatPhysicalAddress(tunnel.address())));
    std::fflush(stdout);

    int rc = 0;
    while (!stopRequested) {
        if (!devices.service(10'000)) {
            std::fprintf(stderr, "zendrik-bus-device: the tunnel failed\n");
            rc = 1;
            break;
        }
    }
    QString error;
    if (!devices.saveState(&error))
        std::fprintf(stderr, "zendrik-bus-device: %s\n", qPrintable(error));
    tunnel.close();
    return rc;
}

// The bus through knxd on loopback, with zendrik-bus-device as the time
// switch: the round trip of one memory read (request out, the device's
// T_ACK and answer back, our T_ACK out), and a full 738 program (500
// entries, 20 summer/winter rows) written and read back, each against the
// protocol's own pauses; the same transfers through the KNXnet/IP routing
// group with knxd as the KNX IP router, and how soon a search for
// interfaces hears knxd. Runs itself in a private network namespace (see
// scripts/in-private-net.sh), as knxd may only run there.

#include "bench/BenchPrograms.h"
#include "language/TextTable.h"
#include "model/UserInteraction.h"
#include "tests/knx/KnxdHarness.h"
#include "tests/knx/KnxdRouter.h"
#include "transfer/bus/BusAccess.h"
#include "transfer/bus/BusApplication.h"
#include "transfer/bus/BusLog.h"
#include "transfer/bus/EibIo.h"
#include "transfer/bus/EibLink.h"
#include "transfer/bus/KnxNetIpDiscovery.h"
#include "transfer/links/OpenEibLink.h"
#include "util/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

using namespace zendrik;
using namespace zendrik::test;

namespace {

constexpr quint16 kDevice = 0x1105;

// knxd with the device behind its tunnel; we reach it through the tunnel,
// or with `routing` through the routing group (knxd as the KNX IP router).
struct Line {
    // The router passes frames at once: the time measured is ours, not the
    // emulated line's (knxd's own pace would add a KNX line's telegram time).
    explicit Line(bool routing = false) : router(false), routing(routing) { }
    QTemporaryDir dir;
    Knxd knxd;
    KnxdRouter router;
    BusDevice device;
    QString failure;
    bool routing;

    QString link() const { return routing ? router.routingLink() : knxd.link(); }
    bool start()
    {
        if (!(routing ? router.start() : knxd.start())) {
            failure = routing ? router.failure() : knxd.failure();
            return false;
        }
        const QString description = QDir(dir.path()).filePath(QStringLiteral("line.ini"));
        WriteFileAtomically(description, "[device 1.1.5]\n");
        const QString tunnel = routing ? router.tunnelLink() : knxd.link();
        if (!device.start({QStringLiteral("--link"), tunnel, description}, dir.path())) {
            failure = device.failure();
            return false;
        }
        return true;
    }
};

void MemoryReadRoundTrip(benchmark::State& state)
{
    Line line;
    if (!line.start()) {
        state.SkipWithError(line.failure.toStdString().c_str());
        return;
    }
    QString error;
    auto link = OpenEibLink(line.knxd.link(), line.dir.path(), &error);
    TextTable texts;
    texts.LoadGerman();
    BusLog log;
    EibIo io(*link, texts, log);
    if (io.EibOpen(0, 9600) != 0 || io.Connect(kDevice) != 0) {
        state.SkipWithError("no connection to the device");
        return;
    }
    std::vector<double> us;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        QByteArray data;
        if (io.AskMemory(3, 0x0104) != 0 || io.WaitMemory(3, 0x0104, data) != 0) {
            state.SkipWithError("a memory read failed");
            break;
        }
        const double s = t.nsecsElapsed() / 1e9;
        us.push_back(s * 1e6);
        state.SetIterationTime(s);
    }
    io.Disconnect();
    io.EibCloseAll();
    if (!us.empty()) {
        std::sort(us.begin(), us.end());
        state.counters["median_us"] = us[us.size() / 2];
        state.counters["p99_us"] = us[std::min(us.size() - 1, us.size() * 99 / 100)];
    }
}

void Transfer738(benchmark::State& state, bool reading, bool routing)
{
    Line line(routing);
    if (!line.start()) {
        state.SkipWithError(line.failure.toStdString().c_str());
        return;
    }
    WriteApplicationFile(QDir(line.dir.path()).filePath(kTransferApplicationFileName), TransferApplicationImage());
    ProgramModel model = bench::completeProgram(bench::kRow738, 450, 50);
    model.Geaendert = 0;
    TextTable texts;
    texts.LoadGerman();
    ScriptedInteraction ui = ScriptedInteraction::answering(true);
    if (reading) {
        // The device holds the program before the read is timed (unpaced
        // through the tunnel: the emulated device needs no pauses).
        QString error;
        const QString tunnel = routing ? line.router.tunnelLink() : line.knxd.link();
        auto link = OpenEibLink(tunnel + QStringLiteral(",unpaced"), line.dir.path(), &error);
        BusAccess writer(model, ui, texts, line.dir.path());
        writer.setLink(link.get(), 0, QStringLiteral("1"));
        if (!link || writer.Program(kDevice).code != 0) {
            state.SkipWithError("could not prepare the device");
            return;
        }
    }
    double wall = 0;
    double expected = 0;
    for (auto _ : state) {
        QString error;
        auto link = OpenEibLink(line.link(), line.dir.path(), &error);
        BusAccess access(model, ui, texts, line.dir.path());
        access.setLink(link.get(), 0, QStringLiteral("1"));
        QElapsedTimer t;
        t.start();
        const BusActionResult r = reading ? access.Read(kDevice) : access.Program(kDevice);
        wall = t.nsecsElapsed() / 1e9;
        if (r.code != 0) {
            state.SkipWithError(("the transfer failed with code " + std::to_string(r.code)).c_str());
            return;
        }
        expected = access.pausedUs() / 1e6;
        state.SetIterationTime(wall);
    }
    state.counters["seconds"] = wall;
    state.counters["protocol_seconds"] = expected;
    state.counters["ratio"] = expected > 0 ? wall / expected : 0;
    state.counters["entries"] = model.program().AnzEintrag;
}

// The first answer to a search for interfaces (the search itself listens
// for its full three seconds).
void DiscoveryFirstAnswer(benchmark::State& state)
{
    KnxdRouter router;
    if (!router.start()) {
        state.SkipWithError(router.failure().toStdString().c_str());
        return;
    }
    double ms = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        KnxNetIpDiscovery discovery({});
        if (!discovery.start()) {
            state.SkipWithError("the search could not be sent");
            return;
        }
        while (!discovery.finished() && (discovery.found().empty() || !discovery.found().front().described))
            discovery.service(1000);
        if (discovery.found().empty()) {
            state.SkipWithError("knxd did not answer");
            return;
        }
        ms = t.nsecsElapsed() / 1e6;
        state.SetIterationTime(ms / 1000);
    }
    state.counters["answered_ms"] = ms;
}

} // namespace

BENCHMARK(DiscoveryFirstAnswer)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(MemoryReadRoundTrip)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Transfer738, write_738_full, false, false)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Transfer738, read_738_full, true, false)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Transfer738, routing_write_738_full, false, true)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Transfer738, routing_read_738_full, true, true)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    if (!NotInPrivateNetwork().isEmpty()) {
        // Again, in a network namespace of its own with loopback only.
        std::vector<char*> args{const_cast<char*>("sh"), const_cast<char*>(ZENDRIK_PRIVATE_NET)};
        for (int i = 0; i < argc; ++i)
            args.push_back(argv[i]);
        args.push_back(nullptr);
        ::execvp("sh", args.data());
        std::perror("sh");
        return 1;
    }
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

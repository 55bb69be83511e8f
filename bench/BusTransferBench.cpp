// A full 738 program (500 entries, 20 summer/winter rows) written into an
// emulated time switch on the paced simulated bus and read back. The
// mailbox protocol is slow by design (a pause after every block); each run
// reports its time against what the protocol itself must take: its own
// pauses plus the time the telegrams occupy the TP1 line (and the BCU's
// few memory frames on its serial line).

#include "bench/BenchPrograms.h"
#include "language/TextTable.h"
#include "model/UserInteraction.h"
#include "transfer/bus/BusAccess.h"
#include "transfer/bus/BusApplication.h"
#include "transfer/sim/SimulatedBus.h"
#include "util/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zendrik;

namespace {

constexpr quint16 kDevice = 0x1105;

void BusTransfer(benchmark::State& state, bool reading)
{
    QTemporaryDir dir;
    WriteApplicationFile(QDir(dir.path()).filePath(kTransferApplicationFileName), TransferApplicationImage());
    WriteFileAtomically(QDir(dir.path()).filePath(QStringLiteral("bus-sim.ini")), "[device 1.1.5]\n");
    ProgramModel model = bench::completeProgram(bench::kRow738, 450, 50);
    model.Geaendert = 0; // as saved: no question before the transfer
    TextTable texts;
    texts.LoadGerman();
    ScriptedInteraction ui = ScriptedInteraction::answering(true);
    if (reading) {
        // The device holds the program before the read is timed.
        const QString description = QDir(dir.path()).filePath(QStringLiteral("bus-sim.ini"));
        WriteFileAtomically(description, "[bus]\npacing = off\n[device 1.1.5]\n");
        {
            auto bus = SimulatedBus::fromFile(description, nullptr);
            BusAccess writer(model, ui, texts, dir.path());
            writer.setLink(bus.get(), 0, QStringLiteral("1"));
            if (!bus || writer.Program(kDevice).code != 0) {
                state.SkipWithError("could not prepare the device");
                return;
            }
        }
        WriteFileAtomically(description, "[device 1.1.5]\n");
    }
    double expected = 0;
    double wall = 0;
    for (auto _ : state) {
        auto bus = SimulatedBus::fromFile(QDir(dir.path()).filePath(QStringLiteral("bus-sim.ini")), nullptr);
        BusAccess access(model, ui, texts, dir.path());
        access.setLink(bus.get(), 0, QStringLiteral("1"));
        QElapsedTimer timer;
        timer.start();
        const BusActionResult r = reading ? access.Read(kDevice) : access.Program(kDevice);
        wall = timer.nsecsElapsed() / 1e9;
        if (r.code != 0) {
            state.SkipWithError(("the transfer failed with code " + std::to_string(r.code)).c_str());
            return;
        }
        expected = (access.pausedUs() + bus->lineBusyUs() + bus->serialBusyUs()) / 1e6;
        state.SetIterationTime(wall);
    }
    state.counters["seconds"] = wall;
    state.counters["protocol_seconds"] = expected;
    state.counters["ratio"] = expected > 0 ? wall / expected : 0;
    state.counters["entries"] = model.program().AnzEintrag;
}

} // namespace

BENCHMARK_CAPTURE(BusTransfer, write_738_full, false)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BusTransfer, read_738_full, true)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

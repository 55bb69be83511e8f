// Full chip transfers against the paced adapter emulator: the wire at 9600
// baud, the adapter's 2 s pause before the data phase, the chip's write
// cycle. Each run reports its time against the time the wire itself needs.

#include "model/DeviceSettings.h"
#include "tools/adapter/AdapterEmulatorProcess.h"
#include "transfer/chip/CardDatFile.h"
#include "transfer/chip/QtSerialBytePort.h"
#include "transfer/chip/SerialChipTransfer.h"
#include "util/AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zendrik;

namespace {

constexpr double kSecondsPerByte = 10.0 / 9600.0; // 8N1: ten bit times
constexpr double kPauseSeconds = 2.0;
constexpr int kBlock = 16;

enum class Job { Write,
                 WriteVerifiedWhole,
                 Read };

// Bytes on the wire, both ways, for the frames a transfer needs.
double wireSeconds(int size, Job job)
{
    const int blocks = size / kBlock;
    const bool large = size == 8192;
    const int writeExchange = (large ? 20 : 19) + 2;
    const int readExchange = (large ? 5 : 4) + 19;
    int bytes = large ? readExchange : 0; // the adapter check
    switch (job) {
    case Job::Write:
        bytes += blocks * writeExchange + readExchange; // with the block-0 check
        break;
    case Job::WriteVerifiedWhole:
        bytes += blocks * writeExchange + blocks * readExchange;
        break;
    case Job::Read:
        bytes += readExchange + blocks * readExchange; // identification, then the data
        break;
    }
    return bytes * kSecondsPerByte;
}

void ChipTransfer(benchmark::State& state, int uhrentyp, Job job)
{
    const int size = FamilyImageSize(uhrentyp);
    QTemporaryDir dir;
    const QString program = QDir(dir.path()).filePath(QStringLiteral("bench.zpg"));
    Image image(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i)
        image[static_cast<std::size_t>(i)] = static_cast<Byte>((i * 37 + i / 256) & 0xFF);
    image[1] = uhrentyp == kFamily738 ? 74 : 72;
    WriteFileAtomically(program, CardDatText(image));

    AdapterEmulatorProcess emulator(QStringLiteral(ZENDRIK_ADAPTER_EMULATOR));
    const QStringList chip = size == 8192 ? QStringList{QStringLiteral("--chip"), QStringLiteral("24c64")} : QStringList{};
    if (!emulator.start(QDir(dir.path()).filePath(QStringLiteral("chip.bin")), chip)) {
        state.SkipWithError(qPrintable(emulator.failure()));
        return;
    }
    SerialTransferOptions options; // the real timing
    options.verifyWholeChip = job == Job::WriteVerifiedWhole;

    if (job == Job::Read) {
        QtSerialBytePort port(emulator.devicePath());
        options.dataPhasePauseMs = 0;
        SerialChipTransfer fill(port, uhrentyp, QStringLiteral("1"), dir.path(), options);
        if (fill.writeChip(program).result != 0) {
            state.SkipWithError("could not fill the chip");
            return;
        }
    }
    options.dataPhasePauseMs = 2000;

    double seconds = 0;
    for (auto _ : state) {
        QtSerialBytePort port(emulator.devicePath());
        SerialChipTransfer transfer(port, uhrentyp, QStringLiteral("1"), dir.path(), options);
        QElapsedTimer t;
        t.start();
        const SerialTransferResult r = job == Job::Read ? transfer.readChip() : transfer.writeChip(program);
        seconds = t.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        if (r.result != 0 || (job == Job::Read && r.image != image))
            state.SkipWithError("transfer failed");
    }
    const double budget = wireSeconds(size, job) + kPauseSeconds;
    state.counters["wire_plus_pause_s"] = budget;
    state.counters["measured_s"] = seconds;
    state.counters["ratio"] = seconds / budget; // target: at most 1.15
}

BENCHMARK_CAPTURE(ChipTransfer, write2048, kFamily731, Job::Write)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(ChipTransfer, read2048, kFamily731, Job::Read)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(ChipTransfer, write2048_verified, kFamily731, Job::WriteVerifiedWhole)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(ChipTransfer, write8192, kFamily738, Job::Write)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(ChipTransfer, read8192, kFamily738, Job::Read)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(ChipTransfer, write8192_verified, kFamily738, Job::WriteVerifiedWhole)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

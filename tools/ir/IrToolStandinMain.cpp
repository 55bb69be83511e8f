// zendrik-ir-tool: stands in for the infrared tool. Like the real tool it
// reads the job 2irprot.msg in its working directory, talks to the time
// switch (here a virtual device kept in files) and leaves its result code in
// irtrans.msg: 0 done, 1 no device answered, 2 the device is not in its
// automatic mode, 3 the exchange file could not be taken, 4 no job.
//
// The virtual device: --device FILE holds the device's program in the
// program-file layout (what a read hands back and a programming job stores),
// FILE.clock the time and date it was last set to.

#include "model/ProgramFile.h"
#include "transfer/ir/IrJobFile.h"
#include "util/AtomicFile.h"
#include "util/FileCheck.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QThread>

#include <cstdio>

using namespace zendrik;

namespace {

constexpr int kDone = 0;
constexpr int kNoDevice = 1;
constexpr int kNotInAutoMode = 2;
constexpr int kBadExchangeFile = 3;
constexpr int kNoJob = 4;
constexpr qint64 kMaxFile = 16 * 1024 * 1024;
constexpr int kSmallestImage = 2048;

struct Faults {
    bool noDevice = false;
    bool notAuto = false;
    bool damaged = false;
};

QByteArray clockLine(const IrJob& job)
{
    return FormatIrTime(job.time).toLatin1() + ' ' + job.date.toString(QStringLiteral("dd.MM.yyyy")).toLatin1()
        + ' ' + IrClockCode(job.source) + "\r\n";
}

int run(const QString& device, const Faults& faults)
{
    const LimitedRead jobFile = ReadRegularFile(kIrJobFileName, 64 * 1024);
    const auto job = jobFile.ok() ? ParseIrJobFile(jobFile.data) : std::nullopt;
    if (!job)
        return kNoJob;
    if (faults.noDevice)
        return kNoDevice;
    if (faults.notAuto)
        return kNotInAutoMode;

    switch (job->mode) {
    case IrModus::Read: {
        const LimitedRead program = ReadRegularFile(device, kMaxFile);
        if (!program.ok())
            return kNoDevice;
        // A damaged transfer: the exchange file breaks off after a few numbers.
        const QByteArray text = faults.damaged ? program.data.left(200) : program.data;
        return WriteFileAtomically(kIrExchangeFileName, text) ? kDone : kBadExchangeFile;
    }
    case IrModus::Program: {
        const LimitedRead exchange = ReadRegularFile(kIrExchangeFileName, kMaxFile);
        if (!exchange.ok() || ReadImageNumbers(exchange.data, kSmallestImage).empty())
            return kBadExchangeFile;
        return WriteFileAtomically(device, exchange.data) ? kDone : kNoDevice;
    }
    case IrModus::SetTime:
        return WriteFileAtomically(device + QStringLiteral(".clock"), clockLine(*job)) ? kDone : kNoDevice;
    }
    return kNoJob;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Stand-in for the infrared tool, with a virtual device in a file."));
    p.addHelpOption();
    p.addOptions({
        {QStringLiteral("device"), QStringLiteral("File holding the device's program (its clock in FILE.clock)."),
         QStringLiteral("file")},
        {QStringLiteral("no-device"), QStringLiteral("No device answers (result 1).")},
        {QStringLiteral("not-auto"), QStringLiteral("The device is not in its automatic mode (result 2).")},
        {QStringLiteral("damaged"), QStringLiteral("A read leaves a damaged exchg.dat and still reports 0.")},
        {QStringLiteral("no-result"), QStringLiteral("Never write irtrans.msg.")},
        {QStringLiteral("result"), QStringLiteral("Report this code instead of doing the job."), QStringLiteral("code")},
        {QStringLiteral("delay-ms"), QStringLiteral("A slow device: work this long first."), QStringLiteral("ms")},
    });
    p.process(app);
    if (!p.isSet(QStringLiteral("device"))) {
        std::fprintf(stderr, "zendrik-ir-tool: --device FILE is required\n");
        return 2;
    }
    QThread::msleep(p.value(QStringLiteral("delay-ms")).toULong());
    Faults faults;
    faults.noDevice = p.isSet(QStringLiteral("no-device"));
    faults.notAuto = p.isSet(QStringLiteral("not-auto"));
    faults.damaged = p.isSet(QStringLiteral("damaged"));
    const int code = p.isSet(QStringLiteral("result")) ? p.value(QStringLiteral("result")).toInt()
                                                       : run(p.value(QStringLiteral("device")), faults);
    if (p.isSet(QStringLiteral("no-result")))
        return 0;
    return WriteFileAtomically(kIrResultFileName, IrResultFileText(code)) ? 0 : 1;
}

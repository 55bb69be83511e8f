// zendrik-adapter-emulator: a serial programming adapter with a memory chip
// on a pseudo terminal. The program under test opens the printed device
// path as its serial port. The emulator keeps the wire's pace at 9600 baud,
// 8N1 (ten bit times per byte) in both directions: a reply starts no
// earlier than the request's own wire time after its first byte, and its
// bytes follow at wire speed. A write keeps the chip busy for its write
// cycle; a transaction during it waits, as the adapter polls the chip.

#include "tools/adapter/AdapterEmulator.h"
#include "tools/adapter/VirtualEeprom.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

using namespace zendrik;
using Clock = std::chrono::steady_clock;

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int)
{
    stopRequested = 1;
}

// An adapter drops a frame whose bytes stop coming for this long.
constexpr auto kFrameGap = std::chrono::milliseconds(100);

struct Options {
    QString eepromPath;
    int chipSize = 2048;
    AdapterFaultSettings faults;
    bool pacing = true;
    std::chrono::microseconds writeCycle{5000};
    QString linkPath;
    bool verbose = false;
};

int fail(const QString& text, int code = 2)
{
    std::fprintf(stderr, "zendrik-adapter-emulator: %s\n", qPrintable(text));
    return code;
}

bool parseNumber(const QString& text, int& value)
{
    bool ok = false;
    value = text.toInt(&ok, 0);
    return ok;
}

int parseOptions(const QCoreApplication& app, Options& o)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Serial programming adapter with a memory chip on a pseudo terminal."));
    p.addHelpOption();
    p.addOptions({
        {QStringLiteral("eeprom"), QStringLiteral("Binary file holding the chip (created blank if missing)."),
         QStringLiteral("file")},
        {QStringLiteral("chip"), QStringLiteral("24c16 (2048 bytes, default) or 24c64 (8192 bytes)."),
         QStringLiteral("type")},
        {QStringLiteral("fault"),
         QStringLiteral("none, no-chip, not-answering, transmission-error, no-reply, garbled, wrong-echo, "
                        "old-adapter, other-type, partial."),
         QStringLiteral("fault")},
        {QStringLiteral("fault-skip"), QStringLiteral("Frames answered normally before the fault starts."),
         QStringLiteral("n")},
        {QStringLiteral("fault-count"), QStringLiteral("Frames the fault lasts (default: all)."), QStringLiteral("n")},
        {QStringLiteral("status"), QStringLiteral("Status byte of a status fault, e.g. 0x83."), QStringLiteral("byte")},
        {QStringLiteral("keep"), QStringLiteral("Bytes a partial chip keeps (default: half)."), QStringLiteral("n")},
        {QStringLiteral("write-cycle-us"), QStringLiteral("Write cycle of the chip (default 5000)."),
         QStringLiteral("us")},
        {QStringLiteral("no-pacing"), QStringLiteral("Answer at once instead of at wire speed.")},
        {QStringLiteral("link"), QStringLiteral("Also make this symbolic link to the device path."),
         QStringLiteral("path")},
        {QStringLiteral("verbose"), QStringLiteral("Trace every frame on stderr.")},
    });
    p.process(app);
    o.eepromPath = p.value(QStringLiteral("eeprom"));
    if (o.eepromPath.isEmpty())
        return fail(QStringLiteral("--eeprom FILE is required"));
    const QString chip = p.value(QStringLiteral("chip")).toLower();
    if (chip == QLatin1String("24c64"))
        o.chipSize = 8192;
    else if (!chip.isEmpty() && chip != QLatin1String("24c16"))
        return fail(QStringLiteral("--chip takes 24c16 or 24c64"));
    if (p.isSet(QStringLiteral("fault")) && !ParseAdapterFault(p.value(QStringLiteral("fault")), o.faults.fault))
        return fail(QStringLiteral("unknown fault %1").arg(p.value(QStringLiteral("fault"))));
    struct NumberOption {
        const char* name;
        int* into;
    };
    int writeCycleUs = static_cast<int>(o.writeCycle.count());
    const NumberOption numbers[] = {{"fault-skip", &o.faults.skipFrames},
                                    {"fault-count", &o.faults.faultFrames},
                                    {"status", &o.faults.status},
                                    {"keep", &o.faults.keepBytes},
                                    {"write-cycle-us", &writeCycleUs}};
    for (const NumberOption& n : numbers) {
        const QString name = QString::fromLatin1(n.name);
        if (p.isSet(name) && !parseNumber(p.value(name), *n.into))
            return fail(QStringLiteral("--%1 takes a number").arg(name));
    }
    o.writeCycle = std::chrono::microseconds(writeCycleUs);
    o.pacing = !p.isSet(QStringLiteral("no-pacing"));
    o.linkPath = p.value(QStringLiteral("link"));
    o.verbose = p.isSet(QStringLiteral("verbose"));
    return 0;
}

// The master side of a pseudo terminal whose slave is a raw 8-bit line.
struct PseudoTerminal {
    int master = -1;
    int slave = -1; // held open so the line stays up between the program's opens
    QByteArray path;

    bool open(QString* error)
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
            *error = QStringLiteral("no pseudo terminal: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        path = ptsname(master);
        slave = ::open(path.constData(), O_RDWR | O_NOCTTY);
        termios t{};
        if (slave < 0 || tcgetattr(slave, &t) != 0) {
            *error = QStringLiteral("cannot open %1").arg(QString::fromLocal8Bit(path));
            return false;
        }
        cfmakeraw(&t);
        cfsetispeed(&t, B9600);
        cfsetospeed(&t, B9600);
        tcsetattr(slave, TCSANOW, &t);
        return true;
    }
};

void trace(const Options& o, const char* direction, const QByteArray& bytes)
{
    if (o.verbose)
        std::fprintf(stderr, "%s %s\n", direction, bytes.toHex(' ').constData());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Options o;
    if (const int rc = parseOptions(app, o); rc != 0)
        return rc;

    VirtualEeprom eeprom(o.chipSize);
    QString error;
    if (!eeprom.load(o.eepromPath, &error))
        return fail(error);
    if (!QFile::exists(o.eepromPath) && !eeprom.save(o.eepromPath, &error))
        return fail(error);
    AdapterEmulator adapter(eeprom, o.faults);

    PseudoTerminal pty;
    if (!pty.open(&error))
        return fail(error, 77);
    if (!o.linkPath.isEmpty()) {
        QFile::remove(o.linkPath);
        if (!QFile::link(QString::fromLocal8Bit(pty.path), o.linkPath))
            return fail(QStringLiteral("cannot link %1").arg(o.linkPath));
    }
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    std::printf("%s\n", pty.path.constData());
    std::fflush(stdout);

    const auto byteTime = std::chrono::microseconds(o.pacing ? 10'000'000 / 9600 : 0);
    auto busyUntil = Clock::now();
    QByteArray pending;
    Clock::time_point frameStart;
    Clock::time_point lastByte;

    while (!stopRequested) {
        pollfd pfd{pty.master, POLLIN, 0};
        const int ready = poll(&pfd, 1, 50);
        const auto now = Clock::now();
        if (ready > 0 && (pfd.revents & POLLIN)) {
            char buf[256];
            const ssize_t n = read(pty.master, buf, sizeof buf);
            if (n > 0) {
                if (pending.isEmpty())
                    frameStart = now;
                pending.append(buf, n);
                lastByte = now;
            }
        } else if (!pending.isEmpty() && now - lastByte > kFrameGap) {
            trace(o, "dropped", pending);
            pending.clear();
        }

        while (!pending.isEmpty() && pending.size() >= 1 + static_cast<quint8>(pending.at(0))) {
            const int length = 1 + static_cast<quint8>(pending.at(0));
            const QByteArray frame = pending.left(length);
            pending.remove(0, length);
            trace(o, ">>", frame);

            // The frame is complete on the wire only after its last bit; the
            // chip may still be busy with the last write.
            const auto frameEnd = frameStart + length * byteTime;
            frameStart = frameEnd;
            const AdapterEmulator::Outcome out = adapter.handle(frame);
            auto replyStart = std::max(frameEnd, busyUntil);
            if (out.programmed) {
                busyUntil = replyStart + o.writeCycle;
                if (!eeprom.save(o.eepromPath, &error))
                    std::fprintf(stderr, "zendrik-adapter-emulator: %s\n", qPrintable(error));
            }
            trace(o, "<<", out.reply);
            for (int i = 0; i < out.reply.size(); ++i) {
                std::this_thread::sleep_until(replyStart + (i + 1) * byteTime);
                if (write(pty.master, out.reply.constData() + i, 1) != 1)
                    break;
            }
        }
    }
    if (!o.linkPath.isEmpty())
        QFile::remove(o.linkPath);
    return 0;
}

// bus-search, bus-write, bus-read and bus-reinstall of zendrik-cli through
// knxd, with zendrik-bus-device as the time switch on the line; and what
// they do when the device, the tunnel or knxd fail in the middle.

#include "tests/knx/KnxdHarness.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include "transfer/bus/BusApplication.h"
#include "util/FileCheck.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class KnxBusCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(u"" ZENDRIK_SHIPPED_DATA "/remote.s19"_s, path(u"remote.s19"_s)));
        ProgramModel m = canonical738();
        ASSERT_FALSE(saveProgramAs(m, path(u"prog.zpg"_s)).isEmpty());
        program_ = readAll(path(u"prog.zpg"_s));
        ASSERT_TRUE(knxd.start()) << knxd.failure().toStdString();
    }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    // The time switches on the line: their description and extra options.
    void startDevice(const QByteArray& description, const QStringList& options = {})
    {
        ASSERT_TRUE(writeFile(path(u"line.ini"_s), description));
        ASSERT_TRUE(device.start(QStringList{u"--link"_s, knxd.link(), path(u"line.ini"_s)} + options, dir.path()))
            << device.failure().toStdString();
    }
    // A fresh knxd and device, as after a power cycle; the device keeps its state.
    void restartLine(const QByteArray& description, const QStringList& options = {})
    {
        device.stop();
        knxd.stop();
        ASSERT_TRUE(knxd.start()) << knxd.failure().toStdString();
        startDevice(description, options);
    }
    CliRun cli(const QStringList& args, int timeoutMs = 120000)
    {
        return RunCli(QStringList{u"--type"_s, u"20"_s} + args + QStringList{u"--link"_s, link()}, dir.path(), timeoutMs);
    }
    // The fault cases run unpaced: the emulated device needs no pauses.
    QString link() const { return paced ? knxd.link() : knxd.link() + u",unpaced"_s; }
    CliRun write() { return cli({u"bus-write"_s, path(u"prog.zpg"_s), u"--address"_s, u"1.1.5"_s}); }
    QString listOf(const QString& file) { return RunCli({u"--type"_s, u"20"_s, u"list"_s, file}, dir.path()).out; }
    QString protocol() const { return QString::fromLatin1(readAll(path(u"protocol.txt"_s))); }
    // The device's application (0x0107..0x01FE) in its state file.
    QByteArray deviceApplication()
    {
        for (const QByteArray& line : readAll(path(u"line-1.1.5.mem"_s)).split('\n'))
            if (line.startsWith("memory="))
                return QByteArray::fromHex(line.mid(7)).mid(kApplicationFirst, kApplicationSize);
        return {};
    }
    // Nothing of ours is left open: the next tunnel gets the channel after
    // the device's.
    void expectNoTunnelLeftOpen() { EXPECT_EQ(NextTunnelChannel(), 2); }
    // After a power cycle of the line without the fault, the reinstall puts
    // the saved application back.
    void reinstallOnAFreshLine()
    {
        restartLine("[device 1.1.5]\ndelete-ms = 10\n");
        const CliRun back = cli({u"bus-reinstall"_s, u"--address"_s, u"1.1.5"_s});
        EXPECT_EQ(back.exitCode, 0) << back.err.toStdString();
        EXPECT_FALSE(QFile::exists(path(u"appl-1.1.5.old"_s)));
    }
    CliRun read() { return cli({u"bus-read"_s, u"--address"_s, u"1.1.5"_s, u"--out"_s, path(u"back.zpg"_s)}); }

    QTemporaryDir dir;
    Knxd knxd;
    BusDevice device;
    QByteArray program_;
    bool paced = false;
};

TEST_F(KnxBusCommandsTest, SearchWriteReadBackAndReinstallEndToEnd)
{
    paced = true;
    startDevice("[device 1.1.5]\n[device 1.1.6]\nmask = 0x0020\n");
    const CliRun s = cli({u"bus-search"_s, u"--area"_s, u"1"_s, u"--line"_s, u"1"_s, u"--from"_s, u"4"_s, u"--to"_s, u"7"_s});
    EXPECT_EQ(s.exitCode, 0) << s.err.toStdString();
    EXPECT_EQ(s.out, u"1.1.5\n"_s);
    expectNoTunnelLeftOpen();

    const CliRun w = write();
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString() << protocol().toStdString();
    EXPECT_TRUE(protocol().contains(u"KNXnet/IP-Tunnel offen, eigene Adresse 1.1.24"_s)) << protocol().toStdString();
    expectNoTunnelLeftOpen();

    const CliRun r = read();
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString original = listOf(path(u"prog.zpg"_s));
    ASSERT_FALSE(original.isEmpty());
    EXPECT_EQ(listOf(path(u"back.zpg"_s)), original);
    const CliRun info = RunCli({u"--type"_s, u"20"_s, u"info"_s, path(u"back.zpg"_s)}, dir.path());
    EXPECT_TRUE(info.out.contains(u"description: unbekannt\n"_s)) << info.out.toStdString();
    expectNoTunnelLeftOpen();

    // A device whose application write-back fails keeps its saved
    // application; once it takes writes again, the reinstall puts it back.
    paced = false;
    restartLine("[device 1.1.5]\nrestore-fails\ndelete-ms = 10\n");
    const CliRun failed = write();
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.startsWith(u"Speicher wurde nicht beschrieben\n"_s)) << failed.err.toStdString();
    const QByteArray saved = readAll(path(u"appl-1.1.5.old"_s));
    ASSERT_FALSE(saved.isEmpty());
    reinstallOnAFreshLine();
    device.stop();
    QByteArray expected;
    for (const QByteArray& v : saved.split('\n'))
        if (!v.trimmed().isEmpty())
            expected += static_cast<char>(v.trimmed().toInt());
    EXPECT_EQ(deviceApplication().toHex(), expected.toHex());
}

TEST_F(KnxBusCommandsTest, ADeviceThatDoesNotAnswerIsNotFoundAndNotWritten)
{
    startDevice("[device 1.1.5]\nsilent\n");
    const CliRun s = cli({u"bus-search"_s, u"--area"_s, u"1"_s, u"--line"_s, u"1"_s, u"--from"_s, u"5"_s, u"--to"_s, u"5"_s});
    EXPECT_EQ(s.exitCode, 0) << s.err.toStdString();
    EXPECT_TRUE(s.out.isEmpty());
    const CliRun w = write();
    EXPECT_EQ(w.exitCode, 1);
    EXPECT_EQ(w.err, u"no mask response received\n"_s);
    EXPECT_EQ(readAll(path(u"prog.zpg"_s)), program_);
    EXPECT_FALSE(QFile::exists(path(u"appl-1.1.5.old"_s)));
    // Our telegrams were repeated for the missing acknowledgement.
    EXPECT_TRUE(protocol().contains(u"Telegramm wiederholt"_s)) << protocol().toStdString();
    expectNoTunnelLeftOpen();
}

TEST_F(KnxBusCommandsTest, ALostAcknowledgementIsRepeatedAndNotAppliedTwice)
{
    startDevice("[device 1.1.5]\ndelete-ms = 10\n", {u"--ack-lost-at"_s, u"40"_s});
    const CliRun w = write();
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString() << protocol().toStdString();
    EXPECT_TRUE(protocol().contains(u"Telegramm wiederholt"_s)) << protocol().toStdString();
    // The repetition itself was acknowledged: the connection was kept.
    EXPECT_FALSE(protocol().contains(u"Transportverbindung aufgegeben"_s)) << protocol().toStdString();
    const CliRun r = read();
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(listOf(path(u"back.zpg"_s)), listOf(path(u"prog.zpg"_s)));
    expectNoTunnelLeftOpen();
}

TEST_F(KnxBusCommandsTest, ADeviceVanishingInTheMiddleCanBeRestoredLater)
{
    startDevice("[device 1.1.5]\ndelete-ms = 10\n", {u"--vanish-at-command"_s, u"12"_s});
    const QByteArray before = deviceApplication();
    const CliRun w = write();
    EXPECT_EQ(w.exitCode, 1);
    EXPECT_FALSE(w.err.isEmpty());
    EXPECT_TRUE(w.err.contains(u"wiederherzustellen"_s)) << w.err.toStdString();
    EXPECT_EQ(readAll(path(u"prog.zpg"_s)), program_);
    EXPECT_TRUE(QFile::exists(path(u"appl-1.1.5.old"_s)));
    expectNoTunnelLeftOpen();

    reinstallOnAFreshLine();
    device.stop();
    EXPECT_NE(deviceApplication(), TransferApplicationImage());
}

TEST_F(KnxBusCommandsTest, KnxdStoppedInTheMiddleEndsWithAMessageAndIsRestorable)
{
    paced = true; // slow enough to stop knxd in the middle
    startDevice("[device 1.1.5]\ndelete-ms = 10\n", {u"--verbose"_s});
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(u"" ZENDRIK_CLI ""_s, {u"--type"_s, u"20"_s, u"bus-write"_s, path(u"prog.zpg"_s), u"--address"_s, u"1.1.5"_s, u"--link"_s, link()});
    ASSERT_TRUE(device.waitForCommand(20, 60000)) << device.output().toStdString();
    knxd.stop();
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 1);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_FALSE(err.isEmpty());
    EXPECT_EQ(readAll(path(u"prog.zpg"_s)), program_);
    EXPECT_TRUE(QFile::exists(path(u"appl-1.1.5.old"_s))) << err.toStdString();

    paced = false;
    reinstallOnAFreshLine();
    expectNoTunnelLeftOpen();
}

} // namespace

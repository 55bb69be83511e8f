// The bus commands of zendrik-cli through knxd with zendrik-bus-device on the line, and when the device or knxd fail midway.

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

class KnxBusCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(u"" ZENDRIK_SHIPPED_DATA "/remote.s19"_s, path(u"remote.s19"_s)));
        ProgramModel m = canonical738();
        ASSERT_FALSE(saveProgramAs(m, path(u"prog.zpg"_s)).isEmpty());
        program = readFile(path(u"prog.zpg"_s));
        ASSERT_TRUE(knxd.start()) << knxd.failure().toStdString();
    }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    // The time switches on the line: their description and extra options; with
    // `restart` first a fresh knxd and device, as after a power cycle (the device keeps its state).
    void startDevice(const QByteArray& description, const QStringList& options = {}, bool restart = false)
    {
        if (restart) {
            device.stop();
            knxd.stop();
        }
        if (restart) { ASSERT_TRUE(knxd.start()) << knxd.failure().toStdString(); }
        ASSERT_TRUE(writeFile(path(u"line.ini"_s), description));
        ASSERT_TRUE(device.start(QStringList{u"--link"_s, knxd.link(), path(u"line.ini"_s)} + options, dir.path())) << device.failure().toStdString();
    }
    // The fault cases run unpaced: the emulated device needs no pauses.
    QStringList args(const QStringList& command) const
    {
        return QStringList{u"--type"_s, u"20"_s} + command + QStringList{u"--link"_s, paced ? knxd.link() : knxd.link() + u",unpaced"_s};
    }
    CliRun cli(const QStringList& command) { return RunCli(args(command), dir.path(), 120000); }
    CliRun write() { return cli({u"bus-write"_s, path(u"prog.zpg"_s), u"--address"_s, u"1.1.5"_s}); }
    CliRun read() { return cli({u"bus-read"_s, u"--address"_s, u"1.1.5"_s, u"--out"_s, path(u"back.zpg"_s)}); }
    CliRun search(const char* from, const char* to)
    {
        return cli({u"bus-search"_s, u"--area"_s, u"1"_s, u"--line"_s, u"1"_s, u"--from"_s, QString::fromLatin1(from), u"--to"_s, QString::fromLatin1(to)});
    }
    QString listOf(const QString& file) { return RunCli({u"--type"_s, u"20"_s, u"list"_s, path(file)}, dir.path()).out; }
    std::string protocol() const { return readFile(path(u"protocol.txt"_s)).toStdString(); }
    bool logged(const char* text) const { return readFile(path(u"protocol.txt"_s)).contains(text); }
    // The device's application (0x0107..0x01FE) in its state file.
    QByteArray deviceApplication()
    {
        for (const QByteArray& line : readFile(path(u"line-1.1.5.mem"_s)).split('\n'))
            if (line.startsWith("memory=")) return QByteArray::fromHex(line.mid(7)).mid(kApplicationFirst, kApplicationSize);
        return {};
    }
    // A failed write that leaves the program file as it was and the device's application saved; nothing of
    // ours is left open (the next tunnel gets the channel after the device's); after a power cycle of the
    // line without the fault, the reinstall puts the saved application back.
    void expectRestorable(const CliRun& w, const QString& err, bool knxdUp = true)
    {
        EXPECT_EQ(w.exitCode, 1);
        EXPECT_TRUE(w.err.contains(err)) << w.err.toStdString();
        EXPECT_EQ(readFile(path(u"prog.zpg"_s)), program);
        const QByteArray saved = readFile(path(u"appl-1.1.5.old"_s));
        ASSERT_FALSE(saved.isEmpty());
        EXPECT_EQ(NextTunnelChannel(), knxdUp ? 2 : 0);
        paced = false;
        startDevice("[device 1.1.5]\ndelete-ms = 10\n", {}, true);
        const CliRun back = cli({u"bus-reinstall"_s, u"--address"_s, u"1.1.5"_s});
        EXPECT_EQ(back.exitCode, 0) << back.err.toStdString();
        EXPECT_FALSE(QFile::exists(path(u"appl-1.1.5.old"_s)));
        EXPECT_EQ(NextTunnelChannel(), 2);
        device.stop();
        QByteArray expected;
        for (const QByteArray& v : saved.split('\n'))
            if (!v.trimmed().isEmpty()) expected += static_cast<char>(v.trimmed().toInt());
        EXPECT_EQ(deviceApplication().toHex(), expected.toHex());
        EXPECT_NE(deviceApplication(), TransferApplicationImage());
    }

    QTemporaryDir dir;
    Knxd knxd;
    BusDevice device;
    QByteArray program;
    bool paced = false;
};

TEST_F(KnxBusCommandsTest, SearchWriteReadBackAndReinstallEndToEnd)
{
    paced = true;
    // The acknowledgement of connected telegram 40 is lost: repeated, and not applied twice.
    startDevice("[device 1.1.5]\n[device 1.1.6]\nmask = 0x0020\n", {u"--ack-lost-at"_s, u"40"_s});
    const CliRun s = search("4", "7");
    EXPECT_EQ(std::pair(s.exitCode, s.out), std::pair(0, u"1.1.5\n"_s)) << s.err.toStdString();
    EXPECT_EQ(NextTunnelChannel(), 2);
    const CliRun w = write();
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString() << protocol();
    EXPECT_TRUE(logged("KNXnet/IP-Tunnel offen, eigene Adresse 1.1.24")) << protocol();
    // The repetition itself was acknowledged: the connection was kept.
    EXPECT_TRUE(logged("Telegramm wiederholt") && !logged("Transportverbindung aufgegeben")) << protocol();
    EXPECT_EQ(NextTunnelChannel(), 2);
    const CliRun r = read();
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_FALSE(listOf(u"prog.zpg"_s).isEmpty());
    EXPECT_EQ(listOf(u"back.zpg"_s), listOf(u"prog.zpg"_s));
    EXPECT_TRUE(RunCli({u"--type"_s, u"20"_s, u"info"_s, path(u"back.zpg"_s)}, dir.path()).out.contains(u"description: unbekannt\n"_s));
    EXPECT_EQ(NextTunnelChannel(), 2);
    // A device whose application write-back fails keeps its saved application.
    paced = false;
    startDevice("[device 1.1.5]\nrestore-fails\ndelete-ms = 10\n", {}, true);
    const CliRun failed = write();
    EXPECT_TRUE(failed.err.startsWith(u"Speicher wurde nicht beschrieben\n"_s)) << failed.err.toStdString();
    expectRestorable(failed, {});
}

TEST_F(KnxBusCommandsTest, ADeviceVanishingInTheMiddleCanBeRestoredLater)
{
    startDevice("[device 1.1.5]\ndelete-ms = 10\n", {u"--vanish-at-command"_s, u"12"_s});
    expectRestorable(write(), u"wiederherzustellen"_s);
}

TEST_F(KnxBusCommandsTest, KnxdStoppedInTheMiddleEndsWithAMessageAndIsRestorable)
{
    paced = true; // slow enough to stop knxd in the middle
    startDevice("[device 1.1.5]\ndelete-ms = 10\n", {u"--verbose"_s});
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(u"" ZENDRIK_CLI ""_s, args({u"bus-write"_s, path(u"prog.zpg"_s), u"--address"_s, u"1.1.5"_s}));
    ASSERT_TRUE(device.waitForCommand(20, 60000)) << device.output().toStdString();
    knxd.stop();
    ASSERT_TRUE(p.waitForFinished(120000));
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_FALSE(err.isEmpty());
    expectRestorable({p.exitCode(), QString(), err}, {}, false);
}

} // namespace

// write-chip and read-chip of zendrik-cli against the adapter emulator.

#include "tests/support/CliRun.h"
#include "tests/transfer/TransferTestSupport.h"

#include "cli/TerminalProgress.h"
#include "language/TextTable.h"

#include <QDir>
#include <QTemporaryDir>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class ChipCommandsTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    CliRun cli(const QStringList& args) { return RunCli(QStringList{u"--dir"_s, dir.path()} + args, dir.path(), 120000); }

    QTemporaryDir dir;
    EmulatorProcess emulator;
};

TEST_F(ChipCommandsTest, WriteThenReadGivesAProgramFileThatOpens)
{
    const Image image = MakeProgramFile(path(u"prog.zpg"_s), 2, 77);
    START_EMULATOR(emulator, path(u"chip.bin"_s), u"--no-pacing"_s);
    const QString port = emulator.devicePath();
    const CliRun w = cli({"--type", "2", "write-chip", path(u"prog.zpg"_s), "--port", port, "--verify", "block0",
                          "--pause-ms", "50"});
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString();
    EXPECT_TRUE(w.err.isEmpty()) << w.err.toStdString();
    EXPECT_EQ(ToImage(readFile(path(u"chip.bin"_s))), image);
    EXPECT_EQ(ReadLines(path(u"rsproto.txt"_s)).size(), 256);

    const CliRun r = cli({"--type", "2", "read-chip", "--port", port, "--out", path(u"read.zpg"_s), "--pause-ms", "50"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ImageOfFile(path(u"read.zpg"_s), 2048), image);
    EXPECT_EQ(ImageOfFile(path(u"card.dat"_s), 2048), image);
    // The program-file lines, then "unbekannt" and 16 empty channel names.
    const QStringList lines = ReadLines(path(u"read.zpg"_s));
    ASSERT_EQ(lines.size(), 366 + 17);
    EXPECT_EQ(lines.mid(366, 2), (QStringList{"unbekannt", "C1 :"}));
    EXPECT_EQ(lines[382], u"C16 :"_s);

    const CliRun info = cli({"--type", "2", "info", path(u"read.zpg"_s)});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains(u"entries: 77\n"_s));
    EXPECT_TRUE(info.out.contains(u"description: unbekannt\n"_s));
}

TEST_F(ChipCommandsTest, ReadWritesOutEvenWhenTheWorkingCopyCannotBeWritten)
{
    const Image image = MakeProgramFile(path(u"prog.zpg"_s), 2, 12);
    START_EMULATOR(emulator, path(u"chip.bin"_s), u"--no-pacing"_s);
    ASSERT_EQ(cli({"--type", "2", "write-chip", path(u"prog.zpg"_s), "--port", emulator.devicePath(), "--pause-ms",
                   "0"})
                  .exitCode,
              0);
    // A folder where card.dat belongs: the copy fails, the read does not.
    ASSERT_TRUE(QDir().mkdir(path(u"card.dat"_s)));
    const CliRun r = cli({"--type", "2", "read-chip", "--port", emulator.devicePath(), "--out",
                          path(u"read.zpg"_s), "--pause-ms", "0"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(path(u"card.dat"_s))) << r.err.toStdString();
    EXPECT_EQ(ImageOfFile(path(u"read.zpg"_s), 2048), image);
}

TEST_F(ChipCommandsTest, APortNameIsTheFileOfThatNameOrTheDeviceUnderDev)
{
    MakeProgramFile(path(u"prog.zpg"_s), 2, 3);
    ASSERT_TRUE(writeFile(path(u"regular.txt"_s), "not a port"));
    // Run in the working directory, so the bare name is the file there.
    const CliRun file = cli({"--type", "2", "write-chip", path(u"prog.zpg"_s), "--port", "regular.txt", "--pause-ms", "0"});
    EXPECT_EQ(file.exitCode, 1);
    EXPECT_TRUE(file.err.contains(path(u"regular.txt"_s))) << file.err.toStdString();
    const CliRun device = cli({"--type", "2", "write-chip", path(u"prog.zpg"_s), "--port", "ttyNoSuch9", "--pause-ms", "0"});
    EXPECT_EQ(device.exitCode, 1);
    EXPECT_TRUE(device.err.contains(u"/dev/ttyNoSuch9"_s)) << device.err.toStdString();
    EXPECT_EQ(readFile(path(u"regular.txt"_s)), QByteArray("not a port"));
}

TEST_F(ChipCommandsTest, FailedTransferPrintsBothMessages)
{
    MakeProgramFile(path(u"prog.zpg"_s), 1, 5);
    START_EMULATOR(emulator, path(u"chip.bin"_s), "--fault", "no-chip");
    const CliRun w = cli({"write-chip", path(u"prog.zpg"_s), "--port", emulator.devicePath(), "--pause-ms", "0"});
    EXPECT_EQ(w.exitCode, 1);
    EXPECT_EQ(w.err, u"Keine Zendrik im Programmieradapter\nZugriff auf Zendrik nicht erfolgreich\n"_s);
    const CliRun r = cli({"read-chip", "--port", emulator.devicePath(), "--out", path(u"read.zpg"_s), "--pause-ms", "0"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(QFile::exists(path(u"read.zpg"_s)));
}

TEST_F(ChipCommandsTest, RefusesBeforeTouchingThePort)
{
    MakeProgramFile(path(u"prog.zpg"_s), 1, 5);
    const QString prog = path(u"prog.zpg"_s);
    const QString missing = path(u"no-tty"_s);
    EXPECT_EQ(cli({"write-chip", prog}).exitCode, 2);
    EXPECT_EQ(cli({"write-chip", prog, "--port", missing, "--verify", "some"}).exitCode, 2);
    EXPECT_EQ(cli({"read-chip", "--port", missing}).exitCode, 2);
    // A 2048-byte program for the 8192-byte device type.
    const CliRun family = cli({"--type", "20", "write-chip", prog, "--port", missing});
    EXPECT_EQ(family.exitCode, 1);
    EXPECT_TRUE(family.err.startsWith(u"Datei für"_s)) << family.err.toStdString();
    const CliRun noPort = cli({"write-chip", prog, "--port", missing});
    EXPECT_EQ(noPort.exitCode, 1);
    EXPECT_TRUE(noPort.err.startsWith(u"Keine Antwort von Programmieradapter an COM "_s + missing))
        << noPort.err.toStdString();
}

TEST(TerminalProgress, DrawsTheBarInPlaceOnATerminalOnly)
{
    TextTable texts;
    QString shown;
    QTextStream stream(&shown);
    cli::TerminalProgress bar(stream, texts, true);
    bar.labelChanged(Prompt::message(Icon::None, {TextId::SerialReadingChip}));
    bar.progressChanged(0, 129);
    bar.progressChanged(1, 129); // below one percent more: not redrawn
    bar.progressChanged(129, 129);
    bar.transferEnded();
    EXPECT_EQ(shown.split(QLatin1Char('\r'), Qt::SkipEmptyParts),
              (QStringList{u"lese Zendrik ["_s + QString(30, u' ') + u"]   0%"_s,
                           u"lese Zendrik ["_s + QString(30, u'#') + u"] 100%\n"_s}));

    QString silent;
    QTextStream quiet(&silent);
    cli::TerminalProgress off(quiet, texts, false);
    off.progressChanged(5, 10);
    off.transferEnded();
    EXPECT_TRUE(silent.isEmpty());
}

} // namespace

// write-chip and read-chip of zendrik-cli against the adapter emulator.

#include "tests/support/CliRun.h"
#include "tests/transfer/TransferTestSupport.h"

#include "cli/TerminalProgress.h"

#include <QDir>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class ChipCommandsTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    CliRun cli(const QStringList& args) { return RunCli(QStringList{u"--dir"_s, dir.path()} + args, dir.path(), 120000); }
    CliRun read(const QString& port) { return cli({"--type", "2", "read-chip", "--port", port, "--out", path(u"read.zpg"_s), "--pause-ms", "50"}); }

    QTemporaryDir dir;
    EmulatorProcess emulator;
};

TEST_F(ChipCommandsTest, WriteThenReadGivesAProgramFileThatOpens)
{
    const Image image = MakeProgramFile(path(u"prog.zpg"_s), 2, 77);
    START_EMULATOR(emulator, path(u"chip.bin"_s), u"--no-pacing"_s);
    const QString port = emulator.devicePath();
    const CliRun w = cli({"--type", "2", "write-chip", path(u"prog.zpg"_s), "--port", port, "--verify", "block0", "--pause-ms", "50"});
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString();
    EXPECT_TRUE(w.err.isEmpty()) << w.err.toStdString();
    EXPECT_EQ(ToImage(readFile(path(u"chip.bin"_s))), image);
    EXPECT_EQ(ReadLines(path(u"rsproto.txt"_s)).size(), 256);

    const CliRun r = read(port);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ImageOfFile(path(u"read.zpg"_s), 2048), image);
    EXPECT_EQ(ImageOfFile(path(u"card.dat"_s), 2048), image);
    // The program-file lines, then "unbekannt" and 16 empty channel names.
    const QStringList lines = ReadLines(path(u"read.zpg"_s));
    ASSERT_EQ(lines.size(), 366 + 17);
    EXPECT_EQ(lines.mid(366, 2) << lines[382], (QStringList{"unbekannt", "C1 :", "C16 :"}));
    const CliRun info = cli({"--type", "2", "info", path(u"read.zpg"_s)});
    EXPECT_TRUE(info.out.contains(u"entries: 77\n"_s) && info.out.contains(u"description: unbekannt\n"_s)) << info.out.toStdString();

    // A folder where card.dat belongs: the copy fails, the read does not.
    ASSERT_TRUE(QFile::remove(path(u"card.dat"_s)) && QFile::remove(path(u"read.zpg"_s)) && QDir().mkdir(path(u"card.dat"_s)));
    const CliRun again = read(port);
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains(path(u"card.dat"_s))) << again.err.toStdString();
    EXPECT_EQ(ImageOfFile(path(u"read.zpg"_s), 2048), image);
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
    ASSERT_TRUE(writeFile(path(u"regular.txt"_s), "not a port"));
    const QString prog = path(u"prog.zpg"_s), missing = path(u"no-tty"_s);
    // err: a part of the message
    const struct {
        QStringList args;
        int exitCode;
        QString err;
    } cases[] = {
        {{"write-chip", prog}, 2, {}},
        {{"write-chip", prog, "--port", missing, "--verify", "some"}, 2, {}},
        {{"read-chip", "--port", missing}, 2, {}},
        // A 2048-byte program for the 8192-byte device type.
        {{"--type", "20", "write-chip", prog, "--port", missing}, 1, u"Datei für"_s},
        {{"write-chip", prog, "--port", missing}, 1, u"Keine Antwort von Programmieradapter an COM "_s + missing},
        // A port name is the file of that name in the working directory, or the device under /dev.
        {{"--type", "2", "write-chip", prog, "--port", "regular.txt", "--pause-ms", "0"}, 1, path(u"regular.txt"_s)},
        {{"--type", "2", "write-chip", prog, "--port", "ttyNoSuch9", "--pause-ms", "0"}, 1, u"/dev/ttyNoSuch9"_s},
    };
    for (const auto& c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
    }
    EXPECT_EQ(readFile(path(u"regular.txt"_s)), QByteArray("not a port"));
}

TEST(TerminalProgress, DrawsTheBarInPlaceOnATerminalOnly)
{
    TextTable texts;
    QString shown, silent;
    QTextStream stream(&shown), quiet(&silent);
    cli::TerminalProgress bar(stream, texts, true), off(quiet, texts, false);
    for (cli::TerminalProgress* p : {&bar, &off}) {
        p->labelChanged(Prompt::message(Icon::None, {TextId::SerialReadingChip}));
        p->progressChanged(0, 129);
        p->progressChanged(1, 129); // below one percent more: not redrawn
        p->progressChanged(129, 129);
        p->transferEnded();
    }
    EXPECT_EQ(shown.split(QLatin1Char('\r'), Qt::SkipEmptyParts),
              (QStringList{u"lese Zendrik ["_s + QString(30, u' ') + u"]   0%"_s, u"lese Zendrik ["_s + QString(30, u'#') + u"] 100%\n"_s}));
    EXPECT_TRUE(silent.isEmpty());
}

} // namespace

// write-chip and read-chip of zendrik-cli against the adapter emulator.

#include "tests/transfer/EmulatorTestMacros.h"

#include "cli/TerminalProgress.h"
#include "language/TextTable.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

using namespace zendrik;
using namespace zendrik::test;

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class ChipCommandsTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    CliRun cli(const QStringList& args)
    {
        QProcess p;
        p.setProgram(QStringLiteral(ZENDRIK_CLI));
        p.setArguments(QStringList{QStringLiteral("--dir"), dir.path()} + args);
        p.start();
        CliRun r;
        if (!p.waitForFinished(120000))
            return r;
        r.exitCode = p.exitCode();
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    QTemporaryDir dir;
    EmulatorProcess emulator;
};

TEST_F(ChipCommandsTest, WriteThenReadGivesAProgramFileThatOpens)
{
    const Image image = MakeProgramFile(path(QStringLiteral("prog.zpg")), 2, 77);
    START_EMULATOR(emulator, path(QStringLiteral("chip.bin")));
    const QString port = emulator.devicePath();

    const CliRun w = cli({QStringLiteral("--type"), QStringLiteral("2"), QStringLiteral("write-chip"), path(QStringLiteral("prog.zpg")),
                       QStringLiteral("--port"), port, QStringLiteral("--verify"), QStringLiteral("block0"),
                       QStringLiteral("--pause-ms"), QStringLiteral("50")});
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString();
    EXPECT_TRUE(w.err.isEmpty()) << w.err.toStdString();
    EXPECT_EQ(ToImage(ReadWholeFile(path(QStringLiteral("chip.bin")))), image);
    EXPECT_EQ(ReadLines(path(QStringLiteral("rsproto.txt"))).size(), 256);

    const CliRun r = cli({QStringLiteral("--type"), QStringLiteral("2"), QStringLiteral("read-chip"), QStringLiteral("--port"), port,
                       QStringLiteral("--out"), path(QStringLiteral("read.zpg")), QStringLiteral("--pause-ms"),
                       QStringLiteral("50")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(ImageOfFile(path(QStringLiteral("read.zpg")), 2048), image);
    EXPECT_EQ(ImageOfFile(path(QStringLiteral("card.dat")), 2048), image);
    // The program-file lines, then "unbekannt" and 16 empty channel names.
    const QStringList lines = ReadLines(path(QStringLiteral("read.zpg")));
    ASSERT_EQ(lines.size(), 366 + 17);
    EXPECT_EQ(lines[366], QStringLiteral("unbekannt"));
    EXPECT_EQ(lines[367], QStringLiteral("C1 :"));
    EXPECT_EQ(lines[382], QStringLiteral("C16 :"));

    const CliRun info = cli({QStringLiteral("--type"), QStringLiteral("2"), QStringLiteral("info"), path(QStringLiteral("read.zpg"))});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains(QStringLiteral("entries: 77\n")));
    EXPECT_TRUE(info.out.contains(QStringLiteral("description: unbekannt\n")));
}

TEST_F(ChipCommandsTest, FailedTransferPrintsBothMessages)
{
    MakeProgramFile(path(QStringLiteral("prog.zpg")), 1, 5);
    START_EMULATOR(emulator, path(QStringLiteral("chip.bin")), QStringLiteral("--fault"), QStringLiteral("no-chip"));
    const CliRun w = cli({QStringLiteral("write-chip"), path(QStringLiteral("prog.zpg")), QStringLiteral("--port"),
                       emulator.devicePath(), QStringLiteral("--pause-ms"), QStringLiteral("0")});
    EXPECT_EQ(w.exitCode, 1);
    EXPECT_EQ(w.err, QStringLiteral("Keine Zendrik im Programmieradapter\nZugriff auf Zendrik nicht erfolgreich\n"));

    const CliRun r = cli({QStringLiteral("read-chip"), QStringLiteral("--port"), emulator.devicePath(), QStringLiteral("--out"),
                       path(QStringLiteral("read.zpg")), QStringLiteral("--pause-ms"), QStringLiteral("0")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("read.zpg"))));
}

TEST_F(ChipCommandsTest, RefusesBeforeTouchingThePort)
{
    MakeProgramFile(path(QStringLiteral("prog.zpg")), 1, 5);
    const QString missing = path(QStringLiteral("no-tty"));
    EXPECT_EQ(cli({QStringLiteral("write-chip"), path(QStringLiteral("prog.zpg"))}).exitCode, 2);
    EXPECT_EQ(cli({QStringLiteral("write-chip"), path(QStringLiteral("prog.zpg")), QStringLiteral("--port"), missing,
                   QStringLiteral("--verify"), QStringLiteral("some")})
                  .exitCode,
              2);
    EXPECT_EQ(cli({QStringLiteral("read-chip"), QStringLiteral("--port"), missing}).exitCode, 2);
    // A 2048-byte program for the 8192-byte device type.
    const CliRun family = cli({QStringLiteral("--type"), QStringLiteral("20"), QStringLiteral("write-chip"),
                            path(QStringLiteral("prog.zpg")), QStringLiteral("--port"), missing});
    EXPECT_EQ(family.exitCode, 1);
    EXPECT_TRUE(family.err.startsWith(QStringLiteral("Datei für"))) << family.err.toStdString();
    const CliRun noPort = cli({QStringLiteral("write-chip"), path(QStringLiteral("prog.zpg")), QStringLiteral("--port"), missing});
    EXPECT_EQ(noPort.exitCode, 1);
    EXPECT_TRUE(noPort.err.startsWith(QStringLiteral("Keine Antwort von Programmieradapter an COM ") + missing))
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
    bar.progressChanged(1, 129);   // below one percent more: not redrawn
    bar.progressChanged(129, 129);
    bar.transferEnded();
    const QStringList frames = shown.split(QLatin1Char('\r'), Qt::SkipEmptyParts);
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[0], QStringLiteral("lese Zendrik [") + QString(30, QLatin1Char(' ')) + QStringLiteral("]   0%"));
    EXPECT_EQ(frames[1], QStringLiteral("lese Zendrik [") + QString(30, QLatin1Char('#')) + QStringLiteral("] 100%\n"));

    QString silent;
    QTextStream quiet(&silent);
    cli::TerminalProgress off(quiet, texts, false);
    off.progressChanged(5, 10);
    off.transferEnded();
    EXPECT_TRUE(silent.isEmpty());
}

} // namespace

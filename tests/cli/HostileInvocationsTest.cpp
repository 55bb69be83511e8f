// The command line handed special files, a full disk on standard output and
// malformed global options: each refused with its reason, nothing replaced.
#include "app/Settings.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

class HostileInvocations : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramModel model = canonical731();
        program = saveProgramAs(model, path("Halle.zpg"));
        ASSERT_FALSE(program.isEmpty());
    }
    QString path(const char* name) const { return QDir(dir.path()).filePath(QString::fromLatin1(name)); }
    CliRun cli(const QStringList& args) const
    {
        // A short watchdog: nothing here may block.
        return RunCli(QStringList{"--dir", dir.path(), "--type", "4"} + args, dir.path(), 15000);
    }
    QTemporaryDir dir;
    QString program;
};

} // namespace

TEST_F(HostileInvocations, SavingNeverReplacesAPipeOrAFolder)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.zpg")).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkdir(path("folder.zpg")));
    for (const char* target : {"pipe.zpg", "folder.zpg"}) {
        SCOPED_TRACE(target);
        const CliRun run = cli({"--lang", "en", "save", program, path(target), "--yes"});
        EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Not a regular file"))) << run.err.toStdString();
        EXPECT_FALSE(QFileInfo(path(target)).isFile());
    }
    // Through a link the file behind it is saved, the link kept.
    ASSERT_TRUE(writeFile(path("real.zpg"), "old"));
    ASSERT_TRUE(QFile::link(path("real.zpg"), path("link.zpg")));
    EXPECT_EQ(cli({"save", program, path("link.zpg"), "--yes"}).exitCode, 0);
    EXPECT_TRUE(QFileInfo(path("link.zpg")).isSymLink());
    EXPECT_EQ(cli({"info", path("real.zpg")}).out, cli({"info", program}).out);
}

TEST_F(HostileInvocations, SpecialFilesAsInputsNameThePathAndTheReason)
{
    ASSERT_TRUE(QDir().mkdir(path("folder.zpg")));
    // In turn: a pipe made (or a file removed) first, the call, its status
    // and the path or reason its message names. Nothing blocks.
    const struct {
        const char* fifo;
        const char* removed;
        QStringList args;
        int exitCode;
        QString needle;
    } cases[] = {
        {nullptr, nullptr, {"--lang", "en", "info", path("folder.zpg")}, 1, QStringLiteral("Not a file")},
        {nullptr, nullptr, {"--lang", "en", "info", QStringLiteral("/dev/zero")}, 1, QStringLiteral("/dev/zero")},
        {"texts.ln1", nullptr, {"--texts", path("texts.ln1"), "info", program}, 1, path("texts.ln1")},
        {"zendrik.ini", nullptr, {"info", program}, 0, path("zendrik.ini")}, // the settings: warned, not fatal
        {nullptr, nullptr, {"holidays", "2024"}, 1, path("deutsch.hdy")},    // missing
        {"deutsch.hdy", nullptr, {"holidays", "2024"}, 1, path("deutsch.hdy")},
        {"zendrik.sys", "zendrik.ini", {"info", program}, 1, path("zendrik.sys")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        ASSERT_TRUE(!c.removed || QFile::remove(path(c.removed)));
        ASSERT_TRUE(!c.fifo || ::mkfifo(QFile::encodeName(path(c.fifo)).constData(), 0600) == 0);
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << "blocked or wrong status";
        EXPECT_TRUE(run.err.contains(c.needle)) << run.err.toStdString();
    }
}

TEST_F(HostileInvocations, MalformedGlobalOptionsAreRefusedByName)
{
    struct Case {
        QStringList args;
        QString needle;
    };
    const Case cases[] = {
        {{"--type", "0", "info", program}, QStringLiteral("--type")},
        {{"--lang", "", "info", program}, QStringLiteral("--lang")},
        {{"--bogus", "info", program}, QStringLiteral("--bogus")},
        {{"--dir", path("missing"), "info", program}, path("missing")},
        {{"--dir", program, "info", program}, program},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const CliRun run = RunCli(c.args, dir.path(), 15000);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.needle)) << run.err.toStdString();
    }
}

TEST_F(HostileInvocations, AFullStandardOutputIsAFailure)
{
    for (const QStringList& args : {QStringList{"info", program}, QStringList{"texts"}}) {
        SCOPED_TRACE(args.join(QLatin1Char(' ')).toStdString());
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
        p.start(QStringLiteral(ZENDRIK_CLI), QStringList{"--dir", dir.path(), "--type", "4"} + args);
        ASSERT_TRUE(p.waitForFinished(15000));
        EXPECT_EQ(p.exitCode(), 1);
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(QStringLiteral("standard output")));
    }
}

TEST_F(HostileInvocations, ABinaryTranslationFileIsRefusedAndTheTextsStay)
{
    QByteArray binary;
    for (int i = 0; i < 50000; ++i)
        binary += static_cast<char>((i * 7919) & 0xFF);
    ASSERT_TRUE(writeFile(path("binary.ln1"), binary));
    const CliRun run = cli({"--texts", path("binary.ln1"), "info", program});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("binary.ln1"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("not a text file"))) << run.err.toStdString();
}

// No export writes over a program file: the one exported, a link to it, or
// another program. The refusal names the file; the program stays as it was.
TEST_F(HostileInvocations, ExportsNeverReplaceAProgramFile)
{
    ProgramModel other = canonical752();
    const QString otherProgram = saveProgramAs(other, path("Parkplatz.zpg"));
    ASSERT_FALSE(otherProgram.isEmpty());
    ASSERT_TRUE(QFile::link(program, path("Verweis.pdf")));
    const QByteArray before = readFile(program);
    const QByteArray otherBefore = readFile(otherProgram);
    for (const QString& target : {program, path("Verweis.pdf"), otherProgram}) {
        const QStringList exports[] = {
            {"print", program, "--pdf", target},
            {"print", program, "--text", target},
            {"handover", program, "--pdf", target, "--year", "2027"},
            {"simulate", program, "--year", "2027", "--channel", "1", "--png", target},
            {"holidays", "2027", "--ics", target},
        };
        for (const QStringList& args : exports) {
            const CliRun run = cli(args);
            EXPECT_EQ(run.exitCode, 1) << args.join(u' ').toStdString();
            EXPECT_TRUE(run.err.contains(target)) << run.err.toStdString();
        }
    }
    EXPECT_EQ(readFile(program), before);
    EXPECT_EQ(readFile(otherProgram), otherBefore);
    // Beside them, an export is written.
    EXPECT_EQ(cli({"print", program, "--pdf", path("Halle.pdf")}).exitCode, 0);
}

// Small refusals name what is wrong: the option, the file, the reason.
TEST_F(HostileInvocations, RefusalsNameWhatIsWrong)
{
    const QString tooLong = path("x") + QString(300, u'y') + QStringLiteral(".zpg");
    const struct {
        QStringList args;
        int exitCode;
        QStringList said;
    } cases[] = {
        {{"handover", program, "--pdf", path("h.pdf"), "--now", "9999-12-31 23:59"}, 2, {"--now", "9999"}},
        {{"diff", program, path("fehlt.zpg")}, 1, {path("fehlt.zpg")}},
        {{"diff", path("fehlt.zpg"), program}, 1, {path("fehlt.zpg")}},
        {{"--lang", "en", "save", program, tooLong, "--yes"}, 1, {"cannot be written", "too long"}},
    };
    for (const auto& c : cases) {
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(u' ').toStdString();
        for (const QString& part : c.said)
            EXPECT_TRUE(run.err.contains(part)) << part.toStdString() << " in " << run.err.toStdString();
        EXPECT_FALSE(run.err.startsWith(QStringLiteral("--year"))) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("cannot be read"))) << run.err.toStdString();
    }
}

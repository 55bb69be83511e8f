// The command line handed special files, a full disk on standard output and
// malformed global options: each refused with its reason, nothing replaced.
#include "model/Settings.h"
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
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("texts.ln1")).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkdir(path("folder.zpg")));
    struct Case {
        QStringList args;
        QString needle;
    };
    const Case cases[] = {
        {{"--lang", "en", "info", path("folder.zpg")}, QStringLiteral("Not a file")},
        {{"--lang", "en", "info", QStringLiteral("/dev/zero")}, QStringLiteral("/dev/zero")},
        {{"--texts", path("texts.ln1"), "info", program}, path("texts.ln1")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const CliRun run = cli(c.args);
        EXPECT_EQ(run.exitCode, 1) << "blocked or wrong status";
        EXPECT_TRUE(run.err.contains(c.needle)) << run.err.toStdString();
    }
    // A pipe in place of the settings or the brand file does not block either.
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("zendrik.ini")).constData(), 0600), 0);
    EXPECT_EQ(cli({"info", program}).exitCode, 0);
    ASSERT_TRUE(QFile::remove(path("zendrik.ini")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("zendrik.sys")).constData(), 0600), 0);
    const CliRun brand = cli({"info", program});
    EXPECT_EQ(brand.exitCode, 1);
    EXPECT_TRUE(brand.err.contains(path("zendrik.sys"))) << brand.err.toStdString();
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

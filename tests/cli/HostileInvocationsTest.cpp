// The command line handed special files, a full disk on standard output and
// exports aimed at programs: each refused with its reason, nothing replaced.
#include "tests/cli/CliFolder.h"

#include <QFileInfo>
#include <QProcess>

#include <sys/stat.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class HostileInvocations : public CliFolder {
protected:
    void SetUp() override { ASSERT_FALSE(save(canonical731(), u"Halle.zpg"_s).isEmpty()); }
    // A short watchdog: nothing here may block.
    CliRun cli(const QStringList& args) const { return run(QStringList{"--dir", "$D", "--type", "4"} + args, 15000); }
    bool fifo(const char* name) const { return ::mkfifo(QFile::encodeName(path(QString::fromLatin1(name))).constData(), 0600) == 0; }
};

} // namespace

TEST_F(HostileInvocations, SavingNeverReplacesAPipeOrAFolder)
{
    ASSERT_TRUE(fifo("pipe.zpg") && QDir().mkdir(path(u"folder.zpg"_s)));
    for (const char* target : {"pipe.zpg", "folder.zpg"}) {
        const CliRun r = cli({"--lang", "en", "save", "Halle.zpg", target, "--yes"});
        EXPECT_EQ(r.exitCode, 1) << target;
        EXPECT_TRUE(r.err.contains(u"Not a regular file"_s)) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo(path(QString::fromLatin1(target))).isFile());
    }
    // Through a link the file behind it is saved, the link kept.
    ASSERT_TRUE(writeFile(path(u"real.zpg"_s), "old") && QFile::link(path(u"real.zpg"_s), path(u"link.zpg"_s)));
    EXPECT_EQ(cli({"save", "Halle.zpg", "link.zpg", "--yes"}).exitCode, 0);
    EXPECT_TRUE(QFileInfo(path(u"link.zpg"_s)).isSymLink());
    EXPECT_EQ(cli({"info", "real.zpg"}).out, cli({"info", "Halle.zpg"}).out);
}

// In turn: a pipe made (or a file removed) first, the call, its status and
// the path or reason its message names. Nothing blocks.
TEST_F(HostileInvocations, SpecialFilesAsInputsNameThePathAndTheReason)
{
    ASSERT_TRUE(QDir().mkdir(path(u"folder.zpg"_s)));
    QByteArray binary;
    for (int i = 0; i < 50000; ++i)
        binary += static_cast<char>((i * 7919) & 0xFF);
    ASSERT_TRUE(writeFile(path(u"binary.ln1"_s), binary));
    const struct {
        const char* fifo;
        const char* removed;
        QStringList args;
        int exitCode;
        QString needle;
    } cases[] = {
        {nullptr, nullptr, {"--lang", "en", "info", "folder.zpg"}, 1, u"Not a file"_s},
        {nullptr, nullptr, {"--lang", "en", "info", "/dev/zero"}, 1, u"/dev/zero"_s},
        {nullptr, nullptr, {"--lang", "en", "--texts", "binary.ln1", "info", "Halle.zpg"}, 1, u"binary.ln1"_s},
        {nullptr, nullptr, {"--lang", "en", "--texts", "binary.ln1", "info", "Halle.zpg"}, 1, u"not a text file"_s},
        {"texts.ln1", nullptr, {"--texts", "$D/texts.ln1", "info", "Halle.zpg"}, 1, path(u"texts.ln1"_s)},
        {"zendrik.ini", nullptr, {"info", "Halle.zpg"}, 0, path(u"zendrik.ini"_s)}, // the settings: warned, not fatal
        {"deutsch.hdy", nullptr, {"holidays", "2024"}, 1, path(u"deutsch.hdy"_s)},
        {"zendrik.sys", "zendrik.ini", {"info", "Halle.zpg"}, 1, path(u"zendrik.sys"_s)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        ASSERT_TRUE((!c.removed || QFile::remove(path(QString::fromLatin1(c.removed)))) && (!c.fifo || fifo(c.fifo)));
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << "blocked or wrong status";
        EXPECT_TRUE(r.err.contains(c.needle)) << r.err.toStdString();
    }
}

TEST_F(HostileInvocations, AFullStandardOutputIsAFailure)
{
    for (const QStringList& args : {QStringList{"info", "Halle.zpg"}, QStringList{"texts"}}) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.setStandardOutputFile(u"/dev/full"_s);
        p.start(QStringLiteral(ZENDRIK_CLI), QStringList{"--type", "4"} + args);
        ASSERT_TRUE(p.waitForFinished(15000));
        EXPECT_EQ(p.exitCode(), 1) << args[0].toStdString();
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(u"standard output"_s));
    }
}

// No export writes over a program file: the one exported, a link to it, or
// another program. The refusal names the file; the program stays as it was.
TEST_F(HostileInvocations, ExportsNeverReplaceAProgramFile)
{
    const QString program = path(u"Halle.zpg"_s);
    const QString other = save(canonical752(), u"Parkplatz.zpg"_s);
    ASSERT_TRUE(QFile::link(program, path(u"Verweis.pdf"_s)));
    const QByteArray before = readFile(program), otherBefore = readFile(other);
    for (const QString& target : {program, path(u"Verweis.pdf"_s), other}) {
        for (const QStringList& args : {QStringList{"print", program, "--pdf", target}, {"print", program, "--text", target},
                                        {"handover", program, "--pdf", target, "--year", "2027"},
                                        {"simulate", program, "--year", "2027", "--channel", "1", "--png", target}, {"holidays", "2027", "--ics", target}}) {
            const CliRun r = cli(args);
            EXPECT_EQ(r.exitCode, 1) << args.join(u' ').toStdString();
            EXPECT_TRUE(r.err.contains(target)) << r.err.toStdString();
        }
    }
    EXPECT_EQ(readFile(program), before);
    EXPECT_EQ(readFile(other), otherBefore);
    EXPECT_EQ(cli({"print", program, "--pdf", path(u"Halle.pdf"_s)}).exitCode, 0); // beside them, an export is written
}

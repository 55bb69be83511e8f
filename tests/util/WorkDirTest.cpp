// Where the program works: the current folder from a build, the user's own
// folder when installed, filled with the shipped files without overwriting.
#include "util/WorkDir.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

using test::readFile;
using test::writeFile;

// An installation prefix: bin/ and share/zendrik with a brand file and a sample.
struct Prefix {
    Prefix()
    {
        QDir root(dir.path());
        root.mkpath(QStringLiteral("bin"));
        root.mkpath(QStringLiteral("share/zendrik/samples"));
        writeFile(root.filePath(QStringLiteral("share/zendrik/zendrik.sys")), "shipped brand");
        writeFile(root.filePath(QStringLiteral("share/zendrik/deutsch.hdy")), "shipped holidays");
        writeFile(root.filePath(QStringLiteral("share/zendrik/samples/Schule.zpg")), "shipped sample");
    }
    QString bin() const { return QDir(dir.path()).filePath(QStringLiteral("bin")); }
    QString share() const { return QDir(dir.path()).filePath(QStringLiteral("share/zendrik")); }
    QTemporaryDir dir;
};

} // namespace

TEST(WorkDir, InstalledOnlyWithTheShippedDataBesideBin)
{
    Prefix prefix;
    EXPECT_EQ(ShippedDataDir(prefix.bin()), prefix.share());
    // A build folder: no share/zendrik beside it.
    EXPECT_EQ(ShippedDataDir(QDir(prefix.dir.path()).filePath(QStringLiteral("share"))), QString());
    ASSERT_TRUE(QFile::remove(QDir(prefix.share()).filePath(QStringLiteral("zendrik.sys"))));
    EXPECT_EQ(ShippedDataDir(prefix.bin()), QString()) << "an incomplete data folder is not an installation";
}

TEST(WorkDir, UserFolderFollowsTheBaseDirectoryRules)
{
    const struct {
        const char* xdg;
        const char* expected;
    } cases[] = {
        {"/data/anna", "/data/anna/zendrik"},
        {"", "/home/anna/.local/share/zendrik"},
        {"relative/path", "/home/anna/.local/share/zendrik"}, // ignored: not absolute
        {"/data/anna/", "/data/anna/zendrik"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UserWorkDir(QString::fromUtf8(c.xdg), QStringLiteral("/home/anna")), QString::fromUtf8(c.expected))
            << c.xdg;

    EXPECT_EQ(ChooseWorkDir(QStringLiteral("/given"), QStringLiteral("/usr/share/zendrik"), QStringLiteral("/u"),
                            QStringLiteral("/cwd")),
              QStringLiteral("/given"));
    EXPECT_EQ(ChooseWorkDir(QString(), QStringLiteral("/usr/share/zendrik"), QStringLiteral("/u"), QStringLiteral("/cwd")), QStringLiteral("/u"));
    EXPECT_EQ(ChooseWorkDir(QString(), QString(), QStringLiteral("/u"), QStringLiteral("/cwd")), QStringLiteral("/cwd"));
}

TEST(WorkDir, FirstStartFillsTheFolderAndNeverOverwrites)
{
    Prefix prefix;
    QTemporaryDir home;
    const QString work = QDir(home.path()).filePath(QStringLiteral("a/b/zendrik"));
    QStringList copied;
    ASSERT_EQ(PrepareWorkDir(work, prefix.share(), &copied), PrepareResult::Ok);
    copied.sort();
    EXPECT_EQ(copied, (QStringList{QStringLiteral("Schule.zpg"), QStringLiteral("deutsch.hdy"), QStringLiteral("zendrik.sys")}));
    EXPECT_EQ(readFile(QDir(work).filePath(QStringLiteral("Schule.zpg"))), QByteArray("shipped sample"));

    // The user's own changes stay; only what is missing comes again.
    ASSERT_TRUE(writeFile(QDir(work).filePath(QStringLiteral("deutsch.hdy")), "my holidays"));
    ASSERT_TRUE(QFile::remove(QDir(work).filePath(QStringLiteral("zendrik.sys"))));
    copied.clear();
    ASSERT_EQ(PrepareWorkDir(work, prefix.share(), &copied), PrepareResult::Ok);
    EXPECT_EQ(copied, QStringList{QStringLiteral("zendrik.sys")});
    EXPECT_EQ(readFile(QDir(work).filePath(QStringLiteral("deutsch.hdy"))), QByteArray("my holidays"));

    // A file where the folder should be is refused, and left alone.
    const QString blocked = QDir(home.path()).filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(writeFile(blocked, "a file"));
    EXPECT_EQ(PrepareWorkDir(blocked, prefix.share()), PrepareResult::NotAFolder);
    EXPECT_EQ(readFile(blocked), QByteArray("a file"));
}

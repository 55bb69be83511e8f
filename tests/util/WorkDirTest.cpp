// Where the program works: the current folder from a build, the user's own folder when installed, filled with the shipped files without overwriting.
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

// An installation prefix: bin/ and share/zendrik with a brand file, holidays and a sample.
struct Prefix {
    Prefix()
    {
        QDir(dir.path()).mkpath(QStringLiteral("bin"));
        QDir(dir.path()).mkpath(QStringLiteral("share/zendrik/samples"));
        for (const char* file : {"zendrik.sys", "deutsch.hdy", "samples/Schule.zpg"}) writeFile(QDir(share()).filePath(QString::fromLatin1(file)), QByteArray("shipped ") + file);
    }
    QString bin() const { return dir.filePath(QStringLiteral("bin")); }
    QString share() const { return dir.filePath(QStringLiteral("share/zendrik")); }
    QTemporaryDir dir;
};

} // namespace

TEST(WorkDir, InstalledOnlyWithTheShippedDataBesideBin)
{
    Prefix prefix;
    // A build folder has no share/zendrik beside it.
    EXPECT_EQ(std::pair(ShippedDataDir(prefix.bin()), ShippedDataDir(prefix.dir.filePath(QStringLiteral("share")))), std::pair(prefix.share(), QString()));
    ASSERT_TRUE(QFile::remove(QDir(prefix.share()).filePath(QStringLiteral("zendrik.sys"))));
    EXPECT_EQ(ShippedDataDir(prefix.bin()), QString()) << "an incomplete data folder is not an installation";
    // A relative XDG_DATA_HOME is ignored.
    const std::pair<const char*, const char*> cases[] = {{"/data/anna", "/data/anna/zendrik"}, {"", "/home/anna/.local/share/zendrik"}, {"relative/path", "/home/anna/.local/share/zendrik"}, {"/data/anna/", "/data/anna/zendrik"}};
    for (const auto& [xdg, expected] : cases) EXPECT_EQ(UserWorkDir(QString::fromUtf8(xdg), QStringLiteral("/home/anna")), QString::fromUtf8(expected)) << xdg;
    const QString share = QStringLiteral("/usr/share/zendrik"), user = QStringLiteral("/u"), cwd = QStringLiteral("/cwd");
    EXPECT_EQ(std::tuple(ChooseWorkDir(QStringLiteral("/given"), share, user, cwd), ChooseWorkDir(QString(), share, user, cwd), ChooseWorkDir(QString(), QString(), user, cwd)), std::tuple(QStringLiteral("/given"), user, cwd));
    Prefix prefix2;
    QTemporaryDir home2;
    const QString work = QDir(home2.path()).filePath(QStringLiteral("a/b/zendrik"));
    QStringList copied;
    ASSERT_EQ(PrepareWorkDir(work, prefix2.share(), &copied), PrepareResult::Ok);
    copied.sort();
    EXPECT_EQ(copied, (QStringList{QStringLiteral("Schule.zpg"), QStringLiteral("deutsch.hdy"), QStringLiteral("zendrik.sys")}));
    EXPECT_EQ(readFile(QDir(work).filePath(QStringLiteral("Schule.zpg"))), QByteArray("shipped samples/Schule.zpg"));

    // The user's own changes stay; only what is missing comes again.
    ASSERT_TRUE(writeFile(QDir(work).filePath(QStringLiteral("deutsch.hdy")), "my holidays"));
    ASSERT_TRUE(QFile::remove(QDir(work).filePath(QStringLiteral("zendrik.sys"))));
    copied.clear();
    ASSERT_EQ(PrepareWorkDir(work, prefix2.share(), &copied), PrepareResult::Ok);
    EXPECT_EQ(std::pair(copied, readFile(QDir(work).filePath(QStringLiteral("deutsch.hdy")))), std::pair(QStringList{QStringLiteral("zendrik.sys")}, QByteArray("my holidays")));

    // A file where the folder should be is refused, and left alone.
    const QString blocked = QDir(home2.path()).filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(writeFile(blocked, "a file"));
    EXPECT_EQ((std::pair{PrepareWorkDir(blocked, prefix2.share()), readFile(blocked)}), std::pair(PrepareResult::NotAFolder, QByteArray("a file")));
}

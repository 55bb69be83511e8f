#include "app/RecentFiles.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

// Newest first, at most eight, an opened file moves to the top once, kept across starts in its own file (not the settings file); a deleted file is
// missing and stays listed until removed.
TEST(RecentFiles, NewestFirstAtMostEightAndKeptAcrossStarts)
{
    QTemporaryDir dir;
    RecentFiles recent(dir.path());
    recent.load();
    EXPECT_TRUE(recent.files().isEmpty());
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        paths << QDir::cleanPath(dir.filePath(QStringLiteral("P%1.ZPG").arg(i)));
        ASSERT_TRUE(writeFile(paths.last(), {}));
        recent.add(paths.last());
    }
    recent.add(paths[3]);
    ASSERT_EQ(recent.files().size(), RecentFiles::kMaxFiles);
    EXPECT_EQ(std::tuple(recent.files()[0], recent.files()[1], recent.files().count(paths[3]), recent.files().contains(paths[0])), std::tuple(paths[3], paths[9], 1, false));
    ASSERT_TRUE(recent.save());
    RecentFiles again(dir.path());
    again.load();
    EXPECT_EQ(std::pair(again.files(), QFile::exists(dir.filePath(QStringLiteral("zendrik.ini")))), std::pair(recent.files(), false));

    ASSERT_TRUE(QFile::remove(paths[9]));
    EXPECT_EQ(std::pair(RecentFiles::exists(paths[3]), RecentFiles::exists(paths[9])), std::pair(true, false));
    EXPECT_TRUE(recent.files().contains(paths[9]));
    recent.remove(paths[9]);
    EXPECT_EQ(std::pair(recent.files().size(), recent.files().contains(paths[9])), std::pair(qsizetype(RecentFiles::kMaxFiles - 1), false));
    QTemporaryDir foreignDir;
    QByteArray junk;
    for (int i = 0; i < 20; ++i) junk += "  /x/F" + QByteArray::number(i % 12) + ".ZPG \r\n\n";
    ASSERT_TRUE(writeFile(foreignDir.filePath(QString::fromLatin1(RecentFiles::kFileName)), junk));
    RecentFiles foreign(foreignDir.path());
    foreign.load();
    ASSERT_EQ(foreign.files().size(), RecentFiles::kMaxFiles);
    EXPECT_EQ(std::pair(foreign.files().front(), foreign.files().count(QStringLiteral("/x/F0.ZPG"))), std::pair(QStringLiteral("/x/F0.ZPG"), qsizetype(1)));
}

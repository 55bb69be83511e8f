#include "app/RecentFiles.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

QString touch(const QTemporaryDir& dir, const QString& name)
{
    EXPECT_TRUE(writeFile(dir.filePath(name), {}));
    return QDir::cleanPath(dir.filePath(name));
}

} // namespace

TEST(RecentFiles, NewestFirstAtMostEightAndKeptAcrossStarts)
{
    QTemporaryDir dir;
    RecentFiles recent(dir.path());
    recent.load();
    EXPECT_TRUE(recent.files().isEmpty());
    QStringList paths;
    for (int i = 0; i < 10; ++i) paths << touch(dir, QStringLiteral("P%1.ZPG").arg(i));
    for (const QString& p : paths) recent.add(p);
    recent.add(paths[3]); // opened again: moves to the top, not twice
    ASSERT_EQ(recent.files().size(), RecentFiles::kMaxFiles);
    EXPECT_EQ(recent.files().front(), paths[3]);
    EXPECT_EQ(recent.files()[1], paths[9]);
    EXPECT_EQ(recent.files().count(paths[3]), 1);
    EXPECT_FALSE(recent.files().contains(paths[0])) << "the oldest fell off";
    ASSERT_TRUE(recent.save());

    RecentFiles again(dir.path());
    again.load();
    EXPECT_EQ(again.files(), recent.files());
    // The settings file is not touched.
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("zendrik.ini"))));
}

TEST(RecentFiles, DeletedFileIsMissingAndCanBeRemoved)
{
    QTemporaryDir dir;
    RecentFiles recent(dir.path());
    const QString kept = touch(dir, QStringLiteral("A.ZPG"));
    const QString gone = touch(dir, QStringLiteral("B.ZPG"));
    recent.add(kept);
    recent.add(gone);
    ASSERT_TRUE(QFile::remove(gone));
    EXPECT_EQ(std::pair(RecentFiles::exists(kept), RecentFiles::exists(gone)), std::pair(true, false));
    EXPECT_EQ(recent.files().size(), 2) << "a missing file stays listed until removed";
    recent.remove(gone);
    EXPECT_EQ(recent.files(), QStringList{kept});
}

TEST(RecentFiles, ForeignListFileIsReadSafely)
{
    QTemporaryDir dir;
    QByteArray junk;
    for (int i = 0; i < 20; ++i) junk += "  /x/F" + QByteArray::number(i % 12) + ".ZPG \r\n\n";
    ASSERT_TRUE(writeFile(dir.filePath(QString::fromLatin1(RecentFiles::kFileName)), junk));
    RecentFiles recent(dir.path());
    recent.load();
    ASSERT_EQ(recent.files().size(), RecentFiles::kMaxFiles);
    EXPECT_EQ(recent.files().front(), QStringLiteral("/x/F0.ZPG"));
    EXPECT_EQ(recent.files().count(QStringLiteral("/x/F0.ZPG")), 1);
}

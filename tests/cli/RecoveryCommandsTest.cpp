// The recent-files list and the recovery copy from the command line, on the
// same files the desktop program keeps in its working directory.
#include "app/RecentFiles.h"
#include "editing/RecoveryFile.h"
#include "model/ProgramFile.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class RecoveryCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZENDRIK_SHIPPED_DATA "/zendrik.sys"), path(u"zendrik.sys"_s)));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(RecoveryCommands, RecentListsRemovesMissingAndClears)
{
    EXPECT_EQ(RunCli({"recent"}, dir.path()).out, QString());
    ProgramModel model = canonical731();
    const QString kept = saveProgramAs(model, path(u"Halle.zpg"_s));
    ASSERT_FALSE(kept.isEmpty());
    RecentFiles recent(dir.path());
    recent.add(path(u"weg.zpg"_s));
    recent.add(kept);
    ASSERT_TRUE(recent.save());

    const auto recentOut = [this](const QStringList& options) {
        return Succeeded(RunCli(QStringList{"recent"} + options, dir.path()));
    };
    EXPECT_EQ(recentOut({}), kept + u"\n(missing) "_s + path(u"weg.zpg"_s) + u"\n"_s);
    EXPECT_TRUE(Succeeded(RunCli({"--json", "recent"}, dir.path())).contains(u"\"exists\": false"_s));
    EXPECT_EQ(recentOut({"--remove-missing"}), kept + u"\n"_s);
    recent.load();
    EXPECT_EQ(recent.files(), QStringList{kept}) << "the desktop program sees the same list";
    EXPECT_EQ(recentOut({"--clear"}), QString());
    EXPECT_EQ(RunCli({"recent", "x"}, dir.path()).exitCode, 2);
}

TEST_F(RecoveryCommands, RecoverShowsSavesElsewhereAndDiscards)
{
    CliRun r = RunCli({"recover"}, dir.path());
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, u"recovery: none\n"_s);
    EXPECT_EQ(RunCli({"recover", "--save", path(u"x.zpg"_s)}, dir.path()).exitCode, 1);

    ProgramModel model = canonical731();
    const QString original = saveProgramAs(model, path(u"Halle.zpg"_s));
    const QByteArray originalBytes = readFile(original);
    model.program().Verwendung = u"Halle nach dem Umbau"_s;
    model.program().Dateiname = original;
    const QDateTime at(QDate(2026, 12, 7), QTime(9, 30), Qt::UTC);
    ASSERT_TRUE(WriteRecoveryFile(dir.path(), TakeRecoveryImage(model, at)));

    r = RunCli({"recover"}, dir.path());
    EXPECT_EQ(r.out, u"recovery: offered\nfile: "_s + original + u"\nwritten: 2026-12-07T09:30:00Z\nentries: 9\n"_s);

    r = RunCli({"--type", "4", "recover", "--save", path(u"Gerettet.zpg"_s), "--yes"}, dir.path());
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(readFile(original), originalBytes) << "the program file itself is not touched";
    EXPECT_FALSE(QFile::exists(RecoveryFilePath(dir.path())));
    r = RunCli({"--type", "4", "info", path(u"Gerettet.zpg"_s)}, dir.path());
    EXPECT_TRUE(r.out.contains(u"description: Halle nach dem Umbau\n"_s)) << r.out.toStdString();

    // Damaged: reported, never saved; discard clears it.
    ASSERT_TRUE(writeFile(RecoveryFilePath(dir.path()), "kaputt"));
    EXPECT_EQ(RunCli({"recover"}, dir.path()).out, u"recovery: damaged\n"_s);
    r = RunCli({"--lang", "en", "recover", "--save", path(u"y.zpg"_s)}, dir.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(u"There is no recovery copy to restore."_s)) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path(u"y.zpg"_s)));
    EXPECT_EQ(RunCli({"recover", "--discard"}, dir.path()).exitCode, 0);
    EXPECT_EQ(RunCli({"recover"}, dir.path()).out, u"recovery: none\n"_s);
}

} // namespace

// The recent-files list and the recovery copy from the command line, on the
// same files the desktop program keeps in its working directory.
#include "app/RecentFiles.h"
#include "editing/RecoveryFile.h"
#include "tests/cli/CliFolder.h"

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class RecoveryCommands : public CliFolder {
protected:
    void SetUp() override { ASSERT_TRUE(QFile::copy(QStringLiteral(ZENDRIK_SHIPPED_DATA "/zendrik.sys"), path(u"zendrik.sys"_s))); }
};

} // namespace

TEST_F(RecoveryCommands, RecentListsRemovesMissingAndClears)
{
    EXPECT_EQ(Succeeded(run({"recent"})), QString());
    const QString kept = save(canonical731(), u"Halle.zpg"_s);
    RecentFiles recent(dir.path());
    recent.add(path(u"weg.zpg"_s));
    recent.add(kept);
    ASSERT_TRUE(recent.save());
    EXPECT_EQ(Succeeded(run({"recent"})), kept + u"\n(missing) "_s + path(u"weg.zpg"_s) + u"\n"_s);
    EXPECT_TRUE(Succeeded(run({"--json", "recent"})).contains(u"\"exists\": false"_s));
    EXPECT_EQ(Succeeded(run({"recent", "--remove-missing"})), kept + u"\n"_s);
    recent.load();
    EXPECT_EQ(recent.files(), QStringList{kept}) << "the desktop program sees the same list";
    EXPECT_EQ(Succeeded(run({"recent", "--clear"})), QString());
    EXPECT_EQ(run({"recent", "x"}).exitCode, 2);
}

TEST_F(RecoveryCommands, RecoverShowsSavesElsewhereAndDiscards)
{
    EXPECT_EQ(Succeeded(run({"recover"})), u"recovery: none\n"_s);
    EXPECT_EQ(run({"recover", "--save", "x.zpg"}).exitCode, 1);
    ProgramModel model = canonical731();
    const QString original = save(model, u"Halle.zpg"_s);
    const QByteArray originalBytes = readFile(original);
    model.program().Verwendung = u"Halle nach dem Umbau"_s;
    model.program().Dateiname = original;
    ASSERT_TRUE(WriteRecoveryFile(dir.path(), TakeRecoveryImage(model, QDateTime(QDate(2026, 12, 7), QTime(9, 30), Qt::UTC))));
    EXPECT_EQ(run({"recover"}).out, u"recovery: offered\nfile: "_s + original + u"\nwritten: 2026-12-07T09:30:00Z\nentries: 9\n"_s);

    Succeeded(run({"--type", "4", "recover", "--save", "Gerettet.zpg", "--yes"}));
    EXPECT_EQ(readFile(original), originalBytes) << "the program file itself is not touched";
    EXPECT_FALSE(QFile::exists(RecoveryFilePath(dir.path())));
    EXPECT_TRUE(run({"--type", "4", "info", "Gerettet.zpg"}).out.contains(u"description: Halle nach dem Umbau\n"_s));
    // Damaged: reported, never saved; discard clears it.
    ASSERT_TRUE(writeFile(RecoveryFilePath(dir.path()), "kaputt"));
    EXPECT_EQ(run({"recover"}).out, u"recovery: damaged\n"_s);
    const CliRun r = run({"--lang", "en", "recover", "--save", "y.zpg"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(u"There is no recovery copy to restore."_s)) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path(u"y.zpg"_s)));
    EXPECT_EQ(run({"recover", "--discard"}).exitCode, 0);
    EXPECT_EQ(run({"recover"}).out, u"recovery: none\n"_s);
}

// bus-search, bus-write, bus-read and bus-reinstall of zendrik-cli against
// the simulated bus, each a program run of its own.

#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"
#include "tests/transfer/BusTestSupport.h"

#include "transfer/sim/SimulatedBus.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

class BusCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFile::copy(u"" ZENDRIK_SHIPPED_DATA "/remote.s19"_s, path(u"remote.s19"_s)));
        ProgramModel m = canonical738();
        ASSERT_FALSE(saveProgramAs(m, path(u"prog.zpg"_s)).isEmpty());
        describe("");
    }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    void describe(const QByteArray& deviceLines)
    {
        ASSERT_TRUE(writeFile(path(u"bus-sim.ini"_s), "[bus]\npacing = off\n[device 1.1.5]\n" + deviceLines
                                                          + "[device 1.1.6]\nmask = 0x0020\n"));
    }
    CliRun cli(const QStringList& args) { return RunCli(QStringList{u"--type"_s, u"20"_s} + args, dir.path()); }
    QStringList link() const { return {u"--link"_s, u"sim:bus-sim.ini"_s}; }
    // The switching times as the list command shows them.
    QString listOf(const QString& file) { return cli({u"list"_s, file}).out; }

    QTemporaryDir dir;
};

TEST_F(BusCommandsTest, WriteThenReadBackInSeparateRuns)
{
    const CliRun w = cli(QStringList{u"bus-write"_s, path(u"prog.zpg"_s), u"--address"_s, u"1.1.5"_s} + link());
    ASSERT_EQ(w.exitCode, 0) << w.err.toStdString();
    EXPECT_TRUE(w.err.isEmpty()) << w.err.toStdString();
    EXPECT_TRUE(QFile::exists(path(u"protocol.txt"_s)));

    const CliRun r = cli(QStringList{u"bus-read"_s, u"--address"_s, u"1.1.5"_s, u"--out"_s, path(u"back.zpg"_s)} + link());
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString original = listOf(path(u"prog.zpg"_s));
    ASSERT_FALSE(original.isEmpty());
    EXPECT_EQ(listOf(path(u"back.zpg"_s)), original);
    const CliRun info = cli({u"info"_s, path(u"back.zpg"_s)});
    EXPECT_TRUE(info.out.contains(u"description: unbekannt\n"_s)) << info.out.toStdString();
}

TEST_F(BusCommandsTest, SearchPrintsEachTimeSwitchOnALine)
{
    const struct {
        const char *area, *line, *to;
        int exitCode;
        QString out, errPart;
    } cases[] = {
        {"1", "1", "8", 0, u"1.1.5\n"_s, QString()},
        {"2", "1", "3", 0, QString(), QString()},
        {"1", "13", "3", 1, QString(), u"Linie 0 bis 12"_s},
    };
    for (const auto& c : cases) {
        const CliRun s = cli(QStringList{u"bus-search"_s, u"--area"_s, QString::fromLatin1(c.area), u"--line"_s,
                                         QString::fromLatin1(c.line), u"--from"_s, u"1"_s, u"--to"_s,
                                         QString::fromLatin1(c.to)} + link());
        EXPECT_EQ(s.exitCode, c.exitCode) << c.area << '.' << c.line << ": " << s.err.toStdString();
        EXPECT_EQ(s.out, c.out) << c.area << '.' << c.line;
        EXPECT_TRUE(s.err.contains(c.errPart)) << s.err.toStdString();
    }
}

TEST_F(BusCommandsTest, AFailedRestoreIsReportedAndReinstalledLater)
{
    describe("restore-fails\n");
    const CliRun w = cli(QStringList{u"bus-write"_s, path(u"prog.zpg"_s), u"--address"_s, u"1.1.5"_s} + link());
    EXPECT_EQ(w.exitCode, 1);
    EXPECT_TRUE(w.err.startsWith(u"Speicher wurde nicht beschrieben\n"_s)) << w.err.toStdString();
    EXPECT_TRUE(QFile::exists(path(u"appl-1.1.5.old"_s)));

    describe("");
    const CliRun again = cli(QStringList{u"bus-reinstall"_s, u"--address"_s, u"1.1.5"_s} + link());
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_FALSE(QFile::exists(path(u"appl-1.1.5.old"_s)));
    const CliRun nothing = cli(QStringList{u"bus-reinstall"_s, u"--address"_s, u"1.1.5"_s} + link());
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_TRUE(nothing.err.contains(u"appl-1.1.5.old"_s)) << nothing.err.toStdString();
}

TEST_F(BusCommandsTest, AFailedReadWritesNoOutputAndBadOptionsAreRefused)
{
    const CliRun r = cli(QStringList{u"bus-read"_s, u"--address"_s, u"1.1.6"_s, u"--out"_s, path(u"back.zpg"_s)} + link());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, u"Falsche Maskenversion\n"_s);
    EXPECT_FALSE(QFile::exists(path(u"back.zpg"_s)));

    const CliRun address = cli(QStringList{u"bus-write"_s, path(u"prog.zpg"_s), u"--address"_s, u"1.1.256"_s} + link());
    EXPECT_EQ(address.exitCode, 2);
    EXPECT_TRUE(address.err.contains(u"no valid physical Adress"_s));
    const CliRun noLink = cli({u"bus-write"_s, path(u"prog.zpg"_s), u"--address"_s, u"1.1.5"_s, u"--link"_s, u"sim:none.ini"_s});
    EXPECT_EQ(noLink.exitCode, 1);
    EXPECT_TRUE(noLink.err.contains(path(u"none.ini"_s))) << noLink.err.toStdString();
    const CliRun unknown = cli({u"bus-write"_s, path(u"prog.zpg"_s), u"--address"_s, u"1.1.5"_s, u"--link"_s, u"tcp:x"_s});
    EXPECT_EQ(unknown.exitCode, 1);
}

} // namespace

// A site of two time switches on one line through knxd: written with read-back, then read into a folder,
// through the command line as a user runs it.

#include "tests/knx/KnxdHarness.h"
#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include "site/SiteFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

TEST(KnxSiteRunTest, TwoDevicesWrittenReadBackAndReadThroughKnxd)
{
    QTemporaryDir dir;
    const auto path = [&](const QString& name) { return QDir(dir.path()).filePath(name); };
    ASSERT_TRUE(QFile::copy(u"" ZENDRIK_SHIPPED_DATA "/remote.s19"_s, path(u"remote.s19"_s)));
    ProgramModel m = canonical738();
    ASSERT_FALSE(saveProgramAs(m, path(u"Flur.zpg"_s)).isEmpty());
    ASSERT_FALSE(saveProgramAs(m, path(u"Halle.zpg"_s)).isEmpty());
    Knxd knxd;
    ASSERT_TRUE(knxd.start()) << knxd.failure().toStdString();
    BusDevice device;
    ASSERT_TRUE(writeFile(path(u"line.ini"_s), "[device 1.1.5]\ndelete-ms = 10\n[device 1.1.6]\ndelete-ms = 10\n"));
    ASSERT_TRUE(device.start({u"--link"_s, knxd.link(), path(u"line.ini"_s)}, dir.path())) << device.failure().toStdString();

    const QString link = knxd.link() + u",unpaced"_s;
    const auto cli = [&](const QStringList& args) { return RunCli(QStringList{u"--lang"_s, u"en"_s, u"site"_s} + args, dir.path(), 180000); };
    const QString site = path(u"Schule.zsite"_s);
    ASSERT_EQ(cli({u"new"_s, site, u"--name"_s, u"Schule"_s}).exitCode, 0);
    for (const char* name : {"Flur", "Halle"}) {
        const QString address = QString::fromLatin1(name) == u"Flur"_s ? u"1.1.5"_s : u"1.1.6"_s;
        const CliRun add = cli({u"add"_s, site, u"--device"_s, QString::fromLatin1(name), u"--program"_s, path(QString::fromLatin1(name) + u".zpg"_s),
                                u"--type"_s, u"20"_s, u"--bus"_s, address, u"--link"_s, link});
        ASSERT_EQ(add.exitCode, 0) << add.err.toStdString();
    }

    const CliRun written = cli({u"write"_s, site});
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_EQ(written.out, u"Flur: ok\nHalle: ok\n2 ok, 0 failed, 0 skipped\n"_s) << written.err.toStdString();
    Site loaded;
    ASSERT_TRUE(LoadSite(site, loaded).ok());
    for (const SiteDevice& d : loaded.devices) {
        ASSERT_TRUE(d.last.has_value()) << d.name.toStdString();
        EXPECT_TRUE(d.last->confirmed && d.last->result == SiteTransferResult::Ok) << d.name.toStdString();
    }

    const CliRun read = cli({u"read"_s, site, u"--out"_s, path(u"back"_s)});
    EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(read.out, u"Flur: ok\nHalle: ok\n2 ok, 0 failed, 0 skipped\n"_s);
    const auto list = [&](const QString& file) { return RunCli({u"--type"_s, u"20"_s, u"list"_s, file}, dir.path()).out; };
    EXPECT_EQ(list(path(u"back/Flur.zpg"_s)), list(path(u"Flur.zpg"_s)));
    EXPECT_FALSE(list(path(u"back/Halle.zpg"_s)).isEmpty());
    EXPECT_EQ(QString::fromUtf8(readFile(path(u"Schule.log.csv"_s))).count(u'\n'), 5); // header and four transfers
}

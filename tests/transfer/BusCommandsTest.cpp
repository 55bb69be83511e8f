// The bus commands of zendrik-cli against the simulated bus: the refusals and failures the runs through knxd do not show.

#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

TEST(BusCommandsTest, RefusalsAndFailuresEndWithTheirMessageAndWriteNothing)
{
    QTemporaryDir dir;
    const auto path = [&](const QString& name) { return QDir(dir.path()).filePath(name); };
    ASSERT_TRUE(QFile::copy(u"" ZENDRIK_SHIPPED_DATA "/remote.s19"_s, path(u"remote.s19"_s)));
    ProgramModel m = canonical738();
    ASSERT_FALSE(saveProgramAs(m, path(u"prog.zpg"_s)).isEmpty());
    ASSERT_TRUE(writeFile(path(u"bus-sim.ini"_s), "[bus]\npacing = off\n[device 1.1.5]\nrestore-fails\n[device 1.1.6]\nmask = 0x0020\n"));
    const QString prog = path(u"prog.zpg"_s);
    const auto search = [](const char* area, const char* line, const char* to) {
        return QStringList{u"bus-search"_s, u"--area"_s, QString::fromLatin1(area), u"--line"_s, QString::fromLatin1(line), u"--from"_s, u"1"_s, u"--to"_s, QString::fromLatin1(to)};
    };
    // err: a part of it
    const struct {
        QStringList args;
        QString link;
        int exitCode;
        QString out, err;
    } cases[] = {
        {search("1", "1", "8"), {}, 0, u"1.1.5\n"_s, {}},
        {search("2", "1", "3"), {}, 0, {}, {}},
        {search("1", "13", "3"), {}, 1, {}, u"Linie 0 bis 12"_s},
        {{u"bus-read"_s, u"--address"_s, u"1.1.6"_s, u"--out"_s, path(u"back.zpg"_s)}, {}, 1, {}, u"Falsche Maskenversion\n"_s},
        {{u"bus-write"_s, prog, u"--address"_s, u"1.1.5"_s}, {}, 1, {}, u"Speicher wurde nicht beschrieben\n"_s},
        {{u"bus-write"_s, prog, u"--address"_s, u"1.1.256"_s}, {}, 2, {}, u"no valid physical Adress"_s},
        {{u"bus-write"_s, prog, u"--address"_s, u"1.1.5"_s}, u"sim:none.ini"_s, 1, {}, path(u"none.ini"_s)},
        {{u"bus-write"_s, prog, u"--address"_s, u"1.1.5"_s}, u"tcp:x"_s, 1, {}, u"tcp:x"_s},
        {{u"bus-reinstall"_s, u"--address"_s, u"1.1.6"_s}, {}, 1, {}, u"appl-1.1.6.old"_s},
    };
    for (const auto& c : cases) {
        const CliRun r = RunCli(QStringList{u"--type"_s, u"20"_s} + c.args + QStringList{u"--link"_s, c.link.isEmpty() ? u"sim:bus-sim.ini"_s : c.link}, dir.path());
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(u' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_EQ(r.out, c.out) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path(u"back.zpg"_s)));
    // The failed restore keeps the device's application for a reinstall.
    EXPECT_TRUE(QFile::exists(path(u"appl-1.1.5.old"_s)) && QFile::exists(path(u"protocol.txt"_s)));
}

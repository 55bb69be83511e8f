#include "tests/support/TestPrograms.h"

#include "model/ProgramFile.h"
#include "model/UserInteraction.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun cli(const QStringList& args, const QString& workDir = QString())
{
    QProcess p;
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(QStringLiteral(ZENDRIK_CLI), args);
    p.waitForFinished(30000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QString saved(ProgramModel m, const QString& path, bool yes = true)
{
    m.program().Dateiname = path;
    auto ui = ScriptedInteraction::answering(yes);
    EXPECT_EQ(SaveProgram(m, ui).result, 1);
    return path;
}

} // namespace

class CliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(CliTest, InfoOfEachFamily)
{
    const CliRun r731 = cli({QStringLiteral("--type"), QStringLiteral("4"), QStringLiteral("info"),
                          saved(canonical731(), path(QStringLiteral("a.zpg")))});
    ASSERT_EQ(r731.exitCode, 0) << r731.err.toStdString();
    EXPECT_EQ(r731.out, QStringLiteral("family: 731\ndevice: Bus-Jahresschaltuhr 4 Kanäle\nentries: 9\nswitching: 7\n"
                                       "priority: 2\ndst_rows: 2\nprogram_number: 123456\n"
                                       "description: Schule Süd Turnhalle\nchannel1: Flur\nchannel2: Außenlicht\n"
                                       "channel3: C3 :\nchannel4: C4 :\nmaster: no\n"));

    const CliRun r738 = cli({QStringLiteral("--type"), QStringLiteral("20"), QStringLiteral("info"),
                          saved(canonical738(), path(QStringLiteral("b.zpg")))});
    ASSERT_EQ(r738.exitCode, 0);
    EXPECT_TRUE(r738.out.contains(QStringLiteral("family: 738\n")));
    EXPECT_TRUE(r738.out.contains(QStringLiteral("channel16: K16\nmaster: no\n")));
    EXPECT_TRUE(r738.out.contains(QStringLiteral("program_number: 42\n")));

    const CliRun r752 = cli({QStringLiteral("--type"), QStringLiteral("19"), QStringLiteral("--json"),
                          QStringLiteral("info"), saved(canonical752(), path(QStringLiteral("c.zpg")))});
    ASSERT_EQ(r752.exitCode, 0);
    EXPECT_TRUE(r752.out.contains(QStringLiteral("\"program_number\": \"none\"")));
    EXPECT_TRUE(r752.out.contains(QStringLiteral("\"family\": 752")));
}

TEST_F(CliTest, RefusalsAndUsageErrors)
{
    const QString f752 = saved(canonical752(), path(QStringLiteral("c.zpg")));
    struct Case {
        QStringList args;
        int exitCode;
        QString message;
    };
    const Case cases[] = {
        {{QStringLiteral("info"), path(QStringLiteral("missing.zpg"))}, 1, QStringLiteral("Datei nicht vorhanden !")},
        {{QStringLiteral("--type"), QStringLiteral("1"), QStringLiteral("info"), f752}, 1,
         QStringLiteral("Datei für Astroschaltuhr 2 Kanäle")},
        {{QStringLiteral("info")}, 2, QString()},
        {{QStringLiteral("frobnicate")}, 2, QString()},
        {{QStringLiteral("--type"), QStringLiteral("21"), QStringLiteral("info"), f752}, 2, QString()},
        {{QStringLiteral("save"), f752}, 2, QString()},
        {{QStringLiteral("info"), f752, QStringLiteral("--bogus")}, 2, QString()},
    };
    for (const Case& c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(QLatin1Char(' ')).toStdString();
        if (!c.message.isEmpty())
            EXPECT_EQ(r.err.trimmed(), c.message);
    }

    writeFile(path(QStringLiteral("bad.zpg")), " 1  2  3 ");
    const CliRun bad = cli({QStringLiteral("info"), path(QStringLiteral("bad.zpg"))});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err.trimmed(), QStringLiteral("Keine gültige Datei !"));
}

TEST_F(CliTest, BrandFileDecidesTheStart)
{
    const QString f = saved(canonical731(), path(QStringLiteral("a.zpg")));
    QTemporaryDir work;
    writeFile(work.filePath(QStringLiteral("zendrik.sys")), "XYZ\r\n");
    const CliRun unknown = cli({QStringLiteral("--dir"), work.path(), QStringLiteral("info"), f});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.err.trimmed(), QStringLiteral("unknown manufacturer"));

    // The remembered settings preselect the device type.
    writeFile(work.filePath(QStringLiteral("zendrik.sys")), "Qba\r\n");
    writeFile(work.filePath(QStringLiteral("zendrik.ini")), "KANALZAHL=2\r\nUHRENTYP=752\r\n");
    const CliRun fromIni = cli({QStringLiteral("--dir"), work.path(), QStringLiteral("info"),
                             saved(canonical752(), path(QStringLiteral("c.zpg")))});
    EXPECT_EQ(fromIni.exitCode, 0) << fromIni.err.toStdString();
}

TEST_F(CliTest, SaveRewritesTheFileWithTheGivenClock)
{
    const QString golden = testData(QStringLiteral("golden/731.zpg"));
    const QString out = path(QStringLiteral("out.zpg"));
    const CliRun r = cli({QStringLiteral("--type"), QStringLiteral("4"), QStringLiteral("save"), golden, out,
                       QStringLiteral("--now"), QStringLiteral("2026-12-06 10:37")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // Same image; only the channel names carry the blank the loader adds.
    QList<QByteArray> want = readFile(golden).split('\n');
    QList<QByteArray> got = readFile(out).split('\n');
    ASSERT_EQ(got.size(), want.size());
    for (int i = 0; i < 367; ++i)
        EXPECT_EQ(got[i], want[i]) << i;
    EXPECT_EQ(got[367], " Flur\r");

    const CliRun other = cli({QStringLiteral("--type"), QStringLiteral("4"), QStringLiteral("save"), golden, out,
                           QStringLiteral("--now"), QStringLiteral("2027-01-02 03:04")});
    ASSERT_EQ(other.exitCode, 0);
    EXPECT_EQ(readFile(out).split('\n')[6], QByteArray(" 2 \r"));
    EXPECT_EQ(readFile(out).split('\n')[7], QByteArray(" 155 \r"));
}

TEST_F(CliTest, SaveAnswersTheWritersQuestions)
{
    ProgramModel empty = modelForRow(1);
    empty.LeerSpeichern = 1;
    const QString f = saved(empty, path(QStringLiteral("empty.zpg")));
    const QString out = path(QStringLiteral("o.zpg"));
    const CliRun declined = cli({QStringLiteral("--type"), QStringLiteral("1"), QStringLiteral("save"), f, out});
    EXPECT_EQ(declined.exitCode, 1);
    EXPECT_EQ(declined.err.trimmed(), QStringLiteral("Keine Daten vorhanden ! Trotzdem fortfahren ?"));
    EXPECT_FALSE(QFile::exists(out));

    const CliRun accepted =
        cli({QStringLiteral("--type"), QStringLiteral("1"), QStringLiteral("save"), f, out, QStringLiteral("--yes")});
    EXPECT_EQ(accepted.exitCode, 0);
    EXPECT_TRUE(QFile::exists(out));

    // A table that the rule does not use: --no keeps the rule and still saves.
    ProgramModel table = canonical731();
    table.device.SwRegel = 1;
    const QString t = saved(table, path(QStringLiteral("t.zpg")), false);
    const CliRun keep = cli({QStringLiteral("--type"), QStringLiteral("4"), QStringLiteral("save"), t, out,
                          QStringLiteral("--no")});
    EXPECT_EQ(keep.exitCode, 0);
    EXPECT_EQ(readFile(out).split('\n')[2], QByteArray(" 19 \r"));   // header byte 2: rule 1, four channels
    const CliRun activate = cli({QStringLiteral("--type"), QStringLiteral("4"), QStringLiteral("save"), t, out,
                              QStringLiteral("--yes")});
    EXPECT_EQ(activate.exitCode, 0);
    EXPECT_EQ(readFile(out).split('\n')[2], QByteArray(" 67 \r"));
}

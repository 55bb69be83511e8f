#include "tests/support/CliRun.h"
#include "tests/support/TestPrograms.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

class CliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    QString saved(ProgramModel m, const char* name, bool yes = true)
    {
        return saveProgramAs(m, path(QString::fromLatin1(name)), yes);
    }
};

TEST_F(CliTest, InfoOfEachFamily)
{
    const QString r731 = Succeeded(RunCli({"--type", "4", "info", saved(canonical731(), "a.zpg")}));
    EXPECT_EQ(r731, u"family: 731\ndevice: Bus-Jahresschaltuhr 4 Kanäle\nentries: 9\nswitching: 7\n"
                    "priority: 2\ndst_rows: 2\nprogram_number: 123456\n"
                    "description: Schule Süd Turnhalle\nchannel1: Flur\nchannel2: Außenlicht\n"
                    "channel3: \nchannel4: \nmaster: no\n"_s);
    const QString r738 = Succeeded(RunCli({"--type", "20", "info", testData(u"golden/738.zpg"_s)}));
    EXPECT_TRUE(r738.startsWith(u"family: 738\n"_s));
    EXPECT_TRUE(r738.contains(u"program_number: 42\n"_s));
    EXPECT_TRUE(r738.endsWith(u"channel16: K16\nmaster: no\n"_s));
    const QString r752 = Succeeded(RunCli({"--type", "19", "--json", "info", testData(u"golden/752.zpg"_s)}));
    EXPECT_TRUE(r752.contains(u"\"program_number\": \"none\""_s));
    EXPECT_TRUE(r752.contains(u"\"family\": 752"_s));
}

TEST_F(CliTest, RefusalsAndUsageErrors)
{
    const QString f752 = testData(u"golden/752.zpg"_s);
    writeFile(path(u"bad.zpg"_s), " 1  2  3 ");
    const std::tuple<QStringList, int, QString> cases[] = {
        {{"info", path(u"missing.zpg"_s)}, 1, u"Datei nicht vorhanden !"_s},
        {{"--type", "1", "info", f752}, 1, u"Datei für Astroschaltuhr 2 Kanäle\nSie lässt sich mit --type 19 öffnen."_s},
        {{"info", path(u"bad.zpg"_s)}, 1, u"Keine gültige Datei !"_s},
        {{"info"}, 2, QString()},
        {{"frobnicate"}, 2, QString()},
        {{"--type", "21", "info", f752}, 2, QString()},
        {{"save", f752}, 2, QString()},
        {{"info", f752, "--bogus"}, 2, QString()},
    };
    for (const auto& [args, exitCode, message] : cases) {
        const CliRun r = RunCli(args);
        EXPECT_EQ(r.exitCode, exitCode) << args.join(u' ').toStdString();
        EXPECT_TRUE(message.isEmpty() || r.err.trimmed() == message) << r.err.toStdString();
    }
}

TEST_F(CliTest, BrandFileDecidesTheStart)
{
    QTemporaryDir work;
    writeFile(work.filePath(u"zendrik.sys"_s), "XYZ\r\n");
    const CliRun unknown = RunCli({"--dir", work.path(), "info", testData(u"golden/731.zpg"_s)});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_EQ(unknown.err.trimmed(), u"unknown manufacturer"_s);
    // The remembered settings preselect the device type.
    writeFile(work.filePath(u"zendrik.sys"_s), "Qba\r\n");
    writeFile(work.filePath(u"zendrik.ini"_s), "KANALZAHL=2\r\nUHRENTYP=752\r\n");
    const CliRun fromIni = RunCli({"--dir", work.path(), "info", testData(u"golden/752.zpg"_s)});
    EXPECT_EQ(fromIni.exitCode, 0) << fromIni.err.toStdString();
}

TEST_F(CliTest, SaveRewritesTheFileWithTheGivenClock)
{
    const QString golden = testData(u"golden/731.zpg"_s);
    const QString out = path(u"out.zpg"_s);
    const CliRun r = RunCli({"--type", "4", "save", golden, out, "--now", "2026-12-06 10:37"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // Same image; only the channel names carry the blank the loader adds.
    const QList<QByteArray> want = readFile(golden).split('\n');
    const QList<QByteArray> got = readFile(out).split('\n');
    ASSERT_EQ(got.size(), want.size());
    EXPECT_EQ(got.mid(0, 367), want.mid(0, 367));
    EXPECT_EQ(got[367], " Flur\r");
    ASSERT_EQ(RunCli({"--type", "4", "save", golden, out, "--now", "2027-01-02 03:04"}).exitCode, 0);
    EXPECT_EQ(readFile(out).split('\n').mid(6, 2), (QList<QByteArray>{" 2 \r", " 155 \r"}));
}

TEST_F(CliTest, SaveAnswersTheWritersQuestions)
{
    ProgramModel empty = modelForRow(1);
    empty.LeerSpeichern = 1;
    const QString f = saved(empty, "empty.zpg");
    const QString out = path(u"o.zpg"_s);
    const CliRun declined = RunCli({"--type", "1", "save", f, out});
    EXPECT_EQ(declined.exitCode, 1);
    EXPECT_EQ(declined.err.trimmed(), u"Keine Daten vorhanden ! Trotzdem fortfahren ?"_s);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(RunCli({"--type", "1", "save", f, out, "--yes"}).exitCode, 0);
    EXPECT_TRUE(QFile::exists(out));

    // A table that the rule does not use: --no keeps the rule and still saves.
    ProgramModel table = canonical731();
    table.device.SwRegel = 1;
    const QString t = saved(table, "t.zpg", false);
    EXPECT_EQ(RunCli({"--type", "4", "save", t, out, "--no"}).exitCode, 0);
    EXPECT_EQ(readFile(out).split('\n')[2], QByteArray(" 19 \r")); // header byte 2: rule 1, four channels
    EXPECT_EQ(RunCli({"--type", "4", "save", t, out, "--yes"}).exitCode, 0);
    EXPECT_EQ(readFile(out).split('\n')[2], QByteArray(" 67 \r"));
}

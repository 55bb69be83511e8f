// Saving from the command line: the clock of the header, the questions the
// writer asks answered by --yes and --no.
#include "tests/cli/CliFolder.h"

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

using CliSave = CliFolder;

TEST_F(CliSave, RewritesTheFileWithTheGivenClock)
{
    const QString golden = testData(u"golden/731.zpg"_s);
    ASSERT_EQ(run({"--type", "4", "save", golden, "out.zpg", "--now", "2026-12-06 10:37"}).exitCode, 0);
    // Same image; only the channel names carry the blank the loader adds.
    const QList<QByteArray> want = readFile(golden).split('\n');
    const QList<QByteArray> got = readFile(path(u"out.zpg"_s)).split('\n');
    ASSERT_EQ(got.size(), want.size());
    EXPECT_EQ(got.mid(0, 367), want.mid(0, 367));
    EXPECT_EQ(got[367], " Flur\r");
    ASSERT_EQ(run({"--type", "4", "save", golden, "out.zpg", "--now", "2027-01-02 03:04"}).exitCode, 0);
    EXPECT_EQ(readFile(path(u"out.zpg"_s)).split('\n').mid(6, 2), (QList<QByteArray>{" 2 \r", " 155 \r"}));
}

TEST_F(CliSave, AnswersTheWritersQuestions)
{
    ProgramModel empty = modelForRow(1);
    empty.LeerSpeichern = 1;
    save(empty, u"empty.zpg"_s);
    const CliRun declined = run({"--type", "1", "save", "empty.zpg", "o.zpg"});
    EXPECT_EQ(declined.exitCode, 1);
    EXPECT_EQ(declined.err.trimmed(), u"Keine Daten vorhanden ! Trotzdem fortfahren ?"_s);
    EXPECT_FALSE(QFile::exists(path(u"o.zpg"_s)));
    EXPECT_EQ(run({"--type", "1", "save", "empty.zpg", "o.zpg", "--yes"}).exitCode, 0);
    EXPECT_TRUE(QFile::exists(path(u"o.zpg"_s)));
    // A table that the rule does not use: --no keeps the rule and still saves.
    ProgramModel table = canonical731();
    table.device.SwRegel = 1;
    save(table, u"t.zpg"_s, false);
    for (const auto& [answer, headerByte2] : {std::pair{"--no", " 19 \r"}, {"--yes", " 67 \r"}}) { // rule 1 or the table, four channels
        EXPECT_EQ(run({"--type", "4", "save", "t.zpg", "o.zpg", answer}).exitCode, 0);
        EXPECT_EQ(readFile(path(u"o.zpg"_s)).split('\n')[2], QByteArray(headerByte2)) << answer;
    }
}

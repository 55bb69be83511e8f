#include "model/DeviceImage.h"
#include "model/HeaderFields.h"
#include "model/ProgramFile.h"
#include "model/UserInteraction.h"
#include "tests/support/TestPrograms.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;

TEST(ProgramNumberField, KeysItTakes)
{
    for (char c = '0'; c <= '9'; ++c)
        EXPECT_TRUE(ProgramNumberKeyAccepted(QLatin1Char(c)));
    EXPECT_TRUE(ProgramNumberKeyAccepted(QLatin1Char(' ')));
    for (const QChar c : QStringLiteral("aZ-+.,;/٣"))
        EXPECT_FALSE(ProgramNumberKeyAccepted(c)) << int(c.unicode());
}

TEST(ProgramNumberField, LeavingTheField)
{
    struct Case {
        std::int32_t before;
        const char* typed;
        FieldCommit result;
        std::int32_t after;
    };
    const Case cases[] = {
        {kNoProgramNumber, "", FieldCommit::Unchanged, kNoProgramNumber},
        {kNoProgramNumber, "  ", FieldCommit::Unchanged, kNoProgramNumber},
        {4711, "", FieldCommit::Changed, kNoProgramNumber},
        {4711, "4711", FieldCommit::Unchanged, 4711},
        {4711, "004711", FieldCommit::Unchanged, 4711},
        {4711, "47 12", FieldCommit::Changed, 4712},
        {kNoProgramNumber, "0", FieldCommit::Changed, 0},
        {kNoProgramNumber, "999999", FieldCommit::Changed, 999999},
        // Seven digits do not fit the six BCD digits of the image.
        {4711, "1234567", FieldCommit::Refused, 4711},
        {4711, "12a", FieldCommit::Refused, 4711},
    };
    for (const Case& c : cases) {
        ProgramModel m = modelForRow(4);
        m.program().ProgNr = c.before;
        EXPECT_EQ(CommitProgramNumber(m, QString::fromLatin1(c.typed)), c.result) << c.typed;
        EXPECT_EQ(m.program().ProgNr, c.after) << c.typed;
        EXPECT_EQ(m.Geaendert, c.result == FieldCommit::Changed ? 1 : 0) << c.typed;
    }
}

TEST(ProgramNumberField, ActsOnTheShownSlotAndSurvivesSaving)
{
    QTemporaryDir dir;
    ProgramModel m = canonical731();
    m.program().Dateiname = dir.filePath(QStringLiteral("nr.zpg"));
    ASSERT_EQ(CommitProgramNumber(m, QStringLiteral("654321")), FieldCommit::Changed);
    EXPECT_EQ(ProgramNumberText(m.program()), QStringLiteral("654321"));
    auto ui = ScriptedInteraction::answering(true);
    ASSERT_EQ(SaveProgram(m, ui).result, 1);
    ProgramModel back = modelForRow(4);
    ASSERT_EQ(LoadProgram(back, m.program().Dateiname, kProgramSlot), LoadOk);
    EXPECT_EQ(back.program().ProgNr, 654321);

    back.AktSlot = kSampleSlot;
    EXPECT_EQ(CommitProgramNumber(back, QStringLiteral("7")), FieldCommit::Changed);
    EXPECT_EQ(back.slot(kSampleSlot).ProgNr, 7);
    EXPECT_EQ(back.program().ProgNr, 654321);
}

TEST(DescriptionField, CommasNeverReachTheProgram)
{
    EXPECT_FALSE(DescriptionKeyAccepted(QLatin1Char(',')));
    EXPECT_TRUE(DescriptionKeyAccepted(QLatin1Char(';')));

    ProgramModel m = modelForRow(4);
    m.program().Verwendung = QStringLiteral("Schule");
    EXPECT_EQ(CommitDescription(m, QStringLiteral("Schule")), FieldCommit::Unchanged);
    EXPECT_EQ(m.Geaendert, 0);
    EXPECT_EQ(CommitDescription(m, QStringLiteral("Turnhalle, Ost,\nWest")), FieldCommit::Changed);
    EXPECT_EQ(m.program().Verwendung, QStringLiteral("Turnhalle OstWest"));
    EXPECT_EQ(m.Geaendert, 1);

    m.Geaendert = 0;
    // A text the 8-bit program file cannot carry is refused as a whole.
    EXPECT_EQ(CommitDescription(m, QStringLiteral("Halle ☀")), FieldCommit::Refused);
    EXPECT_EQ(m.program().Verwendung, QStringLiteral("Turnhalle OstWest"));
    EXPECT_EQ(m.Geaendert, 0);
}

TEST(ChannelNames, NumberComesFromTheLabel)
{
    EXPECT_EQ(ChannelCaption(3), QStringLiteral("C3"));
    EXPECT_EQ(ChannelOfCaption(QStringLiteral("C1")), 1);
    EXPECT_EQ(ChannelOfCaption(QStringLiteral("C16")), 16);
    EXPECT_EQ(ChannelOfCaption(ChannelCaption(12)), 12);
    EXPECT_EQ(ChannelOfCaption(QStringLiteral("C")), 0);
    EXPECT_EQ(ChannelOfCaption(QStringLiteral("Cx")), 0);
}

TEST(ChannelNames, LeavingABoxStoresChangedNamesOnly)
{
    ProgramModel m = modelForRow(4);
    // As the loader keeps a name read from a file.
    m.program().Kanalname[1] = QStringLiteral(" Flur");
    EXPECT_EQ(ShownChannelName(m.program().Kanalname[1]), QStringLiteral("Flur"));
    EXPECT_EQ(CommitChannelName(m, QStringLiteral("C2"), QStringLiteral("Flur")), FieldCommit::Unchanged);
    EXPECT_EQ(m.Geaendert, 0);
    EXPECT_EQ(CommitChannelName(m, QStringLiteral("C2"), QStringLiteral("Flur, oben")), FieldCommit::Changed);
    EXPECT_EQ(m.program().Kanalname[1], QStringLiteral("Flur oben"));
    EXPECT_EQ(m.program().Kanalname[0], QString());
    EXPECT_EQ(m.Geaendert, 1);
    EXPECT_EQ(CommitChannelName(m, QStringLiteral("X"), QStringLiteral("a")), FieldCommit::Refused);
}

TEST(WriteProtection, SwitchMarksTheProgramChanged)
{
    ProgramModel m = modelForRow(4);
    EXPECT_EQ(CommitWriteProtection(m, false), FieldCommit::Unchanged);
    EXPECT_EQ(m.Geaendert, 0);
    EXPECT_EQ(CommitWriteProtection(m, true), FieldCommit::Changed);
    EXPECT_EQ(m.program().Schreibschutz, 1);
    EXPECT_EQ(m.Geaendert, 1);
}

TEST(SavedAt, ReadsTheHeaderTime)
{
    ProgramModel m = canonical731();
    EXPECT_FALSE(SavedAt(m.program()).has_value());
    auto ui = ScriptedInteraction::answering(true);
    BuildHeader(m, ui);
    const auto at = SavedAt(m.program());
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(*at, fixedClock());
}

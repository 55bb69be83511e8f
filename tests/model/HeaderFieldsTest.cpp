#include "model/DeviceImage.h"
#include "model/HeaderFields.h"
#include "model/ProgramFile.h"
#include "model/UserInteraction.h"
#include "tests/support/TestPrograms.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

TEST(ProgramNumberField, KeysAndLeavingTheField)
{
    for (const QChar c : u"0123456789 "_s)
        EXPECT_TRUE(ProgramNumberKeyAccepted(c)) << int(c.unicode());
    for (const QChar c : u"aZ-+.,;/٣"_s)
        EXPECT_FALSE(ProgramNumberKeyAccepted(c)) << int(c.unicode());
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
    ASSERT_EQ(CommitProgramNumber(m, u"654321"_s), FieldCommit::Changed);
    EXPECT_EQ(ProgramNumberText(m.program()), u"654321"_s);
    ProgramModel back = modelForRow(4);
    ASSERT_EQ(LoadProgram(back, saveProgramAs(m, dir.filePath(u"nr.zpg"_s)), kProgramSlot), LoadOk);
    EXPECT_EQ(back.program().ProgNr, 654321);
    back.AktSlot = kSampleSlot;
    EXPECT_EQ(CommitProgramNumber(back, u"7"_s), FieldCommit::Changed);
    EXPECT_EQ(back.slot(kSampleSlot).ProgNr, 7);
    EXPECT_EQ(back.program().ProgNr, 654321);
}

TEST(TextFields, CommasNeverReachTheProgram)
{
    EXPECT_FALSE(DescriptionKeyAccepted(u','));
    EXPECT_TRUE(DescriptionKeyAccepted(u';'));
    ProgramModel m = modelForRow(4);
    m.program().Verwendung = u"Schule"_s;
    EXPECT_EQ(CommitDescription(m, u"Schule"_s), FieldCommit::Unchanged);
    EXPECT_EQ(m.Geaendert, 0);
    EXPECT_EQ(CommitDescription(m, u"Turnhalle, Ost,\nWest"_s), FieldCommit::Changed);
    EXPECT_EQ(m.program().Verwendung, u"Turnhalle OstWest"_s);
    EXPECT_EQ(m.Geaendert, 1);
    m.Geaendert = 0;
    // A text the 8-bit program file cannot carry is refused as a whole.
    EXPECT_EQ(CommitDescription(m, u"Halle ☀"_s), FieldCommit::Refused);
    EXPECT_EQ(m.program().Verwendung, u"Turnhalle OstWest"_s);
    EXPECT_EQ(m.Geaendert, 0);

    // Channel names: the number comes from the box's label; the loader's blank is not shown.
    EXPECT_EQ(ChannelOfCaption(ChannelCaption(12)), 12);
    EXPECT_EQ(ChannelOfCaption(u"Cx"_s), 0);
    m.program().Kanalname[1] = u" Flur"_s;
    EXPECT_EQ(ShownChannelName(m.program().Kanalname[1]), u"Flur"_s);
    EXPECT_EQ(CommitChannelName(m, u"C2"_s, u"Flur"_s), FieldCommit::Unchanged);
    EXPECT_EQ(m.Geaendert, 0);
    EXPECT_EQ(CommitChannelName(m, u"C2"_s, u"Flur, oben"_s), FieldCommit::Changed);
    EXPECT_EQ(m.program().Kanalname[1], u"Flur oben"_s);
    EXPECT_EQ(m.program().Kanalname[0], QString());
    EXPECT_EQ(m.Geaendert, 1);
    EXPECT_EQ(CommitChannelName(m, u"X"_s, u"a"_s), FieldCommit::Refused);
}

TEST(HeaderFields, WriteProtectionAndTimeOfSaving)
{
    ProgramModel m = canonical731();
    EXPECT_EQ(CommitWriteProtection(m, false), FieldCommit::Unchanged);
    EXPECT_EQ(m.Geaendert, 0);
    EXPECT_EQ(CommitWriteProtection(m, true), FieldCommit::Changed);
    EXPECT_EQ(m.program().Schreibschutz, 1);
    EXPECT_EQ(m.Geaendert, 1);

    EXPECT_FALSE(SavedAt(m.program()).has_value());
    auto ui = ScriptedInteraction::answering(true);
    BuildHeader(m, ui);
    EXPECT_EQ(SavedAt(m.program()), std::optional(fixedClock()));
}

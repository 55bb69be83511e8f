#include "model/HeaderFields.h"
#include "model/DeviceImage.h"
#include "model/UserInteraction.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

TEST(ProgramNumberField, KeysAndLeavingTheField)
{
    for (const QChar c : u"0123456789 aZ-+.,;/٣"_s) EXPECT_EQ(ProgramNumberKeyAccepted(c), c.isSpace() || (c >= u'0' && c <= u'9')) << int(c.unicode());
    const struct { std::int32_t before; const char* typed; FieldCommit result; std::int32_t after; } cases[] = {
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
    for (const auto& c : cases) {
        ProgramModel m = modelForRow(4);
        m.program().ProgNr = c.before;
        EXPECT_EQ((std::tuple{CommitProgramNumber(m, QString::fromLatin1(c.typed)), m.program().ProgNr, m.Geaendert}), std::tuple(c.result, c.after, c.result == FieldCommit::Changed ? 1 : 0)) << c.typed;
    }
    // It acts on the shown slot.
    ProgramModel m = canonical731();
    ASSERT_EQ(CommitProgramNumber(m, u"654321"_s), FieldCommit::Changed);
    EXPECT_EQ(ProgramNumberText(m.program()), u"654321"_s);
    m.AktSlot = kSampleSlot;
    EXPECT_EQ((std::tuple{CommitProgramNumber(m, u"7"_s), m.slot(kSampleSlot).ProgNr, m.program().ProgNr}), std::tuple(FieldCommit::Changed, 7, 654321));
    EXPECT_EQ(std::pair(DescriptionKeyAccepted(u','), DescriptionKeyAccepted(u';')), std::pair(false, true));
    ProgramModel m2 = modelForRow(4);
    m2.program().Verwendung = u"Schule"_s;
    EXPECT_EQ((std::pair{CommitDescription(m2, u"Schule"_s), m2.Geaendert}), std::pair(FieldCommit::Unchanged, 0));
    EXPECT_EQ((std::tuple{CommitDescription(m2, u"Turnhalle, Ost,\nWest"_s), m2.program().Verwendung, m2.Geaendert}), std::tuple(FieldCommit::Changed, u"Turnhalle OstWest"_s, 1));
    m2.Geaendert = 0;
    // A text the 8-bit program file cannot carry is refused as a whole.
    EXPECT_EQ((std::tuple{CommitDescription(m2, u"Halle ☀"_s), m2.program().Verwendung, m2.Geaendert}), std::tuple(FieldCommit::Refused, u"Turnhalle OstWest"_s, 0));

    // Channel names: the number comes from the box's label; the loader's blank is not shown.
    m2.program().Kanalname[1] = u" Flur"_s;
    EXPECT_EQ(std::tuple(ChannelOfCaption(ChannelCaption(12)), ChannelOfCaption(u"Cx"_s), ShownChannelName(m2.program().Kanalname[1])), std::tuple(12, 0, u"Flur"_s));
    EXPECT_EQ((std::pair{CommitChannelName(m2, u"C2"_s, u"Flur"_s), m2.Geaendert}), std::pair(FieldCommit::Unchanged, 0));
    EXPECT_EQ((std::tuple{CommitChannelName(m2, u"C2"_s, u"Flur, oben"_s), m2.program().Kanalname[1], m2.program().Kanalname[0], m2.Geaendert}), std::tuple(FieldCommit::Changed, u"Flur oben"_s, QString(), 1));
    EXPECT_EQ(CommitChannelName(m2, u"X"_s, u"a"_s), FieldCommit::Refused);
    ProgramModel header = canonical731();
    EXPECT_EQ((std::pair{CommitWriteProtection(header, false), header.Geaendert}), std::pair(FieldCommit::Unchanged, 0));
    EXPECT_EQ((std::tuple{CommitWriteProtection(header, true), header.program().Schreibschutz, header.Geaendert}), std::tuple(FieldCommit::Changed, 1, 1));
    EXPECT_FALSE(SavedAt(header.program()).has_value());
    auto ui = ScriptedInteraction::answering(true);
    BuildHeader(header, ui);
    EXPECT_EQ(SavedAt(header.program()), std::optional(fixedClock()));
}

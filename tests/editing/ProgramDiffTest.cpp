#include "editing/checks/ProgramDiff.h"
#include "language/TextTable.h"
#include "model/EntryBuilder.h"
#include "model/ProgramSort.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

ProgramDiff Diff(const ProgramModel& a, const ProgramModel& b)
{
    return DiffPrograms(a, kProgramSlot, b, kProgramSlot);
}

int IndexOf(const ProgramModel& m, const Entry& e)
{
    const ProgramSlot& s = m.program();
    for (int i = 0; i < s.AnzEintrag; ++i) {
        if (s.Eintrag[static_cast<std::size_t>(i)] == e)
            return i;
    }
    return -1;
}

void Replace(ProgramModel& m, const Entry& from, const Entry& to)
{
    const int i = IndexOf(m, from);
    ASSERT_GE(i, 0);
    m.program().Eintrag[static_cast<std::size_t>(i)] = to;
    SortProgram(m, 1, kProgramSlot);
}

const Entry kMorning = BuildWeeklyEntry(6 * 60 + 45, 0b0011111, 0b0001, 1, 0, 0);

ProgramModel Base()
{
    ProgramModel m = canonical731();
    addEntry(m, kMorning);
    SortProgram(m, 1, kProgramSlot);
    return m;
}

TEST(ProgramDiff, AProgramAgreesWithItselfAndWithItsOtherOrder)
{
    const ProgramModel a = Base();
    EXPECT_TRUE(Diff(a, a).empty());
    ProgramModel shuffled = a;
    std::reverse(shuffled.program().Eintrag.begin(), shuffled.program().Eintrag.begin() + shuffled.program().AnzSz);
    EXPECT_TRUE(Diff(a, shuffled).empty());
}

TEST(ProgramDiff, ChangedStateChannelsAndPulseArePairedNotListedTwice)
{
    struct Case {
        Entry to;
        int fields;
    };
    const Case cases[] = {
        {BuildWeeklyEntry(6 * 60 + 45, 0b0011111, 0b0001, 0, 0, 0), DiffState},
        {BuildWeeklyEntry(6 * 60 + 45, 0b0011111, 0b0011, 1, 0, 0), DiffChannels},
        {BuildWeeklyEntry(6 * 60 + 45, 0b0011111, 0b0001, 1, 5, 0), DiffPulse},
        {BuildWeeklyEntry(6 * 60 + 45, 0b0011111, 0b0010, 0, 0, 0), DiffState | DiffChannels},
    };
    const ProgramModel a = Base();
    for (const Case& c : cases) {
        ProgramModel b = a;
        Replace(b, kMorning, c.to);
        const ProgramDiff d = Diff(a, b);
        ASSERT_EQ(d.entries.size(), 1u) << c.fields;
        EXPECT_TRUE(d.header.empty());
        EXPECT_EQ(d.entries[0], (EntryDifference{EntryDiffKind::Changed, IndexOf(a, kMorning), IndexOf(b, c.to), c.fields}));
    }
}

TEST(ProgramDiff, AMovedEntryIsOnlyInOneAndOnlyInTheOther)
{
    const ProgramModel a = Base();
    ProgramModel b = a;
    const Entry later = BuildWeeklyEntry(7 * 60 + 15, 0b0011111, 0b0001, 1, 0, 0);
    Replace(b, kMorning, later);
    const ProgramDiff d = Diff(a, b);
    ASSERT_EQ(d.entries.size(), 2u);
    EXPECT_EQ(d.entries[0], (EntryDifference{EntryDiffKind::OnlyInFirst, IndexOf(a, kMorning), -1, 0}));
    EXPECT_EQ(d.entries[1], (EntryDifference{EntryDiffKind::OnlyInSecond, -1, IndexOf(b, later), 0}));

    TextTable t;
    t.LoadGerman();
    const QStringList lines = DiffLines(d, a, kProgramSlot, b, kProgramSlot, t);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(u"- Schaltzeit "_s) && lines[0].contains(u"6:45"_s)) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(u"+ Schaltzeit "_s) && lines[1].contains(u"7:15"_s)) << lines[1].toStdString();
}

TEST(ProgramDiff, HeaderDifferencesAreNamed)
{
    const ProgramModel a = Base();
    ProgramModel b = a;
    b.program().ProgNr = 654321;
    b.device.SwRegel = a.device.SwRegel == 1 ? 2 : 1;
    b.program().Kanalname[2] = QStringLiteral(" Hof");
    b.program().Verwendung = QStringLiteral("Schule Nord");
    b.program().SoWiTab[1].b[0] ^= 0x10;
    const ProgramDiff d = Diff(a, b);
    EXPECT_TRUE(d.entries.empty());
    std::vector<HeaderField> fields;
    for (const HeaderDifference& h : d.header)
        fields.push_back(h.field);
    EXPECT_EQ(fields, (std::vector<HeaderField>{HeaderField::ProgramNumber, HeaderField::Rule, HeaderField::TableRow, HeaderField::ChannelName, HeaderField::Description}));
    EXPECT_EQ(std::pair(d.header[0].first, d.header[0].second), std::pair(u"123456"_s, u"654321"_s));
    EXPECT_EQ(std::tuple(d.header[2].index, d.header[3].index, d.header[3].second), std::tuple(1, 2, u"Hof"_s));

    TextTable en;
    en.LoadEnglish();
    const QStringList lines = DiffLines(d, a, kProgramSlot, b, kProgramSlot, en);
    EXPECT_EQ(lines[0], QStringLiteral("* Program number: 123456 → 654321"));
    // The rule by its name, as the device properties offer it.
    ASSERT_EQ(a.device.SwRegel, 4);
    EXPECT_EQ(lines[1], QStringLiteral("* Summer/winter-time rule: by table → like europe"));
    EXPECT_EQ(lines[4], QStringLiteral("* Description: Schule Süd Turnhalle → Schule Nord"));
}

TEST(ProgramDiff, AstroTablesAreComparedPerChannel)
{
    const ProgramModel a = canonical738();
    ProgramModel b = a;
    b.program().astro.AstroTab[0][100].rise += 5;
    b.program().astro.AstroTab[0][101].set -= 5;
    b.program().astro.AstroGrenze[0].morning += 30;
    const ProgramDiff d = Diff(a, b);
    ASSERT_EQ(d.header.size(), 2u);
    EXPECT_EQ(d.header[0].field, HeaderField::AstroLimits);
    EXPECT_EQ(std::tuple(d.header[1].field, d.header[1].count, d.header[1].index), std::tuple(HeaderField::AstroTimes, 2, 0));

    // Limits and times as clock times, the states in the user's language.
    for (const auto& [load, state] : {std::pair{&TextTable::LoadGerman, "EIN"}, std::pair{&TextTable::LoadEnglish, "ON"},
                                      std::pair{&TextTable::LoadFrench, "MARCHE"}}) {
        TextTable t;
        (t.*load)(1);
        const QStringList lines = DiffLines(d, a, kProgramSlot, b, kProgramSlot, t);
        ASSERT_EQ(lines.size(), 2);
        EXPECT_TRUE(lines[0].contains(QString::fromUtf8(state))) << lines[0].toStdString();
        EXPECT_FALSE(QLatin1String(state) != QLatin1String("ON") && lines[0].contains(QStringLiteral(" ON"))) << lines[0].toStdString();
        const AstroDay& before = a.program().astro.AstroTab[0][100];
        const QString rise = QStringLiteral("%1:%2").arg(before.rise / 60).arg(before.rise % 60, 2, 10, QLatin1Char('0'));
        EXPECT_TRUE(lines[1].contains(rise + QLatin1Char('/'))) << lines[1].toStdString();
    }
}

} // namespace

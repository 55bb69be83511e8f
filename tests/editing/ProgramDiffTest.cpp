#include "editing/checks/ProgramDiff.h"
#include "model/EntryBuilder.h"
#include "model/ProgramSort.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::test;
using namespace Qt::StringLiterals;

namespace {

ProgramDiff Diff(const ProgramModel& a, const ProgramModel& b) { return DiffPrograms(a, kProgramSlot, b, kProgramSlot); }
QStringList Lines(const ProgramModel& a, const ProgramModel& b, int language) { return DiffLines(Diff(a, b), a, kProgramSlot, b, kProgramSlot, textsIn(language)); }

int IndexOf(const ProgramModel& m, const Entry& e)
{
    const auto& all = m.program().Eintrag;
    const auto at = std::find(all.begin(), all.begin() + m.program().AnzEintrag, e);
    return at == all.begin() + m.program().AnzEintrag ? -1 : static_cast<int>(at - all.begin());
}

// The program with `from` replaced by `to`, sorted.
ProgramModel Replaced(ProgramModel m, const Entry& from, const Entry& to)
{
    m.program().Eintrag[static_cast<std::size_t>(IndexOf(m, from))] = to;
    SortProgram(m, 1, kProgramSlot);
    return m;
}

const Entry kMorning = BuildWeeklyEntry(6 * 60 + 45, 0b0011111, 0b0001, 1, 0, 0);

ProgramModel Base()
{
    ProgramModel m = canonical731();
    addEntry(m, kMorning);
    SortProgram(m, 1, kProgramSlot);
    return m;
}

TEST(ProgramDiff, EntryAndHeaderDifferences)
{
    const ProgramModel a = Base();
    EXPECT_TRUE(Diff(a, a).empty());
    ProgramModel shuffled = a;
    std::reverse(shuffled.program().Eintrag.begin(), shuffled.program().Eintrag.begin() + shuffled.program().AnzSz);
    EXPECT_TRUE(Diff(a, shuffled).empty());
    const std::pair<Entry, int> cases[] = {
        {BuildWeeklyEntry(6 * 60 + 45, 0b0011111, 0b0001, 0, 0, 0), DiffState},
        {BuildWeeklyEntry(6 * 60 + 45, 0b0011111, 0b0011, 1, 0, 0), DiffChannels},
        {BuildWeeklyEntry(6 * 60 + 45, 0b0011111, 0b0001, 1, 5, 0), DiffPulse},
        {BuildWeeklyEntry(6 * 60 + 45, 0b0011111, 0b0010, 0, 0, 0), DiffState | DiffChannels},
    };
    for (const auto& [to, fields] : cases) {
        const ProgramModel changed = Replaced(a, kMorning, to);
        const ProgramDiff d = Diff(a, changed);
        EXPECT_EQ(std::pair(d.entries, d.header.empty()), std::pair(std::vector{EntryDifference{EntryDiffKind::Changed, IndexOf(a, kMorning), IndexOf(changed, to), fields}}, true)) << fields;
    }
    // A moved entry is only in one and only in the other.
    const Entry later = BuildWeeklyEntry(7 * 60 + 15, 0b0011111, 0b0001, 1, 0, 0);
    const ProgramModel b = Replaced(a, kMorning, later);
    EXPECT_EQ(Diff(a, b).entries, (std::vector{EntryDifference{EntryDiffKind::OnlyInFirst, IndexOf(a, kMorning), -1, 0}, EntryDifference{EntryDiffKind::OnlyInSecond, -1, IndexOf(b, later), 0}}));
    const QStringList lines = Lines(a, b, 1);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(u"- Schaltzeit "_s) && lines[0].contains(u"6:45"_s)) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(u"+ Schaltzeit "_s) && lines[1].contains(u"7:15"_s)) << lines[1].toStdString();
    // Header differences are named.
    ProgramModel hb = a;
    hb.program().ProgNr = 654321;
    hb.device.SwRegel = a.device.SwRegel == 1 ? 2 : 1;
    hb.program().Kanalname[2] = QStringLiteral(" Hof");
    hb.program().Verwendung = QStringLiteral("Schule Nord");
    hb.program().SoWiTab[1].b[0] ^= 0x10;
    const ProgramDiff d = Diff(a, hb);
    EXPECT_TRUE(d.entries.empty());
    std::vector<HeaderField> fields;
    for (const HeaderDifference& h : d.header) fields.push_back(h.field);
    EXPECT_EQ(fields, (std::vector<HeaderField>{HeaderField::ProgramNumber, HeaderField::Rule, HeaderField::TableRow, HeaderField::ChannelName, HeaderField::Description}));
    EXPECT_EQ(std::tuple(d.header[0].first, d.header[0].second, d.header[2].index, d.header[3].index, d.header[3].second), std::tuple(u"123456"_s, u"654321"_s, 1, 2, u"Hof"_s));
    // The rule by its name, as the device properties offer it.
    ASSERT_EQ(a.device.SwRegel, 4);
    const QStringList headerLines = Lines(a, hb, 2);
    EXPECT_EQ(QStringList({headerLines.value(0), headerLines.value(1), headerLines.value(4)}), QStringList({u"* Program number: 123456 → 654321"_s, u"* Summer/winter-time rule: by table → like europe"_s, u"* Description: Schule Süd Turnhalle → Schule Nord"_s}));
    const ProgramModel astroA = canonical738();
    ProgramModel astroB = astroA;
    astroB.program().astro.AstroTab[0][100].rise += 5;
    astroB.program().astro.AstroTab[0][101].set -= 5;
    astroB.program().astro.AstroGrenze[0].morning += 30;
    const ProgramDiff astroDiff = Diff(astroA, astroB);
    ASSERT_EQ(astroDiff.header.size(), 2u);
    EXPECT_EQ(astroDiff.header[0].field, HeaderField::AstroLimits);
    EXPECT_EQ(std::tuple(astroDiff.header[1].field, astroDiff.header[1].count, astroDiff.header[1].index), std::tuple(HeaderField::AstroTimes, 2, 0));

    // Limits and times as clock times, the states in the user's language.
    const AstroDay& before = astroA.program().astro.AstroTab[0][100];
    const QString rise = QStringLiteral("%1:%2/").arg(before.rise / 60).arg(before.rise % 60, 2, 10, QLatin1Char('0'));
    for (const auto& [language, state] : {std::pair(1, "EIN"), std::pair(2, "ON"), std::pair(3, "MARCHE")}) {
        const QStringList astroLines = Lines(astroA, astroB, language);
        ASSERT_EQ(astroLines.size(), 2);
        EXPECT_TRUE(astroLines[0].contains(QString::fromUtf8(state)) && (language == 2 || !astroLines[0].contains(QStringLiteral(" ON"))) && astroLines[1].contains(rise)) << astroLines.join(u'\n').toStdString();
    }
}

} // namespace

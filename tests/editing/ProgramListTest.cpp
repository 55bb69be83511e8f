#include "editing/ProgramList.h"
#include "editing/ListFilter.h"
#include "model/DstRowCodec.h"
#include "tests/editing/ListFixtures.h"
#include "tests/support/TestPrograms.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::fixtures;
using namespace Qt::StringLiterals;

namespace {

// Every list the window shows, as text: caption, memory label and row count, the headings with their widths, the entry index of each row and the
// cells. The expected text is tests/data/golden/lists/<test>.txt; ZENDRIK_UPDATE_GOLDEN=1 rewrites it after a deliberate change.
class ProgramListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startProgram(model, kRow731FourChannels);
        setEntries(model, kProgramSlot, {entryA(), entryD(), entryC(), entryB(), entryF(), entryE()}, {prioA(), prioD(), prioC(), prioE(), prioB()});
    }

    ProgramList build(int ansicht, int slot = kProgramSlot) const { return ProgramList::Build(model, texts, filter, ansicht, slot, sources); }

    // Adds the list to the text; `rows` limits the rows shown (all by default).
    ProgramList show(const char* what, int ansicht, int slot = kProgramSlot, std::vector<int> rows = {})
    {
        const ProgramList list = build(ansicht, slot);
        text << u"== %1\n%2 | %3 | %4 rows, grid %5/%6\n"_s.arg(QLatin1String(what), list.caption, list.memoryLabel).arg(list.rows.size()).arg(list.gridRows(1)).arg(list.gridRows(30));
        for (const ListColumn& c : list.columns) text << u"[%1 %2]"_s.arg(c.heading).arg(c.width);
        text << u"\n"_s;
        if (rows.empty())
            for (int r = 0; r < static_cast<int>(list.rows.size()); ++r) rows.push_back(r);
        for (const int r : rows)
            if (r < static_cast<int>(list.rows.size())) text << u"%1 → %2: %3\n"_s.arg(r + 1).arg(list.entryIndexOfRow(r + 1)).arg(list.rows.at(static_cast<std::size_t>(r)).join(u'|'));
        return list;
    }

    void TearDown() override { test::expectGolden(u"golden/lists/%1.txt"_s.arg(QLatin1String(::testing::UnitTest::GetInstance()->current_test_info()->name())), text.join(QString())); }

    ProgramModel model;
    TextTable texts;
    ListFilter filter;
    ListSources sources;
    QStringList text;
};

} // namespace

TEST_F(ProgramListTest, LayoutCaptionsAndEntryIndex)
{
    show("switching times", AnsichtSchaltzeiten);
    const ProgramList pz = show("priority times", AnsichtPrioritaetszeiten);
    EXPECT_EQ(std::tuple(pz.entryIndexOfRow(0), pz.entryIndexOfRow(6)), std::tuple(-1, -1));
    model.slot(kSampleSlot).Dateiname = u"VORLAGE.zpg"_s;
    setEntries(model, kSampleSlot, {entryE()}, {});
    for (const int ansicht : {AnsichtSchaltzeiten, AnsichtPrioritaetszeiten, AnsichtSoWiTabelle}) show("sample", ansicht, kSampleSlot, {0});
    setEntries(model, kProgramSlot, {}, {});
    show("empty", AnsichtSchaltzeiten);
}

TEST_F(ProgramListTest, CellsOfSpecialEntries)
{
    // Rows that show only their number: minute 1500, a dated entry among the priority times.
    Entry special, unmarked = prioA();
    special.b = {0x80 + 93, 0xC0, 0, 127, 1, 1};
    unmarked.b[0] = 0x40;
    setEntries(model, kProgramSlot, {special}, {unmarked});
    show("number only", AnsichtSchaltzeiten);
    show("number only", AnsichtPrioritaetszeiten);
    // Movable priority times name their holiday, or else the distance to Easter.
    setEntries(model, kProgramSlot, {}, {BuildEasterEntry(1, 4, 1, 0, false), BuildEasterEntry(-2, 4, 1, 0, false), BuildEasterEntry(0, 4, 2, 0, false)});
    sources.holidayName = [](int offset) { return offset == 1 ? u"Ostermontag"_s : QString(); };
    show("easter", AnsichtPrioritaetszeiten);
    // The astro device has no pulse column.
    startProgram(model, kRow752);
    setEntries(model, kProgramSlot, {BuildWeeklyEntry(1335, 0b1111111, 0b11, 0, 0, 0)}, {});
    show("752", AnsichtSchaltzeiten);
    // The bus format: 08:00 Mo Mi, channel 7 (bit 3 of b1), P2, value 200; 08:00 9 March, channel 6 (bit 5 of b3), value 0; 1 - 31 July, permanent,
    // channel 2, value 77 where the year would be.
    startProgram(model, kRow731Bus);
    model.device.EibFormat = 1;
    Entry weekly, dated, permanent;
    weekly.b = {0x9E, 0x0A, 0, 0b0000101, 200, 2};
    dated.b = {0x1E, 0x03, 0, 0x20 + 9, 0, 1};
    permanent.b = {0x6E, 0x18, 0, 31, 77, 0x71};
    setEntries(model, kProgramSlot, {weekly, dated}, {permanent});
    show("bus", AnsichtSchaltzeiten);
    show("bus", AnsichtPrioritaetszeiten);
}

TEST_F(ProgramListTest, FilteredRowsKeepTheirEntryIndexAndTablesAreBounded)
{
    std::tie(filter.FilterAktiv, filter.FilterKanal) = std::tuple(-1, 0b0010);
    show("channel 2", AnsichtSchaltzeiten);
    // 10-12 March and 1 November - 28 February touch January to March.
    std::tie(filter.FilterKanal, filter.FilterMonatVon, filter.FilterMonatBis) = std::tuple(ListFilter::kAllChannels, 1, 3);
    show("January to March", AnsichtPrioritaetszeiten);
    filter.FilterAktiv = 0;
    show("filter off", AnsichtPrioritaetszeiten);
    // First year 2023, rows count from 2024; a damaged count shows the 20 rows.
    model.program().SoWiJahr = 2023 - 1996;
    model.program().SoWiTab[0] = EncodeDstRow({{31, 3, 2, 1}, {27, 10, 3, 2}});
    model.program().AnzSoWi = 300;
    show("table", AnsichtSoWiTabelle);
}

TEST_F(ProgramListTest, AstroTimes)
{
    startProgram(model, kRow752);
    auto& astro = model.program().astro;
    astro.AstroAktiv[0] = astro.AstroAktiv[1] = -1;
    astro.AstroTab[0][0] = {480, 1000, -1, 0};
    astro.AstroTab[0][99] = {model.device.KeineZeit, 1200, -1, 0}; // a summer day without sunrise
    astro.AstroTab[0][365] = {500, 1439, -1, 0};
    astro.AstroTab[0][150] = {300, 1400, -1, 0};
    // Summer time of 2024 under the European rule: 31 March .. 27 October.
    model.device.SwRegel = 1;
    show("752 in 2024", AnsichtAstrozeiten);
    // The astro device adds its offsets itself; the list shows what it switches: a sunset the summer hour pushes past midnight is no switching that
    // day.
    std::tie(astro.AstroOffsetAuf, astro.AstroOffsetUnter) = std::tuple(-15, 30);
    show("offsets", AnsichtAstrozeiten, kProgramSlot, {0, 150});
    std::tie(astro.AstroOffsetAuf, astro.AstroOffsetUnter, model.device.AstroC1C2) = std::tuple(0, 0, 1);
    model.clock = [] { return QDateTime(QDate(2023, 7, 1), QTime(12, 0)); };
    show("both channels in 2023", AnsichtAstrozeiten, kProgramSlot, {0, 59, 364});
    astro.AstroAktiv[1] = 0;
    show("inactive", AnsichtAstrozeiten, kProgramSlot, {0});
    startProgram(model, kRow738);
    model.program().astro.AstroAktiv[3] = -1;
    model.program().astro.AstroTab[2][0] = {450, model.device.KeineZeit, 0, -1};
    sources.astroChannel = 2;
    show("738 channel 3", AnsichtAstrozeiten, kProgramSlot, {0});
}

#include "editing/ProgramList.h"
#include "editing/ListFilter.h"
#include "language/TextTable.h"
#include "model/DstRowCodec.h"
#include "tests/editing/ListFixtures.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::fixtures;
using namespace Qt::StringLiterals;

namespace {

QStringList headings(const ProgramList& list)
{
    QStringList h;
    for (const ListColumn& c : list.columns)
        h << QStringLiteral("%1 %2").arg(c.heading).arg(c.width);
    return h;
}

QStringList row(std::initializer_list<const char*> cells)
{
    QStringList r;
    for (const char* c : cells)
        r << QString::fromUtf8(c);
    return r;
}

class ProgramListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startProgram(model, kRow731FourChannels);
        setEntries(model, kProgramSlot, {entryA(), entryD(), entryC(), entryB(), entryF(), entryE()},
                   {prioA(), prioD(), prioC(), prioE(), prioB()});
    }

    ProgramList build(int ansicht, int slot = kProgramSlot) const
    {
        return ProgramList::Build(model, texts, filter, ansicht, slot, sources);
    }

    ProgramModel model;
    TextTable texts;
    ListFilter filter;
    ListSources sources;
};

} // namespace

TEST_F(ProgramListTest, LayoutCaptionsAndEntryIndex)
{
    const ProgramList sz = build(AnsichtSchaltzeiten);
    EXPECT_EQ(sz.caption, u"Schaltzeitliste (ANLAGE.zpg)"_s);
    EXPECT_EQ(sz.memoryLabel, u"11 von 324"_s);
    EXPECT_EQ(headings(sz), row({"Nr. 500", "Datum/Tage 2400", "Uhrzeit 1400", "Kanäle 2000", "Impuls 1400", "1x 800", "Zust. 1400", "Prio. 1400"}));
    EXPECT_EQ(sz.rows[1], row({"2  ", "täglich", "22:15 Uhr", " C1 C4", "5 sec", " ", "AUS", ""}));
    EXPECT_EQ(std::tuple(sz.ListenZeilen, sz.gridRows(5), sz.gridRows(30)), std::tuple(6, 8, 30));

    const ProgramList pz = build(AnsichtPrioritaetszeiten);
    EXPECT_EQ(pz.caption, u"Prioritätsliste (ANLAGE.zpg)"_s);
    EXPECT_EQ(headings(pz), row({"Nr. 500", "Beginn am:  2600", "Ende am:  2600", "Kanäle 2000", "1x 800", "Zust. 1400", "Prio. 1400"}));
    EXPECT_EQ(pz.display.AnzeigeIndex, (std::vector<int>{6, 7, 8, 9, 10}));
    EXPECT_EQ(std::tuple(pz.entryIndexOfRow(1), pz.entryIndexOfRow(0), pz.entryIndexOfRow(6)), std::tuple(6, -1, -1));

    model.slot(kSampleSlot).Dateiname = u"VORLAGE.zpg"_s;
    setEntries(model, kSampleSlot, {entryE()}, {});
    EXPECT_EQ(std::pair(build(AnsichtSchaltzeiten, kSampleSlot).caption, build(AnsichtSchaltzeiten, kSampleSlot).memoryLabel),
              std::pair(u"Vorlage Schaltzeitliste (VORLAGE.zpg)"_s, u"1 von 324"_s));
    EXPECT_EQ(build(AnsichtPrioritaetszeiten, kSampleSlot).caption, u"Vorlage Prioritätsliste (VORLAGE.zpg)"_s);
    EXPECT_EQ(build(AnsichtSoWiTabelle, kSampleSlot).caption, u"SoWi-Tabelle  (VORLAGE.zpg)"_s);

    setEntries(model, kProgramSlot, {}, {});
    EXPECT_EQ(std::pair(build(AnsichtSchaltzeiten).rows.size(), build(AnsichtSchaltzeiten).gridRows(1)), std::pair(0ul, 2));
}

TEST_F(ProgramListTest, AstroDeviceHasNoPulseColumn)
{
    startProgram(model, kRow752);
    setEntries(model, kProgramSlot, {BuildWeeklyEntry(1335, 0b1111111, 0b11, 0, 0, 0)}, {});
    const ProgramList list = build(AnsichtSchaltzeiten);
    EXPECT_EQ(headings(list), row({"Nr. 500", "Datum/Tage 2400", "Uhrzeit 1400", "Kanäle 3400", "1x 800", "Zust. 1400", "Prio. 1400"}));
    EXPECT_EQ(list.rows.at(0), row({"1  ", "täglich", "22:15 Uhr", " C1 C2", " ", "AUS", ""}));
    EXPECT_EQ(list.memoryLabel, u"1 von 120"_s);
}

TEST_F(ProgramListTest, RowsThatShowOnlyTheirNumber)
{
    Entry special;
    special.b = {0x80 + 93, 0xC0, 0, 127, 1, 1}; // minute 1500
    Entry unmarked = prioA();
    unmarked.b[0] = 0x40; // a dated entry among the priority times
    setEntries(model, kProgramSlot, {special}, {unmarked});
    EXPECT_EQ(build(AnsichtSchaltzeiten).rows.at(0), row({"1  ", "", "", "", "", "", "", ""}));
    EXPECT_EQ(build(AnsichtPrioritaetszeiten).rows.at(0), row({"1  ", "", "", "", "", "", ""}));
}

TEST_F(ProgramListTest, MovablePriorityTimesNameTheirHoliday)
{
    setEntries(model, kProgramSlot, {}, {easterEntry(1, 4, 1), easterEntry(-2, 4, 1), easterEntry(0, 4, 2)});
    sources.holidayName = [](int offset) { return offset == 1 ? u"Ostermontag"_s : QString(); };
    const ProgramList list = build(AnsichtPrioritaetszeiten);
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[0], row({"1  ", "Ostermontag", " 00:00 Uhr - 24:00 Uhr", " C1", " ", "", "4"}));
    // Without a holiday of that distance the cell names the distance.
    EXPECT_EQ(list.rows[1][1], u"2 Tag(e) vor Ostern"_s);
    EXPECT_EQ(list.rows[2][1], u"Ostern"_s);
}

TEST_F(ProgramListTest, BusFormatCells)
{
    startProgram(model, kRow731Bus);
    model.device.EibFormat = 1;
    Entry weekly;
    weekly.b = {0x9E, 0x0A, 0, 0b0000101, 200, 2}; // 08:00 Mo Mi, channel 7 (bit 3 of b1), P2, value 200
    Entry dated;
    dated.b = {0x1E, 0x03, 0, 0x20 + 9, 0, 1}; // 08:00 9 March, channel 6 (bit 5 of b3), value 0
    Entry permanent;
    permanent.b = {0x6E, 0x18, 0, 31, 77, 0x71}; // 1 - 31 July, permanent, channel 2, value 77
    setEntries(model, kProgramSlot, {weekly, dated}, {permanent});
    const ProgramList sz = build(AnsichtSchaltzeiten);
    EXPECT_EQ(sz.rows.at(0), row({"1  ", "Mo Mi", "  8:00 Uhr", " C7", "", " ", "200", "2"}));
    EXPECT_EQ(sz.rows.at(1), row({"2  ", "9. März", "  8:00 Uhr", " C6", "", " ", "0", ""}));
    // The bus format keeps the state value where the year would be: no year.
    EXPECT_EQ(build(AnsichtPrioritaetszeiten).rows.at(0),
              row({"1  ", "1. Juli  00:00 Uhr", "31. Juli 24:00 Uhr", " C2", " ", "77", "Perm."}));
}

TEST_F(ProgramListTest, FilteredRowsKeepTheirEntryIndex)
{
    filter.FilterAktiv = -1;
    filter.FilterKanal = 0b0010;
    const ProgramList sz = build(AnsichtSchaltzeiten);
    EXPECT_EQ(sz.display.AnzeigeIndex, (std::vector<int>{3, 4}));
    EXPECT_EQ(sz.rows.at(1), row({"2  ", "1. Januar", "  0:05 Uhr", " C2", "", " ", "AUS", ""}));
    EXPECT_EQ(sz.memoryLabel, u"11 von 324"_s);

    filter.FilterKanal = ListFilter::kAllChannels;
    filter.FilterMonatVon = 1;
    filter.FilterMonatBis = 3;
    // 10-12 March and 1 November - 28 February touch January to March.
    EXPECT_EQ(build(AnsichtPrioritaetszeiten).display.AnzeigeIndex, (std::vector<int>{7, 8}));
    filter.FilterAktiv = 0;
    EXPECT_EQ(build(AnsichtPrioritaetszeiten).rows.size(), 5u);
}

TEST_F(ProgramListTest, SummerWinterTableRowsAreBounded)
{
    model.program().SoWiJahr = 2023 - 1996; // first year 2023, rows count from 2024
    model.program().SoWiTab[0] = EncodeDstRow({{31, 3, 2, 1}, {27, 10, 3, 2}});
    model.program().AnzSoWi = 300; // from a damaged file: at most the 20 rows
    const ProgramList list = build(AnsichtSoWiTabelle);
    EXPECT_EQ(list.rows.size(), 20u);
    EXPECT_EQ(list.rows[0], row({"1  ", "2024", "31. März 2:00 Uhr", "1 Stunde", "27. Oktober 3:00 Uhr", "2 Stunden"}));
    EXPECT_EQ(list.rows[19][1], u"2043"_s);
}

TEST_F(ProgramListTest, AstroTimes)
{
    startProgram(model, kRow752);
    auto& astro = model.program().astro;
    astro.AstroAktiv[0] = astro.AstroAktiv[1] = -1;
    astro.AstroTab[0][0] = {480, 1000, -1, 0};
    astro.AstroTab[0][99] = {model.device.KeineZeit, 1200, -1, 0};
    astro.AstroTab[0][365] = {500, 1439, -1, 0};
    // Summer time of 2024 under the European rule: 31 March .. 27 October.
    model.device.SwRegel = 1;
    ProgramList list = build(AnsichtAstrozeiten);
    EXPECT_EQ(list.caption, u"Astrozeiten (ANLAGE.zpg)"_s);
    EXPECT_EQ(headings(list), row({"Nr. 500", "Kanäle 2700", "am 2700", "Ausschalten um: 2700", "Einschalten um: 2700"}));
    ASSERT_EQ(list.rows.size(), 366u); // 2024 is a leap year
    EXPECT_EQ(list.gridRows(20), 367);
    EXPECT_EQ(list.rows[0], row({"1  ", " C1", "1. Januar", "  8:00 Uhr", "16:40 Uhr"}));
    // 9 April is a summer day without sunrise switching.
    EXPECT_EQ(list.rows[99], row({"100", " C1", "9. April", "  --:-- Uhr", "21:00 Uhr"}));
    EXPECT_EQ(list.rows[365], row({"366", " C1", "31. Dezember", "  8:20 Uhr", "23:59 Uhr"}));
    // The astro device adds its offsets itself; the list shows what it switches.
    astro.AstroOffsetAuf = -15;
    astro.AstroOffsetUnter = 30;
    EXPECT_EQ(build(AnsichtAstrozeiten).rows[0], row({"1  ", " C1", "1. Januar", "  7:45 Uhr", "17:10 Uhr"}));
    // A sunset the summer hour pushes past midnight is no switching that day.
    astro.AstroTab[0][150] = {300, 1400, -1, 0};
    EXPECT_EQ(build(AnsichtAstrozeiten).rows[150][4], u"  --:-- Uhr"_s);
    astro.AstroOffsetAuf = astro.AstroOffsetUnter = 0;

    model.device.AstroC1C2 = 1;
    model.clock = [] { return QDateTime(QDate(2023, 7, 1), QTime(12, 0)); };
    list = build(AnsichtAstrozeiten);
    ASSERT_EQ(list.rows.size(), 365u);
    EXPECT_EQ(list.rows[0], row({"1  ", " C1  C2", "1. Januar", "  8:00 Uhr", "16:40 Uhr"}));
    EXPECT_EQ(list.rows[59][2], u"1. März"_s);
    astro.AstroAktiv[1] = 0;
    EXPECT_EQ(build(AnsichtAstrozeiten).rows.at(0), row({"1  ", "", "", "", ""}));

    startProgram(model, kRow738);
    model.program().astro.AstroAktiv[3] = -1;
    model.program().astro.AstroTab[2][0] = {450, model.device.KeineZeit, 0, -1};
    sources.astroChannel = 2;
    EXPECT_EQ(build(AnsichtAstrozeiten).rows.at(0), row({"1  ", " C3", "1. Januar", "  7:30 Uhr", "  --:-- Uhr"}));
}

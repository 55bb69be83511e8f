#include "calendar/ListFilter.h"
#include "editing/ProgramList.h"
#include "language/TextTable.h"
#include "model/DstRowCodec.h"
#include "tests/editing/ListFixtures.h"

#include <gtest/gtest.h>

using namespace zendrik;
using namespace zendrik::fixtures;

namespace {

QStringList headings(const ProgramList& list)
{
    QStringList h;
    for (const ListColumn& c : list.columns)
        h << c.heading;
    return h;
}

std::vector<int> widths(const ProgramList& list)
{
    std::vector<int> w;
    for (const ListColumn& c : list.columns)
        w.push_back(c.width);
    return w;
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

    ProgramList build(int ansicht, int slot = kProgramSlot, const ListSources& sources = {}) const
    {
        return ProgramList::Build(model, texts, filter, ansicht, slot, sources);
    }

    ProgramModel model;
    TextTable texts;
    ListFilter filter;
};

} // namespace

TEST_F(ProgramListTest, SwitchingTimesOfTheProgram)
{
    const ProgramList list = build(AnsichtSchaltzeiten);
    EXPECT_EQ(list.caption, QStringLiteral("Schaltzeitliste (ANLAGE.zpg)"));
    EXPECT_EQ(list.memoryLabel, QStringLiteral("11 von 324"));
    EXPECT_EQ(headings(list), row({"Nr.", "Datum/Tage", "Uhrzeit", "Kanäle", "Impuls", "1x", "Zust.", "Prio."}));
    EXPECT_EQ(widths(list), (std::vector<int>{500, 2400, 1400, 2000, 1400, 800, 1400, 1400}));
    ASSERT_EQ(list.rows.size(), 6u);
    EXPECT_EQ(list.rows[0], row({"1  ", "Mo Di Mi Do Fr", "  7:00 Uhr", " C1", "", " ", "EIN", ""}));
    EXPECT_EQ(list.rows[1], row({"2  ", "täglich", "22:15 Uhr", " C1 C4", "5 sec", " ", "AUS", ""}));
    EXPECT_EQ(list.rows[2], row({"3  ", "24. Dezember", "18:00 Uhr", " C1", "", "1x", "EIN", ""}));
    EXPECT_EQ(list.rows[3], row({"4  ", "Sa", "  6:30 Uhr", " C2", "", " ", "AUS", "2"}));
    EXPECT_EQ(list.rows[4], row({"5  ", "1. Januar", "  0:05 Uhr", " C2", "", " ", "AUS", ""}));
    EXPECT_EQ(list.rows[5], row({"6  ", "Di", "  7:00 Uhr", " C3", "", " ", "EIN", "1"}));
    EXPECT_EQ(list.ListenZeilen, 6);
    EXPECT_EQ(list.display.AnzAnzeige, 6);
    EXPECT_EQ(list.display.AnzeigeIndex, (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(list.entryIndexOfRow(4), 3);
    EXPECT_EQ(list.entryIndexOfRow(0), -1);
    EXPECT_EQ(list.entryIndexOfRow(7), -1);
}

TEST_F(ProgramListTest, SampleSlotCaptions)
{
    model.slot(kSampleSlot).Dateiname = QStringLiteral("VORLAGE.zpg");
    setEntries(model, kSampleSlot, {entryE()}, {prioA()});
    const ProgramList switching = build(AnsichtSchaltzeiten, kSampleSlot);
    EXPECT_EQ(switching.caption, QStringLiteral("Vorlage Schaltzeitliste (VORLAGE.zpg)"));
    EXPECT_EQ(switching.memoryLabel, QStringLiteral("2 von 324"));
    ASSERT_EQ(switching.rows.size(), 1u);
    EXPECT_EQ(switching.rows[0][1], QStringLiteral("Di"));
    EXPECT_EQ(build(AnsichtPrioritaetszeiten, kSampleSlot).caption,
              QStringLiteral("Vorlage Prioritätsliste (VORLAGE.zpg)"));
    EXPECT_EQ(build(AnsichtPrioritaetszeiten).caption, QStringLiteral("Prioritätsliste (ANLAGE.zpg)"));
    EXPECT_EQ(build(AnsichtSoWiTabelle, kSampleSlot).caption, QStringLiteral("SoWi-Tabelle  (VORLAGE.zpg)"));
}

TEST_F(ProgramListTest, AstroDeviceHasNoPulseColumn)
{
    startProgram(model, kRow752);
    setEntries(model, kProgramSlot, {BuildWeeklyEntry(1335, 0b1111111, 0b11, 0, 0, 0)}, {});
    const ProgramList list = build(AnsichtSchaltzeiten);
    EXPECT_EQ(headings(list), row({"Nr.", "Datum/Tage", "Uhrzeit", "Kanäle", "1x", "Zust.", "Prio."}));
    EXPECT_EQ(widths(list), (std::vector<int>{500, 2400, 1400, 3400, 800, 1400, 1400}));
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0], row({"1  ", "täglich", "22:15 Uhr", " C1 C2", " ", "AUS", ""}));
    EXPECT_EQ(list.memoryLabel, QStringLiteral("1 von 120"));
}

TEST_F(ProgramListTest, EntryBeyondTheDayShowsOnlyItsRowNumber)
{
    Entry special;
    special.b = {0x80 + 93, 0xC0, 0, 127, 1, 1};   // minute 1500
    setEntries(model, kProgramSlot, {entryA(), special}, {});
    const ProgramList list = build(AnsichtSchaltzeiten);
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[1], row({"2  ", "", "", "", "", "", "", ""}));
}

TEST_F(ProgramListTest, BusFormatCells)
{
    startProgram(model, kRow731Bus);
    model.device.EibFormat = 1;
    Entry weekly;
    weekly.b = {0x9E, 0x0A, 0, 0b0000101, 200, 2};   // 08:00 Mo Mi, channel 7 (bit 3 of b1), P2, value 200
    Entry dated;
    dated.b = {0x1E, 0x03, 0, 0x20 + 9, 0, 1};        // 08:00 9 March, channel 6 (bit 5 of b3), value 0
    Entry permanent;
    permanent.b = {0x6E, 0x18, 0, 31, 77, 0x71};      // 1 - 31 July, permanent, channel 2, value 77
    Entry prio3;
    prio3.b = {0x6E, 0x13, 0, 31, 90, 0x70};          // 1 - 31 July, P3, channel 1
    setEntries(model, kProgramSlot, {weekly, dated}, {permanent, prio3});

    const ProgramList switching = build(AnsichtSchaltzeiten);
    ASSERT_EQ(switching.rows.size(), 2u);
    EXPECT_EQ(switching.rows[0], row({"1  ", "Mo Mi", "  8:00 Uhr", " C7", "", " ", "200", "2"}));
    EXPECT_EQ(switching.rows[1], row({"2  ", "9. März", "  8:00 Uhr", " C6", "", " ", "0", ""}));

    // The bus format has no year in its priority times: the state value
    // takes its place.
    const ProgramList priority = build(AnsichtPrioritaetszeiten);
    ASSERT_EQ(priority.rows.size(), 2u);
    EXPECT_EQ(priority.rows[0],
              row({"1  ", "1. Juli  00:00 Uhr", "31. Juli 24:00 Uhr", " C2", " ", "77", "Perm."}));
    EXPECT_EQ(priority.rows[1], row({"2  ", "1. Juli  00:00 Uhr", "31. Juli 24:00 Uhr", " C1", " ", "", "3"}));
}

TEST_F(ProgramListTest, PriorityTimesOfTheProgram)
{
    const ProgramList list = build(AnsichtPrioritaetszeiten);
    EXPECT_EQ(headings(list), row({"Nr.", "Beginn am: ", "Ende am: ", "Kanäle", "1x", "Zust.", "Prio."}));
    EXPECT_EQ(widths(list), (std::vector<int>{500, 2600, 2600, 2000, 800, 1400, 1400}));
    ASSERT_EQ(list.rows.size(), 5u);
    EXPECT_EQ(list.rows[0], row({"1  ", "1. Mai  00:00 Uhr", "31. Mai 24:00 Uhr", " C1", " ", "", "1"}));
    EXPECT_EQ(list.rows[1], row({"2  ", "10. März  00:00 Uhr", "12. März 24:00 Uhr", " C3", "1x", "", "2"}));
    EXPECT_EQ(list.rows[2], row({"3  ", "1. November  00:00 Uhr", "28. Februar 24:00 Uhr", " C1", " ", "", "3"}));
    EXPECT_EQ(list.rows[3], row({"4  ", "1. Juni  00:00 Uhr", "2. Juni 24:00 Uhr", " C1", " ", "EIN", "Perm."}));
    EXPECT_EQ(list.rows[4],
              row({"5  ", "24. Dezember 2060 00:00 Uhr", "26. Dezember 24:00 Uhr", " C2", "1x", "AUS", "Perm."}));
    EXPECT_EQ(list.display.AnzeigeIndex, (std::vector<int>{6, 7, 8, 9, 10}));
    EXPECT_EQ(list.entryIndexOfRow(1), 6);
}

TEST_F(ProgramListTest, MovablePriorityTimesNameTheirHoliday)
{
    setEntries(model, kProgramSlot, {}, {easterEntry(1, 4, 1), easterEntry(-2, 4, 1), easterEntry(0, 4, 2)});
    ListSources sources;
    sources.holidayName = [](int offset) { return offset == 1 ? QStringLiteral("Ostermontag") : QString(); };
    const ProgramList list = build(AnsichtPrioritaetszeiten, kProgramSlot, sources);
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[0], row({"1  ", "Ostermontag", " 00:00 Uhr - 24:00 Uhr", " C1", " ", "", "4"}));
    // Without a holiday of that distance the cell names the distance itself.
    EXPECT_EQ(list.rows[1][1], QStringLiteral("2 Tag(e) vor Ostern"));
    EXPECT_EQ(list.rows[2][1], QStringLiteral("Ostern"));
    const ProgramList noHolidays = build(AnsichtPrioritaetszeiten);
    EXPECT_EQ(noHolidays.rows[0][1], QStringLiteral("1 Tag(e) nach Ostern"));
}

TEST_F(ProgramListTest, PriorityRowWithoutMarkerStaysBlank)
{
    Entry odd = prioA();
    odd.b[0] = 0x40;   // a dated switching time stored among the priority times
    setEntries(model, kProgramSlot, {}, {odd});
    const ProgramList list = build(AnsichtPrioritaetszeiten);
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(list.rows[0], row({"1  ", "", "", "", "", "", ""}));
}

TEST_F(ProgramListTest, FilterTakesOnlyMatchingSwitchingTimes)
{
    filter.FilterAktiv = -1;
    filter.FilterKanal = 0b0010;
    const ProgramList list = build(AnsichtSchaltzeiten);
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0], row({"1  ", "Sa", "  6:30 Uhr", " C2", "", " ", "AUS", "2"}));
    EXPECT_EQ(list.rows[1], row({"2  ", "1. Januar", "  0:05 Uhr", " C2", "", " ", "AUS", ""}));
    EXPECT_EQ(list.display.AnzeigeIndex, (std::vector<int>{3, 4}));
    EXPECT_EQ(list.ListenZeilen, 2);
    // The memory label counts the program, not the filtered rows.
    EXPECT_EQ(list.memoryLabel, QStringLiteral("11 von 324"));

    filter.FilterAktiv = 0;
    EXPECT_EQ(build(AnsichtSchaltzeiten).rows.size(), 6u);
}

TEST_F(ProgramListTest, FilterTakesPriorityTimesTouchingTheMonths)
{
    filter.FilterAktiv = -1;
    filter.FilterMonatVon = 1;
    filter.FilterMonatBis = 3;
    const ProgramList list = build(AnsichtPrioritaetszeiten);
    // 10-12 March and 1 November - 28 February; May, June and December fail.
    EXPECT_EQ(list.display.AnzeigeIndex, (std::vector<int>{7, 8}));
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0][0], QStringLiteral("1  "));
    EXPECT_EQ(list.rows[1][1], QStringLiteral("1. November  00:00 Uhr"));
}

TEST_F(ProgramListTest, EmptyProgram)
{
    setEntries(model, kProgramSlot, {}, {});
    const ProgramList list = build(AnsichtSchaltzeiten);
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(list.ListenZeilen, 0);
    EXPECT_EQ(list.memoryLabel, QStringLiteral("0 von 324"));
    EXPECT_EQ(list.columns.size(), 8u);
    EXPECT_EQ(list.gridRows(20), 20);
    EXPECT_EQ(list.gridRows(1), 2);
}

TEST_F(ProgramListTest, GridKeepsAnEmptyRowUnderTheLastItem)
{
    const ProgramList list = build(AnsichtSchaltzeiten);
    EXPECT_EQ(list.gridRows(5), 8);
    EXPECT_EQ(list.gridRows(30), 30);
}

TEST_F(ProgramListTest, RowNumbersOfALongList)
{
    std::vector<Entry> many;
    for (int i = 0; i < 120; ++i)
        many.push_back(BuildWeeklyEntry(i * 10, 1, 1, 1, 0, 0));
    setEntries(model, kProgramSlot, many, {});
    const ProgramList list = build(AnsichtSchaltzeiten);
    ASSERT_EQ(list.rows.size(), 120u);
    EXPECT_EQ(list.rows[8][0], QStringLiteral("9  "));
    EXPECT_EQ(list.rows[9][0], QStringLiteral("10 "));
    EXPECT_EQ(list.rows[99][0], QStringLiteral("100"));
    EXPECT_EQ(list.rows[119][2], QStringLiteral("19:50 Uhr"));
}

TEST_F(ProgramListTest, SummerWinterTable)
{
    ProgramSlot& s = model.program();
    s.SoWiJahr = 2024 - 1996;
    s.SoWiTab[0] = EncodeDstRow({{31, 3, 2, 1}, {27, 10, 3, 1}});
    s.SoWiTab[1] = EncodeDstRow({{30, 3, 2, 2}, {1, 10, 3, 2}});
    s.AnzSoWi = 2;
    const ProgramList list = build(AnsichtSoWiTabelle);
    EXPECT_EQ(list.caption, QStringLiteral("SoWi-Tabelle  (ANLAGE.zpg)"));
    EXPECT_EQ(headings(list), row({"Nr.", "Jahr", "Vorstellen am:", "um:", "Zurückstellen am:", "um:"}));
    EXPECT_EQ(widths(list), (std::vector<int>{500, 2000, 2800, 1600, 2800, 1600}));
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0],
              row({"1  ", "2024", "31. März 2:00 Uhr", "1 Stunde", "27. Oktober 3:00 Uhr", "1 Stunde"}));
    EXPECT_EQ(list.rows[1],
              row({"2  ", "2025", "30. März 2:00 Uhr", "2 Stunden", "1. Oktober 3:00 Uhr", "2 Stunden"}));
    EXPECT_EQ(list.ListenZeilen, 2);
    EXPECT_TRUE(list.display.Anzeige.empty());
}

TEST_F(ProgramListTest, SummerWinterTableCountIsBounded)
{
    model.program().AnzSoWi = 300;   // from a damaged file: at most the 20 rows
    EXPECT_EQ(build(AnsichtSoWiTabelle).rows.size(), 20u);
}

class AstroListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startProgram(model, kRow752);
        auto& astro = model.program().astro;
        astro.AstroAktiv[0] = astro.AstroAktiv[1] = -1;
        astro.AstroTab[0][0] = {480, 1000, -1, 0};
        astro.AstroTab[0][99] = {model.device.KeineZeit, 1200, -1, 0};
        astro.AstroTab[0][365] = {500, 1439, -1, 0};
        // Summer time from day 90 to day 300 for these tests.
        sources.isSummerTime = [](int day, int) { return day >= 90 && day <= 300; };
    }

    ProgramList build() const { return ProgramList::Build(model, texts, filter, AnsichtAstrozeiten, 0, sources); }

    ProgramModel model;
    TextTable texts;
    ListFilter filter;
    ListSources sources;
};

TEST_F(AstroListTest, OneRowPerDayOfTheYear)
{
    const ProgramList list = build();
    EXPECT_EQ(list.caption, QStringLiteral("Astrozeiten (ANLAGE.zpg)"));
    EXPECT_EQ(headings(list), row({"Nr.", "Kanäle", "am", "Ausschalten um:", "Einschalten um:"}));
    EXPECT_EQ(widths(list), (std::vector<int>{500, 2700, 2700, 2700, 2700}));
    EXPECT_TRUE(list.complete);
    ASSERT_EQ(list.rows.size(), 366u);   // 2024 is a leap year
    EXPECT_EQ(list.ListenZeilen, 366);
    EXPECT_EQ(list.gridRows(20), 367);
    EXPECT_EQ(list.rows[0], row({"1  ", " C1", "1. Januar", "  8:00 Uhr", "16:40 Uhr"}));
    // 9 April lies in summer time; no sunrise switching that day.
    EXPECT_EQ(list.rows[99], row({"100", " C1", "9. April", "  --:-- Uhr", "21:00 Uhr"}));
    EXPECT_EQ(list.rows[365], row({"366", " C1", "31. Dezember", "  8:20 Uhr", "23:59 Uhr"}));
}

TEST_F(AstroListTest, CommonYearHas365Rows)
{
    model.clock = [] { return QDateTime(QDate(2023, 7, 1), QTime(12, 0)); };
    const ProgramList list = build();
    ASSERT_EQ(list.rows.size(), 365u);
    EXPECT_EQ(list.rows[364][2], QStringLiteral("31. Dezember"));
    EXPECT_EQ(list.rows[59][2], QStringLiteral("1. März"));
}

TEST_F(AstroListTest, BothChannelsAndTheBusDevice)
{
    model.device.AstroC1C2 = 1;
    EXPECT_EQ(build().rows[0][1], QStringLiteral(" C1  C2"));

    startProgram(model, kRow738);
    model.program().astro.AstroAktiv[3] = -1;
    model.program().astro.AstroTab[2][0] = {450, model.device.KeineZeit, 0, -1};
    sources.astroChannel = 2;
    const ProgramList list = build();
    EXPECT_EQ(list.rows[0], row({"1  ", " C3", "1. Januar", "  7:30 Uhr", "  --:-- Uhr"}));
}

TEST_F(AstroListTest, ChannelWithoutAstroShowsOnlyRowNumbers)
{
    model.program().astro.AstroAktiv[1] = 0;
    const ProgramList list = build();
    ASSERT_EQ(list.rows.size(), 366u);
    EXPECT_EQ(list.rows[0], row({"1  ", "", "", "", ""}));
}

TEST_F(AstroListTest, WithoutSummerTimeRuleNoRowsAreBuilt)
{
    sources.isSummerTime = nullptr;
    const ProgramList list = build();
    EXPECT_FALSE(list.complete);
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(list.columns.size(), 5u);
}

#include "calendar/SoWiEingabe.h"
#include "calendar/SommerzeitTage.h"
#include "model/DstRowCodec.h"
#include "model/ProgramModel.h"
#include "util/CalendarMath.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

// The Sunday in the seven days before the given day, by Qt's calendar.
int SundayBefore(int year, int month, int day)
{
    QDate d = QDate(year, month, day).addDays(-1);
    while (d.dayOfWeek() != Qt::Sunday)
        d = d.addDays(-1);
    return d.dayOfYear();
}

DstEntry Row(int fd, int fm, int bd, int bm)
{
    return DstEntry{DstChangeover{fd, fm, 2, 1}, DstChangeover{bd, bm, 3, 1}};
}

} // namespace

TEST(Sommerzeit, RuleDatesMatchCivilCalendar1993To2099)
{
    for (int year = 1993; year <= 2099; ++year) {
        const int lastSundayOfMarch = SundayBefore(year, 4, 1);
        const int lastSundayOfOctober = SundayBefore(year, 11, 1);
        EXPECT_EQ(RegelTage(SwEuropa, year), (SommerzeitTage{lastSundayOfMarch, lastSundayOfOctober})) << year;
        EXPECT_EQ(RegelTage(SwGrossbritannien, year), (SommerzeitTage{lastSundayOfMarch, SundayBefore(year, 10, 29)}))
            << year;
        EXPECT_EQ(RegelTage(SwUsa, year), (SommerzeitTage{SundayBefore(year, 4, 15), lastSundayOfOctober})) << year;
        EXPECT_FALSE(RegelTage(SwKeine, year).hasChangeover());
    }
}

TEST(Sommerzeit, ChangeoverDaysCountAsSummerTime)
{
    ProgramModel model;
    model.device.SwRegel = SwEuropa; // 2000: 26 March to 29 October
    EXPECT_EQ(std::tuple(IstSommerzeit(model, 0, 25, 3, 2000), IstSommerzeit(model, 0, 26, 3, 2000),
                         IstSommerzeit(model, 0, 29, 10, 2000), IstSommerzeit(model, 0, 30, 10, 2000)),
              std::tuple(false, true, true, false));
    model.device.SwRegel = SwKeine;
    EXPECT_FALSE(IstSommerzeit(model, 0, 15, 7, 2000));

    // A southern table (forward 1 October, back 1 April) runs over the year end.
    const SommerzeitTage south{274, 91};
    for (const int day : {1, 91, 274, 366})
        EXPECT_TRUE(IstSommerzeit(south, day)) << day;
    for (const int day : {92, 273})
        EXPECT_FALSE(IstSommerzeit(south, day)) << day;
}

TEST(Sommerzeit, TableDatesCountFromTheReferenceYear)
{
    ProgramSlot slot;
    slot.SoWiJahr = 2010 - 1996;
    slot.SoWiInfo = 1; // reference year = first year
    ASSERT_TRUE(AddSoWiEntry(slot, Row(28, 3, 31, 10), 1).ok());
    ASSERT_TRUE(AddSoWiEntry(slot, Row(27, 3, 30, 10), 1).ok());
    ASSERT_TRUE(AddSoWiEntry(slot, Row(1, 4, 2, 10), 1).ok());
    EXPECT_EQ(SoWiBezugsjahr(slot), 2010);
    // Row 0 is never used, row i holds the year reference + i.
    EXPECT_EQ(TabellenTage(slot, 2011), (SommerzeitTage{DayOfYear(27, 3, 2011), DayOfYear(30, 10, 2011)}));
    EXPECT_EQ(TabellenTage(slot, 2012), (SommerzeitTage{DayOfYear(1, 4, 2012), DayOfYear(2, 10, 2012)}));
    for (const int year : {2009, 2010, 2013, 2030})
        EXPECT_FALSE(TabellenTage(slot, year).hasChangeover()) << year;

    slot.SoWiInfo = 0; // reference year = first year + 1
    EXPECT_EQ(SommerzeitTageVon(SwTabelle, slot, 2012),
              (SommerzeitTage{DayOfYear(27, 3, 2012), DayOfYear(30, 10, 2012)}));
    EXPECT_EQ(SommerzeitTageVon(SwEuropa, slot, 2012), RegelTage(SwEuropa, 2012));

    slot.SoWiTab[1].b = {0x00, 0x80, 0x00, 0x00}; // a damaged row: month 0
    EXPECT_FALSE(TabellenTage(slot, 2012).hasChangeover());
}

TEST(SoWiEingabe, ChecksOfANewRow)
{
    ProgramSlot slot;
    EXPECT_EQ(AddSoWiEntry(slot, Row(5, 4, 5, 4), 0).code, SoWiCheck::SameStartEnd);
    for (const DstEntry& bad : {Row(1, 15, 1, 10), Row(31, 4, 1, 10), Row(0, 4, 1, 10),
                                DstEntry{DstChangeover{1, 4, 24, 1}, DstChangeover{1, 10, 3, 1}}})
        EXPECT_EQ(AddSoWiEntry(slot, bad, 0).code, SoWiCheck::InvalidEntry);
    EXPECT_EQ(ChangeSoWiEntry(slot, 0, Row(1, 4, 1, 10), 0).code, SoWiCheck::InvalidEntry);
    EXPECT_EQ(slot.AnzSoWi, 0);

    ASSERT_TRUE(AddSoWiEntry(slot, Row(28, 3, 31, 10), 0).ok());
    ASSERT_TRUE(AddSoWiEntry(slot, Row(27, 3, 30, 10), 0).ok());
    // A date that another year's row has is no conflict: rules repeat their dates.
    ASSERT_TRUE(AddSoWiEntry(slot, Row(29, 3, 30, 10), 1).ok());
    EXPECT_EQ(std::pair(slot.AnzSoWi, slot.SoWiInfo), std::pair(3, 1));
    // Changing row 2 to its own dates is no conflict with itself.
    EXPECT_TRUE(ChangeSoWiEntry(slot, 1, Row(27, 3, 30, 10), 0).ok());
    EXPECT_TRUE(CheckSoWiEntry(slot, Row(28, 3, 1, 11), 1).ok());

    for (int i = 3; i < kDstRows; ++i)
        ASSERT_TRUE(AddSoWiEntry(slot, Row(1 + i, 4, 1 + i, 9), 0).ok()) << i;
    EXPECT_EQ(AddSoWiEntry(slot, Row(25, 5, 25, 8), 0).code, SoWiCheck::TableFull);
    EXPECT_EQ(slot.AnzSoWi, kDstRows);
    EXPECT_EQ(DecodeDstRow(slot.SoWiTab[kDstRows - 1]), Row(kDstRows, 4, kDstRows, 9));
}

#include "calendar/CalendarMath.h"
#include "calendar/SoWiEingabe.h"
#include "calendar/SommerzeitTage.h"
#include "model/ProgramModel.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace zendrik;

namespace {

QDate LastSunday(int year, int month)
{
    QDate d(year, month, QDate(year, month, 1).daysInMonth());
    while (d.dayOfWeek() != Qt::Sunday)
        d = d.addDays(-1);
    return d;
}

// The Sunday in the seven days before the given day.
QDate SundayBefore(int year, int month, int day)
{
    QDate d = QDate(year, month, day).addDays(-1);
    while (d.dayOfWeek() != Qt::Sunday)
        d = d.addDays(-1);
    return d;
}

DstEntry Row(int fd, int fm, int bd, int bm)
{
    return DstEntry{DstChangeover{fd, fm, 2, 1}, DstChangeover{bd, bm, 3, 1}};
}

} // namespace

TEST(Sommerzeit, RuleDatesMatchCivilCalendar1993To2099)
{
    for (int year = 1993; year <= 2099; ++year) {
        const SommerzeitTage eu = RegelTage(SwEuropa, year);
        EXPECT_EQ(eu.forward, LastSunday(year, 3).dayOfYear()) << year;
        EXPECT_EQ(eu.back, LastSunday(year, 10).dayOfYear()) << year;
        const SommerzeitTage uk = RegelTage(SwGrossbritannien, year);
        EXPECT_EQ(uk.forward, LastSunday(year, 3).dayOfYear()) << year;
        const QDate ukBack = SundayBefore(year, 10, 29);
        EXPECT_EQ(uk.back, ukBack.dayOfYear()) << year;
        EXPECT_GE(ukBack.day(), 22);
        EXPECT_LE(ukBack.day(), 28);
        const SommerzeitTage us = RegelTage(SwUsa, year);
        const QDate usForward = SundayBefore(year, 4, 15);
        EXPECT_EQ(us.forward, usForward.dayOfYear()) << year;
        EXPECT_GE(usForward.day(), 8);
        EXPECT_EQ(us.back, LastSunday(year, 10).dayOfYear()) << year;
        EXPECT_FALSE(RegelTage(SwKeine, year).hasChangeover());
    }
}

TEST(Sommerzeit, Year2000Examples)
{
    const auto date = [](int doy) { return DateOfDayOfYear(doy, 2000); };
    EXPECT_EQ(date(RegelTage(SwEuropa, 2000).forward), (CalendarDate{26, 3, 2000}));
    EXPECT_EQ(date(RegelTage(SwEuropa, 2000).back), (CalendarDate{29, 10, 2000}));
    EXPECT_EQ(date(RegelTage(SwGrossbritannien, 2000).back), (CalendarDate{22, 10, 2000}));
    EXPECT_EQ(date(RegelTage(SwUsa, 2000).forward), (CalendarDate{9, 4, 2000}));
}

TEST(Sommerzeit, ChangeoverDaysCountAsSummerTime)
{
    ProgramModel model;
    model.device.SwRegel = SwEuropa;
    EXPECT_FALSE(IstSommerzeit(model, 0, 25, 3, 2000));
    EXPECT_TRUE(IstSommerzeit(model, 0, 26, 3, 2000));
    EXPECT_TRUE(IstSommerzeit(model, 0, 15, 7, 2000));
    EXPECT_TRUE(IstSommerzeit(model, 0, 29, 10, 2000));
    EXPECT_FALSE(IstSommerzeit(model, 0, 30, 10, 2000));
    model.device.SwRegel = SwKeine;
    EXPECT_FALSE(IstSommerzeit(model, 0, 15, 7, 2000));
}

TEST(Sommerzeit, SouthernTableRunsOverTheYearEnd)
{
    // Forward on 1 October, back on 1 April: summer is October..December and
    // January..1 April, not the winter in between.
    const SommerzeitTage south{274, 91};
    EXPECT_TRUE(IstSommerzeit(south, 1));
    EXPECT_TRUE(IstSommerzeit(south, 91));
    EXPECT_FALSE(IstSommerzeit(south, 92));
    EXPECT_FALSE(IstSommerzeit(south, 180));
    EXPECT_FALSE(IstSommerzeit(south, 273));
    EXPECT_TRUE(IstSommerzeit(south, 274));
    EXPECT_TRUE(IstSommerzeit(south, 366));
    EXPECT_FALSE(IstSommerzeit(SommerzeitTage{}, 400));
}

TEST(Sommerzeit, TableDatesCountFromTheReferenceYear)
{
    ProgramSlot slot;
    slot.SoWiJahr = 2010 - 1996;
    slot.SoWiInfo = 1;   // reference year = first year
    ASSERT_TRUE(AddSoWiEntry(slot, Row(28, 3, 31, 10), 1).ok());
    ASSERT_TRUE(AddSoWiEntry(slot, Row(27, 3, 30, 10), 1).ok());
    ASSERT_TRUE(AddSoWiEntry(slot, Row(1, 4, 2, 10), 1).ok());
    EXPECT_EQ(SoWiBezugsjahr(slot), 2010);

    // Row 0 is never used, row i holds the year reference + i.
    EXPECT_FALSE(TabellenTage(slot, 2010).hasChangeover());
    EXPECT_EQ(TabellenTage(slot, 2011), (SommerzeitTage{DayOfYear(27, 3, 2011), DayOfYear(30, 10, 2011)}));
    EXPECT_EQ(TabellenTage(slot, 2012), (SommerzeitTage{DayOfYear(1, 4, 2012), DayOfYear(2, 10, 2012)}));
    // No row for these years.
    EXPECT_FALSE(TabellenTage(slot, 2013).hasChangeover());
    EXPECT_FALSE(TabellenTage(slot, 2009).hasChangeover());
    EXPECT_FALSE(TabellenTage(slot, 2030).hasChangeover());

    slot.SoWiInfo = 0;   // reference year = first year + 1
    EXPECT_EQ(SoWiBezugsjahr(slot), 2011);
    EXPECT_EQ(TabellenTage(slot, 2012), (SommerzeitTage{DayOfYear(27, 3, 2012), DayOfYear(30, 10, 2012)}));
    EXPECT_EQ(SommerzeitTageVon(SwTabelle, slot, 2012), TabellenTage(slot, 2012));
    EXPECT_EQ(SommerzeitTageVon(SwEuropa, slot, 2012), RegelTage(SwEuropa, 2012));
}

TEST(Sommerzeit, DamagedTableRowIsNoChangeover)
{
    ProgramSlot slot;
    slot.SoWiJahr = 0;
    slot.SoWiInfo = 1;
    slot.AnzSoWi = 2;
    slot.SoWiTab[1].b = {0x00, 0x80, 0x00, 0x00};   // month 0
    EXPECT_FALSE(TabellenTage(slot, 1997).hasChangeover());
}

TEST(SoWiEingabe, RefusesSameStartAndEnd)
{
    ProgramSlot slot;
    const SoWiCheckResult r = AddSoWiEntry(slot, Row(5, 4, 5, 4), 0);
    EXPECT_EQ(r.code, SoWiCheck::SameStartEnd);
    EXPECT_EQ(slot.AnzSoWi, 0);
}

TEST(SoWiEingabe, ReportsTheNumberOfTheRowWithTheSameDate)
{
    ProgramSlot slot;
    ASSERT_TRUE(AddSoWiEntry(slot, Row(28, 3, 31, 10), 0).ok());
    ASSERT_TRUE(AddSoWiEntry(slot, Row(27, 3, 30, 10), 0).ok());
    const SoWiCheckResult r = AddSoWiEntry(slot, Row(29, 3, 30, 10), 1);
    EXPECT_EQ(r.code, SoWiCheck::SameDateExists);
    EXPECT_EQ(r.number, 2);
    EXPECT_EQ(slot.AnzSoWi, 2);
    EXPECT_EQ(slot.SoWiInfo, 0);
    // Changing row 2 to its own dates is no conflict with itself.
    EXPECT_TRUE(ChangeSoWiEntry(slot, 1, Row(27, 3, 30, 10), 1).ok());
    EXPECT_EQ(CheckSoWiEntry(slot, Row(28, 3, 1, 11), 1).code, SoWiCheck::SameDateExists);
}

TEST(SoWiEingabe, TwentyRowsFillTheTable)
{
    ProgramSlot slot;
    for (int i = 0; i < kDstRows; ++i)
        ASSERT_TRUE(AddSoWiEntry(slot, Row(1 + i, 3, 1 + i, 10), 0).ok()) << i;
    EXPECT_EQ(slot.AnzSoWi, kDstRows);
    const SoWiCheckResult r = AddSoWiEntry(slot, Row(25, 3, 25, 10), 0);
    EXPECT_EQ(r.code, SoWiCheck::TableFull);
    EXPECT_EQ(slot.AnzSoWi, kDstRows);
    EXPECT_EQ(DecodeDstRow(slot.SoWiTab[19]), Row(20, 3, 20, 10));
}

TEST(SoWiEingabe, RefusesValuesTheRowCannotHold)
{
    ProgramSlot slot;
    EXPECT_EQ(AddSoWiEntry(slot, Row(1, 15, 1, 10), 0).code, SoWiCheck::InvalidEntry);
    EXPECT_EQ(AddSoWiEntry(slot, Row(31, 4, 1, 10), 0).code, SoWiCheck::InvalidEntry);
    EXPECT_EQ(AddSoWiEntry(slot, Row(0, 4, 1, 10), 0).code, SoWiCheck::InvalidEntry);
    EXPECT_EQ(AddSoWiEntry(slot, DstEntry{DstChangeover{1, 4, 24, 1}, DstChangeover{1, 10, 3, 1}}, 0).code,
              SoWiCheck::InvalidEntry);
    EXPECT_EQ(slot.AnzSoWi, 0);
    EXPECT_EQ(ChangeSoWiEntry(slot, 0, Row(1, 4, 1, 10), 0).code, SoWiCheck::InvalidEntry);
}
